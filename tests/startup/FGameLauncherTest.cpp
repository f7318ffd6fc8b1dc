// Tests of the game's console commands (the launcher's window-form ones, then the command
// hook's) and of the automatic field of view, on a small game and real windows.
#include "FGameLauncher.h"
#include "MessageBoxWatcher.h"
#include "TestFiles.h"
#include "TestWorld.h"

namespace
{
// The visible window of the window library that this process has open besides the hidden log.
HWND OpenLibraryWindow() { return FindProcessWindow(GetCurrentProcessId(), TEXT("VeltraWindow"), NULL, true); }

HWND TopWindow()
{
    return CreateWindowExW(0, TEXT("STATIC"), TEXT(""), WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 320, 240, NULL, NULL,
                           NULL, NULL);
}

class GameLauncher : public FTempFolderTest
{
protected:
    GameLauncher()
    {
        Temp.Write(TEXT("Window.int"), "[General]\r\nAdvancedOptionsTitle=Advanced Options\r\n");
        StartConfig(TEXT("System.ini"));
        InitWindowing();
    }
    ~GameLauncher() override
    {
        delete GLogWindow;
        GIsClient = SavedClient;
    }

    FGameLauncher Hook{FGameLauncher::NoLaunch}; // outlives the world, whose end closes the windows it hooked
    FTestWorld World;
    FArchive* LogAr = NULL;
    UBOOL SavedClient = GIsClient;
};
} // namespace

TEST_F(GameLauncher, AnswersItsCommandsAndReportsWhatIsMissing)
{
    GIsClient = 1;
    AProp::StaticClass(); // a class that no actor has
    // No window here: what the window-form commands do to the game's window is seen end to end.
    const struct { UBOOL Borderless; const TCHAR* Command; UBOOL Handled; const TCHAR* Messages; bool BorderlessAfter; } Cases[] = {
        {0, TEXT("ShowLog"), 1, TEXT(""), false}, // no log window: nothing to show
        {0, TEXT("HideLog"), 1, TEXT(""), false},
        {0, TEXT("TakeFocus"), 1, TEXT(""), false}, // a viewport without a window
        {0, TEXT("EditActor"), 1, TEXT("Missing class"), false},
        {0, TEXT("EditActor Class=NoSuchClass"), 1, TEXT("Missing class"), false},
        {0, TEXT("EditActor Class=Prop"), 1, TEXT("Actor not found"), false},
        {0, TEXT("Preferences"), 0, TEXT(""), false}, // a client's
        {0, TEXT("ShowLogs"), 0, TEXT(""), false},
        {0, TEXT("ToggleFullScreen"), 0, TEXT(""), false}, // the engine's own switch
        {0, TEXT("SetRes 800x600"), 0, TEXT(""), false},
        {1, TEXT("ToggleFullScreen"), 1, TEXT(""), true},  // frame off, over the whole monitor
        {1, TEXT("SetRes 800x600"), 1, TEXT(""), true},    // swallowed: the window keeps the monitor's size
        {1, TEXT("ToggleFullScreen"), 1, TEXT(""), false}, // the frame comes back
        {1, TEXT("SetRes 800x600"), 0, TEXT(""), false},
    };
    for (const auto& Case : Cases)
    {
        GTestLog.Clear();
        Hook.BorderlessFullscreenWindow = Case.Borderless;
        EXPECT_EQ(Case.Handled, Hook.Exec(Case.Command, GTestLog)) << Case.Command;
        EXPECT_EQ(Case.BorderlessAfter, Hook.BorderlessActive) << Case.Command;
        FString Messages;
        for (const FString& Line : GTestLog.Lines)
            Messages += Line;
        EXPECT_EQ(FString(Case.Messages), Messages) << Case.Command;
    }
    // Without an engine there is no player to find actors around.
    UObject::StaticExit();
    ConstructObject<ULevel>(ULevel::StaticClass())->SpawnActor(AProp::StaticClass(), FVector());
    EXPECT_TRUE(Hook.Exec(TEXT("EditActor Class=Prop"), GTestLog));
    EXPECT_EQ(FString(TEXT("Missing class")), GTestLog.Lines.Last());
}

