// Tests of the pooled allocator on real virtual memory: size classes, pools, system-served
// blocks, Realloc, statistics, list checks, the dump and running out of memory.
#include "FMallocWindows.h"
#include "TestFiles.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <climits>
#include <memory>
#include <random>
#include <string>
#include <vector>

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

TEST(FMallocWindows, EverySizeGoesToTheSmallestClassThatHoldsIt)
{
    static const DWORD Sizes[POOL_COUNT] = {8, 10, 12, 14, 16, 20, 24, 28, 32, 40, 48, 56, 64, 80, 96, 112, 128,
                                            160, 192, 224, 256, 320, 384, 448, 512, 640, 768, 896, 1024, 1280,
                                            1536, 1792, 2048, 2560, 3072, 3584, 4096, 5120, 6144, 7168, 8192,
                                            10240, 12288, 14336, 16384, 20480, 24576, 28672, 32768};
    FTestMallocPtr Malloc(new FTestMalloc);
    for (INT i = 0; i < POOL_COUNT; i++)
        for (DWORD Size : {i ? Sizes[i - 1] + 1 : 0, Sizes[i]}) // both ends of each class, 0 bytes included
        {
            BYTE* Block = Malloc->Alloc(Size);
            EXPECT_EQ(&Malloc->PoolTable[i], Malloc->FindPoolRecord(Block)->SizeClass) << Size;
            EXPECT_EQ(INT(Sizes[i]), Malloc->UsedBytesCurrent) << Size;
            Malloc->Free(Block);
        }
    EXPECT_EQ(Zero, Malloc->Counters());
}

TEST(FMallocWindows, PoolsHandOutTheirLastBlocksFirstAndGoBackWhenEmpty)
{
    FTestMallocPtr Malloc(new FTestMalloc);
    // 65536 / 112 = 585 blocks; the first three requests take the last three, descending.
    BYTE* Blocks[3] = {Malloc->Alloc(100), Malloc->Alloc(100), Malloc->Alloc(100)};
    for (INT i = 0; i < 3; i++)
        EXPECT_EQ(Malloc->FindPoolRecord(Blocks[0])->Mem + (584 - i) * 112, Blocks[i]);
    for (BYTE* Block : Blocks)
        Malloc->Free(Block);
    EXPECT_EQ(0, Malloc->SystemBytesCurrent); // released with its last block
    BYTE* Again = Malloc->Alloc(112);
    EXPECT_EQ(Malloc->FindPoolRecord(Again)->Mem + 584 * 112, Again); // from a new pool
    EXPECT_EQ(65536, Malloc->SystemBytesCurrent);
    Malloc->Free(Again);

    // 32768 bytes: two blocks fill a pool, a third needs another.
    BYTE* Largest[3] = {Malloc->Alloc(32768), Malloc->Alloc(32768), Malloc->Alloc(32768)};
    EXPECT_EQ(Malloc->FindPoolRecord(Largest[0]), Malloc->FindPoolRecord(Largest[1]));
    EXPECT_EQ(2 * 65536, Malloc->SystemBytesCurrent);
    for (BYTE* Block : Largest)
        Malloc->Free(Block);
    // 32769 bytes: the system's own pages, rounded up, counted at the requested size.
    BYTE* System = Malloc->Alloc(32769);
    EXPECT_EQ(&Malloc->LargeTable, Malloc->FindPoolRecord(System)->SizeClass);
    EXPECT_EQ((std::vector<INT>{1, 32769, 36864}), Malloc->Counters());
    Malloc->Free(System);
    EXPECT_EQ(Zero, Malloc->Counters());
}

