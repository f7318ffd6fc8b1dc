// FFileManagerWindows.cpp: the engine's file operations over the Win32 file functions.
#include "FFileManagerWindows.h"
#include <shlwapi.h>
#include <stdlib.h>

namespace
{
// Windows lists only names without an extension for a pattern ending in "*."; Wine lists
// every name, so the listing keeps the Windows meaning itself.
bool MatchesNoExtensionOnly(const TCHAR* Pattern)
{
    INT Len = appStrlen(Pattern);
    return Len >= 2 && Pattern[Len - 1] == '.' && Pattern[Len - 2] == '*';
}
} // namespace

FFileManagerWindows::FFileManagerWindows() : IntPaths(NULL) {}

void* FFileManagerWindows::operator new(size_t Size) { return malloc(Size); }

void FFileManagerWindows::operator delete(void* Ptr) { free(Ptr); }

FFileManagerWindows::~FFileManagerWindows() noexcept(false)
{
    if (IntPaths)
    {
        IntPaths->~TArray<FString>();
        appFree(IntPaths);
    }
}

FArchive* FFileManagerWindows::CreateFileReader(const TCHAR* Filename, DWORD ReadFlags, FOutputDevice* Error)
{
    guard(FFileManagerWindows::CreateFileReader);
    TCHAR Localized[FILE_PATH_MAX];
    return OpenReader(FindLocalizedFile(Localized, Filename) ? Localized : Filename, ReadFlags, Error);
    unguard;
}

FArchive* FFileManagerWindows::FailReader(const TCHAR* Filename, DWORD ReadFlags)
{
    if (ReadFlags & READFLAG_ReportFailure)
        appErrorf(TEXT("Failed to read file: %s"), Filename);
    return NULL;
}

FArchive* FFileManagerWindows::FailWriter(const TCHAR* Filename, DWORD WriteFlags)
{
    if (WriteFlags & WRITEFLAG_ReportFailure)
        appErrorf(TEXT("Failed to create file: %s"), Filename);
    return NULL;
}

