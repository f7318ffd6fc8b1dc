// StagedGame.h: end-to-end runs of Corvane.exe on a fresh copy of the staged game, with an
// empty documents mirror, and what such a run leaves behind.
#pragma once
#include "MessageBoxWatcher.h"
#include "TestFiles.h"
#include <initializer_list>

class FStagedGame
{
public:
    // Copies the game staged beside the test programs and empties the mirror
    // (Documents\Veltra), which goes again at the end.
    FStagedGame();
    ~FStagedGame();

    // Paths in the copy's System folder and in its mirror.
    FString System(const TCHAR* Relative = TEXT("")) const;
    FString Mirror(const TCHAR* Relative = TEXT("")) const;
    // Adds Lines to the copy's system ini; with FirstRunDone, as after a first run.
    void Configure(const std::string& Lines, bool FirstRunDone = true);
    // Writes a file into the copy's System folder (an EXEC= command file, say).
    void Write(const TCHAR* Relative, const std::string& Text) const;
    // Corvane.exe " skipdialog" plus Args, in the copy's System folder.
    FWatchedRun Run(const TCHAR* Args);
    FWatchedProcess* Start(const TCHAR* Args);
    // The lines of the log in the mirror.
    TArray<FString> Log() const;

private:
    FTempDir Temp;
};

// Each of Expected starts a line of Lines, in that order; reports the first that does not.
testing::AssertionResult LinesInOrder(const TArray<FString>& Lines, std::initializer_list<const TCHAR*> Expected);
// The first line at or after From that starts with Start, or -1.
INT FindLineFrom(const TArray<FString>& Lines, const TCHAR* Start, INT From = 0);
// Waits until a line of Log starts with Start; false after Milliseconds.
bool WaitForLogLine(const FString& Log, const TCHAR* Start, DWORD Milliseconds = 20000);
