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
// The system's memory as a test wants it: from the top of the address space (above 4 GiB in
// the 64-bit build), or running dry after some requests, then giving none or throwing.
class FTestMalloc : public FMallocWindows
{
public:
    bool TopDown = false;
    INT RequestsLeft = INT_MAX;
    bool ThrowWhenDry = false;

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

// Allocators are big and never return their directory, so each test makes its own.
std::unique_ptr<FTestMalloc> MakeAllocator()
{
    auto Malloc = std::make_unique<FTestMalloc>();
    Malloc->Init();
    return Malloc;
}

BYTE* Alloc(FMalloc& Malloc, DWORD Size) { return static_cast<BYTE*>(Malloc.Malloc(Size, TEXT("Test"))); }

void ExpectCountersAtZero(const FMallocWindows& Malloc)
{
    EXPECT_EQ(0, Malloc.LiveAllocations);
    EXPECT_EQ(0, Malloc.UsedBytesCurrent);
    EXPECT_EQ(0, Malloc.SystemBytesCurrent);
}
} // namespace

TEST(FMallocWindows, EverySizeGoesToTheSmallestClassThatHoldsIt)
{
    static const DWORD Sizes[POOL_COUNT] = {8, 10, 12, 14, 16, 20, 24, 28, 32, 40, 48, 56, 64, 80, 96, 112, 128,
                                            160, 192, 224, 256, 320, 384, 448, 512, 640, 768, 896, 1024, 1280,
                                            1536, 1792, 2048, 2560, 3072, 3584, 4096, 5120, 6144, 7168, 8192,
                                            10240, 12288, 14336, 16384, 20480, 24576, 28672, 32768};
    auto Malloc = MakeAllocator();
    for (INT i = 0; i < POOL_COUNT; i++)
    {
        EXPECT_EQ(Sizes[i], Malloc->PoolTable[i].BlockSize);
        // Both ends of each class (0 bytes included), seen through the blocks handed out.
        for (DWORD Size : {i ? Sizes[i - 1] + 1 : 0, Sizes[i]})
        {
            BYTE* Block = Alloc(*Malloc, Size);
            EXPECT_EQ(&Malloc->PoolTable[i], Malloc->FindPoolRecord(Block)->SizeClass) << Size;
            EXPECT_EQ(INT(Sizes[i]), Malloc->UsedBytesCurrent) << Size;
            Malloc->Free(Block);
        }
    }
    ExpectCountersAtZero(*Malloc);
}

TEST(FMallocWindows, PoolsHandOutTheirLastBlocksFirstAndGoBackWhenEmpty)
{
    auto Malloc = MakeAllocator();
    // 65536 / 112 = 585 blocks; the first three requests take the last three, descending.
    BYTE* Blocks[3] = {Alloc(*Malloc, 100), Alloc(*Malloc, 100), Alloc(*Malloc, 100)};
    FPoolRecord* Pool = Malloc->FindPoolRecord(Blocks[0]);
    for (INT i = 0; i < 3; i++)
        EXPECT_EQ(Pool->Mem + (584 - i) * 112, Blocks[i]);
    for (BYTE* Block : Blocks)
        Malloc->Free(Block);
    EXPECT_EQ(0, Malloc->SystemBytesCurrent); // released with its last block
    BYTE* Again = Alloc(*Malloc, 112);
    EXPECT_EQ(Malloc->FindPoolRecord(Again)->Mem + 584 * 112, Again); // from a new pool
    EXPECT_EQ(65536, Malloc->SystemBytesCurrent);
    Malloc->Free(Again);

    // 32768 bytes: two blocks fill a pool, a third needs another.
    BYTE* Largest[3] = {Alloc(*Malloc, 32768), Alloc(*Malloc, 32768), Alloc(*Malloc, 32768)};
    EXPECT_EQ(Malloc->FindPoolRecord(Largest[0]), Malloc->FindPoolRecord(Largest[1]));
    EXPECT_EQ(2 * 65536, Malloc->SystemBytesCurrent);
    for (BYTE* Block : Largest)
        Malloc->Free(Block);

    // 32769 bytes: the system's own pages, rounded up, counted at the requested size.
    BYTE* System = Alloc(*Malloc, 32769);
    EXPECT_EQ(&Malloc->LargeTable, Malloc->FindPoolRecord(System)->SizeClass);
    EXPECT_EQ(36864, Malloc->SystemBytesCurrent);
    EXPECT_EQ(32769, Malloc->UsedBytesCurrent);
    Malloc->Free(System);
    ExpectCountersAtZero(*Malloc);
}

