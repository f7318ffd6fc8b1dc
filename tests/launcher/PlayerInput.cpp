// PlayerInput.cpp: mouse clicks and key presses through SendInput.
#include "PlayerInput.h"

namespace
{
// Sends a press and its release, then lets the window (of this process or another) handle them.
void PressAndRelease(INPUT Press, INPUT Release)
{
    INPUT Both[2] = {Press, Release};
    SendInput(2, Both, sizeof(INPUT));
    PumpMessages(100);
}

// A key by its virtual code, or a character of text (VirtualKey 0).
void Key(WORD VirtualKey, TCHAR Character)
{
    INPUT Press = {};
    Press.type = INPUT_KEYBOARD;
    Press.ki.wVk = VirtualKey;
    Press.ki.wScan = Character;
    Press.ki.dwFlags = Character ? KEYEVENTF_UNICODE : 0;
    INPUT Release = Press;
    Release.ki.dwFlags |= KEYEVENTF_KEYUP;
    PressAndRelease(Press, Release);
}
} // namespace

void PumpMessages(DWORD Milliseconds)
{
    for (DWORD Start = GetTickCount(); GetTickCount() - Start < Milliseconds; Sleep(5))
    {
        MSG Msg;
        while (PeekMessageW(&Msg, NULL, 0, 0, PM_REMOVE))
        {
            // Dialog keys (Escape, Enter, Tab) as a dialog's own loop handles them.
            HWND Root = Msg.hwnd ? GetAncestor(Msg.hwnd, GA_ROOT) : NULL;
            if (Root && GetClassLongW(Root, GCW_ATOM) == 32770 && IsDialogMessageW(Root, &Msg))
                continue;
            TranslateMessage(&Msg);
            DispatchMessageW(&Msg);
        }
    }
}

void FocusWindow(HWND Window)
{
    HWND TopLevel = GetAncestor(Window, GA_ROOT);
    ShowWindow(TopLevel, SW_SHOW);
    SetForegroundWindow(TopLevel);
    SetFocus(Window);
    PumpMessages();
}

void ClickAt(HWND Window, POINT Point)
{
    ClientToScreen(Window, &Point);
    // A dialog that has just ended may still cover the point for a moment.
    for (INT Tries = 0; Tries < 100 && WindowFromPoint(Point) != Window; Tries++)
        PumpMessages(20);
    SetCursorPos(Point.x, Point.y);
    INPUT Down = {}, Up = {};
    Down.type = Up.type = INPUT_MOUSE;
    Down.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    Up.mi.dwFlags = MOUSEEVENTF_LEFTUP;
    PressAndRelease(Down, Up);
}

void ClickOn(HWND Dialog, INT Id)
{
    RECT Area;
    GetClientRect(GetDlgItem(Dialog, Id), &Area);
    ClickAt(GetDlgItem(Dialog, Id), {Area.right / 2, Area.bottom / 2});
}

void PressKey(WORD VirtualKey) { Key(VirtualKey, 0); }

void Type(const TCHAR* Text)
{
    for (; *Text; Text++)
        Key(0, *Text);
}

bool ClickCheckBox(HWND TreeView, HTREEITEM Item)
{
    TreeView_EnsureVisible(TreeView, Item);
    RECT Text;
    if (!TreeView_GetItemRect(TreeView, Item, &Text, TRUE))
        return false;
    // The box lies left of the text: find its span on the item's middle line.
    LONG Middle = (Text.top + Text.bottom) / 2, Right = -1, Left = -1;
    for (LONG X = Text.left - 1; X >= 0; X--)
    {
        TVHITTESTINFO Hit = {{X, Middle}, 0, NULL};
        bool OnBox = TreeView_HitTest(TreeView, &Hit) == Item && (Hit.flags & TVHT_ONITEMSTATEICON);
        if (OnBox)
            Left = X, Right = Right < 0 ? X : Right;
        else if (Right >= 0)
            break;
    }
    if (Right < 0)
        return false;
    ClickAt(TreeView, {(Left + Right) / 2, Middle});
    return true;
}
