// FHook.h: hooks that replace entries of the engine's table of script natives (GNatives)
// while the game runs. Each hook puts back what it replaced when it is destroyed.
#pragma once
#include "Core.h"

// The base of every hook: the registry owns hooks through it.
class FHook : public FGMallocObject
{
public:
    FHook() = default;
    FHook(const FHook&) = delete;
    FHook& operator=(const FHook&) = delete;
    virtual ~FHook() = default;

    using FGMallocObject::operator new;
    using FGMallocObject::operator delete;
    static void* operator new(size_t, void* Memory) { return Memory; }
    static void operator delete(void*, void*) {}
};

// Hands a hook under construction to the registry (GHookRegistry), which owns it from then on.
void AdoptHook(INT NativeNumber, FHook* Hook);

// Replaces GNatives[NativeNumber] for the hook's lifetime. The number belongs to the class,
// so a hook object holds only the function it replaced.
template<INT NativeNumber> class FNativeHook : public FHook
{
public:
    enum { Number = NativeNumber };

    ~FNativeHook() override { GNatives[NativeNumber] = SavedNative; }

protected:
    FNativeHook(Native Replacement, const TCHAR* DisplayName) : SavedNative(GNatives[NativeNumber])
    {
        GNatives[NativeNumber] = Replacement;
        GLog->Logf(TEXT("Installing hook '%s'."), DisplayName);
        try
        {
            AdoptHook(NativeNumber, this);
        }
        catch (...)
        {
            // Nobody owns the hook, so nobody would put the entry back.
            GNatives[NativeNumber] = SavedNative;
            throw;
        }
    }

    Native SavedNative;
};

// Makes a hook through the engine allocator; when the allocator has nothing left, the game
// runs without that hook.
template<class THook, class... TArgs> void NewHook(TArgs... Args)
{
    if (void* Memory = appMalloc(sizeof(THook), TEXT("new")))
        new (Memory) THook(Args...);
}
