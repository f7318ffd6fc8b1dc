// FFileManagerGeneric.h: the file operations that can be built from the others: a copy
// through archives with progress reports, whole directory trees, and drive roots.
//
// The tree operations are defined in this header, below the class: their assertion
// reports name this file and the lines of their checks, so those lines are part of the
// behaviour and must not move.
#pragma once
#include "Core.h"

class FFileManagerGeneric : public FFileManager
{
public:
    // Copies through this manager's archives in chunks of 4096 bytes. Progress, when
    // given, hears 0.0 first, the start of each chunk copied, and 1.0 last, also after a
    // failure. A destination whose close fails is deleted; one that was only partly
    // written because the source failed stays.
    UBOOL Copy(const TCHAR* Dest, const TCHAR* Src, UBOOL Replace = 1, UBOOL EvenIfReadOnly = 0,
               UBOOL Attributes = 0, FCopyProgress Progress = NULL) override;

    // Creates every component of Path after the first (a drive, or a folder that must
    // exist), skipping drive and share roots: for ..\A\B that is ..\A, then ..\A\B. Tree
    // must be set. Succeeds when at least one directory was made or existed already; a
    // path of one component fails, and so does one that does not fit the working copy of
    // 256 characters (refused whole rather than made in part).
    UBOOL MakeDirectory(const TCHAR* Path, UBOOL Tree = 0) override;

    // Deletes the files of Path, then its subdirectories (each as a tree), then Path
    // itself; RequireExists applies to Path itself. Tree must be set. Stops at the first
    // thing that cannot be deleted.
    UBOOL DeleteDirectory(const TCHAR* Path, UBOOL RequireExists = 0, UBOOL Tree = 0) override;

    // Whether Path names a root that cannot be made: "", "C:", "\", "\\", "\\server" or
    // "\\server\share".
    UBOOL IsDrive(const TCHAR* Path);
};

inline UBOOL FFileManagerGeneric::IsDrive(const TCHAR* Path)
{
    guard(FFileManagerGeneric::IsDrive);
    if (!Path[0])
        return 1;
    if (appIsAlpha(Path[0]) && Path[1] == ':' && !Path[2])
        return 1;
    if (appStricmp(Path, TEXT("\\")) == 0 || appStricmp(Path, TEXT("\\\\")) == 0)
        return 1;
    // Otherwise only \\server and \\server\share, each name nonempty.
    if (Path[0] != '\\' || Path[1] != '\\' || !Path[2] || Path[2] == '\\')
        return 0;
    const TCHAR* ShareSlash = appStrchr(Path + 2, '\\');
    if (!ShareSlash)
        return 1;
    return ShareSlash[1] && !appStrchr(ShareSlash + 1, '\\');
    unguard;
}

// The tree operations go through this manager's own virtual operations, so a manager
// that maps paths (the user-documents manager) sees and maps every step.
//
// MakeDirectory copies the path character by character. Each separator it meets (a
// backslash, or the end of the path) closes the copy so far; from the second separator
// on, that copy names a directory to create unless it is a root. Examples:
//   ..\A\B                 creates ..\A, then ..\A\B
//   A                      creates nothing and fails (the first component is never made)
//   A\B                    creates A\B only, so A must exist
//   C:\Games\Veltra         C: is a root; creates C:\Games (or finds it), then C:\Games\Veltra
//   \\server\share\Save     the roots \, \\server, \\server\share are skipped; creates the rest
//
// DeleteDirectory lists with the pattern Path\* and deletes what it finds with the
// engine's flags for a tree: every file even when read-only, every subdirectory as a
// tree, each of them required to exist. What was deleted before a failed step stays
// deleted.

inline UBOOL FFileManagerGeneric::MakeDirectory(const TCHAR* Path, UBOOL Tree)
{
    guard(FFileManagerGeneric::MakeDirectory);
    check(Tree);
    TCHAR Partial[256];
    if (!Path || wcsnlen(Path, ARRAY_COUNT(Partial)) >= ARRAY_COUNT(Partial))
        return 0;
    UBOOL Made = 0;
    for (INT i = 0, Separators = 0;; i++)
    {
        Partial[i] = 0;
        if ((Path[i] == '\\' || !Path[i]) && ++Separators >= 2 && !IsDrive(Partial))
        {
            if (!MakeDirectory(Partial, 0))
                return 0;
            Made = 1;
        }
        if (!Path[i])
            return Made;
        Partial[i] = Path[i];
    }
    unguard;
}

inline UBOOL FFileManagerGeneric::DeleteDirectory(const TCHAR* Path, UBOOL RequireExists, UBOOL Tree)
{
    guard(FFileManagerGeneric::DeleteDirectory);
    check(Tree);
    if (!Path || !*Path)
        return 0;
    FString Dir(Path);
    FString Pattern = Dir * TEXT("*");
    for (const FString& Name : FindFiles(*Pattern, 1, 0))
        if (!Delete(*(Dir * Name), 1, 1))
            return 0;
    for (const FString& Name : FindFiles(*Pattern, 0, 1))
        if (!DeleteDirectory(*(Dir * Name), 1, 1))
            return 0;
    return DeleteDirectory(Path, RequireExists, 0);
    unguard;
}
