// Tests of the pooled allocator on real virtual memory: size classes, pools, system-served
// blocks, Realloc, statistics, list checks, the dump and running out of memory.
#include "FMallocWindows.h"
#include "TestSupport.h"
#include <gtest/gtest.h>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace
{
// Allocators are big (one pointer per pooled size) and never return their directory, so
// each test makes its own on the heap.
template<class T = FMallocWindows> std::unique_ptr<T> MakeAllocator()
{
    auto Malloc = std::make_unique<T>();
    Malloc->Init();
    return Malloc;
}

// Takes its memory from the top of the address space: above 4 GiB in the 64-bit build.
class FTopDownMalloc : public FMallocWindows
{
protected:
    void* AllocSystemMemory(SIZE_T Bytes) override
    {
        return VirtualAlloc(NULL, Bytes, MEM_COMMIT | MEM_RESERVE | MEM_TOP_DOWN, PAGE_READWRITE);
    }
};

// The system runs dry after a number of requests, or throws something that is no message.
class FLimitedMalloc : public FMallocWindows
{
public:
    INT RequestsLeft = 1000;
    bool ThrowInstead = false;

protected:
    void* AllocSystemMemory(SIZE_T Bytes) override
    {
        if (RequestsLeft-- > 0)
            return FMallocWindows::AllocSystemMemory(Bytes);
        if (ThrowInstead)
            throw 1;
        return NULL;
    }
};

const TCHAR* CaughtMessage(std::function<void()> Call)
{
    try
    {
        Call();
    }
    catch (const TCHAR* Message)
    {
        return Message;
    }
    return NULL;
}

// appCmdLine is what appInit was given; an allocator whose Init stops appInit sets just that.
void SetCommandLine(const TCHAR* CmdLine)
{
    struct FStopInit : FHeapMalloc
    {
        void Init() override { throw 0; }
    } Stop;
    FMalloc* Malloc = GMalloc;
    FOutputDevice* Log = GLog;
    FOutputDeviceError* Error = GError;
    EXPECT_ANY_THROW(appInit(TEXT("Test"), CmdLine, &Stop, Log, Error, GWarn, GFileManager, NULL, 0));
    GMalloc = Malloc;
    GErrorHist[0] = 0;
}

std::vector<std::wstring> LoggedLines()
{
    std::vector<std::wstring> Lines;
    for (INT i = 0; i < GTestLog.Lines.Num(); i++)
        Lines.push_back(*GTestLog.Lines(i));
    return Lines;
}
} // namespace

TEST(FMallocWindows, EverySizeGoesToTheSmallestClassThatHoldsIt)
{
    static const DWORD Sizes[POOL_COUNT] = {8, 10, 12, 14, 16, 20, 24, 28, 32, 40, 48, 56, 64, 80, 96, 112, 128,
                                            160, 192, 224, 256, 320, 384, 448, 512, 640, 768, 896, 1024, 1280,
                                            1536, 1792, 2048, 2560, 3072, 3584, 4096, 5120, 6144, 7168, 8192,
                                            10240, 12288, 14336, 16384, 20480, 24576, 28672, 32768};
    auto Malloc = MakeAllocator();
    EXPECT_EQ(&Malloc->PoolTable[0], Malloc->SizeToPoolTable[0]);
    for (INT i = 0; i < POOL_COUNT; i++)
    {
        EXPECT_EQ(Sizes[i], Malloc->PoolTable[i].BlockSize);
        // Both ends of each class, seen through the blocks Malloc hands out.
        DWORD Smallest = i ? Sizes[i - 1] + 1 : 0;
        for (DWORD Size : {Smallest, Sizes[i]})
        {
            void* Ptr = Malloc->Malloc(Size, TEXT("Test"));
            EXPECT_EQ(&Malloc->PoolTable[i], Malloc->FindPoolRecord(Ptr)->SizeClass) << Size;
            EXPECT_EQ(INT(Sizes[i]), Malloc->UsedBytesCurrent) << Size;
            Malloc->Free(Ptr);
        }
    }
    EXPECT_EQ(0, Malloc->LiveAllocations);
    EXPECT_EQ(0, Malloc->SystemBytesCurrent);
}

