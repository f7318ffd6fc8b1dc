// FHookRegistry.h: owns the installed native hooks for as long as the game's main loop
// runs. Building it installs the hooks that the settings ask for; destroying it restores
// every native they replaced.
#pragma once
#include "FHook.h"
#include <unordered_map>

class FHookRegistry
{
public:
    // Sets GHookRegistry, then installs, in this order, the free save space fix (always),
    // the subtitle fix and the GUI scaling fix (when [Corvane] of the system ini asks).
    FHookRegistry();
    ~FHookRegistry();
    FHookRegistry(const FHookRegistry&) = delete;
    FHookRegistry& operator=(const FHookRegistry&) = delete;

    // The hook installed for a native; std::out_of_range when there is none, which cannot
    // happen while that native's replacement stands in the table.
    FHook* FindHook(INT NativeNumber) const { return Hooks.at(NativeNumber); }

private:
    friend void AdoptHook(INT NativeNumber, FHook* Hook);

    std::unordered_map<INT, FHook*> Hooks; // owned; one per native number
    void DestroyHooks();
};

// The registry that replacement natives reach their hooks through; null while there is none.
extern FHookRegistry* GHookRegistry;
