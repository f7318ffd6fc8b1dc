// Tests of the game's console commands (the launcher's window-form ones, then the command
// hook's) and of the automatic field of view, on a small game and real windows.
#include "FGameLauncher.h"
#include "MessageBoxWatcher.h"
#include "TestFiles.h"
#include "TestWorld.h"

namespace
{
HWND TopWindow() { return CreateWindowExW(0, TEXT("STATIC"), TEXT(""), WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 320, 240, 0, 0, 0, 0); }

class GameLauncher : public FTempFolderTest
{
protected:
    GameLauncher()
    {
        Temp.Write(TEXT("Window.int"), "[General]\r\nAdvancedOptionsTitle=Advanced Options\r\n");
        StartConfig(TEXT("System.ini"));
        InitWindowing();
    }
    ~GameLauncher() override { delete GLogWindow; GIsClient = SavedClient; }

    FGameLauncher Hook{FGameLauncher::NoLaunch}; // outlives the world, whose end closes the windows it hooked
    FTestWorld World;
    UBOOL SavedClient = GIsClient;
};
} // namespace

TEST_F(GameLauncher, AnswersItsCommandsAndReportsWhatIsMissing)
{
    GIsClient = 1;
    AProp::StaticClass(); // a class that no actor has
    // No window here: what the window-form commands do to the game's window is seen end to end.
    // Each result: handled, borderless afterwards, the messages.
    const struct { UBOOL Borderless; const TCHAR* Command; const TCHAR* Result; } Cases[] = {
        {0, TEXT("ShowLog"), TEXT("1 0")}, // no log window: nothing to show
        {0, TEXT("HideLog"), TEXT("1 0")},
        {0, TEXT("TakeFocus"), TEXT("1 0")}, // a viewport without a window
        {0, TEXT("EditActor Class=NoSuchClass"), TEXT("1 0 Missing class")},
        {0, TEXT("EditActor Class=Prop"), TEXT("1 0 Actor not found")},
        {0, TEXT("Preferences"), TEXT("0 0")}, // a client's
        {0, TEXT("ToggleFullScreen"), TEXT("0 0")}, // the engine's own switch
        {1, TEXT("ToggleFullScreen"), TEXT("1 1")}, // frame off, over the whole monitor
        {1, TEXT("SetRes 800x600"), TEXT("1 1")},   // swallowed: the window keeps the monitor's size
        {1, TEXT("ToggleFullScreen"), TEXT("1 0")}, // the frame comes back
        {1, TEXT("SetRes 800x600"), TEXT("0 0")},
    };
    for (const auto& Case : Cases)
    {
        GTestLog.Clear();
        Hook.BorderlessFullscreenWindow = Case.Borderless;
        const UBOOL Handled = Hook.Exec(Case.Command, GTestLog);
        FString Result = FString::Printf(TEXT("%i %i"), Handled, Hook.BorderlessActive);
        for (const FString& Line : GTestLog.Lines)
            Result += FString(TEXT(" ")) + Line;
        EXPECT_EQ(FString(Case.Result), Result) << Case.Command;
    }
    // Without an engine there is no player to find actors around.
    UObject::StaticExit();
    ConstructObject<ULevel>(ULevel::StaticClass())->SpawnActor(AProp::StaticClass(), FVector());
    EXPECT_TRUE(Hook.Exec(TEXT("EditActor Class=Prop"), GTestLog) && GTestLog.Lines.Last() == TEXT("Missing class"));
}

TEST_F(GameLauncher, ShowsTheLogFocusesTheViewportAndKeepsOnePreferencesWindowOnAServer)
{
    CORVANE_SKIP_WITHOUT_WINDOWS();
    FArchive* LogAr = NULL;
    GLogWindow = new WLog(TEXT("Test.log"), LogAr, FName(TEXT("GameLog")));
    GLogWindow->OpenWindow(0, 0);
    EXPECT_TRUE(Hook.Exec(TEXT("ShowLog"), GTestLog) && IsWindowVisible(GLogWindow->hWnd) && IsChild(GLogWindow->hWnd, GetFocus()));
    EXPECT_TRUE(Hook.Exec(TEXT("HideLog"), GTestLog) && !IsWindowVisible(GLogWindow->hWnd));

    HWND Viewport = World.Viewport->Window = TopWindow(), Other = TopWindow();
    ASSERT_EQ(Other, GetForegroundWindow());
    EXPECT_TRUE(Hook.Exec(TEXT("TakeFocus"), GTestLog) && GetForegroundWindow() == Viewport);
    DestroyWindow(Viewport);
    DestroyWindow(Other);

    GIsClient = 0;
    EXPECT_TRUE(Hook.Exec(TEXT("Preferences"), GTestLog));
    WConfigProperties* Window = Hook.PreferencesWindow;
    ASSERT_TRUE(Window && Window->hWnd);
    EXPECT_STREQ(TEXT("Advanced Options"), *Window->GetText());

    // Again: the same window, shown and focused anew.
    Window->Show(0);
    SetFocus(GLogWindow->hWnd);
    EXPECT_TRUE(Hook.Exec(TEXT("Preferences"), GTestLog) && Hook.PreferencesWindow == Window);
    EXPECT_TRUE(IsWindowVisible(Window->hWnd) && GetFocus() == Window->hWnd && GetWindow(Window->hWnd, GW_OWNER) == GLogWindow->hWnd);

    // The player closes it: the library destroys it, and the next command makes a new one.
    HWND Closed = Window->hWnd;
    SendMessageW(Closed, WM_CLOSE, 0, 0);
    EXPECT_TRUE(!Hook.PreferencesWindow && !IsWindow(Closed));
    EXPECT_TRUE(Hook.Exec(TEXT("Preferences"), GTestLog));
    EXPECT_TRUE(Hook.PreferencesWindow && IsWindowVisible(Hook.PreferencesWindow->hWnd));
}

