// LogWindowProbe.cpp: built together with Corvane.exe's own entry into LogWindowProbe.exe.
// Just before the game's log window goes, it saves the window's text display as
// LogWindow.txt (UTF-8) in the current folder: the lines sent to the window alone (event
// 788) never reach the log file, so this is how an end-to-end test reads them.
#include <windows.h>
#include <string.h>
#include <vector>

namespace
{
const wchar_t LogTitleStart[] = L"GameLog - ";

void SaveText(HWND Edit)
{
    std::vector<wchar_t> Text(GetWindowTextLengthW(Edit) + 1);
    INT Length = GetWindowTextW(Edit, Text.data(), INT(Text.size()));
    std::vector<char> Utf8(Length * 3 + 1);
    INT Bytes = WideCharToMultiByte(CP_UTF8, 0, Text.data(), Length, Utf8.data(), INT(Utf8.size()), NULL, NULL);
    HANDLE File = CreateFileW(L"LogWindow.txt", GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    DWORD Written;
    WriteFile(File, Utf8.data(), DWORD(Bytes), &Written, NULL);
    CloseHandle(File);
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
