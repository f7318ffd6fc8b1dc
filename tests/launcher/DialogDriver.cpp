// DialogDriver.cpp: drives the program's dialogs from inside their modal loops.
#include "DialogDriver.h"

namespace
{
std::function<void(HWND)> Pending;

BOOL CALLBACK FindDialog(HWND Window, LPARAM Found)
{
    if (GetClassLongW(Window, GCW_ATOM) == 32770 && IsWindowVisible(Window) && IsWindowEnabled(Window))
        *reinterpret_cast<HWND*>(Found) = Window;
    return TRUE;
}

void CALLBACK RunPending(HWND, UINT, UINT_PTR Timer, DWORD)
{
    HWND Dialog = NULL;
    EnumThreadWindows(GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&Dialog));
    if (!Dialog)
        return; // not shown yet: the timer comes again
    KillTimer(NULL, Timer);
    std::function<void(HWND)> Action = std::move(Pending); // the action may queue the next one
    Action(Dialog);
}
} // namespace

void ActOnNextDialog(std::function<void(HWND)> Action)
{
    Pending = std::move(Action);
    SetTimer(NULL, 0, 10, RunPending);
}

void Click(HWND Dialog, INT Id) { SendMessageW(GetDlgItem(Dialog, Id), BM_CLICK, 0, 0); }

bool Checked(HWND Dialog, INT Id) { return IsDlgButtonChecked(Dialog, Id) == BST_CHECKED; }

bool Enabled(HWND Dialog, INT Id) { return IsWindowEnabled(GetDlgItem(Dialog, Id)) != 0; }

std::string Text(HWND Dialog, INT Id)
{
    TCHAR Buffer[1024];
    GetDlgItemTextW(Dialog, Id, Buffer, ARRAY_COUNT(Buffer));
    return Narrow(Buffer);
}

std::string Selected(HWND Dialog, INT Id)
{
    LRESULT Entry = SendDlgItemMessageW(Dialog, Id, CB_GETCURSEL, 0, 0);
    return Entry == CB_ERR ? "" : Entries(Dialog, Id)[Entry];
}

std::vector<std::string> Entries(HWND Dialog, INT Id)
{
    std::vector<std::string> Result;
    for (LRESULT i = 0; i < SendDlgItemMessageW(Dialog, Id, CB_GETCOUNT, 0, 0); i++)
    {
        TCHAR Buffer[256];
        SendDlgItemMessageW(Dialog, Id, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(Buffer));
        Result.push_back(Narrow(Buffer));
    }
    return Result;
}