TEST_F(GameLauncher, UpdateAutoFOVMatchesTheWindowsShapeToTheUsersAngle)
{
    Temp.Write(TEXT("DefUser.ini"), "[Engine.PlayerPawn]\r\nDefaultFOV=90.000000\r\n");
    Hook.Viewport = World.Viewport;
    // Each result: the commands given, then the size the launcher keeps as the last one seen.
    const struct { const TCHAR* DesiredFOV; DWORD Width, Height; const TCHAR* Result; } Cases[] = {
        {NULL, 1920, 1080, TEXT("fov 91.309 1920x1080")}, // DefUser.ini without the key: 75
        {TEXT("90"), 1920, 1080, TEXT("fov 106.260 1920x1080")},
        {TEXT("90"), 0, 768, TEXT("1920x1080")}, // no area, no shape: nothing to do
        {TEXT("90"), 1024, 0, TEXT("1920x1080")},
    };
    for (const auto& Case : Cases)
    {
        if (Case.DesiredFOV)
            GConfig->SetString(TEXT("Engine.PlayerPawn"), TEXT("DesiredFOV"), Case.DesiredFOV, TEXT("DefUser.ini"));
        World.Viewport->Commands = TEXT("");
        Hook.UpdateAutoFOV(Case.Width, Case.Height);
        EXPECT_STREQ(Case.Result, *(World.Viewport->Commands + FString::Printf(TEXT("%ux%u"), Hook.LastFOVSizeX, Hook.LastFOVSizeY)));
    }
}

// A fast mouse's burst, given to the loop at once: the first report comes as a message, the
// rest wait behind it, more than one read of the pending input takes.
TEST_F(GameLauncher, TheLoopGivesEveryReportOfABurstToTheEngineOnceInOrder)
{
    CORVANE_SKIP_WITHOUT_WINDOWS();
    HWND Window = World.Viewport->Window = TopWindow();
    ASSERT_EQ(Window, GetFocus());
    RAWINPUTDEVICE Mouse = {1, 2, 0, Window};
    ASSERT_TRUE(RegisterRawInputDevices(&Mouse, 1, sizeof(Mouse)));
    Hook.Viewport = World.Viewport;
    Hook.ViewportWindow = Window;
    Hook.RawInput = 1;
    Hook.FPSLimit = 60.f;
    Hook.CounterFrequency = 1000000; // what a tick may be due does not matter here
    // The cursor is held: Wine would make motion of its own from a moving one.
    RECT Area;
    GetWindowRect(Window, &Area);
    const RECT Hold = {Area.left + 50, Area.top + 50, Area.left + 51, Area.top + 51};
    ClipCursor(&Hold);
    std::vector<INPUT> Burst(150, INPUT{INPUT_MOUSE, {{3, 0, 0, MOUSEEVENTF_MOVE, 0, 0}}});
    // The fourth button: pressed, released, pressed again; only the order leaves it held.
    for (size_t At : {10, 80, 140})
        Burst[At].mi = {0, 0, XBUTTON1, DWORD(At == 80 ? MOUSEEVENTF_XUP : MOUSEEVENTF_XDOWN), 0, 0};
    ASSERT_EQ(Burst.size(), SendInput(UINT(Burst.size()), Burst.data(), sizeof(INPUT)));
    PostQuitMessage(0); // comes after the input: the loop ends once it has all
    GIsRunning = 1;
    Hook.RunMainLoop(World.Engine);
    GIsRunning = 0;
    GIsRequestingExit = 0;
    ClipCursor(NULL);
    Mouse = {1, 2, RIDEV_REMOVE, NULL};
    RegisterRawInputDevices(&Mouse, 1, sizeof(Mouse));
    DestroyWindow(Window);
    const FMouseTotals& Totals = World.Engine->Mouse;
    EXPECT_EQ("441 2 1", std::to_string(INT(Totals.AxisX)) + " " + std::to_string(Totals.Presses[IK_MouseButton4]) + " " +
                             std::to_string(Totals.Held[IK_MouseButton4]));
}
