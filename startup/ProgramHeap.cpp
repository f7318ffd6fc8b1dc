// ProgramHeap.cpp: the program's heap, between the engine's allocator and a static arena.
#include "ProgramHeap.h"

void* FProgramHeap::Allocate(size_t Size)
{
    if (Closed || !GMalloc)
        return AllocateFromArena(Size);
    if (Size > 0x7fffffff)
        return NULL; // the engine's allocator takes 32-bit sizes
    return GMalloc->Malloc(DWORD(Size), TEXT("new"));
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
    size_t Rounded = (Size + ALIGNMENT - 1) & ~size_t(ALIGNMENT - 1);
    if (Rounded == 0)
        Rounded = ALIGNMENT; // every block has its own address
    if (Size > ARENA_SIZE || Rounded > ARENA_SIZE - Used)
        return NULL;
    void* Block = Arena + Used;
    Used += Rounded;
    return Block;
}
