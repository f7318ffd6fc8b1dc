// DataDirsTestSupport.h: a game installation in a temporary folder (Game, its System folder
// the current one) with the engine's file manager, configuration cache and system object
// over it, as the program has them after start-up.
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

// The Win32 file manager with its localization folders in view.
class FProbeFileManager : public FFileManagerWindows
{
public:
    const TArray<FString>* LocalizationFolders() const { return IntPaths; }
};

class FDataDirsTest : public testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Paths and files below the installation folder.
    FString Game(const TCHAR* Relative = TEXT("")) const;
    void WriteGame(const TCHAR* Relative, const std::string& Bytes) const;
    std::string ReadGame(const TCHAR* Relative) const;
    // Writes the system ini (Corvane.ini) and default.ini anew and drops the cached copies.
    void WriteInis(const std::string& SystemIni, const std::string& DefaultIni);

    FTempDir Temp;
    FScopedCurrentDir Restore{Temp()};
    FProbeFileManager& Files = *new FProbeFileManager; // from malloc, as every file manager

private:
    FFileManager* SavedFileManager = NULL;
    FConfigCache* SavedConfig = NULL;
    USystem* SavedSys = NULL;
};
