// FFileManagerIntPathsTest.cpp: the localization folders loaded from the system ini, the
// lookup of a localized file in them, and what both file managers then hand to the engine.
#include "DataDirsTestSupport.h"

namespace
{
// The Win32 file manager with its localization folders in view.
struct FProbeFileManager : FFileManagerWindows
{
    const TArray<FString>* Folders() const { return IntPaths; }
};
} // namespace

TEST_F(FDataDirsTest, TheLocalizedFileComesFromTheFirstFolderOfTheSystemIniThatHasIt)
{
    Temp.Write(TEXT("System\\Core.int"), "[General]\r\nYes=Yes\r\n");
    Temp.Write(TEXT("ModA\\System\\Core.int"), "[General]\r\nYes=Ja\r\n");
    Temp.Write(TEXT("ModA\\System\\ModA.int"), "[General]\r\nTitle=Mod A\r\n"); // only in the mod
    Temp.Write(TEXT("Stock\\Core.det"), "stock det");
    Temp.Write(TEXT("Stock\\Engine.det"), "engine det");
    Temp.Write(TEXT("ModA\\System\\Core"), "not localized");
    Temp.Write(TEXT("ModA\\System\\Core.u"), "not localized");
    // One folder too deep for any candidate, one entry too long to name a folder: both skipped.
    std::string TooLong = Narrow(LongPath(TEXT("..\\L"), 300)), Deep = Narrow(LongPath(TEXT("..\\D"), 252));
    const std::string Ini = "[Corvane]\r\nIntPaths=" + Deep + "\\*.int\r\nIntPaths=..\\ModA\\System\\*.int\r\nIntPaths=" +
                            TooLong + "\\*.int\r\nIntPaths=..\\System\\*.int\r\nIntPaths=..\\Stock\\*.int\r\nIntPaths=C:\\*.int\r\n";
    WriteInis(Ini, "");
    FProbeFileManager Probe;
    FGuardedPath Found;
    EXPECT_FALSE(Probe.FindLocalizedFile(Found.Out, TEXT("Core.int"))); // no folders loaded yet
    FTempDir Documents;
    FFileManagerUserDocuments Mirrored(*Documents(), *Temp(TEXT("System")));
    for (FFileManagerWindows* Manager : std::initializer_list<FFileManagerWindows*>{&Probe, &Mirrored})
    {
        GFileManager = Manager;
        GConfig->Flush(1);
        Manager->LoadIntPaths();
        EXPECT_STREQ(LocalizeGeneral(TEXT("Yes"), TEXT("Core")), TEXT("Ja")); // what the engine reads
        EXPECT_EQ(Manager->FileSize(TEXT("ModA.int")), 24);
        EXPECT_STREQ(LocalizeGeneral(TEXT("Title"), TEXT("ModA")), TEXT("Mod A"));
    }
    GFileManager = &Files;
    ASSERT_NE(Probe.Folders(), nullptr);
    EXPECT_EQ(Narrow(*Probe.Folders()), (FTexts{Deep + "\\", "..\\ModA\\System\\", "..\\System\\", "..\\Stock\\", "C:\\"}));
    GConfig->Flush(0); // only read, so never rewritten
    EXPECT_EQ(Temp.Read(TEXT("System\\Corvane.ini")), Ini);

    EXPECT_TRUE(Probe.FindLocalizedFile(Found.Out, TEXT("Core.int")));
    EXPECT_STREQ(Found.Out, TEXT("..\\ModA\\System\\Core.int"));
    EXPECT_FALSE(Probe.FindLocalizedFile(Found.Out, TEXT("Core"))); // not looked for, though it exists
    EXPECT_FALSE(Probe.FindLocalizedFile(Found.Out, TEXT("Core.u")));
    EXPECT_FALSE(Probe.FindLocalizedFile(Found.Out, *(LongPath(TEXT("x"), 300) + TEXT(".int"))));
    EXPECT_TRUE(Found.Intact());
    // A language file: a higher folder's .int wins over a lower folder's language file.
    UObject::SetLanguage(TEXT("det"));
    EXPECT_EQ(ReadThrough(Probe, TEXT("Core.det")), "[General]\r\nYes=Ja\r\n");
    EXPECT_EQ(ReadThrough(Probe, TEXT("Engine.DET")), "engine det");
    UObject::SetLanguage(TEXT("int"));
    EXPECT_FALSE(Probe.FindLocalizedFile(Found.Out, TEXT("Core.det")));

    WriteInis("[Core.System]\r\nPaths=..\\System\\*.u\r\n", ""); // no [Corvane]: empty, not missing
    Probe.LoadIntPaths();
    ASSERT_NE(Probe.Folders(), nullptr);
    EXPECT_EQ(Probe.Folders()->Num(), 0);
}