TEST(FMallocWindows, PoolsHandOutTheirLastBlocksFirstAndGoBackWhenEmpty)
{
    auto Malloc = MakeAllocator();
    // 65536 / 112 = 585 blocks; the first three requests take the last three, descending.
    BYTE* Blocks[3];
    for (BYTE*& Block : Blocks)
        Block = static_cast<BYTE*>(Malloc->Malloc(100, TEXT("Test")));
    FPoolRecord* Pool = Malloc->FindPoolRecord(Blocks[0]);
    EXPECT_EQ(0u, UPTRINT(Pool->Mem) % 65536);
    EXPECT_EQ(Pool->Mem + 584 * 112, Blocks[0]);
    EXPECT_EQ(Pool->Mem + 583 * 112, Blocks[1]);
    EXPECT_EQ(Pool->Mem + 582 * 112, Blocks[2]);
    EXPECT_EQ(65520u, Pool->UsableBytes);
    EXPECT_EQ(65536, Malloc->SystemBytesCurrent);
    EXPECT_EQ(336, Malloc->UsedBytesCurrent);

    // The record is found from any byte of the pool.
    EXPECT_EQ(Pool, Malloc->FindPoolRecord(Pool->Mem));
    EXPECT_EQ(Pool, Malloc->FindPoolRecord(Pool->Mem + 65535));

    for (BYTE* Block : Blocks)
        Malloc->Free(Block);
    EXPECT_EQ(0, Malloc->SystemBytesCurrent);
    EXPECT_EQ(NULL, Malloc->PoolTable[15].AvailablePools);
    EXPECT_EQ(65536, Malloc->SystemBytesPeak);

    // The next request builds a new pool, and its memory is usable.
    BYTE* Again = static_cast<BYTE*>(Malloc->Malloc(112, TEXT("Test")));
    appMemset(Again, 0xAB, 112);
    EXPECT_EQ(65536, Malloc->SystemBytesCurrent);
    EXPECT_EQ(Malloc->FindPoolRecord(Again)->Mem + 584 * 112, Again);
    Malloc->Free(Again);
}

TEST(FMallocWindows, ZeroLargestPooledAndSystemServedSizes)
{
    auto Malloc = MakeAllocator();
    void* Empty = Malloc->Malloc(0, TEXT("Test"));
    EXPECT_EQ(8, Malloc->UsedBytesCurrent); // 0 bytes cost an 8-byte block
    Malloc->Free(Empty);

    // 32768 bytes: two blocks fill one pool, a third needs another.
    void* Largest[3];
    for (void*& Ptr : Largest)
        Ptr = Malloc->Malloc(32768, TEXT("Test"));
    EXPECT_EQ(Malloc->FindPoolRecord(Largest[0]), Malloc->FindPoolRecord(Largest[1]));
    EXPECT_NE(Malloc->FindPoolRecord(Largest[0]), Malloc->FindPoolRecord(Largest[2]));
    EXPECT_EQ(Malloc->FindPoolRecord(Largest[0]), Malloc->PoolTable[48].FullPools);
    EXPECT_EQ(2 * 65536, Malloc->SystemBytesCurrent);
    for (void* Ptr : Largest)
        Malloc->Free(Ptr);

    // 32769 bytes: the system's own pages, rounded up, counted at the requested size.
    void* System = Malloc->Malloc(32769, TEXT("Test"));
    FPoolRecord* Record = Malloc->FindPoolRecord(System);
    EXPECT_EQ(&Malloc->LargeTable, Record->SizeClass);
    EXPECT_EQ(36864u, Record->SystemBytes);
    EXPECT_EQ(36864, Malloc->SystemBytesCurrent);
    EXPECT_EQ(32769, Malloc->UsedBytesCurrent);
    Malloc->Free(System);
    EXPECT_EQ(0, Malloc->SystemBytesCurrent);
    EXPECT_EQ(0, Malloc->UsedBytesCurrent);
    EXPECT_EQ(0, Malloc->LiveAllocations);
    EXPECT_EQ(5, Malloc->TotalAllocations);
}

