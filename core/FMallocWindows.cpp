// FMallocWindows.cpp: pooled allocation, release and statistics of the engine's allocator.
#include "FMallocWindows.h"
#include <windows.h>
#include <initializer_list>

// A free run must fit the smallest block; the 32-bit directory's arrays are 8192 bytes.
static_assert(sizeof(FFreeRun) <= 8, "a free run must fit an 8-byte block");
static_assert(sizeof(void*) == 8 || sizeof(FPoolRecord) == 32, "256 records of 32 bytes per directory array");

namespace
{
enum { REGION_SHIFT = 16, REGION_BYTES = 1 << REGION_SHIFT };

// The statistics are 32-bit; on a very long run they wrap instead of overflowing.
void AddTo(INT& Counter, DWORD Amount) { Counter = INT(DWORD(Counter) + Amount); }
void SubtractFrom(INT& Counter, DWORD Amount) { Counter = INT(DWORD(Counter) - Amount); }

DWORD RoundUpToPage(DWORD Bytes) { return (Bytes + GPageSize - 1) & ~(GPageSize - 1); }

void LinkAtHead(FPoolRecord* Pool, FPoolRecord** Head)
{
    Pool->NextPool = *Head;
    if (*Head)
        (*Head)->PrevLink = &Pool->NextPool;
    *Head = Pool;
    Pool->PrevLink = Head;
}

void Unlink(FPoolRecord* Pool)
{
    if (Pool->NextPool)
        Pool->NextPool->PrevLink = Pool->PrevLink;
    *Pool->PrevLink = Pool->NextPool;
}

DOUBLE Efficiency(SQWORD Used, SQWORD Waste) { return Used ? 100.0 * Used / (Used + Waste) : 100.0; }

// The old pointer of a failed Realloc, in full at either pointer width.
#ifdef _WIN64
const TCHAR ReallocUnwindFormat[] = TEXT("%016IX %i %s");
#else
const TCHAR ReallocUnwindFormat[] = TEXT("%08X %i %s");
#endif

// Set while an out-of-memory report is on its way, so that a second failure does not start a
// second report.
bool GReportingOutOfMemory = false;
} // namespace

#ifdef _WIN64
FFreeRun* FFreeRun::GetNextRun() const
{
    if (!NextRun)
        return NULL;
    UPTRINT Region = UPTRINT(this) & ~UPTRINT(REGION_BYTES - 1);
    return reinterpret_cast<FFreeRun*>(Region + NextRun - 1);
}

void FFreeRun::SetNextRun(FFreeRun* Next)
{
    NextRun = Next ? DWORD(UPTRINT(Next) & (REGION_BYTES - 1)) + 1 : 0;
}
#else
FFreeRun* FFreeRun::GetNextRun() const { return NextRun; }
void FFreeRun::SetNextRun(FFreeRun* Next) { NextRun = Next; }
#endif

FMallocWindows::FMallocWindows()
    : MemInit(0), SystemBytesCurrent(0), SystemBytesPeak(0), UsedBytesCurrent(0), UsedBytesPeak(0),
      LiveAllocations(0), TotalAllocations(0)
{
}

void FMallocWindows::Init()
{
    guard(FMallocWindows::Init);
    check(!MemInit);
    MemInit = 1;

    SYSTEM_INFO Info;
    GetSystemInfo(&Info);
    GPageSize = Info.dwPageSize;
    check(!(GPageSize&(GPageSize-1)));

    LargeTable.AvailablePools = LargeTable.FullPools = NULL;
    LargeTable.BlockSize = 0;
    for (INT i = 0; i < POOL_COUNT; i++)
    {
        PoolTable[i].AvailablePools = PoolTable[i].FullPools = NULL;
        // Four sizes per doubling: 8 10 12 14, 16 20 24 28, 32 40 48 56, 64 80 96 112,
        // 128 160 192 224, 256 320 384 448, 512 640 768 896, 1024 1280 1536 1792,
        // 2048 2560 3072 3584, 4096 5120 6144 7168, 8192 10240 12288 14336,
        // 16384 20480 24576 28672, and 32768 (= POOL_MAX - 1).
        PoolTable[i].BlockSize = DWORD((i % 4) + 4) << ((i / 4) + 1);
    }

    FPoolSizeClass* SizeClass = PoolTable;
    for (DWORD Size = 0; Size < POOL_MAX; Size++)
    {
        while (SizeClass->BlockSize < Size)
            SizeClass++;
        SizeToPoolTable[Size] = SizeClass;
    }

    for (auto& Entry : PoolDirectory)
        Entry = NULL;
    check(POOL_MAX-1==PoolTable[POOL_COUNT-1].BlockSize);
    unguard;
}

void FMallocWindows::Exit()
{
    guard(FMallocWindows::Exit);
    unguard;
}

