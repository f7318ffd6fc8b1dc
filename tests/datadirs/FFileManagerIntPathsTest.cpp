// FFileManagerIntPathsTest.cpp: the localization folders loaded from the system ini, and the
// localized files that both file managers then hand to the engine.
#include "DataDirsTestSupport.h"
#include "FFileManagerUserDocuments.h"
#include "SaveDataDirectories.h"

TEST_F(FDataDirsTest, LocalizationFoldersComeFromTheSystemIniInFileOrder)
{
    EXPECT_EQ(Files.Folders(), nullptr);
    std::string TooLong = Narrow(LongPath(TEXT("..\\L"), 300)) + "\\*.int"; // skipped
    WriteInis("[Corvane]\r\nIntPaths=..\\ModA\\System\\*.int\r\nIntPaths=" + TooLong +
                  "\r\nIntPaths=..\\System\\*.int\r\nIntPaths=C:\\*.int\r\n",
              "");
    Files.LoadIntPaths();
    ASSERT_NE(Files.Folders(), nullptr);
    EXPECT_EQ(Texts(*Files.Folders()), (FTexts{"..\\ModA\\System\\", "..\\System\\", "C:\\"}));

    WriteInis("[Core.System]\r\nPaths=..\\System\\*.u\r\n", ""); // no [Corvane]: empty, not missing
    Files.LoadIntPaths();
    ASSERT_NE(Files.Folders(), nullptr);
    EXPECT_EQ(Files.Folders()->Num(), 0);
}

TEST_F(FDataDirsTest, BothFileManagersReadTheLocalizedFileOfAChosenModFolder)
{
    Temp.Write(TEXT("System\\Core.int"), "[General]\r\nYes=Yes\r\n");
    Temp.Write(TEXT("ModA\\System\\Core.int"), "[General]\r\nYes=Ja\r\n");
    Temp.Write(TEXT("ModA\\System\\ModA.int"), "[General]\r\nTitle=Mod A\r\n"); // only in the mod
    SaveDataDirectories(Strings({TEXT("..\\ModA\\System\\*.int"), TEXT("..\\System\\*.int")}));

    FTempDir Documents;
    FFileManagerUserDocuments& Mirrored = *new FFileManagerUserDocuments(*Documents(), *Temp(TEXT("System")));
    for (FFileManagerWindows* Manager : {static_cast<FFileManagerWindows*>(&Files), static_cast<FFileManagerWindows*>(&Mirrored)})
    {
        GFileManager = Manager;
        GConfig->Flush(1);
        Manager->LoadIntPaths();
        EXPECT_EQ(ReadThrough(*Manager, TEXT("Core.int")), "[General]\r\nYes=Ja\r\n");
        EXPECT_STREQ(LocalizeGeneral(TEXT("Yes"), TEXT("Core")), TEXT("Ja")); // what the engine reads
        EXPECT_EQ(Manager->FileSize(TEXT("ModA.int")), 24);
        EXPECT_STREQ(LocalizeGeneral(TEXT("Title"), TEXT("ModA")), TEXT("Mod A"));
    }
    GFileManager = &Files;
    delete &Mirrored;
}
