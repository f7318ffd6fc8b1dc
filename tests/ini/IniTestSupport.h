// IniTestSupport.h: every ini test runs in a fresh folder of its own, which is the file
// manager's default folder while the test runs.
#pragma once
#include "FConfigCacheIni.h"
#include "FFileManagerWindows.h"
#include "TestSupport.h"
#include <gtest/gtest.h>
#include <string>

// The Win32 file manager, refusing to write a read-only file as Windows does: Wine run by
// root writes them.
class FIniTestFileManager : public FFileManagerWindows
{
public:
    FArchive* CreateFileWriter(const TCHAR* Filename, DWORD WriteFlags = 0, FOutputDevice* Error = NULL) override;
};

class FIniTest : public testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Whole files as bytes, by name in the test's folder.
    void WriteBytes(const TCHAR* Filename, const std::string& Bytes);
    std::string ReadBytes(const TCHAR* Filename);
    bool Exists(const TCHAR* Filename);
    // What FConfigFile writes after reading Bytes.
    std::string Rewritten(const std::string& Bytes);

    // Made with malloc like every file manager, and deleted by TearDown.
    FIniTestFileManager& FileManager = *new FIniTestFileManager;
    FString Folder;

private:
    FFileManager* SavedFileManager = NULL;
    FString SavedDirectory;
};
