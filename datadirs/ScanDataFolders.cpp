// ScanDataFolders.cpp: discovery of data folders on disk.
#include "ScanDataFolders.h"
#include "DataFilePatterns.h"
#include "WinFileCalls.h"
#include <shlwapi.h>

namespace
{
struct FScan
{
    TCHAR Base[FILE_PATH_MAX];
    const FDefaultFolders& Defaults;
    FDataEntryReceiver& Receiver;
};

// Out = Folder joined with Name, when that surely fits.
bool Combine(TCHAR (&Out)[FILE_PATH_MAX], const TCHAR* Folder, const TCHAR* Name)
{
    if (appStrlen(Folder) + 1 + appStrlen(Name) >= FILE_PATH_MAX)
        return false;
    return PathCombineW(Out, Folder, Name) != NULL;
}

// Out = the path from the base to Folder. The system writes it without a bound, so it is
// asked only when the result surely fits: a "..\" for each base component past the part
// that both share, then the rest of Folder.
bool RelativeToBase(TCHAR (&Out)[FILE_PATH_MAX], const TCHAR* Base, const TCHAR* Folder)
{
    INT Common = PathCommonPrefixW(Base, Folder, NULL);
    INT Ups = 1;
    for (const TCHAR* At = Base + Common; *At; At++)
        Ups += *At == '\\';
    if (3 * Ups + 2 + appStrlen(Folder + Common) >= FILE_PATH_MAX)
        return false;
    return PathRelativePathToW(Out, Base, FILE_ATTRIBUTE_DIRECTORY, Folder, FILE_ATTRIBUTE_DIRECTORY) != FALSE;
}

// Whether Folder holds a file for Pattern. The extension is compared in full: a search for
// "*.int" also finds "a.intx" through its short name.
bool HoldsFileFor(const TCHAR* Folder, const TCHAR* Pattern)
{
    TCHAR Search[FILE_PATH_MAX];
    if (!Combine(Search, Folder, Pattern))
        return false;
    const TCHAR* Extension = PathFindExtensionW(Pattern);
    FFileSearch Files(Search);
    while (Files.Next())
        if (!Files.IsDirectory() && appStricmp(PathFindExtensionW(Files.Name()), Extension) == 0)
            return true;
    return false;
}

void OfferEntries(const FScan& Scan, const TCHAR* Folder, const TCHAR* Relative)
{
    for (const TCHAR* Pattern : GDataFilePatterns)
    {
        TCHAR Entry[FILE_PATH_MAX];
        if (appSprintf(Entry, TEXT("%s\\%s"), Relative, Pattern) >= 0 && HoldsFileFor(Folder, Pattern))
            Scan.Receiver.InsertEntry(Entry);
    }
}

void ScanFolder(const FScan& Scan, const TCHAR* Folder)
{
    TCHAR Search[FILE_PATH_MAX];
    if (!Combine(Search, Folder, TEXT("*.")))
        return;
    FFileSearch Entries(Search);
    while (Entries.Next())
    {
        // Windows lists only names without an extension for "*."; Wine lists every name.
        if (!Entries.IsDirectory() || Entries.IsDotEntry() || *PathFindExtensionW(Entries.Name()))
            continue;
        TCHAR Sub[FILE_PATH_MAX], Relative[FILE_PATH_MAX];
        if (!Combine(Sub, Folder, Entries.Name()) || !RelativeToBase(Relative, Scan.Base, Sub))
            continue;
        if (appStrcmp(Relative, TEXT(".")) == 0 || Scan.Defaults.Contains(Relative))
            continue;
        ScanFolder(Scan, Sub);
        OfferEntries(Scan, Sub, Relative);
    }
}
} // namespace

void ScanDataFolders(const TCHAR* Root, const TCHAR* Base, const FDefaultFolders& Defaults, FDataEntryReceiver& Receiver)
{
    guard(ScanDataFolders);
    FScan Scan{{}, Defaults, Receiver};
    if (!CopyPath(Scan.Base, Base))
        return;
    // From a folder written with a trailing backslash the system makes "\x" instead of ".\x".
    PathRemoveBackslashW(Scan.Base);
    ScanFolder(Scan, Root);
    unguard;
}
