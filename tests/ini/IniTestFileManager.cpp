// IniTestFileManager.cpp: whole-file reads and writes through Win32 handles.
#include "IniTestFileManager.h"
#include <shlwapi.h>

namespace
{
class FHandleArchive : public FArchive
{
public:
    FHandleArchive(HANDLE InHandle, UBOOL Loading) : Handle(InHandle)
    {
        ArIsLoading = Loading;
        ArIsSaving = !Loading;
    }
    ~FHandleArchive() noexcept(false) override { Close(); }
    void Serialize(void* V, INT Length) override
    {
        DWORD Done = 0;
        UBOOL Ok = ArIsLoading ? ReadFile(Handle, V, DWORD(Length), &Done, NULL)
                               : WriteFile(Handle, V, DWORD(Length), &Done, NULL);
        if (!Ok || Done != DWORD(Length))
            ArIsError = 1;
    }
    INT TotalSize() override { return INT(GetFileSize(Handle, NULL)); }
    UBOOL Close() override
    {
        if (Handle != INVALID_HANDLE_VALUE && !CloseHandle(Handle))
            ArIsError = 1;
        Handle = INVALID_HANDLE_VALUE;
        return !ArIsError;
    }

private:
    HANDLE Handle;
};
} // namespace

FString FIniTestFileManager::FullPath(const TCHAR* Filename) const
{
    return PathIsRelativeW(Filename) ? Directory * Filename : FString(Filename);
}

FArchive* FIniTestFileManager::CreateFileReader(const TCHAR* Filename, DWORD, FOutputDevice*)
{
    HANDLE Handle = CreateFileW(*FullPath(Filename), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    return Handle == INVALID_HANDLE_VALUE ? NULL : new (TEXT("FHandleArchive")) FHandleArchive(Handle, 1);
}

FArchive* FIniTestFileManager::CreateFileWriter(const TCHAR* Filename, DWORD WriteFlags, FOutputDevice*)
{
    FString Path = FullPath(Filename);
    // Windows refuses to write a read-only file; Wine run by root does not, so ask first.
    DWORD Attributes = GetFileAttributesW(*Path);
    if (WriteFlags & WRITEFLAG_OverrideReadOnly)
        SetFileAttributesW(*Path, FILE_ATTRIBUTE_NORMAL);
    else if (Attributes != INVALID_FILE_ATTRIBUTES && (Attributes & FILE_ATTRIBUTE_READONLY))
        return NULL;
    DWORD Disposition = (WriteFlags & WRITEFLAG_Append) ? OPEN_ALWAYS : CREATE_ALWAYS;
    HANDLE Handle = CreateFileW(*Path, GENERIC_WRITE, 0, NULL, Disposition, 0, NULL);
    if (Handle == INVALID_HANDLE_VALUE)
        return NULL;
    if (WriteFlags & WRITEFLAG_Append)
        SetFilePointer(Handle, 0, NULL, FILE_END);
    return new (TEXT("FHandleArchive")) FHandleArchive(Handle, 0);
}

INT FIniTestFileManager::FileSize(const TCHAR* Filename)
{
    FArchive* Reader = CreateFileReader(Filename);
    if (!Reader)
        return -1;
    INT Size = Reader->TotalSize();
    delete Reader;
    return Size;
}

UBOOL FIniTestFileManager::Delete(const TCHAR* Filename, UBOOL RequireExists, UBOOL EvenReadOnly)
{
    FString Path = FullPath(Filename);
    if (EvenReadOnly)
        SetFileAttributesW(*Path, FILE_ATTRIBUTE_NORMAL);
    return DeleteFileW(*Path) || (!RequireExists && GetFileAttributesW(*Path) == INVALID_FILE_ATTRIBUTES);
}

UBOOL FIniTestFileManager::Copy(const TCHAR* Dest, const TCHAR* Src, UBOOL Replace, UBOOL, UBOOL, FCopyProgress)
{
    return CopyFileW(*FullPath(Src), *FullPath(Dest), !Replace);
}

UBOOL FIniTestFileManager::Move(const TCHAR* Dest, const TCHAR* Src, UBOOL Replace, UBOOL, UBOOL)
{
    return MoveFileExW(*FullPath(Src), *FullPath(Dest), Replace ? MOVEFILE_REPLACE_EXISTING : 0);
}

SQWORD FIniTestFileManager::GetTimestamp(const TCHAR* Filename)
{
    WIN32_FILE_ATTRIBUTE_DATA Data;
    if (!GetFileAttributesExW(*FullPath(Filename), GetFileExInfoStandard, &Data))
        return -1;
    return SQWORD((QWORD(Data.ftLastWriteTime.dwHighDateTime) << 32) | Data.ftLastWriteTime.dwLowDateTime);
}

UBOOL FIniTestFileManager::SetTimestamp(const TCHAR* Filename)
{
    HANDLE Handle = CreateFileW(*FullPath(Filename), FILE_WRITE_ATTRIBUTES, 0, NULL, OPEN_EXISTING, 0, NULL);
    if (Handle == INVALID_HANDLE_VALUE)
        return 0;
    FILETIME Now;
    GetSystemTimeAsFileTime(&Now);
    UBOOL Ok = SetFileTime(Handle, NULL, NULL, &Now);
    CloseHandle(Handle);
    return Ok;
}

UBOOL FIniTestFileManager::MakeDirectory(const TCHAR* Path, UBOOL)
{
    return CreateDirectoryW(*FullPath(Path), NULL) || GetLastError() == ERROR_ALREADY_EXISTS;
}

UBOOL FIniTestFileManager::DeleteDirectory(const TCHAR* Path, UBOOL RequireExists, UBOOL Tree)
{
    FString Full = FullPath(Path);
    if (Tree)
    {
        for (const FString& Name : FindFiles(*(Full * TEXT("*")), 1, 0))
            Delete(*(Full * Name), 0, 1);
        for (const FString& Name : FindFiles(*(Full * TEXT("*")), 0, 1))
            DeleteDirectory(*(Full * Name), 0, 1);
    }
    return RemoveDirectoryW(*Full) || (!RequireExists && GetFileAttributesW(*Full) == INVALID_FILE_ATTRIBUTES);
}

TArray<FString> FIniTestFileManager::FindFiles(const TCHAR* Pattern, UBOOL Files, UBOOL Directories)
{
    TArray<FString> Result;
    WIN32_FIND_DATAW Data;
    HANDLE Find = FindFirstFileW(*FullPath(Pattern), &Data);
    if (Find == INVALID_HANDLE_VALUE)
        return Result;
    do
    {
        UBOOL IsDirectory = (Data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        if (appStrcmp(Data.cFileName, TEXT(".")) && appStrcmp(Data.cFileName, TEXT("..")) &&
            (IsDirectory ? Directories : Files))
            Result.AddItem(FString(Data.cFileName));
    } while (FindNextFileW(Find, &Data));
    FindClose(Find);
    return Result;
}

UBOOL FIniTestFileManager::SetDefaultDirectory(const TCHAR* Path)
{
    Directory = Path;
    return 1;
}

FString FIniTestFileManager::GetDefaultDirectory() { return Directory; }
