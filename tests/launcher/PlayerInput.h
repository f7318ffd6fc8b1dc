// PlayerInput.h: input made as a player makes it (the system's mouse and keyboard, SendInput),
// on windows of this process or of a game the test started.
#pragma once
#include <windows.h>
#include <commctrl.h>

// Handles this thread's messages that are due, for about Milliseconds.
void PumpMessages(DWORD Milliseconds = 50);
// A left click at Point of Window's client area; in the middle of a dialog's control.
void ClickAt(HWND Window, POINT Point);
void ClickOn(HWND Dialog, INT Id);
// Presses and releases a key; types each character of Text.
void PressKey(WORD VirtualKey);
void Type(const TCHAR* Text);
// A left click on the check box of Item; false when the item is not on screen.
bool ClickCheckBox(HWND TreeView, HTREEITEM Item);