void* FMallocWindows::Malloc(DWORD Size, const TCHAR*)
{
    guard(FMallocWindows::Malloc);
    if (Size >= POOL_MAX)
        return MallocFromSystem(Size);

    FPoolSizeClass* SizeClass = SizeToPoolTable[Size];
    FPoolRecord* Pool = SizeClass->AvailablePools;
    if (!Pool)
        Pool = CreatePool(SizeClass);

    // The last block of the head run goes out, so the run itself stays where it is.
    Pool->TakenBlocks++;
    FFreeRun* Run = Pool->FirstMem;
    Run->Blocks--;
    BYTE* Block = reinterpret_cast<BYTE*>(Run) + Run->Blocks * SizeClass->BlockSize;
    if (Run->Blocks == 0)
    {
        Pool->FirstMem = Run->GetNextRun();
        if (!Pool->FirstMem)
        {
            Unlink(Pool);
            LinkAtHead(Pool, &SizeClass->FullPools);
        }
    }
    CountAllocation(SizeClass->BlockSize);
    return Block;
    unguard;
}

void FMallocWindows::Free(void* Ptr)
{
    guard(FMallocWindows::Free);
    if (!Ptr)
        return;
    LiveAllocations--;
    FPoolRecord* Pool = FindPoolRecord(Ptr);
    FPoolSizeClass* SizeClass = Pool->SizeClass;
    if (SizeClass == &LargeTable)
    {
        FreeToSystem(Pool, Ptr);
        return;
    }

    if (!Pool->FirstMem)
    {
        Unlink(Pool);
        LinkAtHead(Pool, &SizeClass->AvailablePools);
    }
    // Runs are never merged: a freed block becomes a run of one at the head.
    FFreeRun* Run = static_cast<FFreeRun*>(Ptr);
    Run->Blocks = 1;
    Run->SetNextRun(Pool->FirstMem);
    Pool->FirstMem = Run;
    SubtractFrom(UsedBytesCurrent, SizeClass->BlockSize);

    if (--Pool->TakenBlocks == 0)
    {
        Unlink(Pool);
        check(VirtualFree( Pool->Mem, 0, MEM_RELEASE )!=0);
        SubtractFrom(SystemBytesCurrent, Pool->SystemBytes);
    }
    unguard;
}

void* FMallocWindows::Realloc(void* Ptr, DWORD NewSize, const TCHAR* Tag)
{
    guard(FMallocWindows::Realloc);
    if (!Ptr)
        return NewSize ? Malloc(NewSize, Tag) : NULL;
    if (!NewSize)
    {
        Free(Ptr);
        return NULL;
    }

    FPoolRecord* Record = FindPoolRecord(Ptr);
    FPoolSizeClass* SizeClass = Record->SizeClass;
    if (SizeClass != &LargeTable)
    {
        // A block that would fall into a smaller class moves, so shrinking frees memory.
        if (NewSize <= SizeClass->BlockSize && SizeToPoolTable[NewSize] == SizeClass)
            return Ptr;
        return MoveBlock(Ptr, NewSize < SizeClass->BlockSize ? NewSize : SizeClass->BlockSize, NewSize, Tag);
    }

    // A system-served block stays while the new size uses at least two thirds of its pages.
    if (NewSize <= Record->SystemBytes && 3 * NewSize >= 2 * Record->SystemBytes)
    {
        // The used bytes follow the requested size, so that Free takes back what was counted.
        SubtractFrom(UsedBytesCurrent, Record->UsableBytes);
        AddTo(UsedBytesCurrent, NewSize);
        Record->UsableBytes = NewSize;
        RaisePeaks();
        return Ptr;
    }
    return MoveBlock(Ptr, NewSize < Record->UsableBytes ? NewSize : Record->UsableBytes, NewSize, Tag);
    unguardf((ReallocUnwindFormat, UPTRINT(Ptr), NewSize, Tag));
}

void FMallocWindows::HeapCheck()
{
    guard(FMallocWindows::HeapCheck);
    for (FPoolSizeClass& SizeClass : PoolTable)
    {
        for (FPoolRecord** PoolPtr = &SizeClass.AvailablePools; *PoolPtr; PoolPtr = &(*PoolPtr)->NextPool)
        {
            FPoolRecord* Pool = *PoolPtr;
            check(Pool->PrevLink==PoolPtr);
            check(Pool->FirstMem);
            for (FFreeRun* Free = Pool->FirstMem; Free; Free = Free->GetNextRun())
                check(Free->Blocks>0);
        }
        for (FPoolRecord** PoolPtr = &SizeClass.FullPools; *PoolPtr; PoolPtr = &(*PoolPtr)->NextPool)
        {
            FPoolRecord* Pool = *PoolPtr;
            check(Pool->PrevLink==PoolPtr);
            check(!Pool->FirstMem);
        }
    }
    unguard;
}

