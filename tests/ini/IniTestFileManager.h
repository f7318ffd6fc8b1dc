// IniTestFileManager.h: a small file manager over Win32 for the ini tests, with relative
// names resolved against its default folder.
#pragma once
#include "Core.h"

class FIniTestFileManager : public FFileManager
{
public:
    FArchive* CreateFileReader(const TCHAR* Filename, DWORD ReadFlags = 0, FOutputDevice* Error = NULL) override;
    FArchive* CreateFileWriter(const TCHAR* Filename, DWORD WriteFlags = 0, FOutputDevice* Error = NULL) override;
    INT FileSize(const TCHAR* Filename) override;
    UBOOL Delete(const TCHAR* Filename, UBOOL RequireExists = 0, UBOOL EvenReadOnly = 0) override;
    UBOOL Copy(const TCHAR* Dest, const TCHAR* Src, UBOOL Replace = 1, UBOOL EvenIfReadOnly = 0, UBOOL Attributes = 0, FCopyProgress Progress = NULL) override;
    UBOOL Move(const TCHAR* Dest, const TCHAR* Src, UBOOL Replace = 1, UBOOL EvenIfReadOnly = 0, UBOOL Attributes = 0) override;
    SQWORD GetTimestamp(const TCHAR* Filename) override;
    UBOOL SetTimestamp(const TCHAR* Filename) override;
    UBOOL MakeDirectory(const TCHAR* Path, UBOOL Tree = 0) override;
    UBOOL DeleteDirectory(const TCHAR* Path, UBOOL RequireExists = 0, UBOOL Tree = 0) override;
    TArray<FString> FindFiles(const TCHAR* Pattern, UBOOL Files, UBOOL Directories) override;
    UBOOL SetDefaultDirectory(const TCHAR* Path) override;
    FString GetDefaultDirectory() override;

    // The absolute path of a name.
    FString FullPath(const TCHAR* Filename) const;

private:
    FString Directory;
};
