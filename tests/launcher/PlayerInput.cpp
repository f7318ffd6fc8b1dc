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
    INPUT Press = {INPUT_KEYBOARD, {}};
    Press.ki = {VirtualKey, WORD(Character), DWORD(Character ? KEYEVENTF_UNICODE : 0), 0, 0};
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
            TranslateMessage(&Msg);
            DispatchMessageW(&Msg);
        }
    }
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
    INT Width, Height;
    if (!TreeView_GetItemRect(TreeView, Item, &Text, TRUE) || !ImageList_GetIconSize(TreeView_GetImageList(TreeView, TVSIL_STATE), &Width, &Height))
        return false;
    ClickAt(TreeView, {Text.left - Width / 2, (Text.top + Text.bottom) / 2}); // the box lies just left of the text
    return true;
}
