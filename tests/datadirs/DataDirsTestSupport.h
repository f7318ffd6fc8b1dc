// DataDirsTestSupport.h: a game installation in a temporary folder (Temp is its root, its
// System folder the current one) with the engine's file manager, configuration cache and
// system object over it, as the program has them after start-up.
#pragma once
#include "FileTestSupport.h"
#include "FConfigCacheIni.h"
#include <gtest/gtest.h>
#include <initializer_list>
#include <string>
#include <vector>

using FTexts = std::vector<std::string>;
FTexts Texts(const TArray<FString>& Strings);
TArray<FString> Strings(std::initializer_list<const TCHAR*> Texts);

class FDataDirsTest : public testing::Test
{
protected:
    // The Win32 file manager with its localization folders in view.
    struct FProbeFileManager : FFileManagerWindows
    {
        const TArray<FString>* Folders() const { return IntPaths; }
    };

    void SetUp() override;
    void TearDown() override;
    // Writes the system ini (Corvane.ini) and default.ini ("": none) anew and drops the
    // cached copies.
    void WriteInis(const std::string& SystemIni, const std::string& DefaultIni);

    FTempDir Temp;
    FScopedCurrentDir Restore{Temp()};
    FProbeFileManager& Files = *new FProbeFileManager; // from malloc, as every file manager

private:
    FFileManager* SavedFileManager = NULL;
    FConfigCache* SavedConfig = NULL;
    USystem* SavedSys = NULL;
};
