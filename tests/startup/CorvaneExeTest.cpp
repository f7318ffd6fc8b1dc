// Runs the staged Corvane.exe as a player would and reads the log it leaves behind.
#include "MessageBoxWatcher.h"
#include "TestFiles.h"
#include <shlobj.h>
#include <gtest/gtest.h>

namespace
{
// The staged game lies beside the test programs in the build tree.
FString GameSystemDir()
{
    TCHAR Full[MAX_PATH];
    GetFullPathNameW(*(FString(appBaseDir()) + TEXT("..\\game\\System")), ARRAY_COUNT(Full), Full, NULL);
    return Full;
}

FString MirrorSystemDir()
{
    TCHAR Documents[MAX_PATH];
    SHGetFolderPathW(NULL, CSIDL_PERSONAL, NULL, SHGFP_TYPE_CURRENT, Documents);
    return FString(Documents) * TEXT("Veltra\\System");
}

const TCHAR VersionLine[] = TEXT("Log: Corvane: version 8.0.0.0.");
const TCHAR DocumentsLine[] = TEXT("Log: Corvane: Using User Documents File Manager.");

// The index of the first line equal to Line, or -1.
INT FindLine(const TArray<FString>& Lines, const TCHAR* Line)
{
    for (INT i = 0; i < Lines.Num(); i++)
        if (appStrcmp(*Lines(i), Line) == 0)
            return i;
    return -1;
}

bool Exists(const FString& Path) { return GetFileAttributesW(*Path) != INVALID_FILE_ATTRIBUTES; }

class CorvaneExe : public testing::Test
{
protected:
    const FString InGame = GameSystemDir() * TEXT("Corvane.log");
    const FString InMirror = MirrorSystemDir() * TEXT("Corvane.log");

    void SetUp() override
    {
        DeleteFileW(*InGame);
        DeleteFileW(*InMirror);
    }
    void TearDown() override { SetUp(); }

    // Runs the staged program with Args after its path and returns the lines of the log it
    // should have left at LogPath, after checking that it ended well and that the log opens
    // and closes as it should. The log is removed again.
    TArray<FString> RunAndReadLog(const TCHAR* Args, const FString& LogPath)
    {
        DeleteFileW(*LogPath);
        FWatchedRun Result = RunWatched(GameSystemDir() * TEXT("Corvane.exe"), Args, *GameSystemDir(), IDOK);
        EXPECT_EQ(0u, Result.ExitCode) << Args;
        EXPECT_EQ(0, Result.BoxCount) << Result.FirstBox.Title << ": " << Result.FirstBox.Text;
        TArray<FString> Lines = ReadLogLines(*LogPath);
        DeleteFileW(*LogPath);
        EXPECT_LE(3, Lines.Num()) << *LogPath;
        if (Lines.Num() >= 3)
        {
            EXPECT_EQ(0, Lines(0).InStr(TEXT("Log: Log file open, ")));
            EXPECT_EQ(1, FindLine(Lines, VersionLine));
            EXPECT_EQ(0, Lines.Last().InStr(TEXT("Log: Log file closed, ")));
        }
        return Lines;
    }
};
} // namespace

TEST_F(CorvaneExe, LogsToTheDocumentsMirrorByDefault)
{
    TArray<FString> Lines = RunAndReadLog(TEXT(""), InMirror);
    EXPECT_LT(1, FindLine(Lines, DocumentsLine)); // after the version line
    EXPECT_FALSE(Exists(InGame));
}

TEST_F(CorvaneExe, LocalDataKeepsTheLogInTheGame)
{
    TArray<FString> Lines = RunAndReadLog(TEXT(" -localdata"), InGame);
    EXPECT_EQ(-1, FindLine(Lines, DocumentsLine));
    EXPECT_FALSE(Exists(InMirror));
}

TEST_F(CorvaneExe, LogSwitchesMoveTheLog)
{
    RunAndReadLog(TEXT(" -localdata LOG=Moved.log"), GameSystemDir() * TEXT("Moved.log"));
    RunAndReadLog(TEXT(" LOG=Moved.log"), MirrorSystemDir() * TEXT("Moved.log"));
    FTempFolder Folder;
    FString Absolute = Folder.File(TEXT("Absolute.log"));
    RunAndReadLog(*FString::Printf(TEXT(" ABSLOG=\"%s\""), *Absolute), Absolute);
    EXPECT_FALSE(Exists(InGame) || Exists(InMirror));
}
