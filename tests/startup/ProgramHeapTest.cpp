// Tests of the program's heap: the engine's allocator while it runs, the arena around it.
#include "ProgramHeap.h"
#include "FMallocWindows.h"
#include "TestSupport.h"
#include <new>

namespace
{
struct FTagRecorder : FHeapMalloc
{
    const TCHAR* LastTag = NULL;
    void* Malloc(DWORD Size, const TCHAR* Tag) override { return LastTag = Tag, FHeapMalloc::Malloc(Size, Tag); }
};

// Static, as the program's heap is, which keeps its arena aligned: the 32-bit test program's
// own heap aligns only to 8 bytes.
alignas(FProgramHeap) BYTE HeapStorage[sizeof(FProgramHeap)];
} // namespace

TEST(ProgramHeap, UsesTheArenaOnlyWithoutTheAllocatorAndKeepsEveryBlockAligned)
{
    FMalloc* const Saved = GMalloc;
    FProgramHeap& Heap = *new (HeapStorage) FProgramHeap;
    FTagRecorder Recorder;
    GMalloc = NULL; // before appInit
    void* Empty = Heap.Allocate(0);
    void* Odd = Heap.Allocate(40);
    EXPECT_EQ(NULL, Heap.Allocate(FProgramHeap::ARENA_SIZE));
    void* Most = Heap.Allocate(FProgramHeap::ARENA_SIZE - 5 * FProgramHeap::ALIGNMENT); // leaves one unit
    GMalloc = &Recorder;
    EXPECT_TRUE(Heap.InArena(Empty) && Heap.InArena(Odd) && Heap.InArena(Most) && reinterpret_cast<UPTRINT>(Odd) % FProgramHeap::ALIGNMENT == 0);
    Heap.Release(Odd); // an arena block never reaches the allocator
    void* Block = Heap.Allocate(1);
    EXPECT_TRUE(!Heap.InArena(Block) && Recorder.LastTag && !appStrcmp(TEXT("new"), Recorder.LastTag));
    Heap.Release(Block);
    EXPECT_EQ(0, Recorder.LiveAllocations);
    EXPECT_EQ(NULL, Heap.Allocate(size_t(0x80000000u))); // beyond the allocator's sizes

    void* Early = Heap.Allocate(100);
    Heap.Close();
    EXPECT_TRUE(Heap.InArena(Heap.Allocate(FProgramHeap::ALIGNMENT)));
    EXPECT_EQ(NULL, Heap.Allocate(1)); // the arena is full
    Heap.Release(Early); // the allocator may already be gone
    EXPECT_EQ(1, Recorder.LiveAllocations);
    Recorder.Free(Early);

    // Pooled blocks are only as aligned as their size.
    GMalloc = new FMallocWindows; // stays with the process, as the allocator always does
    GMalloc->Init();
    FProgramHeap& Open = *new (HeapStorage) FProgramHeap;
    for (size_t Size = 1; Size <= 600; Size++)
        EXPECT_EQ(0u, reinterpret_cast<UPTRINT>(Open.Allocate(Size)) % FProgramHeap::ALIGNMENT) << Size;
    GMalloc = Saved;
}
