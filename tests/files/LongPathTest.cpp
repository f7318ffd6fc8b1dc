// LongPathTest.cpp: paths that do not fit a 260-character buffer are refused by every
// operation of both managers, and nothing is written past a buffer.
#include "FileTestSupport.h"
#include "FFileManagerUserDocuments.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <vector>

namespace
{
// A path buffer followed by guard characters that no call may touch.
struct FGuardedPath
{
    TCHAR Out[FILE_PATH_MAX];
    TCHAR Guard[8];

    FGuardedPath() { std::fill(std::begin(Guard), std::end(Guard), TCHAR(0xABCD)); }
    bool Intact() const
    {
        return std::all_of(std::begin(Guard), std::end(Guard), [](TCHAR C) { return C == TCHAR(0xABCD); });
    }
};

// Makes the folders of Path with Win32 itself (they may be too long for MakeDirectory).
void MakeParents(const FString& Path)
{
    for (INT i = 3; i < Path.Len(); i++)
        if (Path[i] == '\\')
            CreateDirectoryW(*Path.Left(i), NULL);
}

std::vector<float> Reports;
void Record(FLOAT Fraction) { Reports.push_back(Fraction); }

struct FLongPathTest : testing::Test
{
    FTempDir Temp;
    FScopedCurrentDir Restore{Temp()};

    void SetUp() override
    {
        Temp.Write(TEXT("Game\\System\\Short.txt"), "short");
        SetCurrentDirectoryW(*Temp(TEXT("Game\\System")));
    }

    void ExpectRefused(FFileManagerWindows& Files, const FString& Long)
    {
        FString Short = Temp(TEXT("Game\\System\\Short.txt"));
        EXPECT_EQ(Files.CreateFileReader(*Long), nullptr);
        EXPECT_EQ(Files.CreateFileWriter(*Long), nullptr);
        EXPECT_EQ(ThrownBy([&] { Files.CreateFileReader(*Long, READFLAG_ReportFailure); }),
                  FString(TEXT("Failed to read file: ")) + Long);
        EXPECT_EQ(ThrownBy([&] { Files.CreateFileWriter(*Long, WRITEFLAG_ReportFailure); }),
                  FString(TEXT("Failed to create file: ")) + Long);
        EXPECT_EQ(Files.FileSize(*Long), -1);
        EXPECT_FALSE(Files.Delete(*Long, 0, 1));
        EXPECT_FALSE(Files.Copy(*Long, *Short));
        EXPECT_FALSE(Files.Copy(*Short, *Long));
        Reports.clear();
        EXPECT_FALSE(Files.Copy(*Long, *Short, 1, 0, 0, Record));
        EXPECT_EQ(Reports, (std::vector<float>{0.f, 1.f}));
        EXPECT_FALSE(Files.Move(*Long, *Short));
        EXPECT_FALSE(Files.Move(*Short, *Long));
        EXPECT_EQ(Temp.Read(TEXT("Game\\System\\Short.txt")), "short");
        EXPECT_FALSE(Files.MakeDirectory(*Long));
        EXPECT_FALSE(Files.MakeDirectory(*Long, 1));
        EXPECT_FALSE(Files.DeleteDirectory(*Long));
        EXPECT_FALSE(Files.DeleteDirectory(*Long, 0, 1));
        EXPECT_EQ(Files.FindFiles(*Long, 1, 1).Num(), 0);
        EXPECT_FALSE(Files.SetDefaultDirectory(*Long));
        for (TCHAR Mode : {'r', 'd', 'w'})
        {
            FGuardedPath Path;
            EXPECT_FALSE(Files.TranslatePath(Path.Out, *Long, Mode));
            EXPECT_STREQ(Path.Out, TEXT(""));
            EXPECT_TRUE(Path.Intact());
        }
    }
};
} // namespace

