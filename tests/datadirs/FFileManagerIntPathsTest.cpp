// FFileManagerIntPathsTest.cpp: the localization folders loaded from the system ini, and the
// localized files that both file managers then hand to the engine.
#include "DataDirsTestSupport.h"

namespace
{
// The Win32 file manager with its localization folders in view.
struct FProbeFileManager : FFileManagerWindows
{
    const TArray<FString>* Folders() const { return IntPaths; }
};
} // namespace

TEST_F(FDataDirsTest, BothFileManagersReadTheLocalizedFilesOfTheFoldersInTheSystemIni)
{
    Temp.Write(TEXT("System\\Core.int"), "[General]\r\nYes=Yes\r\n");
    Temp.Write(TEXT("ModA\\System\\Core.int"), "[General]\r\nYes=Ja\r\n");
    Temp.Write(TEXT("ModA\\System\\ModA.int"), "[General]\r\nTitle=Mod A\r\n"); // only in the mod
    std::string TooLong = Narrow(LongPath(TEXT("..\\L"), 300)) + "\\*.int"; // skipped
    const std::string Ini = "[Corvane]\r\nIntPaths=..\\ModA\\System\\*.int\r\nIntPaths=" + TooLong +
                            "\r\nIntPaths=..\\System\\*.int\r\nIntPaths=C:\\*.int\r\n";
    WriteInis(Ini, "");
    FProbeFileManager Probe;
    FTempDir Documents;
    FFileManagerUserDocuments Mirrored(*Documents(), *Temp(TEXT("System")));
    for (FFileManagerWindows* Manager : std::initializer_list<FFileManagerWindows*>{&Probe, &Mirrored})
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
    ASSERT_NE(Probe.Folders(), nullptr);
    EXPECT_EQ(Narrow(*Probe.Folders()), (FTexts{"..\\ModA\\System\\", "..\\System\\", "C:\\"})); // in file order
    GConfig->Flush(0); // only read, so never rewritten
    EXPECT_EQ(Temp.Read(TEXT("System\\Corvane.ini")), Ini);

    WriteInis("[Core.System]\r\nPaths=..\\System\\*.u\r\n", ""); // no [Corvane]: empty, not missing
    Probe.LoadIntPaths();
    ASSERT_NE(Probe.Folders(), nullptr);
    EXPECT_EQ(Probe.Folders()->Num(), 0);
}

TEST_F(FDataDirsTest, TheLocalizedFileComesFromTheFirstFolderThatHasIt)
{
    Temp.Write(TEXT("ModA\\System\\Core.int"), "mod");
    Temp.Write(TEXT("Stock\\Core.det"), "stock det"); // not the current folder: found only by the lookup
    Temp.Write(TEXT("Stock\\Engine.det"), "engine det");
    Temp.Write(TEXT("ModA\\System\\Core"), "not localized");
    Temp.Write(TEXT("ModA\\System\\Core.u"), "not localized");
    FGuardedPath Found;
    EXPECT_FALSE(Files.FindLocalizedFile(Found.Out, TEXT("Core.int"))); // no folders loaded yet
    // The first folder is too deep for any candidate: it is skipped.
    Files.SetIntPaths(Strings({LongPath(Temp(TEXT("L")), 252) + TEXT("\\"), Temp(TEXT("ModA\\System\\")),
                               Temp(TEXT("Stock\\"))}));
    EXPECT_TRUE(Files.FindLocalizedFile(Found.Out, TEXT("Core.int")));
    EXPECT_EQ(FString(Found.Out), Temp(TEXT("ModA\\System\\Core.int")));
    EXPECT_FALSE(Files.FindLocalizedFile(Found.Out, TEXT("Core"))); // not looked for, though it exists
    EXPECT_FALSE(Files.FindLocalizedFile(Found.Out, TEXT("Core.u")));
    EXPECT_FALSE(Files.FindLocalizedFile(Found.Out, *(LongPath(TEXT("x"), 300) + TEXT(".int"))));
    EXPECT_TRUE(Found.Intact());

    // A language file: a higher folder's .int wins over a lower folder's language file.
    UObject::SetLanguage(TEXT("det"));
    EXPECT_EQ(ReadThrough(Files, TEXT("Core.det")), "mod");
    EXPECT_EQ(ReadThrough(Files, TEXT("Engine.DET")), "engine det");
    UObject::SetLanguage(TEXT("int"));
    EXPECT_FALSE(Files.FindLocalizedFile(Found.Out, TEXT("Core.det")));
}
