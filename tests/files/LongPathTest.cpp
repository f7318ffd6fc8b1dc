// LongPathTest.cpp: paths that do not fit a 260-character buffer are refused by every
// operation of both managers, and nothing is written past a buffer.
#include "TestFiles.h"

namespace
{
std::vector<float> Reports;
void Record(FLOAT Fraction) { Reports.push_back(Fraction); }

using FLongPathTest = FMirroredGameTest;

// One letter for each operation on Long: 'y' where it failed as for a missing file.
std::string Refusals(FFileManagerWindows& Manager, const FString& Long, const FString& Short)
{
    std::string Result;
    Reports.clear();
    for (bool Refused : {
             ThrownBy([&] { Manager.CreateFileReader(*Long, READFLAG_ReportFailure); }) == TEXT("Failed to read file: ") + Long,
             ThrownBy([&] { Manager.CreateFileWriter(*Long, WRITEFLAG_ReportFailure); }) == TEXT("Failed to create file: ") + Long,
             Manager.FileSize(*Long) == -1, !Manager.Delete(*Long, 0, 1), !Manager.Copy(*Long, *Short),
             !Manager.Copy(*Short, *Long), !Manager.Move(*Long, *Short), !Manager.Move(*Short, *Long),
             !Manager.MakeDirectory(*Long), !Manager.MakeDirectory(*Long, 1), !Manager.DeleteDirectory(*Long),
             !Manager.DeleteDirectory(*Long, 0, 1), Manager.FindFiles(*Long, 1, 1).Num() == 0,
             !Manager.SetDefaultDirectory(*Long),
             // The mirror refuses it before the copy starts: the progress still goes from 0 to 1.
             !Manager.Copy(*Long, *Short, 1, 0, 0, Record) && Reports == std::vector<float>{0.f, 1.f}})
        Result += Refused ? 'y' : 'n';
    FGuardedPath Path;
    for (TCHAR Mode : {'r', 'd', 'w'})
        Result += !Manager.TranslatePath(Path.Out, *Long, Mode) && !Path.Out[0] && Path.Intact() ? 'y' : 'n';
    return Result;
}
} // namespace

TEST_F(FLongPathTest, EveryOperationRefusesAPathThatDoesNotFit)
{
    FString Short = Temp(TEXT("Game\\System\\Default.ini"));
    for (FFileManagerWindows* Manager : {&Files, static_cast<FFileManagerWindows*>(&Mirror)})
        for (const FString& Long : {LongPath(Temp(TEXT("Game\\System\\L")), 300), LongPath(TEXT("..\\L"), 300),
                                    LongPath(Temp(TEXT("Elsewhere")), 300)})
            EXPECT_EQ(Refusals(*Manager, Long, Short), std::string(18, 'y')) << Narrow(Long);
    EXPECT_EQ(Temp.Read(TEXT("Game\\System\\Default.ini")), "stock");
    for (const TCHAR* Made : {TEXT("Game\\System\\L"), TEXT("Game\\L"), TEXT("Docs\\Veltra")})
        EXPECT_FALSE(Temp.Exists(Made)) << Narrow(Made);

    // The longest path that fits is served, one more character is not.
    FString Fitting = LongPath(TEXT("B"), FILE_PATH_MAX - 2 - Temp().Len());
    FString Longest = Temp(*Fitting), TooLong = Longest + TEXT("c");
    Temp.Write(*Fitting, "");
    EXPECT_TRUE(WriteThrough(Files, Longest, "fits"));
    EXPECT_EQ(ReadThrough(Files, Longest), "fits");
    EXPECT_FALSE(WriteThrough(Files, TooLong, "does not"));
    EXPECT_EQ(GetFileAttributesW(*TooLong), INVALID_FILE_ATTRIBUTES);

    // A relative path that fits but not in the mirror, which lies deeper: no write goes to
    // the installation's copy instead, while that copy can still be read.
    FString Relative = LongPath(TEXT("Deep"), FILE_PATH_MAX - 1 - Temp(TEXT("Game\\System\\")).Len());
    Temp.Write(*(FString(TEXT("Game\\System\\")) + Relative), "stock");
    EXPECT_EQ(Mirror.CreateFileWriter(*Relative), nullptr);
    EXPECT_FALSE(Mirror.MakeDirectory(*Relative, 1));
    EXPECT_EQ(ReadThrough(Mirror, Relative), "stock");
    FGuardedPath Path;
    EXPECT_FALSE(Mirror.TranslatePath(Path.Out, *Relative, 'r'));
    EXPECT_TRUE(Path.Intact());
}
