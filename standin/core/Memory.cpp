// Memory.cpp: the global allocator pointer and the allocation helpers that use it.
#include "CoreInternal.h"

CORE_API FMalloc* GMalloc = NULL;

void* appMalloc(DWORD Size, const TCHAR* Tag)
{
    if (!GMalloc)
        appFatalBeforeInit(TEXT("Memory was requested before the allocator was set up."));
    return GMalloc->Malloc(Size, Tag);
}

void* appRealloc(void* Original, DWORD Size, const TCHAR* Tag)
{
    if (!GMalloc)
        appFatalBeforeInit(TEXT("Memory was requested before the allocator was set up."));
    return GMalloc->Realloc(Original, Size, Tag);
}

void appFree(void* Original)
{
    if (!Original)
        return;
    if (!GMalloc)
        appFatalBeforeInit(TEXT("Memory was released without an allocator."));
    GMalloc->Free(Original);
}

// The engine's allocator takes 32-bit sizes; a larger object cannot exist.
static DWORD ObjectSize(size_t Size)
{
    if (Size > 0x7fffffff)
        appErrorf(TEXT("Object of %Iu bytes is too large"), Size);
    return DWORD(Size);
}

void* FGMallocObject::operator new(size_t Size, const TCHAR* Tag) { return appMalloc(ObjectSize(Size), Tag); }
void* FGMallocObject::operator new(size_t Size) { return appMalloc(ObjectSize(Size), TEXT("new")); }
void FGMallocObject::operator delete(void* Ptr) { appFree(Ptr); }
void FGMallocObject::operator delete(void* Ptr, const TCHAR*) { appFree(Ptr); }
