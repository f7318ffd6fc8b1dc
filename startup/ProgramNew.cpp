// ProgramNew.cpp: Corvane.exe's global operator new and delete, served by GProgramHeap.
// Only the executable links this file; the test programs keep the normal heap.
#include "ProgramHeap.h"
#include <new>

FProgramHeap GProgramHeap;

namespace
{
void* AllocateOrThrow(size_t Size)
{
    if (void* Block = GProgramHeap.Allocate(Size))
        return Block;
    throw std::bad_alloc();
}

void* AllocateOrNull(size_t Size) noexcept
{
    try
    {
        return GProgramHeap.Allocate(Size);
    }
    catch (...)
    {
        return nullptr;
    }
}
} // namespace

void* operator new(size_t Size) { return AllocateOrThrow(Size); }
void* operator new[](size_t Size) { return AllocateOrThrow(Size); }
void* operator new(size_t Size, const std::nothrow_t&) noexcept { return AllocateOrNull(Size); }
void* operator new[](size_t Size, const std::nothrow_t&) noexcept { return AllocateOrNull(Size); }
void operator delete(void* Block) noexcept { GProgramHeap.Release(Block); }
void operator delete[](void* Block) noexcept { GProgramHeap.Release(Block); }
void operator delete(void* Block, size_t) noexcept { GProgramHeap.Release(Block); }
void operator delete[](void* Block, size_t) noexcept { GProgramHeap.Release(Block); }
void operator delete(void* Block, const std::nothrow_t&) noexcept { GProgramHeap.Release(Block); }
void operator delete[](void* Block, const std::nothrow_t&) noexcept { GProgramHeap.Release(Block); }