TEST(FMallocWindows, ReallocKeepsABlockOnlyWhileItsClassOrItsPagesStillFit)
{
    FTestMallocPtr Malloc(new FTestMalloc);
    BYTE* Block = Malloc->Alloc(100);
    appMemset(Block, 0x5A, 100);
    EXPECT_EQ(Block, Malloc->Resize(Block, 110)); // still class 112
    BYTE* Moved = Malloc->Resize(Block, 60); // class 64
    EXPECT_NE(Block, Moved);

    // 90000 bytes take 90112 from the system and stay for any size that fills two thirds.
    BYTE* System = Malloc->Resize(Moved, 90000);
    for (DWORD Size : {60075u, 90112u, 75000u})
        EXPECT_EQ(System, Malloc->Resize(System, Size)) << Size;
    EXPECT_EQ(75000, Malloc->UsedBytesCurrent);
    for (DWORD Size : {90113u, 60074u}) // just past the pages, then below two thirds of 94208
    {
        BYTE* Before = System;
        EXPECT_NE(Before, System = Malloc->Resize(System, Size)) << Size;
    }
    EXPECT_EQ(0x5A, System[59]);
    EXPECT_EQ(60074, Malloc->UsedBytesCurrent);

    INT Total = Malloc->TotalAllocations;
    EXPECT_EQ(NULL, Malloc->Realloc(NULL, 0, TEXT("Test")));
    Malloc->Free(NULL);
    EXPECT_EQ(Total, Malloc->TotalAllocations);
    EXPECT_EQ(1, Malloc->LiveAllocations);

    // A failing Realloc adds the old pointer (all of it), the new size and the tag to the history.
    Malloc->RequestsLeft = 0;
    Malloc->ThrowWhenDry = true;
    GErrorHist[0] = 0;
    EXPECT_THROW(Malloc->Realloc(System, 100000, TEXT("Tagged")), int);
    EXPECT_EQ(FString::Printf(TEXT("FMallocWindows::Malloc <- FMallocWindows::Realloc <- %p 100000 Tagged"), System),
              FString(GErrorHist));
    GErrorHist[0] = 0;
    EXPECT_EQ(NULL, Malloc->Resize(System, 0)); // frees
    EXPECT_EQ(Zero, Malloc->Counters());
}

TEST(FMallocWindows, ABrokenPoolListFailsHeapCheckThroughTheErrorDevice)
{
    FTestMallocPtr Malloc(new FTestMalloc);
    BYTE* Blocks[3] = {Malloc->Alloc(16), Malloc->Alloc(32768), Malloc->Alloc(32768)};
    FPoolRecord* Available = Malloc->FindPoolRecord(Blocks[0]);
    FPoolRecord* Full = Malloc->FindPoolRecord(Blocks[1]);
    // Breaks one field, expects the assertion and mends the field again.
    auto ExpectAssertion = [&](const char* Expression, auto& Field, auto Broken) {
        auto Kept = Field;
        Field = Broken;
        FString Start = FString::Printf(TEXT("Assertion failed: %hs [File:core/FMallocWindows.cpp] [Line: "), Expression);
        EXPECT_EQ(0, ThrownBy([&] { Malloc->HeapCheck(); }).InStr(*Start)) << Expression;
        Field = Kept;
        Malloc->HeapCheck();
    };
    ExpectAssertion("Pool->PrevLink==PoolPtr", Available->PrevLink, static_cast<FPoolRecord**>(NULL));
    ExpectAssertion("Free->Blocks>0", Available->FirstMem->Blocks, 0ul);
    ExpectAssertion("!Pool->FirstMem", Full->FirstMem, Available->FirstMem);
    for (BYTE* Block : Blocks)
        Malloc->Free(Block);
}

TEST(FMallocWindows, DumpAllocsWritesTheStatisticsAndWithMemstatThePoolTable)
{
    FTestMallocPtr Malloc(new FTestMalloc);
    BYTE* Blocks[3] = {Malloc->Alloc(100), Malloc->Alloc(100), Malloc->Alloc(40000)};
    Malloc->Free(Malloc->Alloc(60000)); // raises the peaks only
    // The command line is what appInit was given: an allocator whose Init stops it sets just that.
    auto Dump = [&](const TCHAR* CmdLine) {
        struct FStopInit : FHeapMalloc
        {
            void Init() override { throw 0; }
        } Stop;
        EXPECT_ANY_THROW(appInit(TEXT("Test"), CmdLine, &Stop, GLog, GError, GWarn, GFileManager, NULL, 0));
        GMalloc = &GTestMalloc;
        GErrorHist[0] = 0;
        GTestLog.Clear();
        Malloc->DumpAllocs();
        return Narrow(GTestLog.Lines);
    };
    std::vector<std::string> Lines = Dump(TEXT("Test.exe -memstat"));
    ASSERT_EQ(4u + 2 + POOL_COUNT + 1, Lines.size());
    // Used 224 + 40000 bytes of 65536 + 40960 from the system; the peaks held 60000 more.
    // 585 blocks of 112 bytes in one pool, two taken: 65520 bytes used, 65296 of them waste.
    const std::pair<size_t, const char*> Expected[] = {
        {0, "Memory Allocation Status"},
        {1, "Curr Memory  0.038M /  0.102M"},
        {2, "Peak Memory  0.096M /  0.160M"},
        {3, "Allocs           3 Current /      4 Total"},
        {4, "Block Size Num Pools Cur Allocs Total Allocs Mem Used Mem Waste Efficiency"},
        {5, "---------- --------- ---------- ------------ -------- --------- ----------"},
        {6, "         8         0          0           0K       0K        0K    100.00%"},
        {6 + 15, "       112         1          2           0K      63K       63K     50.09%"},
        {6 + 48, "     32768         0          0           0K       0K        0K    100.00%"},
        {Lines.size() - 1, "BlkOverall         1          2           0K      63K       63K     50.09%"}};
    for (const auto& [Index, Line] : Expected)
        EXPECT_EQ(Line, Lines[Index]) << Index;
    Lines.resize(4);
    EXPECT_EQ(Lines, Dump(TEXT("Test.exe")));
    for (BYTE* Block : Blocks)
        Malloc->Free(Block);
}