TEST(FMallocWindows, ReallocKeepsABlockOnlyWhileItsClassOrItsPagesStillFit)
{
    auto Malloc = MakeAllocator();
    BYTE* Block = static_cast<BYTE*>(Malloc->Malloc(100, TEXT("Test")));
    appMemset(Block, 0x5A, 100);
    EXPECT_EQ(Block, Malloc->Realloc(Block, 110, TEXT("Test"))); // still class 112
    BYTE* Moved = static_cast<BYTE*>(Malloc->Realloc(Block, 60, TEXT("Test"))); // class 64
    EXPECT_NE(Block, Moved);
    EXPECT_EQ(0x5A, Moved[0]);
    EXPECT_EQ(0x5A, Moved[59]);
    EXPECT_EQ(64, Malloc->UsedBytesCurrent);

    // 90000 bytes take 90112 from the system and stay for any size whose pages fill two thirds.
    BYTE* System = static_cast<BYTE*>(Malloc->Realloc(Moved, 90000, TEXT("Test")));
    EXPECT_EQ(0x5A, System[59]);
    for (DWORD Size : {60075u, 90112u, 75000u})
        EXPECT_EQ(System, Malloc->Realloc(System, Size, TEXT("Test"))) << Size;
    EXPECT_EQ(75000, Malloc->UsedBytesCurrent);
    System[74999] = 0x77;
    BYTE* Smaller = static_cast<BYTE*>(Malloc->Realloc(System, 60074, TEXT("Test")));
    EXPECT_NE(System, Smaller);
    EXPECT_EQ(0x5A, Smaller[0]);
    BYTE* Larger = static_cast<BYTE*>(Malloc->Realloc(Smaller, 90113, TEXT("Test")));
    EXPECT_NE(Smaller, Larger);
    EXPECT_EQ(90113, Malloc->UsedBytesCurrent);

    INT Total = Malloc->TotalAllocations;
    EXPECT_EQ(NULL, Malloc->Realloc(NULL, 0, TEXT("Test")));
    Malloc->Free(NULL);
    EXPECT_EQ(Total, Malloc->TotalAllocations);
    EXPECT_EQ(1, Malloc->LiveAllocations);
    EXPECT_EQ(NULL, Malloc->Realloc(Larger, 0, TEXT("Test"))); // frees
    EXPECT_EQ(0, Malloc->LiveAllocations);
    EXPECT_EQ(0, Malloc->UsedBytesCurrent);
    EXPECT_EQ(0, Malloc->SystemBytesCurrent);
}

TEST(FMallocWindows, HeapCheckFailsOnEachBrokenListThroughTheErrorDevice)
{
    auto Malloc = MakeAllocator();
    void* Partly = Malloc->Malloc(16, TEXT("Test"));
    void* Full[2] = {Malloc->Malloc(32768, TEXT("Test")), Malloc->Malloc(32768, TEXT("Test"))};
    Malloc->HeapCheck();
    FPoolRecord* Available = Malloc->FindPoolRecord(Partly);
    FPoolRecord* FullPool = Malloc->FindPoolRecord(Full[0]);
    auto ExpectAssertion = [&](const char* Expression, std::function<void()> Break, std::function<void()> Mend) {
        Break();
        const TCHAR* Message = CaughtMessage([&] { Malloc->HeapCheck(); });
        FString Prefix = FString::Printf(TEXT("Assertion failed: %hs [File:core/FMallocWindows.cpp] [Line: "), Expression);
        EXPECT_TRUE(Message && appStrncmp(Message, *Prefix, Prefix.Len()) == 0) << Expression;
        EXPECT_STREQ(Message, *GTestError.LastMessage);
        Mend();
        Malloc->HeapCheck();
    };
    FPoolRecord** Link = Available->PrevLink;
    ExpectAssertion("Pool->PrevLink==PoolPtr", [&] { Available->PrevLink = NULL; }, [&] { Available->PrevLink = Link; });
    FFreeRun* Run = Available->FirstMem;
    ExpectAssertion("Pool->FirstMem", [&] { Available->FirstMem = NULL; }, [&] { Available->FirstMem = Run; });
    ExpectAssertion("Free->Blocks>0", [&] { Run->Blocks = 0; }, [&] { Run->Blocks = 4095; });
    Link = FullPool->PrevLink;
    ExpectAssertion("Pool->PrevLink==PoolPtr", [&] { FullPool->PrevLink = &FullPool->NextPool; },
                    [&] { FullPool->PrevLink = Link; });
    ExpectAssertion("!Pool->FirstMem", [&] { FullPool->FirstMem = Run; }, [&] { FullPool->FirstMem = NULL; });
    Malloc->Free(Partly);
    Malloc->Free(Full[0]);
    Malloc->Free(Full[1]);
    EXPECT_EQ(0, Malloc->SystemBytesCurrent);
}

