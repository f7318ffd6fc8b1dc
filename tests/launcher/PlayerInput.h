// PlayerInput.h: input made as a player makes it (the system's mouse and keyboard, SendInput),
// for tests of windows of the program.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include <functional>

// Handles the messages that are due, for about Milliseconds.
void PumpMessages(DWORD Milliseconds = 50);
// Pumps until Done() holds or Milliseconds pass; whether it held.
bool PumpUntil(const std::function<bool()>& Done, DWORD Milliseconds = 2000);
// Brings the top-level window of Window to the front, with the keyboard focus on Window.
void FocusWindow(HWND Window);
// A left click at Point of Window's client area.
void ClickAt(HWND Window, POINT Point);
// Presses and releases a key.
void PressKey(WORD VirtualKey);
// A left click on the check box of Item; false when the item's box cannot be found on screen.
bool ClickCheckBox(HWND TreeView, HTREEITEM Item);
