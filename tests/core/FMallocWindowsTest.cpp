// Tests of the pooled allocator on real virtual memory: size classes, pools, system-served
// blocks, Realloc, statistics, list checks, the dump and running out of memory.
#include "FMallocWindows.h"
#include "TestFiles.h"
#include <climits>
#include <cstring>
#include <memory>
#include <numeric>
#include <random>

namespace
{
// An allocator of a test's own (allocators never return their directory), with the system's
// memory as the test wants it: from the top of the address space (above 4 GiB in the 64-bit
// build), or running dry after some requests, then giving none or throwing.
class FTestMalloc : public FMallocWindows
{
public:
    bool TopDown = false;
    INT RequestsLeft = INT_MAX;
    bool ThrowWhenDry = false;

    FTestMalloc() { Init(); }
    BYTE* Alloc(DWORD Size) { return static_cast<BYTE*>(Malloc(Size, TEXT("Test"))); }
    BYTE* Resize(void* Block, DWORD Size) { return static_cast<BYTE*>(Realloc(Block, Size, TEXT("Test"))); }
    // Live blocks, used bytes, system bytes.
    std::vector<INT> Counters() const { return {LiveAllocations, UsedBytesCurrent, SystemBytesCurrent}; }
    template<class TBlocks> void FreeAll(const TBlocks& Blocks) { for (BYTE* Block : Blocks) Free(Block); }

protected:
    void* AllocSystemMemory(SIZE_T Bytes) override
    {
        if (RequestsLeft-- <= 0)
            return ThrowWhenDry ? throw 1 : nullptr;
        if (!TopDown)
            return FMallocWindows::AllocSystemMemory(Bytes);
        return VirtualAlloc(NULL, Bytes, MEM_COMMIT | MEM_RESERVE | MEM_TOP_DOWN, PAGE_READWRITE);
    }
};
using FTestMallocPtr = std::unique_ptr<FTestMalloc>;
const std::vector<INT> Zero = {0, 0, 0};
} // namespace

TEST(FMallocWindows, EverySizeGoesToTheSmallestClassThatHoldsItAnywhereInTheAddressSpace)
{
    static const DWORD Sizes[POOL_COUNT] = {8, 10, 12, 14, 16, 20, 24, 28, 32, 40, 48, 56, 64, 80, 96, 112, 128,
                                            160, 192, 224, 256, 320, 384, 448, 512, 640, 768, 896, 1024, 1280,
                                            1536, 1792, 2048, 2560, 3072, 3584, 4096, 5120, 6144, 7168, 8192,
                                            10240, 12288, 14336, 16384, 20480, 24576, 28672, 32768};
    for (bool TopDown : {false, true})
    {
        FTestMallocPtr Malloc(new FTestMalloc);
        Malloc->TopDown = TopDown;
        for (INT i = 0; i < POOL_COUNT; i++)
            for (DWORD Size : {i ? Sizes[i - 1] + 1 : 0, Sizes[i]}) // both ends of each class, 0 bytes included
            {
                BYTE* Block = Malloc->Alloc(Size);
                FPoolRecord* Pool = Malloc->FindPoolRecord(Block);
                EXPECT_EQ(&Malloc->PoolTable[i], Pool->SizeClass) << Size;
                EXPECT_EQ(Pool, Malloc->FindPoolRecord(Pool->Mem + 65535)) << Size; // from any byte of its pool
                EXPECT_EQ(INT(Sizes[i]), Malloc->UsedBytesCurrent) << Size;
                Malloc->Free(Block);
            }
        // 32769 bytes: the system's own pages, rounded up, counted at the requested size.
        BYTE* System = Malloc->Alloc(32769);
        EXPECT_EQ((std::vector<INT>{1, 32769, 36864}), Malloc->Counters());
#ifdef _WIN64
        EXPECT_EQ(TopDown, UPTRINT(System) >> 32 != 0) << static_cast<void*>(System);
#endif
        Malloc->Free(System);
        EXPECT_EQ(Zero, Malloc->Counters());
    }
}