void FMallocWindows::DumpAllocs()
{
    guard(FMallocWindows::DumpAllocs);
    HeapCheck();
    const DOUBLE Megabyte = 1024.0 * 1024.0;
    GLog->Logf(TEXT("Memory Allocation Status"));
    GLog->Logf(TEXT("Curr Memory % 5.3fM / % 5.3fM"), UsedBytesCurrent / Megabyte, SystemBytesCurrent / Megabyte);
    GLog->Logf(TEXT("Peak Memory % 5.3fM / % 5.3fM"), UsedBytesPeak / Megabyte, SystemBytesPeak / Megabyte);
    GLog->Logf(TEXT("Allocs      % 6i Current / % 6i Total"), LiveAllocations, TotalAllocations);
    if (ParseParam(appCmdLine(), TEXT("MEMSTAT")))
        DumpPoolTable();
    unguard;
}

FPoolRecord* FMallocWindows::FindPoolRecord(const void* Address) const
{
    UPTRINT Region = UPTRINT(Address) >> REGION_SHIFT;
#ifdef _WIN64
    UPTRINT Top = Region >> (DIRECTORY_MID_BITS + DIRECTORY_LEAF_BITS);
    if (Top >= DIRECTORY_TOP || !PoolDirectory[Top])
        return NULL;
    FPoolRecord* Records = PoolDirectory[Top][(Region >> DIRECTORY_LEAF_BITS) & ((1 << DIRECTORY_MID_BITS) - 1)];
    return Records ? &Records[Region & ((1 << DIRECTORY_LEAF_BITS) - 1)] : NULL;
#else
    FPoolRecord* Records = PoolDirectory[Region >> 8];
    return Records ? &Records[Region & 0xFF] : NULL;
#endif
}

