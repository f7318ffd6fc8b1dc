// Tests of the program's heap: the engine's allocator while it runs, the arena around it.
#include "ProgramHeap.h"
#include "FMallocWindows.h"
#include "TestSupport.h"
#include <new>

namespace
{
class FTagRecorder : public FHeapMalloc
{
public:
    const TCHAR* LastTag = NULL;
    DWORD LastSize = 0;
    void* Malloc(DWORD Size, const TCHAR* Tag) override
    {
        LastTag = Tag;
        LastSize = Size;
        return FHeapMalloc::Malloc(Size, Tag);
    }
};

// The program's heap is a static object, which keeps its arena aligned. A fixture member
// would live on the test program's heap, which aligns only to 8 bytes in 32 bits.
alignas(FProgramHeap) BYTE HeapStorage[sizeof(FProgramHeap)];

class ProgramHeap : public testing::Test
{
protected:
    FProgramHeap& Heap = *new (HeapStorage) FProgramHeap;
    FTagRecorder Recorder;
    FMalloc* Saved = GMalloc;

    void TearDown() override { GMalloc = Saved; }
};
} // namespace

TEST_F(ProgramHeap, UsesTheArenaOnlyBeforeTheAllocatorExistsAndOnceClosed)
{
    GMalloc = NULL;
    void* Empty = Heap.Allocate(0);
    void* Odd = Heap.Allocate(40);
    EXPECT_EQ(NULL, Heap.Allocate(FProgramHeap::ARENA_SIZE));
    void* Most = Heap.Allocate(FProgramHeap::ARENA_SIZE - 5 * FProgramHeap::ALIGNMENT); // leaves one unit
    GMalloc = &Recorder;
    ASSERT_TRUE(Empty && Odd && Most);
    EXPECT_TRUE(Heap.InArena(Empty) && Heap.InArena(Odd) && Heap.InArena(Most));
    EXPECT_EQ(0u, reinterpret_cast<UPTRINT>(Odd) % FProgramHeap::ALIGNMENT);
    Heap.Release(Odd); // an arena block never reaches the allocator
    EXPECT_EQ(0, Recorder.LiveAllocations);

    void* Early = Heap.Allocate(100);
    Heap.Close();
    EXPECT_TRUE(Heap.InArena(Heap.Allocate(FProgramHeap::ALIGNMENT)));
    EXPECT_EQ(NULL, Heap.Allocate(1)); // the arena is full
    Heap.Release(Early); // the allocator may already be gone
    EXPECT_EQ(1, Recorder.LiveAllocations);
    Recorder.Free(Early);
}

TEST_F(ProgramHeap, GoesThroughTheAllocatorInWholeAlignmentUnitsThatKeepPooledObjectsAligned)
{
    GMalloc = &Recorder;
    const size_t Sizes[][2] = {{0, 0}, {1, 16}, {16, 16}, {17, 32}, {40, 48}};
    for (const auto& Size : Sizes)
    {
        void* Block = Heap.Allocate(Size[0]);
        EXPECT_FALSE(Heap.InArena(Block));
        EXPECT_EQ(Size[1], Recorder.LastSize) << Size[0];
        EXPECT_STREQ(TEXT("new"), Recorder.LastTag);
        Heap.Release(Block);
    }
    EXPECT_EQ(0, Recorder.LiveAllocations);
    EXPECT_EQ(NULL, Heap.Allocate(size_t(0x80000000u))); // beyond the allocator's sizes

    GMalloc = new FMallocWindows; // stays with the process, as the allocator always does
    GMalloc->Init();
    for (size_t Size = 1; Size <= 600; Size++)
        EXPECT_EQ(0u, reinterpret_cast<UPTRINT>(Heap.Allocate(Size)) % FProgramHeap::ALIGNMENT) << Size;
}
