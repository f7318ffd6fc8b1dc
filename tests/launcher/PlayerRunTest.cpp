// A player at the real windows, with real mouse and keyboard input: the first run (the
// configuration dialog, then the launcher, Configure, a change, OK, Play, and the change in
// effect in the game), and a mod chosen in the Data Directories dialog.
#include "DialogDriver.h"
#include "Resource.h"
#include "StagedGame.h"

namespace
{
// The shown, enabled dialog of Process titled Title; NULL after 30 seconds.
HWND WaitForDialog(DWORD Process, const TCHAR* Title)
{
    for (INT Tries = 0; Tries < 600; Tries++, Sleep(50))
    {
        HWND Window = NULL;
        while ((Window = FindWindowExW(NULL, Window, TEXT("#32770"), Title)) != NULL)
        {
            DWORD Owner = 0;
            GetWindowThreadProcessId(Window, &Owner);
            if (Owner == Process && IsWindowVisible(Window) && IsWindowEnabled(Window))
                return Window;
        }
    }
    return NULL;
}

void Send(std::initializer_list<INPUT> Inputs)
{
    for (INPUT Input : Inputs)
    {
        SendInput(1, &Input, sizeof(Input));
        Sleep(30);
    }
    Sleep(250); // apart enough not to make a double click
}

INPUT Mouse(DWORD Flags)
{
    INPUT Input = {};
    Input.type = INPUT_MOUSE;
    Input.mi.dwFlags = Flags;
    return Input;
}

INPUT Key(WORD VirtualKey, TCHAR Char, bool Up)
{
    INPUT Input = {};
    Input.type = INPUT_KEYBOARD;
    Input.ki.wVk = VirtualKey;
    Input.ki.wScan = Char;
    Input.ki.dwFlags = (Char ? KEYEVENTF_UNICODE : 0) | (Up ? KEYEVENTF_KEYUP : 0);
    return Input;
}

void ClickOn(HWND Dialog, INT Id)
{
    RECT Area;
    GetWindowRect(GetDlgItem(Dialog, Id), &Area);
    SetCursorPos((Area.left + Area.right) / 2, (Area.top + Area.bottom) / 2);
    Send({Mouse(MOUSEEVENTF_LEFTDOWN), Mouse(MOUSEEVENTF_LEFTUP)});
}

// Replaces the number in an edit field as a player does: click, clear, type.
void TypeInto(HWND Dialog, INT Id, const TCHAR* Text)
{
    ClickOn(Dialog, Id);
    Send({Key(VK_END, 0, false), Key(VK_END, 0, true)});
    for (INT i = 0; i < 10; i++)
        Send({Key(VK_BACK, 0, false), Key(VK_BACK, 0, true)});
    for (; *Text; Text++)
        Send({Key(0, *Text, false), Key(0, *Text, true)});
}
} // namespace

TEST(PlayerRun, FirstRunConfiguresThenTheLauncherStartsTheGameWithTheChanges)
{
    CORVANE_SKIP_WITHOUT_WINDOWS();
    FStagedGame Game;
    Game.Write(TEXT("Play.txt"), "status\r\nexit\r\n");
    FString Args = FString::Printf(TEXT("\"%s\" EXEC=Play.txt"), *Game.System(TEXT("Corvane.exe")));
    STARTUPINFOW Startup = {};
    Startup.cb = sizeof(Startup);
    PROCESS_INFORMATION Process = {};
    ASSERT_TRUE(CreateProcessW(NULL, Args.GetCharArray(), NULL, NULL, FALSE, 0, NULL, *Game.System(), &Startup, &Process));
    DWORD Id = Process.dwProcessId;

    // The first run asks for the configuration before anything else.
    HWND Config = WaitForDialog(Id, TEXT("Configuration"));
    EXPECT_TRUE(Config && !FindWindowW(TEXT("#32770"), TEXT("Corvane Launcher")));
    if (Config)
        ClickOn(Config, IDOK);
    HWND Launcher = WaitForDialog(Id, TEXT("Corvane Launcher"));
    if (Launcher)
    {
        ClickOn(Launcher, IDC_LAUNCHER_CONFIGURE);
        Config = WaitForDialog(Id, TEXT("Configuration"));
        EXPECT_NE(nullptr, Config);
        if (Config)
        {
            ClickOn(Config, IDC_CONFIG_CUSTOMSIZE);
            TypeInto(Config, IDC_CONFIG_CUSTOMWIDTH, TEXT("800"));
            TypeInto(Config, IDC_CONFIG_CUSTOMHEIGHT, TEXT("600"));
            ClickOn(Config, IDC_CONFIG_FOVCUSTOM);
            TypeInto(Config, IDC_CONFIG_CUSTOMFOV, TEXT("100"));
            ClickOn(Config, IDOK);
        }
        if (WaitForDialog(Id, TEXT("Corvane Launcher")) == Launcher)
            ClickOn(Launcher, IDC_LAUNCHER_PLAY);
    }
    bool Ended = WaitForSingleObject(Process.hProcess, 60000) == WAIT_OBJECT_0;
    if (!Ended)
        TerminateProcess(Process.hProcess, 99);
    DWORD ExitCode = 99;
    GetExitCodeProcess(Process.hProcess, &ExitCode);
    CloseHandle(Process.hThread);
    CloseHandle(Process.hProcess);
    ASSERT_TRUE(Launcher && Ended);
    EXPECT_EQ(0u, ExitCode);
    EXPECT_TRUE(LinesInOrder(Game.Log(), {TEXT("Log: Status: FOV Desired=100.000 Default=100.000"),
                                          TEXT("Log: Status: Viewport 800x600 Windowed")}));
    INT Line;
    EXPECT_TRUE(ReadLogLines(*Game.Mirror(TEXT("Corvane.ini"))).FindItem(TEXT("FirstRun=1100"), Line));
}

