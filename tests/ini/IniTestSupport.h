// IniTestSupport.h: every ini test runs in a fresh folder of its own, with a file manager
// rooted there installed as GFileManager.
#pragma once
#include "FConfigCacheIni.h"
#include "IniTestFileManager.h"
#include "TestSupport.h"
#include <gtest/gtest.h>
#include <string>

// One for all tests: a file manager's destructor may throw, which no test object's may.
extern FIniTestFileManager GIniTestFileManager;

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

    FIniTestFileManager& FileManager = GIniTestFileManager;
    FString Folder;

private:
    FFileManager* SavedFileManager = NULL;
};
