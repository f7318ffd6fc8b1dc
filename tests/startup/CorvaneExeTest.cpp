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

// The index of the first line equal to Line, or -1.
INT FindLine(const TArray<FString>& Lines, const TCHAR* Line)
{
    INT Index;
    Lines.FindItem(Line, Index);
    return Index;
}

bool Exists(const FString& Path) { return GetFileAttributesW(*Path) != INVALID_FILE_ATTRIBUTES; }

const TCHAR DocumentsLine[] = TEXT("Log: Corvane: Using User Documents File Manager.");

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

    // Runs the staged program with Args and expects it to end well, leaving at LogPath a log
    // that opens, gives the version and closes. Returns its lines; the log is removed again.
    TArray<FString> RunAndReadLog(const TCHAR* Args, const FString& LogPath)
    {
        DeleteFileW(*LogPath);
        FWatchedRun Result = RunWatched(GameSystemDir() * TEXT("Corvane.exe"), Args, *GameSystemDir(), IDOK);
        EXPECT_EQ(0u, Result.ExitCode) << Args;
        EXPECT_EQ(0, Result.BoxCount) << Result.FirstBox.Title << ": " << Result.FirstBox.Text;
        TArray<FString> Lines = ReadLogLines(*LogPath);
        DeleteFileW(*LogPath);
        EXPECT_EQ(0, Lines.Num() ? Lines(0).InStr(TEXT("Log: Log file open, ")) : -1) << *LogPath;
        EXPECT_EQ(1, FindLine(Lines, TEXT("Log: Corvane: version 8.0.0.0.")));
        EXPECT_EQ(0, Lines.Num() ? Lines.Last().InStr(TEXT("Log: Log file closed, ")) : -1);
        return Lines;
    }
};
} // namespace

TEST_F(CorvaneExe, LogsToTheDocumentsMirrorUnlessAskedForLocalData)
{
    EXPECT_LT(1, FindLine(RunAndReadLog(TEXT(""), InMirror), DocumentsLine)); // after the version line
    EXPECT_FALSE(Exists(InGame));
    EXPECT_EQ(-1, FindLine(RunAndReadLog(TEXT(" -localdata"), InGame), DocumentsLine));
    EXPECT_FALSE(Exists(InMirror));
}

TEST_F(CorvaneExe, LogSwitchesMoveTheLog)
{
    RunAndReadLog(TEXT(" -localdata LOG=Moved.log"), GameSystemDir() * TEXT("Moved.log"));
    RunAndReadLog(TEXT(" LOG=Moved.log"), MirrorSystemDir() * TEXT("Moved.log"));
    FTempDir Folder;
    FString Absolute = Folder(TEXT("Absolute.log"));
    RunAndReadLog(*FString::Printf(TEXT(" ABSLOG=\"%s\""), *Absolute), Absolute);
    EXPECT_FALSE(Exists(InGame) || Exists(InMirror));
}