void* FMallocWindows::AllocSystemMemory(SIZE_T Bytes)
{
    return VirtualAlloc(NULL, Bytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
}

// Memory from the system and its record, set up as an unlinked allocation of SizeClass.
FPoolRecord* FMallocWindows::TakeSystemMemory(DWORD UsableBytes, DWORD SystemBytes, FPoolSizeClass* SizeClass)
{
    BYTE* Mem = static_cast<BYTE*>(AllocSystemMemory(SystemBytes));
    if (!Mem)
        ReportOutOfMemory();
    FPoolRecord* Record = RecordForNewMemory(Mem);
    Record->UsableBytes = UsableBytes;
    Record->SystemBytes = SystemBytes;
    Record->TakenBlocks = 0;
    Record->Mem = Mem;
    Record->SizeClass = SizeClass;
    Record->FirstMem = NULL;
    Record->NextPool = NULL;
    Record->PrevLink = NULL;
    AddTo(SystemBytesCurrent, SystemBytes);
    return Record;
}

FPoolRecord* FMallocWindows::CreatePool(FPoolSizeClass* SizeClass)
{
    DWORD Blocks = REGION_BYTES / SizeClass->BlockSize;
    DWORD Bytes = Blocks * SizeClass->BlockSize;
    FPoolRecord* Pool = TakeSystemMemory(Bytes, RoundUpToPage(Bytes), SizeClass);
    Pool->FirstMem = reinterpret_cast<FFreeRun*>(Pool->Mem);
    Pool->FirstMem->Blocks = Blocks;
    Pool->FirstMem->SetNextRun(NULL);
    LinkAtHead(Pool, &SizeClass->AvailablePools);
    return Pool;
}

void* FMallocWindows::MallocFromSystem(DWORD Size)
{
    // A size whose page-rounded length does not fit the record is more than there is.
    if (Size > MAXDWORD - (GPageSize - 1))
        ReportOutOfMemory();
    FPoolRecord* Record = TakeSystemMemory(Size, RoundUpToPage(Size), &LargeTable);
    CountAllocation(Size);
    return Record->Mem;
}

void FMallocWindows::FreeToSystem(FPoolRecord* Record, void* Ptr)
{
    SubtractFrom(UsedBytesCurrent, Record->UsableBytes);
    SubtractFrom(SystemBytesCurrent, Record->SystemBytes);
    check(VirtualFree( Ptr, 0, MEM_RELEASE )!=0);
}

// The record for memory the system just handed out, creating the directory arrays on the
// way. Arrays are never released. Without memory for an array, Mem goes back first.
FPoolRecord* FMallocWindows::RecordForNewMemory(void* Mem)
{
    UPTRINT Region = UPTRINT(Mem) >> REGION_SHIFT;
#ifdef _WIN64
    UPTRINT Top = Region >> (DIRECTORY_MID_BITS + DIRECTORY_LEAF_BITS);
    check(Top < DIRECTORY_TOP);
    FPoolRecord**& Mid = PoolDirectory[Top];
    if (!Mid)
        Mid = static_cast<FPoolRecord**>(AllocSystemMemory(sizeof(FPoolRecord*) << DIRECTORY_MID_BITS));
    FPoolRecord** Records = Mid ? &Mid[(Region >> DIRECTORY_LEAF_BITS) & ((1 << DIRECTORY_MID_BITS) - 1)] : NULL;
    if (Records && !*Records)
        *Records = static_cast<FPoolRecord*>(AllocSystemMemory(sizeof(FPoolRecord) << DIRECTORY_LEAF_BITS));
    if (!Records || !*Records)
    {
        VirtualFree(Mem, 0, MEM_RELEASE);
        ReportOutOfMemory();
    }
    return &(*Records)[Region & ((1 << DIRECTORY_LEAF_BITS) - 1)];
#else
    FPoolRecord*& Records = PoolDirectory[Region >> 8];
    if (!Records)
        Records = static_cast<FPoolRecord*>(AllocSystemMemory(sizeof(FPoolRecord) * 256));
    if (!Records)
    {
        VirtualFree(Mem, 0, MEM_RELEASE);
        ReportOutOfMemory();
    }
    return &Records[Region & 0xFF];
#endif
}

void* FMallocWindows::MoveBlock(void* Ptr, DWORD CopyBytes, DWORD NewSize, const TCHAR* Tag)
{
    void* NewPtr = Malloc(NewSize, Tag);
    appMemcpy(NewPtr, Ptr, CopyBytes);
    Free(Ptr);
    return NewPtr;
}

// One line per size class over both of its lists, then the sums.
void FMallocWindows::DumpPoolTable()
{
    GLog->Logf(TEXT("Block Size Num Pools Cur Allocs Total Allocs Mem Used Mem Waste Efficiency"));
    GLog->Logf(TEXT("---------- --------- ---------- ------------ -------- --------- ----------"));
    INT TotalPools = 0, TotalAllocs = 0;
    SQWORD TotalUsed = 0, TotalWaste = 0;
    for (FPoolSizeClass& SizeClass : PoolTable)
    {
        INT Pools = 0, Allocs = 0;
        SQWORD Used = 0;
        for (FPoolRecord* List : {SizeClass.FullPools, SizeClass.AvailablePools})
        {
            for (FPoolRecord* Pool = List; Pool; Pool = Pool->NextPool)
            {
                Pools++;
                Allocs += Pool->TakenBlocks;
                Used += Pool->UsableBytes;
            }
        }
        SQWORD Waste = Used - SQWORD(Allocs) * SizeClass.BlockSize;
        GLog->Logf(TEXT("% 10i % 9i % 10i % 11iK % 7iK % 8iK % 9.2f%%"), SizeClass.BlockSize, Pools, Allocs, 0,
                   INT(Used / 1024), INT(Waste / 1024), Efficiency(Used, Waste));
        TotalPools += Pools;
        TotalAllocs += Allocs;
        TotalUsed += Used;
        TotalWaste += Waste;
    }
    GLog->Logf(TEXT("BlkOverall % 9i % 10i % 11iK % 7iK % 8iK % 9.2f%%"), TotalPools, TotalAllocs, 0,
               INT(TotalUsed / 1024), INT(TotalWaste / 1024), Efficiency(TotalUsed, TotalWaste));
}

// Counted once the block exists, so that a request the system cannot serve leaves no trace.
void FMallocWindows::CountAllocation(DWORD UsedBytes)
{
    LiveAllocations++;
    TotalAllocations++;
    AddTo(UsedBytesCurrent, UsedBytes);
    RaisePeaks();
}

void FMallocWindows::RaisePeaks()
{
    if (SystemBytesCurrent > SystemBytesPeak)
        SystemBytesPeak = SystemBytesCurrent;
    if (UsedBytesCurrent > UsedBytesPeak)
        UsedBytesPeak = UsedBytesCurrent;
}

void FMallocWindows::ReportOutOfMemory()
{
    static const TCHAR Fallback[] = TEXT("Out of virtual memory.");
    // A failure while the report is on its way (the localization or the error device needing
    // memory themselves) only unwinds back into it.
    if (GReportingOutOfMemory)
        throw static_cast<const TCHAR*>(Fallback);
    static TCHAR Message[1024];
    GReportingOutOfMemory = true;
    try
    {
        appStrcpy(Message, LocalizeError(TEXT("OutOfMemory"), TEXT("Core")));
    }
    catch (...)
    {
        appStrcpy(Message, Fallback); // the localized text could not be had without memory
    }
    try
    {
        if (GError)
            GError->Logf(TEXT("%s"), Message);
    }
    catch (...)
    {
        GReportingOutOfMemory = false;
        throw;
    }
    GReportingOutOfMemory = false;
    // The error device ends the run; one that returns must not leave the caller with no block.
    throw static_cast<const TCHAR*>(Message);
}
