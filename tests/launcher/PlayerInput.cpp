// PlayerInput.cpp: mouse clicks and key presses through SendInput.
#include "PlayerInput.h"

void PumpMessages(DWORD Milliseconds)
{
    PumpUntil([] { return false; }, Milliseconds);
}

bool PumpUntil(const std::function<bool()>& Done, DWORD Milliseconds)
{
    DWORD Start = GetTickCount();
    for (;;)
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
        if (Done())
            return true;
        if (GetTickCount() - Start >= Milliseconds)
            return false;
        Sleep(5);
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
    SetCursorPos(Point.x, Point.y);
    INPUT Click[2] = {};
    Click[0].type = Click[1].type = INPUT_MOUSE;
    Click[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    Click[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, Click, sizeof(INPUT));
    PumpMessages(100);
}

void PressKey(WORD VirtualKey)
{
    INPUT Press[2] = {};
    Press[0].type = Press[1].type = INPUT_KEYBOARD;
    Press[0].ki.wVk = Press[1].ki.wVk = VirtualKey;
    Press[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, Press, sizeof(INPUT));
    PumpMessages(100);
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
