// Runs Corvane.exe on a copy of the staged game as a scripted player would, and reads what
// it leaves behind: the log, the ini files, the exit code.
#include "StagedGame.h"

namespace
{
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
    FStagedGame Game;

    void SetUp() override
    {
        CORVANE_SKIP_WITHOUT_WINDOWS();
        Game.Write(TEXT("Exit.txt"), "exit\r\n");
    }

    // Runs the game copy with Args to an exit at its first tick and expects it to end well,
    // leaving at LogPath a log that opens, gives the version and closes. Returns its lines;
    // the log is removed again.
    TArray<FString> RunAndReadLog(const TCHAR* Args, const FString& LogPath)
    {
        FWatchedRun Result = Game.Run(*(FString(Args) + TEXT(" EXEC=Exit.txt")));
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
    Game.Configure("");
    const FString InGame = Game.System(TEXT("Corvane.log")), InMirror = Game.Mirror(TEXT("Corvane.log"));
    EXPECT_LT(1, FindLine(RunAndReadLog(TEXT(""), InMirror), DocumentsLine)); // after the version line
    EXPECT_FALSE(Exists(InGame));
    EXPECT_EQ(-1, FindLine(RunAndReadLog(TEXT(" -localdata"), InGame), DocumentsLine));
    EXPECT_FALSE(Exists(InMirror));
}

TEST_F(CorvaneExe, LogSwitchesMoveTheLog)
{
    Game.Configure("");
    RunAndReadLog(TEXT(" -localdata LOG=Moved.log"), Game.System(TEXT("Moved.log")));
    RunAndReadLog(TEXT(" LOG=Moved.log"), Game.Mirror(TEXT("Moved.log")));
    FTempDir Folder;
    FString Absolute = Folder(TEXT("Absolute.log"));
    RunAndReadLog(*FString::Printf(TEXT(" ABSLOG=\"%s\""), *Absolute), Absolute);
    EXPECT_FALSE(Exists(Game.System(TEXT("Corvane.log"))) || Exists(Game.Mirror(TEXT("Corvane.log"))));
}
