// ProgramHeap.h: where Corvane.exe's own objects (global new and delete) live. While the
// engine's allocator runs they go through GMalloc with the tag "new". Before appInit has
// installed it, and after the entry has closed the heap at the very end of the run (when
// the allocator, a local of the entry, is about to go), blocks come from a small static
// arena instead; arena blocks are never given back, and blocks of the allocator freed after
// the close are left to the ending process.
#pragma once
#include "Core.h"

class FProgramHeap
{
public:
    // Nothing of ours allocates before appInit: the arena is a safety net.
    static constexpr size_t ARENA_SIZE = 64 * 1024;
    static constexpr size_t ALIGNMENT = 16;

    // Constant-initialised, so that it serves before any constructor of the program runs.
    constexpr FProgramHeap() {}
    FProgramHeap(const FProgramHeap&) = delete;
    FProgramHeap& operator=(const FProgramHeap&) = delete;

    // NULL when nothing can serve the request.
    void* Allocate(size_t Size);
    void Release(void* Block);
    // The engine's allocator is going away; GMalloc is not used from now on.
    void Close() { Closed = true; }
    bool InArena(const void* Block) const;

private:
    void* AllocateFromArena(size_t Size);

    alignas(ALIGNMENT) BYTE Arena[ARENA_SIZE] = {};
    size_t Used = 0;
    bool Closed = false;
};

// Corvane.exe's heap, defined beside its operator new; test programs keep the normal heap.
extern FProgramHeap GProgramHeap;
