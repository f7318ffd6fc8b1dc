// Memory.h: the engine's allocator interface (GMalloc) and the allocation helpers built on it.
#pragma once
#include "CoreTypes.h"

// The engine's allocator. The core library calls these by slot, so the order binds.
class CORE_API FMalloc
{
public:
    virtual void* Malloc(DWORD Size, const TCHAR* Tag) = 0;
    virtual void* Realloc(void* Original, DWORD Size, const TCHAR* Tag) = 0;
    virtual void Free(void* Original) = 0;
    virtual void DumpAllocs() = 0;
    virtual void HeapCheck() = 0;
    virtual void Init() = 0;
    virtual void Exit() = 0;
};

CORE_API extern FMalloc* GMalloc;

// Everything the engine allocates goes through GMalloc; a request before the allocator
// exists is a start-up fault, reported as a fatal error.
CORE_API void* appMalloc(DWORD Size, const TCHAR* Tag);
CORE_API void* appRealloc(void* Original, DWORD Size, const TCHAR* Tag);
CORE_API void appFree(void* Original);

inline void appMemcpy(void* Dest, const void* Src, size_t Count) { memcpy(Dest, Src, Count); }
inline void appMemmove(void* Dest, const void* Src, size_t Count) { memmove(Dest, Src, Count); }
inline void appMemzero(void* Dest, size_t Count) { memset(Dest, 0, Count); }
inline void appMemset(void* Dest, int Value, size_t Count) { memset(Dest, Value, Count); }

// Objects that cross module boundaries are created with a tag and released through
// GMalloc, whoever deletes them: "new(TEXT("Tag")) FThing(...)".
class CORE_API FGMallocObject
{
public:
    static void* operator new(size_t Size, const TCHAR* Tag);
    static void* operator new(size_t Size);
    static void operator delete(void* Ptr);
    static void operator delete(void* Ptr, const TCHAR* Tag);
};