TEST(FMallocWindows, DumpAllocsWritesTheStatisticsAndWithMemstatThePoolTable)
{
    auto Malloc = MakeAllocator();
    void* Blocks[3] = {Malloc->Malloc(100, TEXT("Test")), Malloc->Malloc(100, TEXT("Test")),
                       Malloc->Malloc(40000, TEXT("Test"))};
    Malloc->Free(Malloc->Malloc(60000, TEXT("Test"))); // raises the peaks only
    GTestLog.Clear();
    SetCommandLine(TEXT("Test.exe"));
    Malloc->DumpAllocs();
    // Used 224 + 40000 bytes of 65536 + 40960 from the system; the peak held 60000 more.
    std::vector<std::wstring> Expected = {TEXT("Memory Allocation Status"), TEXT("Curr Memory  0.038M /  0.102M"),
                                     TEXT("Peak Memory  0.096M /  0.160M"),
                                     TEXT("Allocs           3 Current /      4 Total")};
    EXPECT_EQ(Expected, LoggedLines());

    GTestLog.Clear();
    SetCommandLine(TEXT("Test.exe -memstat"));
    Malloc->DumpAllocs();
    SetCommandLine(TEXT("Test.exe"));
    std::vector<std::wstring> Lines = LoggedLines();
    ASSERT_EQ(4u + 2 + POOL_COUNT + 1, Lines.size());
    EXPECT_EQ(std::wstring(TEXT("Block Size Num Pools Cur Allocs Total Allocs Mem Used Mem Waste Efficiency")), Lines[4]);
    EXPECT_EQ(std::wstring(TEXT("---------- --------- ---------- ------------ -------- --------- ----------")), Lines[5]);
    EXPECT_EQ(std::wstring(TEXT("         8         0          0           0K       0K        0K    100.00%")), Lines[6]);
    // 585 blocks of 112 bytes in one pool, two taken: 65520 bytes used, 65296 of them waste.
    EXPECT_EQ(std::wstring(TEXT("       112         1          2           0K      63K       63K     50.09%")), Lines[6 + 15]);
    EXPECT_EQ(std::wstring(TEXT("     32768         0          0           0K       0K        0K    100.00%")), Lines[6 + 48]);
    EXPECT_EQ(std::wstring(TEXT("BlkOverall         1          2           0K      63K       63K     50.09%")), Lines.back());
    for (void* Ptr : Blocks)
        Malloc->Free(Ptr);
}