TEST(FMallocWindows, PoolsHandOutTheirLastBlocksFirstTakeFreedOnesBackAndGoWhenEmpty)
{
    FTestMallocPtr Malloc(new FTestMalloc);
    // A fresh pool's blocks go out from its last one down: 65536 / 8 of them.
    std::vector<BYTE*> All(65536 / 8);
    for (BYTE*& Block : All)
        Block = Malloc->Alloc(8);
    FPoolRecord* Pool = Malloc->FindPoolRecord(All[0]);
    for (INT i = 0; i < 3; i++)
        EXPECT_EQ(Pool->Mem + (8191 - i) * 8, All[i]);
    // Every other block freed, each then a run of its own (the last at the pool's start): all
    // come back before a pool is added.
    for (size_t i = 1; i < All.size(); i += 2)
        Malloc->Free(All[i]);
    Malloc->HeapCheck();
    // A broken pool list fails its check through the error device.
    FPoolRecord** Kept = Pool->PrevLink;
    Pool->PrevLink = NULL;
    EXPECT_EQ(0, ThrownBy([&] { Malloc->HeapCheck(); })
                     .InStr(TEXT("Assertion failed: Pool->PrevLink==PoolPtr [File:core/FMallocWindows.cpp] [Line: ")));
    Pool->PrevLink = Kept;
    for (size_t i = 1; i < All.size(); i += 2)
        All[i] = Malloc->Alloc(8);
    EXPECT_EQ(65536, Malloc->SystemBytesCurrent);
    Malloc->FreeAll(All);
    EXPECT_EQ(0, Malloc->SystemBytesCurrent); // released with its last block
    BYTE* Again = Malloc->Alloc(8);
    EXPECT_EQ(Malloc->FindPoolRecord(Again)->Mem + 8191 * 8, Again); // from a new pool
    Malloc->Free(Again);

    // 32768 bytes: two blocks fill a pool, a third needs another.
    BYTE* Largest[3] = {Malloc->Alloc(32768), Malloc->Alloc(32768), Malloc->Alloc(32768)};
    EXPECT_EQ(2 * 65536, Malloc->SystemBytesCurrent);
    Malloc->FreeAll(Largest);
    EXPECT_EQ(Zero, Malloc->Counters());
}

TEST(FMallocWindows, ReallocKeepsABlockOnlyWhileItsClassOrItsPagesStillFit)
{
    FTestMallocPtr Malloc(new FTestMalloc);
    BYTE* Block = Malloc->Alloc(100);
    EXPECT_EQ(Block, Malloc->Resize(Block, 110)); // still class 112
    BYTE* Moved = Malloc->Resize(Block, 60); // class 64
    EXPECT_NE(Block, Moved);

    // 90000 bytes take 90112 from the system and stay for any size that fills two thirds.
    BYTE* System = Malloc->Resize(Moved, 90000);
    for (DWORD Size : {60075u, 90112u, 75000u})
        EXPECT_EQ(System, Malloc->Resize(System, Size)) << Size;
    EXPECT_EQ(75000, Malloc->UsedBytesCurrent);
    BYTE* Larger = Malloc->Resize(System, 90113); // just past the pages
    EXPECT_NE(System, Larger);
    EXPECT_NE(Larger, System = Malloc->Resize(Larger, 60074)); // below two thirds of 94208
    EXPECT_EQ(NULL, Malloc->Realloc(NULL, 0, TEXT("Test")));
    Malloc->Free(NULL);
    EXPECT_EQ((std::vector<INT>{1, 60074, 61440}), Malloc->Counters()); // the two calls above change nothing

    // A failing Realloc adds the old pointer (all of it), the new size and the tag to the history.
    Malloc->RequestsLeft = 0;
    Malloc->ThrowWhenDry = true;
    GErrorHist[0] = 0;
    EXPECT_THROW(Malloc->Realloc(System, 100000, TEXT("Tagged")), int);
    EXPECT_EQ(FString::Printf(TEXT("FMallocWindows::Malloc <- FMallocWindows::Realloc <- %p 100000 Tagged"), System),
              FString(GErrorHist));
    EXPECT_EQ(NULL, Malloc->Resize(System, 0)); // frees
    EXPECT_EQ(Zero, Malloc->Counters());
}

TEST(FMallocWindows, DumpAllocsWritesTheStatisticsAndWithMemstatThePoolTable)
{
    FTestMallocPtr Malloc(new FTestMalloc);
    Malloc->Alloc(100), Malloc->Alloc(100), Malloc->Alloc(40000); // kept to the end of the allocator
    Malloc->Free(Malloc->Alloc(60000)); // raises the peaks only
    // The command line is what appInit was given: an allocator whose Init stops it sets just that.
    auto Dump = [&](const TCHAR* CmdLine) {
        struct FStopInit : FHeapMalloc { void Init() override { throw 0; } } Stop;
        EXPECT_ANY_THROW(appInit(TEXT("Test"), CmdLine, &Stop, GLog, GError, GWarn, GFileManager, NULL, 0));
        GMalloc = &GTestMalloc;
        GTestLog.Clear();
        Malloc->DumpAllocs();
        return Narrow(GTestLog.Lines);
    };
    std::vector<std::string> Lines = Dump(TEXT("Test.exe -memstat"));
    ASSERT_EQ(4u + 2 + POOL_COUNT + 1, Lines.size());
    // Used 224 + 40000 bytes of 65536 + 40960 from the system; the peaks held 60000 more.
    // 585 blocks of 112 bytes in one pool, two taken: 65520 bytes used, 65296 of them waste.
    EXPECT_EQ(std::vector<std::string>(Lines.begin(), Lines.begin() + 7),
              (std::vector<std::string>{
                  "Memory Allocation Status", "Curr Memory  0.038M /  0.102M", "Peak Memory  0.096M /  0.160M",
                  "Allocs           3 Current /      4 Total",
                  "Block Size Num Pools Cur Allocs Total Allocs Mem Used Mem Waste Efficiency",
                  "---------- --------- ---------- ------------ -------- --------- ----------",
                  "         8         0          0           0K       0K        0K    100.00%"}));
    EXPECT_EQ("       112         1          2           0K      63K       63K     50.09%", Lines[6 + 15]);
    EXPECT_EQ("BlkOverall         1          2           0K      63K       63K     50.09%", Lines.back());
    Lines.resize(4);
    EXPECT_EQ(Lines, Dump(TEXT("Test.exe")));
}