TEST_F(FLongPathTest, EveryOperationRefusesAPathThatDoesNotFit)
{
    FFileManagerWindows* Plain = new FFileManagerWindows;
    FFileManagerUserDocuments* Mirrored = new FFileManagerUserDocuments(*Temp(TEXT("Docs")), *Temp(TEXT("Game\\System")));
    for (FFileManagerWindows* Files : {Plain, static_cast<FFileManagerWindows*>(Mirrored)})
    {
        ExpectRefused(*Files, LongPath(Temp(TEXT("Game\\System\\L")), 300));
        ExpectRefused(*Files, LongPath(TEXT("..\\L"), 300));
        ExpectRefused(*Files, LongPath(Temp(TEXT("Elsewhere")), 300));
    }
    delete Plain;
    delete Mirrored;
    EXPECT_FALSE(Temp.Exists(TEXT("Game\\System\\L")));
    EXPECT_FALSE(Temp.Exists(TEXT("Game\\L")));
    EXPECT_FALSE(Temp.Exists(TEXT("Docs")));
}

TEST_F(FLongPathTest, TheLongestPathThatFitsIsServed)
{
    FFileManagerWindows Files;
    FString Longest = LongPath(Temp(TEXT("B")), FILE_PATH_MAX - 1), TooLong = Longest + TEXT("c");
    MakeParents(Longest);
    EXPECT_TRUE(WriteThrough(Files, Longest, "fits"));
    EXPECT_EQ(ReadThrough(Files, Longest), "fits");
    EXPECT_FALSE(WriteThrough(Files, TooLong, "does not"));
    EXPECT_NE(GetFileAttributesW(*Longest), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetFileAttributesW(*TooLong), INVALID_FILE_ATTRIBUTES);
}

TEST_F(FLongPathTest, AMirrorPathThatDoesNotFitKeepsWritesOutOfTheInstallation)
{
    // The relative path fits; in the mirror, which lies deeper, it does not.
    FString Relative = LongPath(TEXT("Deep"), FILE_PATH_MAX - 1 - Temp(TEXT("Game\\System\\")).Len());
    FString InInstallation = Temp(TEXT("Game\\System")) * Relative;
    FFileManagerUserDocuments Files(*Temp(TEXT("Docs")), *Temp(TEXT("Game\\System")));
    EXPECT_EQ(Files.CreateFileWriter(*Relative), nullptr);
    EXPECT_FALSE(Files.MakeDirectory(*Relative, 1));
    EXPECT_EQ(GetFileAttributesW(*InInstallation), INVALID_FILE_ATTRIBUTES);

    // What lies in the installation can still be read there.
    FFileManagerWindows Plain;
    MakeParents(InInstallation);
    EXPECT_TRUE(WriteThrough(Plain, InInstallation, "stock"));
    EXPECT_EQ(ReadThrough(Files, Relative), "stock");
    FGuardedPath Path;
    EXPECT_FALSE(Files.TranslatePath(Path.Out, *Relative, 'r'));
    EXPECT_TRUE(Path.Intact());
}

TEST_F(FLongPathTest, LocalizationCandidatesThatDoNotFitAreSkipped)
{
    FFileManagerWindows Files;
    Temp.Write(TEXT("Int\\Core.int"), "found");
    TArray<FString> Folders;
    Folders.AddItem(LongPath(Temp(TEXT("L")), 252) + TEXT("\\"));
    Folders.AddItem(Temp(TEXT("Int\\")));
    Files.SetIntPaths(Folders);
    FGuardedPath Path;
    EXPECT_TRUE(Files.FindLocalizedFile(Path.Out, TEXT("Core.int")));
    EXPECT_EQ(FString(Path.Out), Temp(TEXT("Int\\Core.int")));
    EXPECT_FALSE(Files.FindLocalizedFile(Path.Out, *(LongPath(TEXT("x"), 300) + TEXT(".int"))));
    EXPECT_TRUE(Path.Intact());
}
