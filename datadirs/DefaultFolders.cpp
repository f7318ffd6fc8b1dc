// DefaultFolders.cpp: the game's own data folders, from default.ini and the CD path.
#include "DefaultFolders.h"
#include "FConfigFile.h"
#include "SearchEntry.h"

void LoadDefaultFolders(FDefaultFolders& Folders)
{
    guard(LoadDefaultFolders);
    Folders.Empty();
    if (const FConfigSectionMap* Stock = GConfig->GetSectionPrivate(TEXT("Core.System"), 0, 1, TEXT("default.ini")))
    {
        TArray<FString> Entries;
        Stock->MultiFind(TEXT("Paths"), Entries);
        for (const FString& Entry : Entries)
        {
            TCHAR Folder[FILE_PATH_MAX];
            if (GetEntryFolder(Folder, *Entry))
                Folders.Add(Folder);
        }
    }
    const TCHAR* CdPath = GConfig->GetStr(TEXT("Engine.Engine"), TEXT("CdPath"));
    if (*CdPath)
        Folders.Add(CdPath);
    unguard;
}
