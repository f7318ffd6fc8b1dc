// LongPathTest.cpp: paths that do not fit a 260-character buffer are refused by every
// operation of both managers, and nothing is written past a buffer.
#include "TestFiles.h"

namespace
{
std::vector<float> Reports;
void Record(FLOAT Fraction) { Reports.push_back(Fraction); }

struct FLongPathTest : FMirroredGameTest
{
    void ExpectRefused(FFileManagerWindows& Manager, const FString& Long)
    {
        FString Short = Temp(TEXT("Game\\System\\Default.ini"));
        EXPECT_EQ(ThrownBy([&] { Manager.CreateFileReader(*Long, READFLAG_ReportFailure); }),
                  FString(TEXT("Failed to read file: ")) + Long);
        EXPECT_EQ(ThrownBy([&] { Manager.CreateFileWriter(*Long, WRITEFLAG_ReportFailure); }),
                  FString(TEXT("Failed to create file: ")) + Long);
        EXPECT_EQ(Manager.FileSize(*Long), -1);
        EXPECT_FALSE(Manager.Delete(*Long, 0, 1));
        EXPECT_FALSE(Manager.Copy(*Long, *Short));
        EXPECT_FALSE(Manager.Copy(*Short, *Long));
        Reports.clear(); // the mirror refuses it before the copy starts: still from 0 to 1
        EXPECT_FALSE(Manager.Copy(*Long, *Short, 1, 0, 0, Record));
        EXPECT_EQ(Reports, (std::vector<float>{0.f, 1.f}));
        EXPECT_FALSE(Manager.Move(*Long, *Short));
        EXPECT_FALSE(Manager.Move(*Short, *Long));
        EXPECT_EQ(Temp.Read(TEXT("Game\\System\\Default.ini")), "stock");
        EXPECT_FALSE(Manager.MakeDirectory(*Long));
        EXPECT_FALSE(Manager.MakeDirectory(*Long, 1));
        EXPECT_FALSE(Manager.DeleteDirectory(*Long));
        EXPECT_FALSE(Manager.DeleteDirectory(*Long, 0, 1));
        EXPECT_EQ(Manager.FindFiles(*Long, 1, 1).Num(), 0);
        EXPECT_FALSE(Manager.SetDefaultDirectory(*Long));
        for (TCHAR Mode : {'r', 'd', 'w'})
        {
            FGuardedPath Path;
            EXPECT_FALSE(Manager.TranslatePath(Path.Out, *Long, Mode));
            EXPECT_STREQ(Path.Out, TEXT(""));
            EXPECT_TRUE(Path.Intact());
        }
    }
};
} // namespace

TEST_F(FLongPathTest, EveryOperationRefusesAPathThatDoesNotFit)
{
    for (FFileManagerWindows* Manager : {&Files, static_cast<FFileManagerWindows*>(&Mirror)})
    {
        ExpectRefused(*Manager, LongPath(Temp(TEXT("Game\\System\\L")), 300));
        ExpectRefused(*Manager, LongPath(TEXT("..\\L"), 300));
        ExpectRefused(*Manager, LongPath(Temp(TEXT("Elsewhere")), 300));
    }
    EXPECT_FALSE(Temp.Exists(TEXT("Game\\System\\L")));
    EXPECT_FALSE(Temp.Exists(TEXT("Game\\L")));
    EXPECT_FALSE(Temp.Exists(TEXT("Docs\\Veltra")));
}

TEST_F(FLongPathTest, TheLongestPathThatFitsIsServed)
{
    FString Relative = LongPath(TEXT("B"), FILE_PATH_MAX - 2 - Temp().Len());
    FString Longest = Temp(*Relative), TooLong = Longest + TEXT("c");
    Temp.Write(*Relative, "");
    EXPECT_TRUE(WriteThrough(Files, Longest, "fits"));
    EXPECT_EQ(ReadThrough(Files, Longest), "fits");
    EXPECT_FALSE(WriteThrough(Files, TooLong, "does not"));
    EXPECT_EQ(GetFileAttributesW(*TooLong), INVALID_FILE_ATTRIBUTES);
}

TEST_F(FLongPathTest, AMirrorPathThatDoesNotFitKeepsWritesOutOfTheInstallation)
{
    // The relative path fits; in the mirror, which lies deeper, it does not.
    FString Relative = LongPath(TEXT("Deep"), FILE_PATH_MAX - 1 - Temp(TEXT("Game\\System\\")).Len());
    FString InInstallation = FString(TEXT("Game\\System\\")) + Relative;
    EXPECT_EQ(Mirror.CreateFileWriter(*Relative), nullptr);
    EXPECT_FALSE(Mirror.MakeDirectory(*Relative, 1));
    EXPECT_FALSE(Temp.Exists(*InInstallation));

    // What lies in the installation can still be read there.
    Temp.Write(*InInstallation, "stock");
    EXPECT_EQ(ReadThrough(Mirror, Relative), "stock");
    FGuardedPath Path;
    EXPECT_FALSE(Mirror.TranslatePath(Path.Out, *Relative, 'r'));
    EXPECT_TRUE(Path.Intact());
}
