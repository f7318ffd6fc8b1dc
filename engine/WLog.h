// WLog.h: the log window: every logged line (through GLogHook) and every line sent to it
// directly (the launcher's event 788 lines, which never reach the log file) appear in its
// read-only text display as "Event: text"; a command line under it sends what is typed to
// its command target.
#pragma once
#include "WWindow.h"

class WINDOW_API WLog : public WWindow, public FOutputDevice
{
public:
    FString LogFilename;
    FArchive*& LogAr;          // the log file's archive, as the log device holds it
    FExec* ExecTarget = NULL;
    WEdit Display;
    WEdit CommandLine;

    WLog(const TCHAR* InLogFilename, FArchive*& InLogAr, FName InPersistentName, WWindow* InOwnerWindow = NULL);
    // Stops receiving the log and destroys the window.
    ~WLog() override;

    // Makes the window (shown when bShow is not 0) and starts receiving the log (GLogHook).
    // bMdi is accepted for callers that ask for a child frame; the window is always top-level.
    void OpenWindow(UBOOL bShow, UBOOL bMdi);
    void SetExec(FExec* InExec) { ExecTarget = InExec; }
    void Serialize(const TCHAR* Text, EName Event) override;

protected:
    LRESULT WndProc(UINT Message, WPARAM WParam, LPARAM LParam) override;

private:
    FOutputDevice* PreviousHook = NULL;
    void RunCommandLine();
    void LayoutControls();
};

// The game's log window while it exists; the program sets and clears it.
WINDOW_API extern WLog* GLogWindow;