TEST(FMallocWindows, RunningOutOfMemoryIsReportedAndHandsOutNoBlock)
{
    // Memory for the pool fails, then memory for its directory; a size too large to record;
    // pages for a system-served block.
    const struct { bool Warm; INT Granted; DWORD Size; } Cases[] = {
        {false, 0, 16}, {false, 1, 16}, {true, INT_MAX, 0xFFFFFFFF}, {true, 0, 50000}};
    FTestMallocPtr Malloc;
    for (const auto& Case : Cases)
    {
        Malloc.reset(new FTestMalloc);
        if (Case.Warm)
            Malloc->Free(Malloc->Alloc(16));
        Malloc->RequestsLeft = Case.Granted;
        GTestError.LastMessage = TEXT("");
        EXPECT_THROW(Malloc->Alloc(Case.Size), const TCHAR*) << Case.Size; // no block to go on with
        EXPECT_STREQ(LocalizeError(TEXT("OutOfMemory"), TEXT("Core")), *GTestError.LastMessage) << Case.Size;
        EXPECT_EQ(Zero, Malloc->Counters()) << Case.Size;
    }

    // An error device that needs memory of the exhausted allocator gets one report per request.
    struct FNeedyDevice : FOutputDeviceError
    {
        FTestMalloc* Malloc = NULL;
        INT Calls = 0;
        void Serialize(const TCHAR*, EName) override { Calls++, Malloc->Alloc(16); }
        void ReportCriticalError() override {}
    } Device;
    Device.Malloc = Malloc.get();
    GError = &Device;
    EXPECT_THROW(Malloc->Alloc(16), const TCHAR*);
    EXPECT_THROW(Malloc->Alloc(16), const TCHAR*);
    GError = &GTestError;
    EXPECT_EQ(2, Device.Calls);
}

using FOutOfMemoryReport = FTempFolderTest;

TEST_F(FOutOfMemoryReport, ReachesTheErrorDeviceAlsoWhenItsTextNeedsMemory)
{
    Temp.Write(TEXT("Core.int"), "[Errors]\nOutOfMemory=Geen geheugen meer\n");
    StartConfig(TEXT("Sys.ini"));
    // Keeps the report in memory of its own: there is none to be had.
    struct FFixedDevice : FOutputDeviceError
    {
        TCHAR Text[64] = {};
        void Serialize(const TCHAR* Message, EName) override { appStrcpy(Text, Message); }
        void ReportCriticalError() override {}
    } Device;
    GError = &Device;
    // Reading Core.int for the first time takes memory; once it is cached, it takes none.
    for (const TCHAR* Expected : {TEXT("Out of virtual memory."), TEXT("Geen geheugen meer")})
    {
        FTestMallocPtr Malloc(new FTestMalloc);
        Malloc->RequestsLeft = 0;
        GMalloc = Malloc.get();
        EXPECT_THROW(Malloc->Alloc(16), const TCHAR*);
        GMalloc = &GTestMalloc;
        EXPECT_STREQ(Expected, Device.Text);
        LocalizeError(TEXT("OutOfMemory"), TEXT("Core"));
    }
    GError = &GTestError;
}