FArchive* FFileManagerWindows::OpenReader(const TCHAR* Filename, DWORD ReadFlags, FOutputDevice* Error)
{
    HANDLE Handle = WinCreateFile(Filename, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
    if (Handle == INVALID_HANDLE_VALUE)
        return FailReader(Filename, ReadFlags);
    void* Memory = FArchive::operator new(sizeof(FArchiveFileReader), TEXT("WindowsFileReader"));
    if (!Memory)
    {
        CloseHandle(Handle);
        return NULL;
    }
    return ::new (Memory) FArchiveFileReader(Handle, Error, INT(GetFileSize(Handle, NULL)));
}

FArchive* FFileManagerWindows::CreateFileWriter(const TCHAR* Filename, DWORD WriteFlags, FOutputDevice* Error)
{
    guard(FFileManagerWindows::CreateFileWriter);
    return OpenWriter(Filename, WriteFlags, Error);
    unguard;
}

FArchive* FFileManagerWindows::OpenWriter(const TCHAR* Filename, DWORD WriteFlags, FOutputDevice* Error)
{
    if (WriteFlags & WRITEFLAG_OverrideReadOnly)
        WinSetFileAttributes(Filename, 0);
    DWORD Share = (WriteFlags & WRITEFLAG_ShareRead) ? FILE_SHARE_READ : 0;
    DWORD Creation = (WriteFlags & WRITEFLAG_ExistingOnly)   ? OPEN_EXISTING
                     : (WriteFlags & WRITEFLAG_Append)       ? OPEN_ALWAYS
                     : (WriteFlags & WRITEFLAG_KeepExisting) ? CREATE_NEW
                                                             : CREATE_ALWAYS;
    HANDLE Handle = WinCreateFile(Filename, GENERIC_WRITE, Share, Creation);
    if (Handle == INVALID_HANDLE_VALUE)
        return FailWriter(Filename, WriteFlags);
    INT Pos = 0;
    if (WriteFlags & WRITEFLAG_Append)
        Pos = INT(SetFilePointer(Handle, 0, NULL, FILE_END));
    void* Memory = FArchive::operator new(sizeof(FArchiveFileWriter), TEXT("WindowsFileWriter"));
    if (!Memory)
    {
        CloseHandle(Handle);
        return NULL;
    }
    return ::new (Memory) FArchiveFileWriter(Handle, Error, Pos);
}

INT FFileManagerWindows::FileSize(const TCHAR* Filename)
{
    guard(FFileManagerWindows::FileSize);
    // The file that reading would open: a mod's localization file counts as there.
    TCHAR Localized[FILE_PATH_MAX];
    return SizeOf(FindLocalizedFile(Localized, Filename) ? Localized : Filename);
    unguard;
}

INT FFileManagerWindows::SizeOf(const TCHAR* Filename)
{
    HANDLE Handle = WinCreateFile(Filename, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
    if (Handle == INVALID_HANDLE_VALUE)
        return -1;
    INT Size = INT(GetFileSize(Handle, NULL));
    CloseHandle(Handle);
    return Size;
}

UBOOL FFileManagerWindows::Delete(const TCHAR* Filename, UBOOL RequireExists, UBOOL EvenReadOnly)
{
    guard(FFileManagerWindows::Delete);
    if (EvenReadOnly)
        WinSetFileAttributes(Filename, FILE_ATTRIBUTE_NORMAL);
    return WinDeleteFile(Filename) || (!RequireExists && GetLastError() == ERROR_FILE_NOT_FOUND);
    unguard;
}

UBOOL FFileManagerWindows::Copy(const TCHAR* Dest, const TCHAR* Src, UBOOL Replace, UBOOL EvenIfReadOnly,
                                UBOOL Attributes, FCopyProgress Progress)
{
    if (EvenIfReadOnly)
        WinSetFileAttributes(Dest, 0);
    UBOOL Result = Progress ? FFileManagerGeneric::Copy(Dest, Src, Replace, EvenIfReadOnly, Attributes, Progress)
                            : WinCopyFile(Src, Dest, !Replace);
    // A copied read-only file becomes writable unless the caller keeps its attributes.
    if (Result && !Attributes)
        WinSetFileAttributes(Dest, 0);
    return Result;
}

UBOOL FFileManagerWindows::Move(const TCHAR* Dest, const TCHAR* Src, UBOOL, UBOOL, UBOOL)
{
    guard(FFileManagerWindows::Move);
    // The destination is replaced in the same step as the move, so a move that fails (a
    // missing or locked source) leaves it as it was; only a read-only mark is lifted first.
    WinSetFileAttributes(Dest, FILE_ATTRIBUTE_NORMAL);
    if (WinMoveFile(Src, Dest))
        return 1;
    ReportMoveFailure(Dest, Src);
    return 0;
    unguard;
}

void FFileManagerWindows::ReportMoveFailure(const TCHAR* Dest, const TCHAR* Src)
{
    GLog->Logf(NAME_Warning, TEXT("Error moving file '%s' to '%s'"), Src, Dest);
}

SQWORD FFileManagerWindows::GetTimestamp(const TCHAR*) { return 0; }

UBOOL FFileManagerWindows::SetTimestamp(const TCHAR*) { return 0; }

UBOOL FFileManagerWindows::MakeDirectory(const TCHAR* Path, UBOOL Tree)
{
    guard(FFileManagerWindows::MakeDirectory);
    if (Tree)
        return FFileManagerGeneric::MakeDirectory(Path, Tree);
    return WinCreateDirectory(Path) || GetLastError() == ERROR_ALREADY_EXISTS;
    unguard;
}

UBOOL FFileManagerWindows::DeleteDirectory(const TCHAR* Path, UBOOL RequireExists, UBOOL Tree)
{
    guard(FFileManagerWindows::DeleteDirectory);
    if (Tree)
        return FFileManagerGeneric::DeleteDirectory(Path, RequireExists, Tree);
    return WinRemoveDirectory(Path) || (!RequireExists && GetLastError() == ERROR_FILE_NOT_FOUND);
    unguard;
}

TArray<FString> FFileManagerWindows::FindFiles(const TCHAR* Pattern, UBOOL Files, UBOOL Directories)
{
    guard(FFileManagerWindows::FindFiles);
    TArray<FString> Result;
    bool NoExtensionOnly = MatchesNoExtensionOnly(Pattern);
    FFileSearch Search(Pattern);
    while (Search.Next())
        if (!Search.IsDotEntry() && (Search.IsDirectory() ? Directories : Files) &&
            (!NoExtensionOnly || !*PathFindExtensionW(Search.Name())))
            Result.AddItem(FString(Search.Name()));
    return Result;
    unguard;
}

UBOOL FFileManagerWindows::SetDefaultDirectory(const TCHAR* Path)
{
    guard(FFileManagerWindows::SetDefaultDirectory);
    return WinSetCurrentDirectory(Path);
    unguard;
}

FString FFileManagerWindows::GetDefaultDirectory()
{
    guard(FFileManagerWindows::GetDefaultDirectory);
    return WinGetCurrentDirectory();
    unguard;
}

void FFileManagerWindows::Init() {}

bool FFileManagerWindows::TranslatePath(TCHAR (&Out)[FILE_PATH_MAX], const TCHAR* Path, TCHAR)
{
    return CopyPath(Out, Path);
}
