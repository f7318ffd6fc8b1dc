// DialogDriver.h: plays the player's part in a modal dialog of this thread. The action runs
// from a timer inside the dialog's own message loop, so the real modal path runs.
#pragma once
#include "TestFiles.h"
#include <functional>
#include <string>

// Runs Action on the next modal dialog this thread shows (the enabled one on top); it must
// end the dialog, or the test waits for its time-out.
void ActOnNextDialog(std::function<void(HWND)> Action);

void Click(HWND Dialog, INT Id);
bool Checked(HWND Dialog, INT Id);
bool Enabled(HWND Dialog, INT Id);
std::string Text(HWND Dialog, INT Id);
// The text of a combo box's selected entry; "" without a selection.
std::string Selected(HWND Dialog, INT Id);
// The selectable texts of a combo box.
std::vector<std::string> Entries(HWND Dialog, INT Id);