TEST(FMallocWindows, BlocksAnywhereInTheAddressSpaceFindTheirRecords)
{
    for (bool TopDown : {false, true})
    {
        FTestMallocPtr Malloc(new FTestMalloc);
        Malloc->TopDown = TopDown;
        BYTE* Blocks[4] = {Malloc->Alloc(8), Malloc->Alloc(700), Malloc->Alloc(32768), Malloc->Alloc(300000)};
#ifdef _WIN64
        EXPECT_EQ(TopDown, UPTRINT(Blocks[0]) >> 32 != 0) << static_cast<void*>(Blocks[0]);
#endif
        for (INT i = 0; i < 3; i++) // from the first and last byte of a pooled block and its pool
        {
            FPoolRecord* Pool = Malloc->FindPoolRecord(Blocks[i]);
            ASSERT_TRUE(Pool);
            EXPECT_EQ(Pool, Malloc->FindPoolRecord(Blocks[i] + Pool->SizeClass->BlockSize - 1));
            EXPECT_EQ(Pool, Malloc->FindPoolRecord(Pool->Mem + 65535));
        }
        EXPECT_EQ(Blocks[3], Malloc->FindPoolRecord(Blocks[3])->Mem);
        Blocks[3] = Malloc->Resize(Blocks[3], 250000);
        for (BYTE* Block : Blocks)
            Malloc->Free(Block);
        EXPECT_EQ(Zero, Malloc->Counters());
    }
}

TEST(FMallocWindows, AMillionRandomRequestsKeepEveryBlockIntact)
{
    // Each slot holds a block and its size; the block's bytes follow a pattern of that size.
    std::vector<std::pair<BYTE*, DWORD>> Slots(3000, {nullptr, 0});
    auto Intact = [](BYTE* Block, DWORD Size, DWORD Count) {
        for (DWORD i = 0; i < Count; i++)
            if (Block[i] != BYTE(Size + i * 7))
                return false;
        return true;
    };
    std::mt19937 Random(20240611);
    FTestMallocPtr Malloc(new FTestMalloc);
    for (INT Step = 0; Step < 1000000; Step++)
    {
        auto& [Block, Size] = Slots[Random() % Slots.size()];
        ASSERT_TRUE(!Block || Intact(Block, Size, Size)) << Step;
        // Mostly small sizes, as a game asks, with every size up to 100000 possible.
        DWORD Kind = Random() % 100;
        DWORD NewSize = Random() % ((Kind < 85 ? 512 : Kind < 98 ? 32768 : 100000) + 1);
        DWORD Action = Random() % 3; // a live block is replaced, resized or (resized to 0) freed
        if (Block && Action != 0)
        {
            NewSize = Action == 2 ? 0 : NewSize;
            Block = Malloc->Resize(Block, NewSize);
            ASSERT_TRUE(!Block || Intact(Block, Size, std::min(NewSize, Size))) << Step;
        }
        else
        {
            Malloc->Free(Block);
            Block = Malloc->Alloc(NewSize);
        }
        Size = NewSize;
        for (DWORD i = 0; Block && i < Size; i++)
            Block[i] = BYTE(Size + i * 7);
        if (Step % 50000 == 0)
            Malloc->HeapCheck();
    }
    Malloc->HeapCheck();
    for (auto& [Block, Size] : Slots)
    {
        EXPECT_TRUE(!Block || Intact(Block, Size, Size));
        Malloc->Free(Block);
    }
    EXPECT_EQ(Zero, Malloc->Counters());
    EXPECT_GT(Malloc->TotalAllocations, 600000);
}

TEST(FMallocWindows, FreedBlocksComeBackBeforeAPoolIsAdded)
{
    for (DWORD Size : {8u, 10u, 112u, 2048u}) // 10 bytes: runs at 2-byte boundaries
    {
        FTestMallocPtr Malloc(new FTestMalloc);
        std::vector<BYTE*> Blocks, Freed, Again;
        for (DWORD i = 0; i < 65536 / Size; i++)
            Blocks.push_back(Malloc->Alloc(Size));
        // Every other block, each then a run of its own, all of which must stay linked.
        for (size_t i = 1; i < Blocks.size(); i += 2)
            Malloc->Free(Freed.emplace_back(Blocks[i]));
        Malloc->HeapCheck();
        while (Again.size() < Freed.size())
            Again.push_back(Malloc->Alloc(Size));
        std::sort(Freed.begin(), Freed.end());
        std::sort(Again.begin(), Again.end());
        EXPECT_EQ(Freed, Again) << Size;
        EXPECT_EQ(65536, Malloc->SystemBytesCurrent) << Size; // still the one pool
        for (BYTE* Block : Blocks)
            Malloc->Free(Block);
        EXPECT_EQ(Zero, Malloc->Counters());
    }
}
