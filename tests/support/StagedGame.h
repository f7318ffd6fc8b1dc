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
    // Replaces the first From in the copy's system ini with To.
    void EditIni(const std::string& From, const std::string& To);
    // Writes a file into the copy's System folder (an EXEC= command file, say).
    void Write(const TCHAR* Relative, const std::string& Text) const { WriteWholeFile(System(Relative), Text); }
    // Writes a file into the mirror's System folder, as a player editing their settings does.
    void WriteMirror(const TCHAR* Relative, const std::string& Text) const { WriteWholeFile(Mirror(Relative), Text); }
    // Corvane.exe " -skipdialog" plus Args, in the copy's System folder; its message boxes and
    // dialogs (a first run's configuration) are answered with Answer.
    FWatchedRun Run(const TCHAR* Args, INT Answer = IDOK);
    FWatchedProcess* Start(const TCHAR* Args, INT Answer = IDOK);
    // The lines of the log in the mirror.
    TArray<FString> Log() const { return ReadLogLines(*Mirror(TEXT("Corvane.log"))); }

private:
    FTempDir Temp;
};

// Waits until the log window of Game shows Text (every line logged and every line sent to the
// window, as "Event: text"); false after Milliseconds or at the game's end. The log file is
// written in blocks, the window at once: it is how a test keeps step with a game.
bool WaitForLogWindow(const FWatchedProcess& Game, const TCHAR* Text, DWORD Milliseconds = 30000);

// Each of Expected starts a line of Lines, in that order; reports the first that does not.
testing::AssertionResult LinesInOrder(const TArray<FString>& Lines, std::initializer_list<const TCHAR*> Expected);
// The first line at or after From that starts with Start, or -1.
INT FindLineFrom(const TArray<FString>& Lines, const TCHAR* Start, INT From = 0);