TEST_F(GameLauncher, ShowsTheLogFocusesTheViewportEditsTheNearestActorAndKeepsOnePreferencesWindowOnAServer)
{
    CORVANE_SKIP_WITHOUT_WINDOWS();
    GLogWindow = new WLog(TEXT("Test.log"), LogAr, FName(TEXT("GameLog")));
    GLogWindow->OpenWindow(0, 0);
    EXPECT_TRUE(Hook.Exec(TEXT("ShowLog"), GTestLog));
    EXPECT_TRUE(IsWindowVisible(GLogWindow->hWnd) && IsChild(GLogWindow->hWnd, GetFocus()));
    EXPECT_TRUE(Hook.Exec(TEXT("HideLog"), GTestLog));
    EXPECT_FALSE(IsWindowVisible(GLogWindow->hWnd));

    HWND Viewport = World.Viewport->Window = TopWindow(), Other = TopWindow();
    ASSERT_EQ(Other, GetForegroundWindow());
    EXPECT_TRUE(Hook.Exec(TEXT("TakeFocus"), GTestLog));
    EXPECT_EQ(Viewport, GetForegroundWindow());

    World.Level->SpawnActor(AProp::StaticClass(), FVector(20.f, 0.f, 0.f));
    AActor* Near = World.Level->SpawnActor(AProp::StaticClass(), FVector(0.f, 10.f, 0.f));
    EXPECT_TRUE(Hook.Exec(TEXT("EditActor Class=Engine.Prop"), GTestLog));
    HWND Opened = OpenLibraryWindow();
    EXPECT_EQ(Viewport, GetWindow(Opened, GW_OWNER)); // over the game, also a borderless one
    TCHAR First[256] = {};
    SendMessageW(FindWindowExW(Opened, NULL, TEXT("ListBox"), NULL), LB_GETTEXT, 0, reinterpret_cast<LPARAM>(First));
    EXPECT_EQ(FString::Printf(TEXT("[%s]"), Near->GetFullName()), FString(First));
    DestroyWindow(Viewport);
    DestroyWindow(Other);

    GIsClient = 0;
    EXPECT_TRUE(Hook.Exec(TEXT("Preferences"), GTestLog));
    WConfigProperties* Window = Hook.PreferencesWindow;
    ASSERT_TRUE(Window && Window->hWnd);
    EXPECT_EQ(FString(TEXT("Advanced Options")), Window->GetText());

    // Again: the same window, shown and focused anew.
    Window->Show(0);
    SetFocus(GLogWindow->hWnd);
    EXPECT_TRUE(Hook.Exec(TEXT("Preferences"), GTestLog));
    EXPECT_EQ(Window, Hook.PreferencesWindow);
    EXPECT_TRUE(IsWindowVisible(Window->hWnd) && GetFocus() == Window->hWnd);
    EXPECT_EQ(GLogWindow->hWnd, GetWindow(Window->hWnd, GW_OWNER));

    // The player closes it: the library destroys it, and the next command makes a new one.
    HWND Closed = Window->hWnd;
    SendMessageW(Closed, WM_CLOSE, 0, 0);
    EXPECT_EQ(NULL, Hook.PreferencesWindow);
    EXPECT_FALSE(IsWindow(Closed));
    EXPECT_TRUE(Hook.Exec(TEXT("Preferences"), GTestLog));
    ASSERT_TRUE(Hook.PreferencesWindow && Hook.PreferencesWindow->hWnd);
    EXPECT_TRUE(IsWindowVisible(Hook.PreferencesWindow->hWnd));
}

TEST_F(GameLauncher, UpdateAutoFOVMatchesTheWindowsShapeToTheUsersAngle)
{
    Temp.Write(TEXT("DefUser.ini"), "[Engine.PlayerPawn]\r\nDefaultFOV=90.000000\r\n");
    Hook.Viewport = World.Viewport;
    const struct { const TCHAR* DesiredFOV; DWORD Width, Height; const char* Command; DWORD LastX, LastY; } Cases[] = {
        {NULL, 1920, 1080, "fov 91.309", 1920, 1080}, // DefUser.ini without the key: 75
        {TEXT("90"), 1920, 1080, "fov 106.260", 1920, 1080},
        {TEXT("90"), 0, 768, NULL, 1920, 1080}, // no area, no shape: nothing to do
        {TEXT("90"), 1024, 0, NULL, 1920, 1080},
    };
    for (const auto& Case : Cases)
    {
        if (Case.DesiredFOV)
            GConfig->SetString(TEXT("Engine.PlayerPawn"), TEXT("DesiredFOV"), Case.DesiredFOV, TEXT("DefUser.ini"));
        World.Viewport->Commands.Empty();
        Hook.UpdateAutoFOV(Case.Width, Case.Height);
        EXPECT_EQ(Case.Command ? std::vector<std::string>{Case.Command} : std::vector<std::string>(),
                  Narrow(World.Viewport->Commands)) << Case.Width << "x" << Case.Height;
        EXPECT_EQ(Case.LastX, Hook.LastFOVSizeX);
        EXPECT_EQ(Case.LastY, Hook.LastFOVSizeY);
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
    std::vector<INPUT> Burst(150);
    for (size_t i = 0; i < Burst.size(); i++)
        Burst[i] = {INPUT_MOUSE, {{3, 0, 0, MOUSEEVENTF_MOVE, 0, 0}}};
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
    EXPECT_EQ(3.f * 147, Totals.AxisX);
    EXPECT_EQ(2, Totals.Presses[IK_MouseButton4]);
    EXPECT_TRUE(Totals.Held[IK_MouseButton4]);
}
