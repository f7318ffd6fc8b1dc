// FMallocWindows.h: the engine's allocator (GMalloc). Requests up to 32768 bytes come from
// pools of equal-sized blocks carved from 64 KiB of virtual memory, larger ones from the
// system's own pages. Blocks carry no header: a directory keyed by the 64 KiB region of an
// address finds the record of the pool or system allocation it belongs to.
#pragma once
#include "Core.h"

enum { POOL_COUNT = 49 };
enum { POOL_MAX = 32769 }; // requests of this size and more are served by the system

struct FPoolRecord;

// A run of consecutive free blocks, kept inside the first of them. Packed, because a run
// starts at any block boundary, which for blocks of 10 or 14 bytes is 2-byte aligned.
#pragma pack(push, 1)
struct FFreeRun
{
#ifdef _WIN64
    // An 8-byte block must hold a run, which leaves no room for a 64-bit pointer. All runs
    // of a pool lie in its 64 KiB region, so the next one is kept as its offset there plus
    // one; 0 means none.
    DWORD NextRun;
#else
    FFreeRun* NextRun;
#endif
    DWORD Blocks;

    FFreeRun* GetNextRun() const;
    void SetNextRun(FFreeRun* Next);
};
#pragma pack(pop)

struct FPoolSizeClass
{
    FPoolRecord* AvailablePools; // pools with at least one free block
    FPoolRecord* FullPools;
    DWORD BlockSize;
};

// One pool or one system-served allocation. It lives in the directory, never in the memory
// it describes.
struct FPoolRecord
{
    DWORD UsableBytes; // pool: blocks x block size; system-served: the requested size
    DWORD SystemBytes; // UsableBytes rounded up to the page size
    DWORD TakenBlocks;
    BYTE* Mem;
    FPoolSizeClass* SizeClass; // the allocator's LargeTable for a system-served allocation
    FFreeRun* FirstMem;        // none while the pool is full
    FPoolRecord* NextPool;
    FPoolRecord** PrevLink; // the pointer that points at this record, to unlink in constant time
};

#ifdef _WIN64
// The 64-bit user address space spans 47 bits, 2^31 regions of 64 KiB, reached through
// three levels so that arrays exist only where memory does: 256 in the allocator, arrays of
// 8192 pointers below them (64 KiB each), then arrays of 1024 records.
enum { DIRECTORY_TOP = 256, DIRECTORY_MID_BITS = 13, DIRECTORY_LEAF_BITS = 10 };
#endif

class FMallocWindows : public FMalloc
{
public:
    // Public, in this order, so that a test can look at and break the lists.
    FPoolSizeClass PoolTable[POOL_COUNT];
    FPoolSizeClass LargeTable; // marks system-served allocations; its lists stay empty
#ifdef _WIN64
    FPoolRecord** PoolDirectory[DIRECTORY_TOP];
#else
    FPoolRecord* PoolDirectory[256]; // by address bits 24-31; 256 records each, by bits 16-23
#endif
    FPoolSizeClass* SizeToPoolTable[POOL_MAX];
    UBOOL MemInit;
    INT SystemBytesCurrent;
    INT SystemBytesPeak;
    INT UsedBytesCurrent;
    INT UsedBytesPeak;
    INT LiveAllocations;
    INT TotalAllocations;

    FMallocWindows();

    void* Malloc(DWORD Size, const TCHAR* Tag) override;
    void* Realloc(void* Ptr, DWORD NewSize, const TCHAR* Tag) override;
    void Free(void* Ptr) override;
    void DumpAllocs() override;
    void HeapCheck() override;
    void Init() override;
    void Exit() override;

    // The record of the 64 KiB region holding Address, or none where no memory of this
    // allocator ever was. A block's record is found from any address in its pool.
    FPoolRecord* FindPoolRecord(const void* Address) const;

protected:
    // Committed read-write memory from the system, on a 64 KiB boundary; none when there is
    // no more. Every pool, system-served block and directory array comes from here.
    virtual void* AllocSystemMemory(SIZE_T Bytes);

private:
    FPoolRecord* TakeSystemMemory(DWORD UsableBytes, DWORD SystemBytes, FPoolSizeClass* SizeClass);
    FPoolRecord* CreatePool(FPoolSizeClass* SizeClass);
    void* MallocFromSystem(DWORD Size);
    void FreeToSystem(FPoolRecord* Record, void* Ptr);
    FPoolRecord* RecordForNewMemory(void* Mem);
    void* MoveBlock(void* Ptr, DWORD CopyBytes, DWORD NewSize, const TCHAR* Tag);
    void CountAllocation(DWORD UsedBytes);
    void RaisePeaks();
    void DumpPoolTable();
    [[noreturn]] void ReportOutOfMemory();
};