TEST(PlayerRun, AModCheckedAndMovedFirstInDataDirectoriesIsSearchedFirstAndShowsItsTexts)
{
    CORVANE_SKIP_WITHOUT_WINDOWS();
    FStagedGame Game;
    Game.Configure("[Corvane]\r\nRawInput=False\r\nUseAutoFOV=False\r\n");
    Game.Write(TEXT("Play.txt"), "status\r\nexit\r\n");
    FString Args = FString::Printf(TEXT("\"%s\" EXEC=Play.txt"), *Game.System(TEXT("Corvane.exe")));
    STARTUPINFOW Startup = {};
    Startup.cb = sizeof(Startup);
    PROCESS_INFORMATION Process = {};
    ASSERT_TRUE(CreateProcessW(NULL, Args.GetCharArray(), NULL, NULL, FALSE, 0, NULL, *Game.System(), &Startup, &Process));
    DWORD Id = Process.dwProcessId;

    HWND Launcher = WaitForDialog(Id, TEXT("Corvane Launcher"));
    if (Launcher)
    {
        ClickOn(Launcher, IDC_LAUNCHER_DATADIRS);
        HWND Folders = WaitForDialog(Id, TEXT("Data Directories"));
        EXPECT_NE(nullptr, Folders);
        if (Folders)
        {
            // The tree has the focus: the player types the mod's name to select it and checks
            // it with the space key, then moves it to the top.
            for (const TCHAR* Char = TEXT("MyMod"); *Char; Char++)
                Send({Key(0, *Char, false), Key(0, *Char, true)});
            Sleep(1500); // so that the space starts no new search
            Send({Key(VK_SPACE, 0, false), Key(VK_SPACE, 0, true)});
            HWND MoveUp = GetDlgItem(Folders, IDC_DATADIRECTORIES_MOVEUP);
            for (INT i = 0; i < 8 && IsWindowEnabled(MoveUp); i++)
                ClickOn(Folders, IDC_DATADIRECTORIES_MOVEUP);
            EXPECT_FALSE(IsWindowEnabled(MoveUp)) << "the mod is first";
            ClickOn(Folders, IDOK);
        }
        if (WaitForDialog(Id, TEXT("Corvane Launcher")) == Launcher)
            ClickOn(Launcher, IDC_LAUNCHER_PLAY);
    }
    bool Ended = WaitForSingleObject(Process.hProcess, 60000) == WAIT_OBJECT_0;
    if (!Ended)
        TerminateProcess(Process.hProcess, 99);
    DWORD ExitCode = 99;
    GetExitCodeProcess(Process.hProcess, &ExitCode);
    CloseHandle(Process.hThread);
    CloseHandle(Process.hProcess);
    ASSERT_TRUE(Launcher && Ended);
    EXPECT_EQ(0u, ExitCode);
    // The mod's packages are searched first, and its .int overrides the game's title.
    EXPECT_TRUE(LinesInOrder(Game.Log(), {TEXT("Log: Init: Path[0]=..\\MyMod\\System\\*.u"),
                                          TEXT("Log: Status: Title Veltra: MyMod")}));
}
