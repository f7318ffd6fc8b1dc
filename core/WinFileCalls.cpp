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
} // namespace

bool FitsPathBuffer(const TCHAR* Path) { return Path && wcsnlen(Path, FILE_PATH_MAX) < FILE_PATH_MAX; }

bool CopyPath(TCHAR (&Out)[FILE_PATH_MAX], const TCHAR* Path)
{
    if (!FitsPathBuffer(Path))
    {
        Out[0] = 0;
        return false;
    }
    appStrcpy(Out, Path);
    return true;
}

HANDLE WinCreateFile(const TCHAR* Path, DWORD Access, DWORD Share, DWORD Creation)
{
    if (!Accept(Path))
        return INVALID_HANDLE_VALUE;
    if (GUnicodeOS)
        return CreateFileW(Path, Access, Share, NULL, Creation, FILE_ATTRIBUTE_NORMAL, NULL);
    FAnsiPath Ansi(Path);
    if (!Ansi.Valid)
        return INVALID_HANDLE_VALUE;
    return CreateFileA(Ansi.Text, Access, Share, NULL, Creation, FILE_ATTRIBUTE_NORMAL, NULL);
}

BOOL WinDeleteFile(const TCHAR* Path)
{
    if (!Accept(Path))
        return FALSE;
    if (GUnicodeOS)
        return DeleteFileW(Path);
    FAnsiPath Ansi(Path);
    return Ansi.Valid && DeleteFileA(Ansi.Text);
}

BOOL WinSetFileAttributes(const TCHAR* Path, DWORD Attributes)
{
    if (!Accept(Path))
        return FALSE;
    if (GUnicodeOS)
        return SetFileAttributesW(Path, Attributes);
    FAnsiPath Ansi(Path);
    return Ansi.Valid && SetFileAttributesA(Ansi.Text, Attributes);
}

BOOL WinCopyFile(const TCHAR* Src, const TCHAR* Dest, BOOL FailIfExists)
{
    if (!Accept(Src) || !Accept(Dest))
        return FALSE;
    if (GUnicodeOS)
        return CopyFileW(Src, Dest, FailIfExists);
    FAnsiPath AnsiSrc(Src), AnsiDest(Dest);
    return AnsiSrc.Valid && AnsiDest.Valid && CopyFileA(AnsiSrc.Text, AnsiDest.Text, FailIfExists);
}

BOOL WinMoveFile(const TCHAR* Src, const TCHAR* Dest)
{
    // Files may move to another volume, as with MoveFile.
    const DWORD Flags = MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED;
    if (!Accept(Src) || !Accept(Dest))
        return FALSE;
    if (GUnicodeOS)
        return MoveFileExW(Src, Dest, Flags);
    FAnsiPath AnsiSrc(Src), AnsiDest(Dest);
    return AnsiSrc.Valid && AnsiDest.Valid && MoveFileExA(AnsiSrc.Text, AnsiDest.Text, Flags);
}

BOOL WinCreateDirectory(const TCHAR* Path)
{
    if (!Accept(Path))
        return FALSE;
    if (GUnicodeOS)
        return CreateDirectoryW(Path, NULL);
    FAnsiPath Ansi(Path);
    return Ansi.Valid && CreateDirectoryA(Ansi.Text, NULL);
}

BOOL WinRemoveDirectory(const TCHAR* Path)
{
    if (!Accept(Path))
        return FALSE;
    if (GUnicodeOS)
        return RemoveDirectoryW(Path);
    FAnsiPath Ansi(Path);
    return Ansi.Valid && RemoveDirectoryA(Ansi.Text);
}

BOOL WinSetCurrentDirectory(const TCHAR* Path)
{
    if (!Accept(Path))
        return FALSE;
    if (GUnicodeOS)
        return SetCurrentDirectoryW(Path);
    FAnsiPath Ansi(Path);
    return Ansi.Valid && SetCurrentDirectoryA(Ansi.Text);
}

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
    if (!Accept(Pattern))
        return;
    if (Wide)
        Handle = FindFirstFileW(Pattern, &WideData);
    else
    {
        FAnsiPath Ansi(Pattern);
        if (Ansi.Valid)
            Handle = FindFirstFileA(Ansi.Text, &NarrowData);
    }
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
