// MessageBoxWatcher.h: plays the player's part for message boxes. A thread watches for
// message boxes (class "#32770") of one process, notes what each one shows and answers it,
// so a test can check a box and no test ever waits for a person.
#pragma once
#include "TestSupport.h"
#include <functional>
#include <memory>

struct FSeenBox { TCHAR Title[256]; TCHAR Text[8192]; };

class FMessageBoxWatcher
{
public:
    // Answers every box with the button Answer (IDOK, IDYES, IDNO); a box without that
    // button is closed with whichever button it has.
    explicit FMessageBoxWatcher(INT Answer, DWORD ProcessId = GetCurrentProcessId());
    ~FMessageBoxWatcher() { Stop(); }
    FMessageBoxWatcher(const FMessageBoxWatcher&) = delete;
    FMessageBoxWatcher& operator=(const FMessageBoxWatcher&) = delete;

    // Ends the watch; the boxes seen are complete afterwards.
    void Stop();
    INT Count() const { return SeenCount; }
    const FSeenBox& Box(INT Index) const { return Seen[Index]; }

private:
    static DWORD WINAPI ThreadMain(void* Self);
    void Answer(HWND Box);

    INT AnswerButton;
    DWORD ProcessId;
    volatile LONG StopRequested = 0;
    // Fixed storage: the watcher runs beside the code under test and must not use its allocator.
    FSeenBox Seen[8] = {};
    HWND Answered[8];
    INT SeenCount = 0;
    HANDLE Thread; // last: the thread starts once the rest is set
};

// What a child process did: its exit code (99 when it had to be stopped after a minute)
// and the boxes it showed.
struct FWatchedRun { DWORD ExitCode; INT BoxCount; FSeenBox FirstBox; };

// A child process that runs while the test acts on its windows: Program (its quoted path,
// then Args) in Dir, or in the current folder when Dir is NULL, its boxes answered with Answer
// (0: none, the test plays every dialog itself).
class FWatchedProcess
{
public:
    FWatchedProcess(const FString& Program, const FString& Args, const TCHAR* Dir, INT Answer);
    // Waits for the end, as Wait does.
    ~FWatchedProcess() { Wait(); }

    DWORD Id() const { return Process.dwProcessId; }
    // Asks Done every 50 ms until it holds; false when the process ends first or after Milliseconds.
    bool WaitUntil(const std::function<bool()>& Done, DWORD Milliseconds) const;
    // A visible, enabled top-level window of the process of class Class whose title starts with
    // TitleStart (NULL: any), once there is one; NULL when none comes within Milliseconds (or
    // the process ends first). A dialog's owner is disabled until the dialog ends.
    HWND WaitForWindow(const TCHAR* Class, const TCHAR* TitleStart = NULL, DWORD Milliseconds = 30000) const;
    // Waits for the end, stopping the process after a minute (exit code 99).
    FWatchedRun Wait();

private:
    PROCESS_INFORMATION Process = {};
    std::unique_ptr<FMessageBoxWatcher> Watcher;
    FWatchedRun Result = {99, 0, {}};
};

// A top-level window of a process: of class Class (NULL: any) and with a title that starts
// with TitleStart (NULL: any), visible or also hidden; NULL when there is none.
HWND FindProcessWindow(DWORD ProcessId, const TCHAR* Class, const TCHAR* TitleStart, bool VisibleOnly);