using FOutOfMemory = FTempFolderTest;

TEST_F(FOutOfMemory, IsReportedOnceThroughTheErrorDeviceAndHandsOutNoBlock)
{
    Temp.Write(TEXT("Core.int"), "[Errors]\nOutOfMemory=Geen geheugen meer\n");
    StartConfig(TEXT("Sys.ini"));
    // Keeps the report in memory of its own, then asks an exhausted allocator for more.
    struct FNeedyDevice : FOutputDeviceError
    {
        TCHAR Text[64] = {};
        INT Calls = 0;
        FTestMallocPtr Dry{new FTestMalloc};
        void Serialize(const TCHAR* Message, EName) override { appStrcpy(Text, Message), Calls++, Dry->Alloc(16); }
        void ReportCriticalError() override {}
    } Device;
    Device.Dry->RequestsLeft = 0;
    GError = &Device;
    // The program's whole memory runs dry: before Core.int was ever read (its text needs memory
    // too), then for the pool, the pool's directory, a size too large to record, a system block.
    const TCHAR* Localized = TEXT("Geen geheugen meer");
    const struct { INT Granted; DWORD Size; const TCHAR* Text; } Cases[] = {
        {0, 16, TEXT("Out of virtual memory.")}, {0, 16, Localized}, {1, 16, Localized},
        {INT_MAX, 0xFFFFFFFF, Localized}, {0, 50000, Localized}};
    for (const auto& Case : Cases)
    {
        FTestMallocPtr Malloc(new FTestMalloc);
        Malloc->RequestsLeft = Case.Granted;
        GMalloc = Malloc.get();
        EXPECT_THROW(Malloc->Alloc(Case.Size), const TCHAR*) << Case.Size; // no block to go on with
        GMalloc = &GTestMalloc;
        EXPECT_STREQ(Case.Text, Device.Text) << Case.Size;
        EXPECT_EQ(Zero, Malloc->Counters()) << Case.Size;
        LocalizeError(TEXT("OutOfMemory"), TEXT("Core")); // cached: from now on it needs no memory
    }
    GError = &GTestError;
    EXPECT_EQ(5, Device.Calls);
}

TEST(FMallocWindows, AMillionRandomRequestsKeepEveryBlockIntact)
{
    // Each slot holds a block and its size; the block's bytes count up from its size's low byte.
    std::vector<std::pair<BYTE*, DWORD>> Slots(3000, {nullptr, 0});
    std::vector<BYTE> Pattern(100000 + 256);
    std::iota(Pattern.begin(), Pattern.end(), BYTE(0));
    auto Intact = [&](BYTE* Block, DWORD Size, DWORD Count) { return !memcmp(Block, &Pattern[Size & 0xFF], Count); };
    std::mt19937 Random(20240611);
    FTestMallocPtr Malloc(new FTestMalloc);
    for (INT Step = 0; Step < 1000000; Step++)
    {
        auto& [Block, Size] = Slots[Random() % Slots.size()];
        ASSERT_TRUE(!Block || Intact(Block, Size, Size)) << Step;
        // Mostly small sizes, as a game asks, with every size up to 100000 possible; a live
        // block is replaced, resized or (resized to 0) freed.
        DWORD Kind = Random() % 100, Action = Random() % 3;
        DWORD NewSize = Action == 2 ? 0 : Random() % ((Kind < 85 ? 512 : Kind < 98 ? 32768 : 100000) + 1);
        bool Resized = Block && Action != 0;
        Block = Resized ? Malloc->Resize(Block, NewSize) : (Malloc->Free(Block), Malloc->Alloc(NewSize));
        ASSERT_TRUE(!Resized || !Block || Intact(Block, Size, std::min(NewSize, Size))) << Step;
        Size = NewSize;
        if (Block)
            memcpy(Block, &Pattern[Size & 0xFF], Size);
        if (Step % 50000 == 0)
            Malloc->HeapCheck();
    }
    for (auto& Slot : Slots)
        Malloc->Free(Slot.first);
    EXPECT_EQ(Zero, Malloc->Counters());
}
