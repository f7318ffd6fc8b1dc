// FFileManagerIntPaths.cpp: the localization folders of the file manager, and the lookup
// that every open for reading asks first.
#include "FFileManagerWindows.h"
#include "FConfigFile.h"
#include "SearchEntry.h"
#include <shlwapi.h>

namespace
{
bool IsFile(const TCHAR* Path)
{
    DWORD Attributes = GetFileAttributesW(Path);
    return Attributes != INVALID_FILE_ATTRIBUTES && !(Attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Out = Folder followed directly by Name, when that fits.
bool JoinCandidate(TCHAR (&Out)[FILE_PATH_MAX], const FString& Folder, const TCHAR* Name)
{
    if (Folder.Len() + appStrlen(Name) >= FILE_PATH_MAX)
        return false;
    appStrcpy(Out, *Folder);
    appStrcat(Out, Name);
    return true;
}

// Replaces the extension of a candidate by ".int", when that fits.
bool UseIntExtension(TCHAR (&Out)[FILE_PATH_MAX])
{
    TCHAR* Extension = PathFindExtensionW(Out);
    if ((Extension - Out) + 4 >= FILE_PATH_MAX)
        return false;
    appStrncpy(Extension, TEXT(".int"), INT(FILE_PATH_MAX - (Extension - Out)));
    return true;
}
} // namespace

void FFileManagerWindows::SetIntPaths(const TArray<FString>& Folders)
{
    if (!IntPaths)
        IntPaths = new (appMalloc(sizeof(TArray<FString>), TEXT("IntPaths"))) TArray<FString>;
    *IntPaths = Folders;
}

void FFileManagerWindows::LoadIntPaths()
{
    guard(FFileManagerWindows::LoadIntPaths);
    TArray<FString> Folders;
    if (const FConfigSectionMap* Section = GConfig->GetSectionPrivate(TEXT("Corvane"), 0, 1))
    {
        TArray<FString> Entries;
        Section->MultiFind(TEXT("IntPaths"), Entries);
        Folders.Empty(Entries.Num());
        // MultiFind gives the last line first.
        for (INT i = Entries.Num() - 1; i >= 0; i--)
        {
            // An entry whose folder does not fit a path buffer names no folder that can be read.
            TCHAR Folder[FILE_PATH_MAX];
            if (GetEntryFolder(Folder, *Entries(i)) && PathAddBackslashW(Folder))
                Folders.AddItem(FString(Folder));
        }
    }
    SetIntPaths(Folders);
    unguard;
}

bool FFileManagerWindows::IsLocalizedName(const TCHAR* Filename)
{
    const TCHAR* Extension = PathFindExtensionW(Filename);
    return *Extension && (appStricmp(Extension + 1, TEXT("int")) == 0 ||
                          appStricmp(Extension + 1, UObject::GetLanguage()) == 0);
}

bool FFileManagerWindows::FindLocalizedFile(TCHAR (&Out)[FILE_PATH_MAX], const TCHAR* Filename)
{
    Out[0] = 0;
    if (!IntPaths)
        return false;
    if (!IsLocalizedName(Filename))
        return false;
    const bool IntFallback = appStricmp(PathFindExtensionW(Filename) + 1, TEXT("int")) != 0;
    // A candidate that does not fit a path buffer cannot be opened; it is skipped.
    for (const FString& Folder : *IntPaths)
    {
        if (!JoinCandidate(Out, Folder, Filename))
            continue;
        if (IsFile(Out))
            return true;
        if (IntFallback && UseIntExtension(Out) && IsFile(Out))
            return true;
    }
    return false;
}