TEST(FMallocWindows, RunningOutOfMemoryIsReportedAndHandsOutNoBlock)
{
    auto ExpectOutOfMemory = [](FLimitedMalloc& Malloc, DWORD Size) {
        GTestError.LastMessage = TEXT("");
        const TCHAR* Message = CaughtMessage([&] { Malloc.Malloc(Size, TEXT("Test")); });
        FString Expected = LocalizeError(TEXT("OutOfMemory"), TEXT("Core"));
        EXPECT_STREQ(*Expected, Message) << Size;
        EXPECT_STREQ(*Expected, *GTestError.LastMessage) << Size;
        EXPECT_EQ(0, Malloc.LiveAllocations);
        EXPECT_EQ(0, Malloc.UsedBytesCurrent);
        EXPECT_EQ(0, Malloc.SystemBytesCurrent);
    };
    // Memory for the pool fails, then memory for its directory array.
    for (INT Granted : {0, 1})
    {
        auto Malloc = MakeAllocator<FLimitedMalloc>();
        Malloc->RequestsLeft = Granted;
        ExpectOutOfMemory(*Malloc, 16);
    }
    // Memory for a system-served block fails, and so does a size too large to record.
    auto Malloc = MakeAllocator<FLimitedMalloc>();
    Malloc->Free(Malloc->Malloc(16, TEXT("Test")));
    ExpectOutOfMemory(*Malloc, 0xFFFFFFFF);
    Malloc->RequestsLeft = 0;
    ExpectOutOfMemory(*Malloc, 50000);
}

TEST(FMallocWindows, AFailureWhileReportingOneDoesNotReportAgain)
{
    // An error device that itself needs memory of the exhausted allocator.
    struct FNeedyDevice : FOutputDeviceError
    {
        FMalloc* Malloc = NULL;
        INT Calls = 0;
        void Serialize(const TCHAR*, EName) override
        {
            Calls++;
            Malloc->Malloc(16, TEXT("Report"));
        }
        void ReportCriticalError() override {}
    } Device;
    auto Malloc = MakeAllocator<FLimitedMalloc>();
    Malloc->RequestsLeft = 0;
    Device.Malloc = Malloc.get();
    FOutputDeviceError* Error = GError;
    GError = &Device;
    EXPECT_NE(nullptr, CaughtMessage([&] { Malloc->Malloc(16, TEXT("Test")); }));
    EXPECT_NE(nullptr, CaughtMessage([&] { Malloc->Malloc(16, TEXT("Test")); }));
    GError = Error;
    EXPECT_EQ(2, Device.Calls); // one report per failed request
}

TEST(FMallocWindows, ReallocAddsTheOldPointerSizeAndTagToTheHistory)
{
    auto Malloc = MakeAllocator<FLimitedMalloc>();
    void* Block = Malloc->Malloc(100, TEXT("Test"));
    Malloc->RequestsLeft = 0;
    Malloc->ThrowInstead = true;
    GErrorHist[0] = 0;
    EXPECT_THROW(Malloc->Realloc(Block, 40000, TEXT("Tagged")), int);
    TCHAR Expected[256];
    appSprintf(Expected, TEXT("FMallocWindows::Malloc <- FMallocWindows::Realloc <- %p 40000 Tagged"), Block);
    EXPECT_STREQ(Expected, GErrorHist);
    GErrorHist[0] = 0;
    Malloc->Free(Block);
}

TEST(FMallocWindows, SystemFaultsAreAssertions)
{
    auto Malloc = MakeAllocator();
    const TCHAR* Message = CaughtMessage([&] { Malloc->Init(); });
    EXPECT_TRUE(Message && appStrstr(Message, TEXT("Assertion failed: !MemInit [File:core/FMallocWindows.cpp]")));
    void* Block = Malloc->Malloc(40000, TEXT("Test"));
    VirtualFree(Block, 0, MEM_RELEASE); // behind the allocator's back
    Message = CaughtMessage([&] { Malloc->Free(Block); });
    EXPECT_TRUE(Message && appStrstr(Message, TEXT("Assertion failed: VirtualFree( Ptr, 0, MEM_RELEASE )!=0 [File:")));
}

