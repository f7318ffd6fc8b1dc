// Runs Corvane.exe on a copy of the staged game as a scripted player would, and reads what
// it leaves behind: the log, the ini files, the exit code. Each run checks several things;
// one of them is the game with both engine fixes on.
#include "StagedGame.h"
#include "FieldOfView.h"
#include "FFreeSaveSpaceFix.h"
#include <memory>

namespace
{
// A number of a line, given as Key (such as "AxisX=").
FLOAT ValueIn(const FString& Line, const TCHAR* Key)
{
    FLOAT Value = -1.f;
    Parse(*Line, Key, Value);
    return Value;
}

HWND ViewportOf(const FWatchedProcess& Game) { return FindProcessWindow(Game.Id(), TEXT("VeltraViewport"), NULL, true); }

// Gives the window a client area of Width by Height, as a player dragging its frame would.
void ResizeClient(HWND Window, INT Width, INT Height)
{
    RECT Outer, Inner;
    GetWindowRect(Window, &Outer);
    GetClientRect(Window, &Inner);
    SetWindowPos(Window, NULL, 0, 0, Width + (Outer.right - Outer.left) - Inner.right,
                 Height + (Outer.bottom - Outer.top) - Inner.bottom, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool Exists(const FString& Path) { return GetFileAttributesW(*Path) != INVALID_FILE_ATTRIBUTES; }

} // namespace

// A player's first run, in a borderless window over the monitor, with -localdata.
TEST(CorvaneExe, AFirstRunWritesItsDefaultsABorderlessWindowTogglesItsFrameAndRawMotionReachesTheEngineOnce)
{
    CORVANE_SKIP_WITHOUT_WINDOWS();
    FStagedGame Game;
    // The probe is Corvane.exe that saves the log window's text before the window goes.
    ASSERT_TRUE(CopyFileW(*(FString(appBaseDir()) + TEXT("LogWindowProbe.exe")), *Game.System(TEXT("Corvane.exe")), FALSE));
    Game.EditIni("StartupFullscreen=False", "StartupFullscreen=True");
    // No [FirstRun] and no RawInput key: raw input is on as the dialog presets it.
    Game.Configure("[Corvane]\r\nBorderlessFullscreenWindow=True\r\nUseAutoFOV=False\r\n", false);
    Game.Write(TEXT("Run.txt"), "echo borderless\r\nwait 1\r\nToggleFullScreen\r\necho framed\r\nwait 1\r\n"
                                "ToggleFullScreen\r\nSetRes 800x600\r\necho again\r\nwait 1\r\n"
                                "TakeFocus\r\nwait 0.5\r\nstatus\r\necho moving\r\nwait 3\r\nstatus\r\nexit\r\n");
    // The configuration dialog comes first; cancelled, it leaves the defaults as written.
    std::unique_ptr<FWatchedProcess> Process(Game.Start(TEXT(" -localdata LOG=Moved.log EXEC=Run.txt"), IDCANCEL));
    const RECT Monitor = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}; // the only one
    for (const TCHAR* Step : {TEXT("Echo: borderless"), TEXT("Echo: framed"), TEXT("Echo: again")})
    {
        ASSERT_TRUE(WaitForLogWindow(*Process, Step));
        HWND Viewport = ViewportOf(*Process);
        RECT Rect;
        GetWindowRect(Viewport, &Rect);
        const bool Framed = (GetWindowLongW(Viewport, GWL_STYLE) & WS_CAPTION) == WS_CAPTION;
        EXPECT_EQ(!appStrcmp(Step, TEXT("Echo: framed")), Framed) << Narrow(Step);
        EXPECT_TRUE(Framed || EqualRect(&Rect, &Monitor)) << Narrow(Step);
    }
    EXPECT_TRUE(WaitForLogWindow(*Process, TEXT("Echo: moving")));
    INPUT Move = {INPUT_MOUSE, {{5, -3, 0, MOUSEEVENTF_MOVE, 0, 0}}}; // small steps: no acceleration
    for (INT i = 0; i < 10; i++, Sleep(20))
        SendInput(1, &Move, sizeof(INPUT));
    FWatchedRun Result = Process->Wait();
    EXPECT_EQ(0u, Result.ExitCode);
    EXPECT_EQ(1, Result.BoxCount);
    EXPECT_EQ("Configuration", Narrow(Result.FirstBox.Title));
    // With -localdata, log and settings stay in the installation; LOG= names the log there.
    TArray<FString> Ini = ReadLogLines(*Game.System(TEXT("Corvane.ini")));
    for (const FString& Line : {FString(TEXT("GameRenderDevice=D3DDrv.D3DRenderDevice")), FString(TEXT("FullscreenColorBits=32")),
                                FString::Printf(TEXT("FullscreenViewportX=%i"), Monitor.right),
                                FString::Printf(TEXT("FullscreenViewportY=%i"), Monitor.bottom), FString(TEXT("FirstRun=1100")),
                                FString(TEXT("UseDirectInput=False")), FString(TEXT("StartupFullscreen=False"))})
        EXPECT_LE(0, FindLineFrom(Ini, *Line)) << Narrow(Line);
    TArray<FString> Log = ReadLogLines(*Game.System(TEXT("Moved.log")));
    EXPECT_TRUE(LinesInOrder(Log, {TEXT("Log: Log file open, "), TEXT("Log: Corvane: version 8.0.0.0."), TEXT("Log: Init: Viewport "),
                                   TEXT("Log: Exit: requested")}));
    EXPECT_EQ(Log.Num() - 1, FindLineFrom(Log, TEXT("Log: Log file closed, ")));
    EXPECT_EQ(-1, FindLineFrom(Log, TEXT("Log: Corvane: Using User Documents File Manager.")));
    EXPECT_EQ(-1, FindLineFrom(Log, TEXT("Console: ")));
    EXPECT_FALSE(Exists(Game.System(TEXT("Corvane.log"))) || Exists(Game.Mirror(TEXT("Corvane.log"))));
    EXPECT_TRUE(LinesInOrder(ReadLogLines(*Game.System(TEXT("LogWindow.txt"))),
                             {TEXT("Console: Starting the game."), TEXT("Log: Init: Viewport "),
                              TEXT("Console: The game is running."), TEXT("Log: Exit: requested"),
                              TEXT("Console: The game has ended.")}));
    EXPECT_EQ(-1, FindLineFrom(Log, TEXT("Log: SetRes: "))); // swallowed while borderless
    INT Before = FindLineFrom(Log, TEXT("Log: Status: Mouse ")), After = FindLineFrom(Log, TEXT("Log: Status: Mouse "), Before + 1);
    ASSERT_LE(0, After);
    // Each report once, as axis events: the window's own mouse messages add nothing.
    EXPECT_EQ(50.f, ValueIn(Log(After), TEXT("AxisX=")) - ValueIn(Log(Before), TEXT("AxisX=")));
    EXPECT_EQ(30.f, ValueIn(Log(After), TEXT("AxisY=")) - ValueIn(Log(Before), TEXT("AxisY="))); // up is positive
}

TEST(CorvaneExe, FixesEditActorAutoFieldOfViewAndAHandEditedIniThatARunWithoutChangesKeeps)
{
    CORVANE_SKIP_WITHOUT_WINDOWS();
    FStagedGame Game;
    Game.Configure("[Corvane]\r\nUseAutoFOV=True\r\nRawInput=False\r\nSubtitleFix=True\r\nGUIScalingFix=2\r\n");
    const std::string Edited = ReadWholeFile(*Game.System(TEXT("Corvane.ini"))) +
                               "\r\n[Notes]\r\nA line without an equals sign\r\nQuoted=\"a value; kept\"\r\n\r\n"
                               "Again=1\r\nAgain=2\r\n";
    Game.WriteMirror(TEXT("Corvane.ini"), Edited); // DirectInput stays as it is: the run changes no setting
    Game.Write(TEXT("Run.txt"), "wait 0.2\r\nstatus\r\nconversation\r\nsavemenu\r\nEditActor Class=Prop\r\necho resize\r\n"
                                "wait 1\r\nzoom 40\r\necho zoomed\r\nwait 1\r\nendzoom\r\nwait 0.5\r\nexit\r\n");
    FTempDir Folder;
    const FString Absolute = Folder(TEXT("Absolute.log"));
    std::unique_ptr<FWatchedProcess> Process(Game.Start(*FString::Printf(TEXT(" ABSLOG=\"%s\" EXEC=Run.txt"), *Absolute)));
    EXPECT_TRUE(WaitForLogWindow(*Process, TEXT("Echo: resize")));
    // The log window of a client is hidden: the one visible window of the library is the new one.
    HWND Properties = FindProcessWindow(Process->Id(), TEXT("VeltraWindow"), NULL, true);
    TCHAR Heading[256] = {};
    SendMessageW(FindWindowExW(Properties, NULL, TEXT("ListBox"), NULL), LB_GETTEXT, 0, reinterpret_cast<LPARAM>(Heading));
    // The one on the smallest circle.
    EXPECT_TRUE(FString(Heading).InStr(TEXT("[Prop ")) == 0 && FString(Heading).InStr(TEXT(".Prop0]")) > 0) << Narrow(Heading);
    EXPECT_EQ(ViewportOf(*Process), GetWindow(Properties, GW_OWNER)); // over the game, also a borderless one
    ResizeClient(ViewportOf(*Process), 1200, 675); // 16:9
    EXPECT_TRUE(WaitForLogWindow(*Process, TEXT("Echo: zoomed")));
    ResizeClient(ViewportOf(*Process), 1024, 432); // 64:27
    EXPECT_EQ(0u, Process->Wait().ExitCode);
    ULARGE_INTEGER Free; // the run writes files too: compared within 1 %
    ASSERT_TRUE(GetDiskFreeSpaceExW(*Game.Mirror(), &Free, NULL, NULL));
    EXPECT_EQ(Edited, ReadWholeFile(*Game.Mirror(TEXT("Corvane.ini"))));

    EXPECT_FALSE(Exists(Game.Mirror(TEXT("Corvane.log"))));
    TArray<FString> Log = ReadLogLines(*Absolute);
    EXPECT_TRUE(LinesInOrder(Log, {
        TEXT("Log: Installing hook 'Free save space fix'."), TEXT("Log: Installing hook 'Widescreen subtitle fix'."),
        TEXT("Log: Installing hook 'GUI scaling fix'."),
        TEXT("Log: Status: GUI Multipliers=2x2 Root=512.0x384.0 Clip=512.0x384.0"), // a 1024x768 window
        TEXT("Log: Window: created Name=ConWindowActive20 Class=Corvane.ConWindowActive2 Parent=VeltraRoot0 Visible=1"),
        TEXT("Log: Window: created Name=SaveMenu0 Class=Veltra.SaveMenu"), TEXT("Log: SaveMenu: FreeSpace="),
    }));
    const INT At = FindLineFrom(Log, TEXT("Log: SaveMenu: FreeSpace="));
    ASSERT_LE(0, At);
    const DOUBLE Expected = DOUBLE(FreeKiloBytes(Free.QuadPart));
    EXPECT_NEAR(Expected, ValueIn(Log(At), TEXT("FreeSpace=")), Expected / 100.0);
    // Every change of the angle: the resize while zoomed waits for the end of the zoom.
    const double Wide = AutoFieldOfView(75.f, 1200, 675), Wider = AutoFieldOfView(75.f, 1024, 432);
    FString Logged;
    for (INT i = FindLineFrom(Log, TEXT("Log: FOV: ")); i >= 0; i = FindLineFrom(Log, TEXT("Log: FOV: "), i + 1))
        Logged += Log(i).Mid(appStrlen(TEXT("Log: FOV: "))) + TEXT(";");
    EXPECT_STREQ(*FString::Printf(TEXT("Desired=75.000 Default=75.000;Desired=%.3f Default=%.3f;Desired=40.000 Default=%.3f;Desired=%.3f ")
                                  TEXT("Default=%.3f;Desired=%.3f Default=%.3f;"), Wide, Wide, Wide, Wide, Wide, Wider, Wider), *Logged);
}
