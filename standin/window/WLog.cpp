// WLog.cpp: the log window: the log's lines in a read-only display, and a command line
// whose commands go to the command target.
#include "WindowInternal.h"

WINDOW_API WLog* GLogWindow = NULL;

namespace
{
enum { ID_CommandLine = 100 };
}

WLog::WLog(const TCHAR* InLogFilename, FArchive*& InLogAr, FName InPersistentName, WWindow* InOwnerWindow)
    : WWindow(InPersistentName, InOwnerWindow), LogFilename(InLogFilename), LogAr(InLogAr), Display(this),
      CommandLine(this)
{
}

WLog::~WLog()
{
    if (GLogHook == this)
        GLogHook = PreviousHook;
    if (GLogWindow == this)
        GLogWindow = NULL;
}

void WLog::OpenWindow(UBOOL bShow, UBOOL)
{
    guard(WLog::OpenWindow);
    if (hWnd)
        return;
    FString Title = FString::Printf(TEXT("%s - %s"), *PersistentName, *LogFilename);
    PerformCreateWindowEx(0, *Title, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT, CW_USEDEFAULT, 640, 400,
                          OwnerWindow ? OwnerWindow->hWnd : NULL);
    if (!hWnd)
        return;
    Display.OpenWindow(1, 1);
    CommandLine.OpenWindow(0, 0, ID_CommandLine);
    LayoutControls();
    PreviousHook = GLogHook;
    GLogHook = this;
    if (bShow)
        Show(1);
    unguard;
}

void WLog::Serialize(const TCHAR* Text, EName Event)
{
    if (!Display.hWnd)
        return;
    TCHAR Line[MAX_SPRINTF + 64];
    appSnprintf(Line, ARRAY_COUNT(Line), TEXT("%s: %s\r\n"), FName::SafeString(Event), Text);
    Display.AppendText(Line);
}

void WLog::RunCommandLine()
{
    FString Command = CommandLine.GetText();
    CommandLine.SetText(TEXT(""));
    if (Command.IsEmpty())
        return;
    Logf(NAME_Console, TEXT("> %s"), *Command);
    if (!ExecTarget || !ExecTarget->Exec(*Command, *this))
        Logf(NAME_Console, TEXT("Command not recognized: %s"), *Command);
    Display.ScrollCaret();
}

void WLog::LayoutControls()
{
    RECT Area;
    GetClientRect(hWnd, &Area);
    const INT LineHeight = 22;
    MoveWindow(Display.hWnd, 0, 0, Area.right, Area.bottom - LineHeight, TRUE);
    MoveWindow(CommandLine.hWnd, 0, Area.bottom - LineHeight, Area.right, LineHeight, TRUE);
}

LRESULT WLog::WndProc(UINT Message, WPARAM WParam, LPARAM LParam)
{
    switch (Message)
    {
    case WM_SIZE:
        LayoutControls();
        return 0;
    case WM_SETFOCUS:
        SetFocus(CommandLine.hWnd);
        return 0;
    case WM_CLOSE: // the log stays; closing hides it
        Show(0);
        return 0;
    case WM_COMMAND:
        if (LOWORD(WParam) == ID_CommandLine && HIWORD(WParam) == 0)
        {
            RunCommandLine();
            return 0;
        }
        break;
    }
    return CallDefaultProc(Message, WParam, LParam);
}