TEST(FMallocWindows, BlocksAnywhereInTheAddressSpaceFindTheirRecords)
{
    auto Low = MakeAllocator();
    auto High = MakeAllocator<FTopDownMalloc>();
    for (FMallocWindows* Malloc : {static_cast<FMallocWindows*>(Low.get()), static_cast<FMallocWindows*>(High.get())})
    {
        std::vector<BYTE*> Blocks;
        for (DWORD Size : {8u, 700u, 32768u, 32769u, 300000u})
            Blocks.push_back(static_cast<BYTE*>(Malloc->Malloc(Size, TEXT("Test"))));
#ifdef _WIN64
        bool Above4GiB = UPTRINT(Blocks[0]) >> 32 != 0;
        EXPECT_EQ(Malloc == High.get(), Above4GiB) << static_cast<void*>(Blocks[0]);
#endif
        for (INT i = 0; i < 3; i++)
        {
            FPoolRecord* Pool = Malloc->FindPoolRecord(Blocks[i]);
            ASSERT_TRUE(Pool);
            EXPECT_EQ(Pool, Malloc->FindPoolRecord(Blocks[i] + Pool->SizeClass->BlockSize - 1));
            EXPECT_EQ(Pool, Malloc->FindPoolRecord(Pool->Mem + 65535));
        }
        EXPECT_EQ(Blocks[4], Malloc->FindPoolRecord(Blocks[4])->Mem);
        Blocks[4] = static_cast<BYTE*>(Malloc->Realloc(Blocks[4], 250000, TEXT("Test")));
        for (BYTE* Block : Blocks)
            Malloc->Free(Block);
        EXPECT_EQ(0, Malloc->SystemBytesCurrent);
        EXPECT_EQ(0, Malloc->UsedBytesCurrent);
    }
}

TEST(FMallocWindows, AMillionRandomRequestsKeepEveryBlockIntact)
{
    struct FSlot
    {
        BYTE* Ptr = NULL;
        DWORD Size = 0;
        BYTE Seed = 0;
    };
    auto Fill = [](FSlot& Slot) {
        for (DWORD i = 0; i < Slot.Size; i++)
            Slot.Ptr[i] = BYTE(Slot.Seed + i * 7);
    };
    auto Intact = [](const FSlot& Slot, DWORD Count) {
        for (DWORD i = 0; i < Count; i++)
            if (Slot.Ptr[i] != BYTE(Slot.Seed + i * 7))
                return false;
        return true;
    };
    std::mt19937 Random(20240611);
    // Mostly small sizes, as a game asks, with every size up to 100000 possible.
    auto RandomSize = [&]() -> DWORD {
        DWORD Kind = Random() % 100;
        DWORD Limit = Kind < 85 ? 512 : Kind < 98 ? 32768 : 100000;
        return Random() % (Limit + 1);
    };
    auto Malloc = MakeAllocator();
    std::vector<FSlot> Slots(3000);
    for (INT Step = 0; Step < 1000000; Step++)
    {
        FSlot& Slot = Slots[Random() % Slots.size()];
        DWORD Action = Random() % 3;
        ASSERT_TRUE(!Slot.Ptr || Intact(Slot, Slot.Size)) << Step;
        if (!Slot.Ptr || Action == 0)
        {
            Malloc->Free(Slot.Ptr);
            Slot.Size = RandomSize();
            Slot.Ptr = static_cast<BYTE*>(Malloc->Malloc(Slot.Size, TEXT("Test")));
        }
        else if (Action == 1)
        {
            DWORD NewSize = RandomSize();
            Slot.Ptr = static_cast<BYTE*>(Malloc->Realloc(Slot.Ptr, NewSize, TEXT("Test")));
            ASSERT_TRUE(!NewSize || Intact(Slot, NewSize < Slot.Size ? NewSize : Slot.Size)) << Step;
            Slot.Size = NewSize;
        }
        else
        {
            Malloc->Free(Slot.Ptr);
            Slot.Ptr = NULL;
            continue;
        }
        Slot.Seed = BYTE(Step);
        if (Slot.Ptr)
            Fill(Slot);
        if (Step % 50000 == 0)
            Malloc->HeapCheck();
    }
    Malloc->HeapCheck();
    for (FSlot& Slot : Slots)
    {
        EXPECT_TRUE(!Slot.Ptr || Intact(Slot, Slot.Size));
        Malloc->Free(Slot.Ptr);
    }
    EXPECT_EQ(0, Malloc->LiveAllocations);
    EXPECT_EQ(0, Malloc->UsedBytesCurrent);
    EXPECT_EQ(0, Malloc->SystemBytesCurrent);
    EXPECT_GT(Malloc->TotalAllocations, 600000);
}
