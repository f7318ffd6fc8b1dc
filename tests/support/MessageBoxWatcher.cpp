// MessageBoxWatcher.cpp: finds message boxes of a process, notes them and answers them.
#include "MessageBoxWatcher.h"
#include <algorithm>

namespace
{
bool IsProcessWindow(HWND Window, DWORD ProcessId, const TCHAR* TitleStart, bool VisibleOnly)
{
    DWORD Owner = 0;
    TCHAR Title[256];
    GetWindowThreadProcessId(Window, &Owner);
    return Owner == ProcessId && (!VisibleOnly || IsWindowVisible(Window))
           && (!TitleStart || (GetWindowTextW(Window, Title, ARRAY_COUNT(Title)) && !wcsncmp(Title, TitleStart, wcslen(TitleStart))));
}
} // namespace

FMessageBoxWatcher::FMessageBoxWatcher(INT Answer, DWORD InProcessId)
    : AnswerButton(Answer), ProcessId(InProcessId), Thread(CreateThread(NULL, 0, ThreadMain, this, 0, NULL))
{
}

void FMessageBoxWatcher::Stop()
{
    InterlockedExchange(&StopRequested, 1);
    if (Thread && WaitForSingleObject(Thread, INFINITE) == WAIT_OBJECT_0 && CloseHandle(Thread))
        Thread = NULL;
}

DWORD WINAPI FMessageBoxWatcher::ThreadMain(void* Self)
{
    FMessageBoxWatcher* Watcher = static_cast<FMessageBoxWatcher*>(Self);
    HWND* Answered = Watcher->Answered;
    for (; !Watcher->StopRequested; Sleep(20))
        for (HWND Box = NULL; (Box = FindWindowExW(NULL, Box, TEXT("#32770"), NULL)) != NULL;)
            if (IsProcessWindow(Box, Watcher->ProcessId, NULL, true)
                && std::find(Answered, Answered + Watcher->SeenCount, Box) == Answered + Watcher->SeenCount)
                Watcher->Answer(Box); // once: an answered box may still be closing
    return 0;
}

void FMessageBoxWatcher::Answer(HWND Box)
{
    if (SeenCount >= INT(ARRAY_COUNT(Seen)))
        return;
    FSeenBox& Note = Seen[SeenCount];
    GetWindowTextW(Box, Note.Title, ARRAY_COUNT(Note.Title));
    GetDlgItemTextW(Box, 0xFFFF, Note.Text, ARRAY_COUNT(Note.Text)); // the id of a message box's text
    Answered[SeenCount++] = Box;
    INT Button = GetDlgItem(Box, AnswerButton) ? AnswerButton : GetDlgItem(Box, IDOK) ? IDOK : GetDlgItem(Box, IDNO) ? IDNO : IDCANCEL;
    PostMessageW(Box, WM_COMMAND, MAKEWPARAM(Button, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(Box, Button)));
}

FWatchedProcess::FWatchedProcess(const FString& Program, const FString& Args, const TCHAR* Dir, INT Answer)
{
    FString CmdLine = FString::Printf(TEXT("\"%s\"%s"), *Program, *Args);
    STARTUPINFOW Startup = {};
    Startup.cb = sizeof(Startup);
    if (CreateProcessW(*Program, CmdLine.GetCharArray(), NULL, NULL, FALSE, CREATE_SUSPENDED, NULL, Dir, &Startup, &Process)
        && Answer)
        Watcher.reset(new FMessageBoxWatcher(Answer, Process.dwProcessId));
    ResumeThread(Process.hThread); // none when the program did not start
}

HWND FindProcessWindow(DWORD ProcessId, const TCHAR* Class, const TCHAR* TitleStart, bool VisibleOnly)
{
    HWND Window = NULL;
    while ((Window = FindWindowExW(NULL, Window, Class, NULL)) != NULL && !IsProcessWindow(Window, ProcessId, TitleStart, VisibleOnly))
        ;
    return Window;
}

bool FWatchedProcess::WaitUntil(const std::function<bool()>& Done, DWORD Milliseconds) const
{
    for (DWORD Start = GetTickCount(); !Done();)
        if (WaitForSingleObject(Process.hProcess, 50) != WAIT_TIMEOUT || GetTickCount() - Start >= Milliseconds)
            return false;
    return true;
}

HWND FWatchedProcess::WaitForWindow(const TCHAR* Class, const TCHAR* TitleStart, DWORD Milliseconds) const
{
    HWND Found = NULL;
    auto Ready = [&] { return (Found = FindProcessWindow(Process.dwProcessId, Class, TitleStart, true)) && IsWindowEnabled(Found); };
    return WaitUntil(Ready, Milliseconds) ? Found : NULL;
}

FWatchedRun FWatchedProcess::Wait()
{
    if (!Process.hProcess)
        return Result;
    if (WaitForSingleObject(Process.hProcess, 60000) != WAIT_OBJECT_0 && TerminateProcess(Process.hProcess, 99))
        WaitForSingleObject(Process.hProcess, INFINITE);
    if (Watcher)
    {
        Watcher->Stop();
        Result.BoxCount = Watcher->Count();
        Result.FirstBox = Watcher->Box(0); // empty when there was none
    }
    GetExitCodeProcess(Process.hProcess, &Result.ExitCode);
    CloseHandle(Process.hThread);
    CloseHandle(Process.hProcess);
    Process = {};
    return Result;
}
