// MessageBoxWatcher.cpp: finds message boxes of a process, notes them and answers them.
#include "MessageBoxWatcher.h"
#include <algorithm>

namespace
{
// The dialog item ids of a standard message box.
const INT MessageTextId = 0xFFFF;
const INT MessageIconId = 0x0440;

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
    : AnswerButton(Answer), ProcessId(InProcessId), Thread(NULL), StopRequested(0), SeenCount(0)
{
    Thread = CreateThread(NULL, 0, ThreadMain, this, 0, NULL);
}

FMessageBoxWatcher::~FMessageBoxWatcher() { Stop(); }

void FMessageBoxWatcher::Stop()
{
    if (!Thread)
        return;
    InterlockedExchange(&StopRequested, 1);
    WaitForSingleObject(Thread, INFINITE);
    CloseHandle(Thread);
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
    if (SeenCount >= MAX_BOXES)
        return;
    FSeenBox& Note = Seen[SeenCount];
    GetWindowTextW(Box, Note.Title, ARRAY_COUNT(Note.Title));
    if (!GetDlgItemTextW(Box, MessageTextId, Note.Text, ARRAY_COUNT(Note.Text)))
        Note.Text[0] = 0;
    Note.HasOk = GetDlgItem(Box, IDOK) != NULL;
    Note.HasYes = GetDlgItem(Box, IDYES) != NULL;
    Note.HasNo = GetDlgItem(Box, IDNO) != NULL;
    HWND Icon = GetDlgItem(Box, MessageIconId);
    Note.HasIcon = Icon && IsWindowVisible(Icon) && SendMessageW(Icon, STM_GETICON, 0, 0) != 0;
    Answered[SeenCount++] = Box;

    INT Button = AnswerButton;
    if (!GetDlgItem(Box, Button))
        Button = Note.HasOk ? IDOK : Note.HasNo ? IDNO : IDCANCEL;
    PostMessageW(Box, WM_COMMAND, MAKEWPARAM(Button, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(Box, Button)));
}

FWatchedProcess::FWatchedProcess(const FString& Program, const FString& Args, const TCHAR* Dir, INT Answer)
{
    FString CmdLine = FString::Printf(TEXT("\"%s\"%s"), *Program, *Args);
    STARTUPINFOW Startup = {};
    Startup.cb = sizeof(Startup);
    if (!CreateProcessW(*Program, CmdLine.GetCharArray(), NULL, NULL, FALSE, CREATE_SUSPENDED, NULL, Dir, &Startup,
                        &Process))
        return;
    if (Answer)
        Watcher = new FMessageBoxWatcher(Answer, Process.dwProcessId);
    ResumeThread(Process.hThread);
}

FWatchedProcess::~FWatchedProcess() { Wait(); }

HWND FindProcessWindow(DWORD ProcessId, const TCHAR* Class, const TCHAR* TitleStart, bool VisibleOnly)
{
    HWND Window = NULL;
    while ((Window = FindWindowExW(NULL, Window, Class, NULL)) != NULL && !IsProcessWindow(Window, ProcessId, TitleStart, VisibleOnly))
        ;
    return Window;
}

HWND FWatchedProcess::WaitForWindow(const TCHAR* Class, const TCHAR* TitleStart, DWORD Milliseconds) const
{
    DWORD Start = GetTickCount();
    do
    {
        HWND Found = FindProcessWindow(Process.dwProcessId, Class, TitleStart, true);
        if (Found && IsWindowEnabled(Found))
            return Found;
    } while (WaitForSingleObject(Process.hProcess, 50) == WAIT_TIMEOUT && GetTickCount() - Start < Milliseconds);
    return NULL;
}

FWatchedRun FWatchedProcess::Wait()
{
    if (!Process.hProcess)
        return Result;
    if (WaitForSingleObject(Process.hProcess, 60000) != WAIT_OBJECT_0)
        TerminateProcess(Process.hProcess, 99);
    WaitForSingleObject(Process.hProcess, INFINITE);
    if (Watcher)
    {
        Watcher->Stop();
        Result.BoxCount = Watcher->Count();
        if (Result.BoxCount)
            Result.FirstBox = Watcher->Box(0);
        delete Watcher;
        Watcher = NULL;
    }
    GetExitCodeProcess(Process.hProcess, &Result.ExitCode);
    CloseHandle(Process.hThread);
    CloseHandle(Process.hProcess);
    Process = {};
    return Result;
}