TEST(FMallocWindows, ReallocKeepsABlockOnlyWhileItsClassOrItsPagesStillFit)
{
    auto Malloc = MakeAllocator();
    BYTE* Block = Alloc(*Malloc, 100);
    appMemset(Block, 0x5A, 100);
    EXPECT_EQ(Block, Malloc->Realloc(Block, 110, TEXT("Test"))); // still class 112
    BYTE* Moved = static_cast<BYTE*>(Malloc->Realloc(Block, 60, TEXT("Test"))); // class 64
    EXPECT_NE(Block, Moved);
    EXPECT_EQ(0x5A, Moved[59]);

    // 90000 bytes take 90112 from the system and stay for any size that fills two thirds.
    BYTE* System = static_cast<BYTE*>(Malloc->Realloc(Moved, 90000, TEXT("Test")));
    for (DWORD Size : {60075u, 90112u, 75000u})
        EXPECT_EQ(System, Malloc->Realloc(System, Size, TEXT("Test"))) << Size;
    EXPECT_EQ(75000, Malloc->UsedBytesCurrent);
    for (DWORD Size : {60074u, 90113u})
    {
        BYTE* Before = System;
        System = static_cast<BYTE*>(Malloc->Realloc(System, Size, TEXT("Test")));
        EXPECT_NE(Before, System) << Size;
    }
    EXPECT_EQ(0x5A, System[59]);
    EXPECT_EQ(90113, Malloc->UsedBytesCurrent);

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
    TCHAR Expected[256];
    appSprintf(Expected, TEXT("FMallocWindows::Malloc <- FMallocWindows::Realloc <- %p 100000 Tagged"), System);
    EXPECT_STREQ(Expected, GErrorHist);
    GErrorHist[0] = 0;
    EXPECT_EQ(NULL, Malloc->Realloc(System, 0, TEXT("Test"))); // frees
    ExpectCountersAtZero(*Malloc);
}

TEST(FMallocWindows, ABrokenPoolListFailsHeapCheckThroughTheErrorDevice)
{
    auto Malloc = MakeAllocator();
    BYTE* Blocks[3] = {Alloc(*Malloc, 16), Alloc(*Malloc, 32768), Alloc(*Malloc, 32768)};
    FPoolRecord* Available = Malloc->FindPoolRecord(Blocks[0]);
    FPoolRecord* Full = Malloc->FindPoolRecord(Blocks[1]);
    // Breaks one field, expects the assertion and mends the field again.
    auto ExpectAssertion = [&](const char* Expression, auto& Field, auto Broken) {
        auto Kept = Field;
        Field = Broken;
        EXPECT_THROW(Malloc->HeapCheck(), const TCHAR*) << Expression;
        FString Start = FString::Printf(TEXT("Assertion failed: %hs [File:core/FMallocWindows.cpp] [Line: "), Expression);
        EXPECT_EQ(0, GTestError.LastMessage.InStr(*Start)) << Expression;
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
    auto Malloc = MakeAllocator();
    BYTE* Blocks[3] = {Alloc(*Malloc, 100), Alloc(*Malloc, 100), Alloc(*Malloc, 40000)};
    Malloc->Free(Alloc(*Malloc, 60000)); // raises the peaks only
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
        std::vector<std::wstring> Lines;
        for (const FString& Line : GTestLog.Lines)
            Lines.push_back(*Line);
        return Lines;
    };
    std::vector<std::wstring> Lines = Dump(TEXT("Test.exe -memstat"));
    ASSERT_EQ(4u + 2 + POOL_COUNT + 1, Lines.size());
    EXPECT_EQ(L"Block Size Num Pools Cur Allocs Total Allocs Mem Used Mem Waste Efficiency", Lines[4]);
    EXPECT_EQ(L"---------- --------- ---------- ------------ -------- --------- ----------", Lines[5]);
    EXPECT_EQ(L"         8         0          0           0K       0K        0K    100.00%", Lines[6]);
    // 585 blocks of 112 bytes in one pool, two taken: 65520 bytes used, 65296 of them waste.
    EXPECT_EQ(L"       112         1          2           0K      63K       63K     50.09%", Lines[6 + 15]);
    EXPECT_EQ(L"     32768         0          0           0K       0K        0K    100.00%", Lines[6 + 48]);
    EXPECT_EQ(L"BlkOverall         1          2           0K      63K       63K     50.09%", Lines.back());
    // Used 224 + 40000 bytes of 65536 + 40960 from the system; the peaks held 60000 more.
    std::vector<std::wstring> Expected = {L"Memory Allocation Status", L"Curr Memory  0.038M /  0.102M",
                                          L"Peak Memory  0.096M /  0.160M",
                                          L"Allocs           3 Current /      4 Total"};
    Lines.resize(4);
    EXPECT_EQ(Expected, Lines);
    EXPECT_EQ(Expected, Dump(TEXT("Test.exe")));
    for (BYTE* Block : Blocks)
        Malloc->Free(Block);
}

