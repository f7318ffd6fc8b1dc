// The launcher's window-form commands on a real window, and the automatic field of view
// through a viewport that keeps the commands it is given.
#include "FGameLauncher.h"
#include "TestFiles.h"

namespace
{
class UCommandViewport : public UViewport
{
    DECLARE_CLASS(UCommandViewport, UViewport)
public:
    TArray<FString> Commands;

    UBOOL Exec(const TCHAR* Cmd, FOutputDevice&) override
    {
        Commands.AddItem(FString(Cmd));
        return 1;
    }
};
IMPLEMENT_CLASS(UCommandViewport, LauncherTest, CommandViewport, 0)

bool Framed(HWND Window) { return (GetWindowLongW(Window, GWL_STYLE) & WS_CAPTION) == WS_CAPTION; }

RECT MonitorOf(HWND Window)
{
    MONITORINFO Info = {};
    Info.cbSize = sizeof(Info);
    GetMonitorInfoW(MonitorFromWindow(Window, MONITOR_DEFAULTTONEAREST), &Info);
    return Info.rcMonitor;
}
} // namespace

TEST(FGameLauncher, WindowFormCommandsFollowTheBorderlessSetting)
{
    CORVANE_SKIP_WITHOUT_WINDOWS();
    HWND Window = CreateWindowExW(0, TEXT("STATIC"), TEXT("Viewport"), WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 60, 640,
                                  480, NULL, NULL, NULL, NULL);
    FGameLauncher Launcher(FGameLauncher::NoLaunch);
    Launcher.ViewportWindow = Window;
    struct
    {
        UBOOL Borderless;
        const TCHAR* Command;
        UBOOL Handled;
        bool ActiveAfter;
    } Steps[] = {
        {0, TEXT("ToggleFullScreen"), 0, false}, // the engine's own switch
        {0, TEXT("SetRes 800x600"), 0, false},
        {1, TEXT("ToggleFullScreen"), 1, true},  // frame off, over the whole monitor
        {1, TEXT("SetRes 800x600"), 1, true},    // swallowed: the window keeps the monitor's size
        {1, TEXT("ToggleFullScreen"), 1, false}, // the frame comes back
        {1, TEXT("SetRes 800x600"), 0, false},
        {1, TEXT("bogus"), 0, false},            // left to the engine
    };
    for (const auto& Step : Steps)
    {
        Launcher.BorderlessFullscreenWindow = Step.Borderless;
        FCaptureDevice Out;
        EXPECT_EQ(Step.Handled, Launcher.Exec(Step.Command, Out)) << Narrow(Step.Command);
        EXPECT_EQ(Step.ActiveAfter, Launcher.BorderlessActive) << Narrow(Step.Command);
        EXPECT_EQ(!Step.ActiveAfter, Framed(Window)) << Narrow(Step.Command);
        RECT Rect, Monitor = MonitorOf(Window);
        GetWindowRect(Window, &Rect);
        if (Step.ActiveAfter) // framed again, it keeps its place and size
        {
            EXPECT_TRUE(EqualRect(&Rect, &Monitor)) << Narrow(Step.Command);
        }
    }
    DestroyWindow(Window);
}

class FGameLauncherFOV : public FTempFolderTest
{
};

TEST_F(FGameLauncherFOV, UpdateAutoFOVMatchesTheWindowsShapeToTheUsersAngle)
{
    Temp.Write(TEXT("DefUser.ini"), "[Engine.PlayerPawn]\r\nDefaultFOV=90.000000\r\n");
    StartConfig(TEXT("Corvane.ini"));
    FGameLauncher Launcher(FGameLauncher::NoLaunch);
    UCommandViewport* Viewport = ConstructObject<UCommandViewport>(UCommandViewport::StaticClass());
    Launcher.Viewport = Viewport;
    struct
    {
        const TCHAR* DesiredFOV; // in DefUser.ini; NULL: missing
        DWORD Width, Height;
        const TCHAR* Command;    // NULL: none
        DWORD LastX, LastY;
    } Cases[] = {
        {NULL, 1920, 1080, TEXT("fov 91.309"), 1920, 1080}, // 75 without the key
        {TEXT("90"), 1920, 1080, TEXT("fov 106.260"), 1920, 1080},
        {TEXT("90"), 0, 768, NULL, 1920, 1080}, // no area, no shape: nothing to do
        {TEXT("90"), 1024, 0, NULL, 1920, 1080},
        {TEXT("75"), 1024, 768, TEXT("fov 75.000"), 1024, 768},
    };
    for (const auto& Case : Cases)
    {
        if (Case.DesiredFOV)
            GConfig->SetString(TEXT("Engine.PlayerPawn"), TEXT("DesiredFOV"), Case.DesiredFOV, TEXT("DefUser.ini"));
        Viewport->Commands.Empty();
        Launcher.UpdateAutoFOV(Case.Width, Case.Height);
        std::vector<std::string> Expected;
        if (Case.Command)
            Expected.push_back(Narrow(FString(Case.Command)));
        EXPECT_EQ(Expected, Narrow(Viewport->Commands)) << Case.Width;
        EXPECT_EQ(Case.LastX, Launcher.LastFOVSizeX);
        EXPECT_EQ(Case.LastY, Launcher.LastFOVSizeY);
    }
}
