// TestFileManager.h: a small file manager of the core tests' own, enough for the log file
// device (it creates writers and reports which flags it was asked for).
#pragma once
#include "TestSupport.h"

class FTestFileManager : public FFileManager
{
public:
    TArray<DWORD> WriterFlags; // the flags of every writer asked for, in order

    ~FTestFileManager() noexcept override {}

    FArchive* CreateFileReader(const TCHAR*, DWORD, FOutputDevice*) override { return NULL; }
    FArchive* CreateFileWriter(const TCHAR* Filename, DWORD WriteFlags, FOutputDevice* Error) override;
    INT FileSize(const TCHAR*) override { return -1; }
    UBOOL Delete(const TCHAR* Filename, UBOOL, UBOOL) override { return DeleteFileW(Filename); }
    UBOOL Copy(const TCHAR*, const TCHAR*, UBOOL, UBOOL, UBOOL, FCopyProgress) override { return 0; }
    UBOOL Move(const TCHAR*, const TCHAR*, UBOOL, UBOOL, UBOOL) override { return 0; }
    SQWORD GetTimestamp(const TCHAR*) override { return 0; }
    UBOOL SetTimestamp(const TCHAR*) override { return 0; }
    UBOOL MakeDirectory(const TCHAR* Path, UBOOL) override { return CreateDirectoryW(Path, NULL); }
    UBOOL DeleteDirectory(const TCHAR* Path, UBOOL, UBOOL) override { return RemoveDirectoryW(Path); }
    TArray<FString> FindFiles(const TCHAR*, UBOOL, UBOOL) override { return TArray<FString>(); }
    UBOOL SetDefaultDirectory(const TCHAR* Path) override { return SetCurrentDirectoryW(Path); }
    FString GetDefaultDirectory() override { return FString(); }
};
