// ProgramHeap.cpp: the program's heap, between the engine's allocator and a static arena.
#include "ProgramHeap.h"

namespace
{
size_t RoundUp(size_t Size) { return (Size + FProgramHeap::ALIGNMENT - 1) & ~size_t(FProgramHeap::ALIGNMENT - 1); }
} // namespace

void* FProgramHeap::Allocate(size_t Size)
{
    if (Closed || !GMalloc)
        return AllocateFromArena(Size);
    if (Size > 0x7fffffff - ALIGNMENT)
        return NULL; // the engine's allocator takes 32-bit sizes
    // A pooled block is only as aligned as its size: whole multiples of the alignment keep
    // every object aligned as new promises.
    return GMalloc->Malloc(DWORD(RoundUp(Size)), TEXT("new"));
}

void FProgramHeap::Release(void* Block)
{
    if (!Block || InArena(Block) || Closed || !GMalloc)
        return;
    GMalloc->Free(Block);
}

bool FProgramHeap::InArena(const void* Block) const
{
    const BYTE* Byte = static_cast<const BYTE*>(Block);
    return Byte >= Arena && Byte < Arena + ARENA_SIZE;
}

void* FProgramHeap::AllocateFromArena(size_t Size)
{
    if (Size > ARENA_SIZE)
        return NULL;
    size_t Rounded = Size ? RoundUp(Size) : ALIGNMENT; // every block has its own address
    if (Rounded > ARENA_SIZE - Used)
        return NULL;
    void* Block = Arena + Used;
    Used += Rounded;
    return Block;
}
