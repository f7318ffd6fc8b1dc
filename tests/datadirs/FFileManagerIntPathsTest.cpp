// FFileManagerIntPathsTest.cpp: the localization folders loaded from the system ini, and the
// localized files that both file managers then hand to the engine.
#include "DataDirsTestSupport.h"
#include "FFileManagerUserDocuments.h"
#include "SaveDataDirectories.h"

TEST_F(FDataDirsTest, LocalizationFoldersComeFromTheSystemIniInFileOrder)
{
    EXPECT_EQ(Files.LocalizationFolders(), nullptr);
    std::string TooLong = Narrow(LongPath(TEXT("..\\L"), 300)) + "\\*.int";
    WriteInis("[Corvane]\r\nIntPaths=..\\ModA\\System\\*.int\r\nIntPaths=" + TooLong +
                  "\r\nIntPaths=..\\System\\*.int\r\nIntPaths=C:\\*.int\r\n",
              "");
    Files.LoadIntPaths();
    ASSERT_NE(Files.LocalizationFolders(), nullptr);
    EXPECT_EQ(Texts(*Files.LocalizationFolders()), (FTexts{"..\\ModA\\System\\", "..\\System\\", "C:\\"}));

    // Without [Corvane] the list is empty rather than missing.
    WriteInis("[Core.System]\r\nPaths=..\\System\\*.u\r\n", "");
    Files.LoadIntPaths();
    ASSERT_NE(Files.LocalizationFolders(), nullptr);
    EXPECT_EQ(Files.LocalizationFolders()->Num(), 0);
}

TEST_F(FDataDirsTest, BothFileManagersReadTheLocalizedFileOfAChosenModFolder)
{
    WriteGame(TEXT("System\\Core.int"), "[General]\r\nYes=Yes\r\n");
    WriteGame(TEXT("ModA\\System\\Core.int"), "[General]\r\nYes=Ja\r\n");
    Temp.Write(TEXT("Docs\\desktop.ini"), "");
    SaveDataDirectories(Strings({TEXT("..\\ModA\\System\\*.int"), TEXT("..\\System\\*.int")}));

    FFileManagerUserDocuments& Mirrored = *new FFileManagerUserDocuments(*Temp(TEXT("Docs")), *Game(TEXT("System")));
    for (FFileManagerWindows* Manager : {static_cast<FFileManagerWindows*>(&Files), static_cast<FFileManagerWindows*>(&Mirrored)})
    {
        GFileManager = Manager;
        GConfig->Flush(1);
        Manager->LoadIntPaths();
        EXPECT_EQ(ReadThrough(*Manager, TEXT("Core.int")), "[General]\r\nYes=Ja\r\n");
        EXPECT_STREQ(LocalizeGeneral(TEXT("Yes"), TEXT("Core")), TEXT("Ja")); // what the engine reads
    }
    GFileManager = &Files;
    delete &Mirrored;
}
