// SaveDataDirectories.cpp: the chosen entries first, then the game's stock entries.
#include "SaveDataDirectories.h"
#include "FConfigFile.h"
#include <shlwapi.h>

namespace
{
// The two sections of the system ini, made when missing. Making a section moves the file's
// other sections, so both are taken once both exist.
bool TakeSections(FConfigSectionMap*& System, FConfigSectionMap*& Corvane)
{
    GConfig->GetSectionPrivate(TEXT("Core.System"), 1, 0);
    GConfig->GetSectionPrivate(TEXT("Corvane"), 1, 0);
    System = GConfig->GetSectionPrivate(TEXT("Core.System"), 1, 0);
    Corvane = GConfig->GetSectionPrivate(TEXT("Corvane"), 1, 0);
    return System && Corvane;
}
} // namespace

void SaveDataDirectories(const TArray<FString>& Chosen)
{
    guard(SaveDataDirectories);
    // Read first: bringing another file into the cache moves the sections of those in it.
    // default.ini is only read, so it is not marked changed: rewriting the game's stock file
    // (or a copy of it in the documents mirror, which would then hide the original) gains
    // nothing.
    TArray<FString> Stock;
    if (const FConfigSectionMap* Default = GConfig->GetSectionPrivate(TEXT("Core.System"), 0, 1, TEXT("default.ini")))
        Default->MultiFind(TEXT("Paths"), Stock);

    FConfigSectionMap* System;
    FConfigSectionMap* Corvane;
    if (!TakeSections(System, Corvane))
    {
        GLog->Log(TEXT("Cannot write the data directories: the system ini is not available."));
        return;
    }
    System->Remove(TEXT("Paths"));
    Corvane->Remove(TEXT("IntPaths"));
    for (const FString& Entry : Chosen)
    {
        // Only ".int" in these letters marks a localization entry; ".INT" stays a package entry.
        if (appStrcmp(PathFindExtensionW(*Entry), TEXT(".int")) == 0)
            Corvane->Add(FString(TEXT("IntPaths")), Entry);
        else
            System->Add(FString(TEXT("Paths")), Entry);
    }
    for (const FString& Entry : Stock)
        System->Add(FString(TEXT("Paths")), Entry);

    if (GSys)
        GSys->LoadConfig();
    unguard;
}
