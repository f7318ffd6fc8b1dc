// WinFileCalls.cpp: each call hands the path to the wide function, or converts it to the
// system's code page for the narrow twin when the system has no wide calls.
#include "WinFileCalls.h"

namespace
{
// A path in the system's 8-bit code page. Paths are refused above 259 characters, and a
// character takes at most four bytes in any code page, so the fixed buffer always holds
// winGetSizeANSI bytes of an accepted path.
class FAnsiPath
{
public:
    explicit FAnsiPath(const TCHAR* Path)
    {
        INT Size = winGetSizeANSI(Path);
        Valid = Size > 0 && Size <= INT(sizeof(Text));
        if (Valid)
            winToANSI(Text, Path, Size);
        else
        {
            Text[0] = 0;
            SetLastError(ERROR_FILENAME_EXCED_RANGE);
        }
    }

    bool Valid;
    ANSICHAR Text[FILE_PATH_MAX * 4];
};

bool Accept(const TCHAR* Path)
{
    if (FitsPathBuffer(Path))
        return true;
    SetLastError(ERROR_FILENAME_EXCED_RANGE);
    return false;
}

// Hands an accepted path to the wide call, or converted to the narrow one.
template<class FWide, class FNarrow> BOOL CallWithPath(const TCHAR* Path, FWide Wide, FNarrow Narrow)
{
    if (!Accept(Path))
        return FALSE;
    if (GUnicodeOS)
        return Wide(Path);
    FAnsiPath Ansi(Path);
    return Ansi.Valid && Narrow(Ansi.Text);
}

template<class FWide, class FNarrow>
BOOL CallWithPaths(const TCHAR* Src, const TCHAR* Dest, FWide Wide, FNarrow Narrow)
{
    if (!Accept(Src) || !Accept(Dest))
        return FALSE;
    if (GUnicodeOS)
        return Wide(Src, Dest);
    FAnsiPath AnsiSrc(Src), AnsiDest(Dest);
    return AnsiSrc.Valid && AnsiDest.Valid && Narrow(AnsiSrc.Text, AnsiDest.Text);
}
} // namespace

bool FitsPathBuffer(const TCHAR* Path) { return Path && wcsnlen(Path, FILE_PATH_MAX) < FILE_PATH_MAX; }

bool CopyPath(TCHAR (&Out)[FILE_PATH_MAX], const TCHAR* Path)
{
    if (!FitsPathBuffer(Path))
    {
        Out[0] = 0;
        return false;
    }
    if (Out != Path)
        appStrcpy(Out, Path);
    return true;
}

HANDLE WinCreateFile(const TCHAR* Path, DWORD Access, DWORD Share, DWORD Creation)
{
    HANDLE Handle = INVALID_HANDLE_VALUE;
    CallWithPath(
        Path,
        [&](const TCHAR* Wide) {
            Handle = CreateFileW(Wide, Access, Share, NULL, Creation, FILE_ATTRIBUTE_NORMAL, NULL);
            return TRUE;
        },
        [&](const ANSICHAR* Narrow) {
            Handle = CreateFileA(Narrow, Access, Share, NULL, Creation, FILE_ATTRIBUTE_NORMAL, NULL);
            return TRUE;
        });
    return Handle;
}

BOOL WinDeleteFile(const TCHAR* Path) { return CallWithPath(Path, DeleteFileW, DeleteFileA); }

BOOL WinSetFileAttributes(const TCHAR* Path, DWORD Attributes)
{
    return CallWithPath(
        Path, [=](const TCHAR* Wide) { return SetFileAttributesW(Wide, Attributes); },
        [=](const ANSICHAR* Narrow) { return SetFileAttributesA(Narrow, Attributes); });
}

BOOL WinCopyFile(const TCHAR* Src, const TCHAR* Dest, BOOL FailIfExists)
{
    return CallWithPaths(
        Src, Dest, [=](const TCHAR* S, const TCHAR* D) { return CopyFileW(S, D, FailIfExists); },
        [=](const ANSICHAR* S, const ANSICHAR* D) { return CopyFileA(S, D, FailIfExists); });
}

BOOL WinMoveFile(const TCHAR* Src, const TCHAR* Dest)
{
    // Files may move to another volume, as with MoveFile.
    const DWORD Flags = MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED;
    return CallWithPaths(
        Src, Dest, [=](const TCHAR* S, const TCHAR* D) { return MoveFileExW(S, D, Flags); },
        [=](const ANSICHAR* S, const ANSICHAR* D) { return MoveFileExA(S, D, Flags); });
}

BOOL WinCreateDirectory(const TCHAR* Path)
{
    return CallWithPath(
        Path, [](const TCHAR* Wide) { return CreateDirectoryW(Wide, NULL); },
        [](const ANSICHAR* Narrow) { return CreateDirectoryA(Narrow, NULL); });
}

BOOL WinRemoveDirectory(const TCHAR* Path) { return CallWithPath(Path, RemoveDirectoryW, RemoveDirectoryA); }

BOOL WinSetCurrentDirectory(const TCHAR* Path) { return CallWithPath(Path, SetCurrentDirectoryW, SetCurrentDirectoryA); }

FString WinGetCurrentDirectory()
{
    if (GUnicodeOS)
    {
        TCHAR Dir[1024] = {};
        GetCurrentDirectoryW(ARRAY_COUNT(Dir), Dir);
        return FString(Dir);
    }
    ANSICHAR Dir[1024] = {};
    GetCurrentDirectoryA(ARRAY_COUNT(Dir), Dir);
    return FString(appFromAnsi(Dir));
}

FFileSearch::FFileSearch(const TCHAR* Pattern)
    : Handle(INVALID_HANDLE_VALUE), Started(false), Wide(GUnicodeOS != 0), Attributes(0)
{
    EntryName[0] = 0;
    CallWithPath(
        Pattern,
        [&](const TCHAR* Wide) {
            Handle = FindFirstFileW(Wide, &WideData);
            return TRUE;
        },
        [&](const ANSICHAR* Narrow) {
            Handle = FindFirstFileA(Narrow, &NarrowData);
            return TRUE;
        });
}

FFileSearch::~FFileSearch()
{
    if (Handle != INVALID_HANDLE_VALUE)
        FindClose(Handle);
}

bool FFileSearch::Next()
{
    if (Handle == INVALID_HANDLE_VALUE)
        return false;
    if (!Started)
    {
        Started = true;
        return Take(TRUE);
    }
    return Take(Wide ? FindNextFileW(Handle, &WideData) : FindNextFileA(Handle, &NarrowData));
}

bool FFileSearch::Take(BOOL Found)
{
    if (!Found)
        return false;
    if (Wide)
    {
        Attributes = WideData.dwFileAttributes;
        appStrcpy(EntryName, WideData.cFileName);
    }
    else
    {
        Attributes = NarrowData.dwFileAttributes;
        winToUNICODE(EntryName, NarrowData.cFileName, ARRAY_COUNT(EntryName));
    }
    return true;
}

bool FFileSearch::IsDotEntry() const
{
    return appStricmp(EntryName, TEXT(".")) == 0 || appStricmp(EntryName, TEXT("..")) == 0;
}
