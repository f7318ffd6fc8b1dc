// Tests of the program's heap: the engine's allocator while it runs, the arena around it.
#include "ProgramHeap.h"
#include "TestSupport.h"
#include <gtest/gtest.h>

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

class ProgramHeap : public testing::Test
{
protected:
    FProgramHeap Heap;
    FTagRecorder Recorder;
    FMalloc* Saved = NULL;

    void SetUp() override { Saved = GMalloc; }
    void TearDown() override { GMalloc = Saved; }
};
} // namespace

TEST_F(ProgramHeap, UsesTheArenaBeforeTheAllocatorExists)
{
    GMalloc = NULL;
    void* First = Heap.Allocate(1);
    void* Second = Heap.Allocate(0);
    void* Third = Heap.Allocate(40);
    GMalloc = &Recorder;
    ASSERT_TRUE(First && Second && Third);
    EXPECT_TRUE(Heap.InArena(First) && Heap.InArena(Second) && Heap.InArena(Third));
    EXPECT_NE(First, Second);
    EXPECT_EQ(0u, reinterpret_cast<UPTRINT>(Third) % FProgramHeap::ALIGNMENT);
    Heap.Release(Third); // an arena block never reaches the allocator
    EXPECT_EQ(0, Recorder.LiveAllocations);
}

TEST_F(ProgramHeap, GoesThroughTheAllocatorWithTheTagNew)
{
    GMalloc = &Recorder;
    void* Block = Heap.Allocate(100);
    EXPECT_FALSE(Heap.InArena(Block));
    EXPECT_EQ(1, Recorder.LiveAllocations);
    EXPECT_STREQ(TEXT("new"), Recorder.LastTag);
    Heap.Release(Block);
    EXPECT_EQ(0, Recorder.LiveAllocations);
    EXPECT_EQ(NULL, Heap.Allocate(size_t(0x80000000u))); // beyond the allocator's sizes
}

TEST_F(ProgramHeap, AsksForWholeAlignmentUnits)
{
    GMalloc = &Recorder;
    const size_t Sizes[][2] = {{0, 0}, {1, 16}, {16, 16}, {17, 32}, {40, 48}};
    for (const auto& Size : Sizes)
    {
        Heap.Release(Heap.Allocate(Size[0]));
        EXPECT_EQ(Size[1], Recorder.LastSize) << Size[0];
    }
}

TEST_F(ProgramHeap, LeavesTheAllocatorAloneOnceClosed)
{
    GMalloc = &Recorder;
    void* Early = Heap.Allocate(100);
    Heap.Close();
    void* Late = Heap.Allocate(100);
    EXPECT_TRUE(Heap.InArena(Late));
    Heap.Release(Early); // the allocator may already be gone
    EXPECT_EQ(1, Recorder.LiveAllocations);
    Recorder.Free(Early);
}

TEST_F(ProgramHeap, FullArenaServesNothingMore)
{
    Heap.Close();
    EXPECT_EQ(NULL, Heap.Allocate(FProgramHeap::ARENA_SIZE + 1));
    void* Most = Heap.Allocate(FProgramHeap::ARENA_SIZE - FProgramHeap::ALIGNMENT);
    void* Last = Heap.Allocate(1);
    ASSERT_TRUE(Most && Last);
    EXPECT_EQ(NULL, Heap.Allocate(1));
}
