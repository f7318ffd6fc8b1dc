// FHookRegistry.cpp: installing and removing the native hooks.
#include "FHookRegistry.h"
#include "FFreeSaveSpaceFix.h"
#include "FGUIScalingFix.h"
#include "FSubtitleFix.h"

FHookRegistry* GHookRegistry = NULL;

void AdoptHook(INT NativeNumber, FHook* Hook)
{
    check(GHookRegistry);
    GHookRegistry->Hooks.emplace(NativeNumber, Hook);
}

FHookRegistry::FHookRegistry()
{
    GHookRegistry = this;
    try
    {
        CreateFreeSaveSpaceFix(TEXT("Corvane"));
        CreateSubtitleFix(TEXT("Corvane"));
        CreateGUIScalingFix(TEXT("Corvane"));
    }
    catch (...)
    {
        // No destructor runs for a registry that failed to build: restore what was replaced.
        DestroyHooks();
        throw;
    }
}

FHookRegistry::~FHookRegistry() { DestroyHooks(); }

void FHookRegistry::DestroyHooks()
{
    for (auto& Entry : Hooks)
        delete Entry.second;
    Hooks.clear();
    if (GHookRegistry == this)
        GHookRegistry = NULL;
}
