// Tests of the core's localized texts, read from the sample game's .int files through the cache.
#include "TestFiles.h"
#include <shlwapi.h>

using FLocalizeTest = FTempFolderTest;

TEST_F(FLocalizeTest, LocalizedTextsComeFromIntFilesAndMissingOnesFromAPlaceholder)
{
    // The staged game lies beside the tests: ..\game\System.
    TCHAR Tests[MAX_PATH];
    GetModuleFileNameW(NULL, Tests, ARRAY_COUNT(Tests));
    PathRemoveFileSpecW(Tests);
    ASSERT_TRUE(Files.SetDefaultDirectory(*(FString(Tests) * TEXT("..\\game\\System"))));
    StartConfig(TEXT("Corvane.ini"));

    EXPECT_STREQ(TEXT("Error writing to file"), LocalizeError(TEXT("WriteFailed"), TEXT("Core")));
    EXPECT_STREQ(TEXT("Yes"), LocalizeGeneral(TEXT("Yes"), TEXT("Core")));
    EXPECT_STREQ(TEXT("Critical Error"), Localize(TEXT("Errors"), TEXT("Critical"), TEXT("Window")));
    EXPECT_STREQ(TEXT("Starting the game."), Localize(TEXT("General"), TEXT("Start"), TEXT("Launch"), TEXT("det")));

    EXPECT_STREQ(TEXT("<?int?Core.Errors.NoSuchKey?>"), LocalizeError(TEXT("NoSuchKey"), TEXT("Core")));
    EXPECT_STREQ(TEXT("<?int?Launch.Errors.Start?>"), LocalizeError(TEXT("Start"), TEXT("Launch")));
    EXPECT_STREQ(TEXT("<?int?NoSuchPackage.General.Yes?>"), LocalizeGeneral(TEXT("Yes"), TEXT("NoSuchPackage")));
    EXPECT_STREQ(TEXT(""), Localize(TEXT("General"), TEXT("Nope"), TEXT("Core"), NULL, 1));
}