TEST(FMallocWindows, RunningOutOfMemoryIsReportedAndHandsOutNoBlock)
{
    auto ExpectOutOfMemory = [](FTestMalloc& Malloc, DWORD Size) {
        GTestError.LastMessage = TEXT("");
        EXPECT_THROW(Malloc.Malloc(Size, TEXT("Test")), const TCHAR*) << Size; // no block to go on with
        EXPECT_STREQ(LocalizeError(TEXT("OutOfMemory"), TEXT("Core")), *GTestError.LastMessage) << Size;
        ExpectCountersAtZero(Malloc);
    };
    for (INT Granted : {0, 1}) // memory for the pool fails, then memory for its directory
    {
        auto Malloc = MakeAllocator();
        Malloc->RequestsLeft = Granted;
        ExpectOutOfMemory(*Malloc, 16);
    }
    auto Malloc = MakeAllocator();
    Malloc->Free(Alloc(*Malloc, 16));
    ExpectOutOfMemory(*Malloc, 0xFFFFFFFF); // too large to record
    Malloc->RequestsLeft = 0;
    ExpectOutOfMemory(*Malloc, 50000);

    // An error device that needs memory of the exhausted allocator gets one report per request.
    struct FNeedyDevice : FOutputDeviceError
    {
        FMalloc* Malloc = NULL;
        INT Calls = 0;
        void Serialize(const TCHAR*, EName) override
        {
            Calls++;
            Alloc(*Malloc, 16);
        }
        void ReportCriticalError() override {}
    } Device;
    Device.Malloc = Malloc.get();
    FOutputDeviceError* Error = GError;
    GError = &Device;
    EXPECT_THROW(Alloc(*Malloc, 16), const TCHAR*);
    EXPECT_THROW(Alloc(*Malloc, 16), const TCHAR*);
    GError = Error;
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
        auto Malloc = MakeAllocator();
        Malloc->RequestsLeft = 0;
        GMalloc = Malloc.get();
        EXPECT_THROW(Malloc->Malloc(16, TEXT("Test")), const TCHAR*);
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
        auto Malloc = MakeAllocator();
        Malloc->TopDown = TopDown;
        std::vector<BYTE*> Blocks;
        for (DWORD Size : {8u, 700u, 32768u, 300000u})
            Blocks.push_back(Alloc(*Malloc, Size));
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
        Blocks[3] = static_cast<BYTE*>(Malloc->Realloc(Blocks[3], 250000, TEXT("Test")));
        for (BYTE* Block : Blocks)
            Malloc->Free(Block);
        ExpectCountersAtZero(*Malloc);
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
    auto Malloc = MakeAllocator();
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
            Block = static_cast<BYTE*>(Malloc->Realloc(Block, NewSize, TEXT("Test")));
            ASSERT_TRUE(!Block || Intact(Block, Size, std::min(NewSize, Size))) << Step;
        }
        else
        {
            Malloc->Free(Block);
            Block = Alloc(*Malloc, NewSize);
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
    ExpectCountersAtZero(*Malloc);
    EXPECT_GT(Malloc->TotalAllocations, 600000);
}

TEST(FMallocWindows, FreedBlocksComeBackBeforeAPoolIsAdded)
{
    for (DWORD Size : {8u, 10u, 112u, 2048u}) // 10 bytes: runs at 2-byte boundaries
    {
        auto Malloc = MakeAllocator();
        std::vector<BYTE*> Blocks;
        for (DWORD i = 0; i < 65536 / Size; i++)
            Blocks.push_back(Alloc(*Malloc, Size));
        // Every other block, each then a run of its own, all of which must stay linked.
        std::vector<BYTE*> Freed;
        for (size_t i = 1; i < Blocks.size(); i += 2)
            Freed.push_back(Blocks[i]);
        for (BYTE* Block : Freed)
            Malloc->Free(Block);
        Malloc->HeapCheck();
        std::vector<BYTE*> Again;
        for (size_t i = 0; i < Freed.size(); i++)
            Again.push_back(Alloc(*Malloc, Size));
        std::sort(Freed.begin(), Freed.end());
        std::sort(Again.begin(), Again.end());
        EXPECT_EQ(Freed, Again) << Size;
        EXPECT_EQ(65536, Malloc->SystemBytesCurrent) << Size; // still the one pool
        for (BYTE* Block : Blocks)
            Malloc->Free(Block);
        ExpectCountersAtZero(*Malloc);
    }
}
