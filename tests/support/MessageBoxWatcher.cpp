// MessageBoxWatcher.cpp: finds message boxes of a process, notes them and answers them.
#include "MessageBoxWatcher.h"

namespace
{
// The dialog item ids of a standard message box.
const INT MessageTextId = 0xFFFF;
const INT MessageIconId = 0x0440;
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
    while (!Watcher->StopRequested)
    {
        EnumWindows(CheckWindow, reinterpret_cast<LPARAM>(Watcher));
        Sleep(20);
    }
    return 0;
}

BOOL CALLBACK FMessageBoxWatcher::CheckWindow(HWND Window, LPARAM Self)
{
    FMessageBoxWatcher* Watcher = reinterpret_cast<FMessageBoxWatcher*>(Self);
    TCHAR Class[16];
    DWORD Owner = 0;
    GetWindowThreadProcessId(Window, &Owner);
    if (Owner != Watcher->ProcessId || !IsWindowVisible(Window) || !GetClassNameW(Window, Class, ARRAY_COUNT(Class))
        || lstrcmpW(Class, TEXT("#32770")) != 0)
        return TRUE;
    for (INT i = 0; i < Watcher->SeenCount; i++)
        if (Watcher->Answered[i] == Window)
            return TRUE; // answered already, still closing
    Watcher->Answer(Window);
    return TRUE;
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
    Watcher = new FMessageBoxWatcher(Answer, Process.dwProcessId);
    ResumeThread(Process.hThread);
}

FWatchedProcess::~FWatchedProcess() { Wait(); }

namespace
{
struct FWindowSearch
{
    DWORD ProcessId;
    const TCHAR* Class;
    const TCHAR* TitleStart;
    bool VisibleOnly;
    HWND Found;
};

BOOL CALLBACK CheckProcessWindow(HWND Window, LPARAM Param)
{
    FWindowSearch* Search = reinterpret_cast<FWindowSearch*>(Param);
    DWORD Owner = 0;
    TCHAR Text[256];
    GetWindowThreadProcessId(Window, &Owner);
    if (Owner != Search->ProcessId || (Search->VisibleOnly && !IsWindowVisible(Window)))
        return TRUE;
    if (Search->Class && (!GetClassNameW(Window, Text, ARRAY_COUNT(Text)) || lstrcmpW(Text, Search->Class) != 0))
        return TRUE;
    if (Search->TitleStart &&
        (!GetWindowTextW(Window, Text, ARRAY_COUNT(Text)) || wcsncmp(Text, Search->TitleStart, wcslen(Search->TitleStart))))
        return TRUE;
    Search->Found = Window;
    return FALSE;
}
} // namespace

HWND FindProcessWindow(DWORD ProcessId, const TCHAR* Class, const TCHAR* TitleStart, bool VisibleOnly)
{
    FWindowSearch Search = {ProcessId, Class, TitleStart, VisibleOnly, NULL};
    EnumWindows(CheckProcessWindow, reinterpret_cast<LPARAM>(&Search));
    return Search.Found;
}

HWND FWatchedProcess::WaitForWindow(const TCHAR* Class, DWORD Milliseconds) const
{
    if (!Process.hProcess)
        return NULL;
    DWORD Start = GetTickCount();
    do
    {
        if (HWND Found = FindProcessWindow(Process.dwProcessId, Class, NULL, true))
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
    Watcher->Stop();
    Result.BoxCount = Watcher->Count();
    if (Result.BoxCount)
        Result.FirstBox = Watcher->Box(0);
    delete Watcher;
    Watcher = NULL;
    GetExitCodeProcess(Process.hProcess, &Result.ExitCode);
    CloseHandle(Process.hThread);
    CloseHandle(Process.hProcess);
    Process = {};
    return Result;
}

FWatchedRun RunWatched(const FString& Program, const FString& Args, const TCHAR* Dir, INT Answer)
{
    return FWatchedProcess(Program, Args, Dir, Answer).Wait();
}
