// LogWindowProbe.cpp: built together with Corvane.exe's own entry into LogWindowProbe.exe.
// Just before the game's log window goes, it saves the window's text display as
// LogWindow.txt (a byte a character: the lines are ASCII) in the current folder: the lines
// sent to the window alone (event 788) never reach the log file, so this is how an
// end-to-end test reads them.
#include <windows.h>
#include <stdio.h>
#include <string.h>
#include <string>
#include <vector>

namespace
{
const wchar_t LogTitleStart[] = L"GameLog - ";

void SaveText(HWND Edit)
{
    std::vector<wchar_t> Text(GetWindowTextLengthW(Edit) + 1);
    const std::string Bytes(Text.begin(), Text.begin() + GetWindowTextW(Edit, Text.data(), INT(Text.size())));
    if (FILE* File = _wfopen(L"LogWindow.txt", L"wb"))
        fwrite(Bytes.data(), 1, Bytes.size(), File), fclose(File);
}

// The log window's text display goes before the window itself.
bool IsLogDisplay(HWND Window)
{
    wchar_t Class[8], Title[16];
    return GetClassNameW(Window, Class, ARRAYSIZE(Class)) && _wcsicmp(Class, L"Edit") == 0 &&
           (GetWindowLongW(Window, GWL_STYLE) & ES_MULTILINE) && GetWindowTextW(GetParent(Window), Title, ARRAYSIZE(Title)) &&
           wcsncmp(Title, LogTitleStart, wcslen(LogTitleStart)) == 0;
}

LRESULT CALLBACK WatchDestroy(int Code, WPARAM WParam, LPARAM LParam)
{
    if (Code == HCBT_DESTROYWND && IsLogDisplay(reinterpret_cast<HWND>(WParam)))
        SaveText(reinterpret_cast<HWND>(WParam));
    return CallNextHookEx(NULL, Code, WParam, LParam);
}

// Before the entry runs: the hook watches the thread that will make the log window.
const HHOOK Hook = SetWindowsHookExW(WH_CBT, WatchDestroy, NULL, GetCurrentThreadId());
} // namespace
