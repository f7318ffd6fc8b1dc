// FGameLauncher.cpp: the launch sequence, the program's own settings, the window-form
// commands and the automatic field of view. The main loop is in MainLoop.cpp.
#include "FGameLauncher.h"
#include "FConfigCacheIni.h"
#include "FConfigDialog.h"
#include "FLauncherDialog.h"
#include "FieldOfView.h"
#include "FFileManagerWindows.h"
#include "FHookRegistry.h"
#include "FOutputDeviceLogFile.h"
#include "WindowPlacement.h"
#include "Window.h"
#include <stdlib.h>

namespace
{
const TCHAR ClientSection[] = TEXT("WinDrv.WindowsClient");
const INT FirstRunDone = 1100;

// Data-execution prevention breaks code that some of the game's libraries generate.
void TurnOffDEP()
{
    typedef BOOL(WINAPI * FSetProcessDEPPolicy)(DWORD);
    HMODULE Kernel = GetModuleHandleW(TEXT("Kernel32.dll"));
    FSetProcessDEPPolicy SetPolicy =
        Kernel ? reinterpret_cast<FSetProcessDEPPolicy>(reinterpret_cast<void*>(GetProcAddress(Kernel, "SetProcessDEPPolicy")))
               : NULL;
    if (!SetPolicy || !SetPolicy(0))
        GLog->Log(TEXT("Failed to set process DEP flags."));
}

// What the configuration dialog starts from on a first run: the Direct3D renderer, full
// screen at the desktop's size and 32 bits.
void WriteFirstRunDefaults()
{
    GConfig->SetString(TEXT("Engine.Engine"), TEXT("GameRenderDevice"), TEXT("D3DDrv.D3DRenderDevice"));
    GConfig->SetString(ClientSection, TEXT("FullscreenColorBits"), TEXT("32"));
    TCHAR Number[1024];
    _itow_s(GetSystemMetrics(SM_CXSCREEN), Number, ARRAY_COUNT(Number), 10);
    GConfig->SetString(ClientSection, TEXT("FullscreenViewportX"), Number);
    _itow_s(GetSystemMetrics(SM_CYSCREEN), Number, ARRAY_COUNT(Number), 10);
    GConfig->SetString(ClientSection, TEXT("FullscreenViewportY"), Number);
}

// Lines for the log window alone: event 788 never reaches the log file.
void LogToWindow(const TCHAR* Key)
{
    GLogWindow->Log(NAME_Console, LocalizeGeneral(Key, TEXT("Launch")));
}

// ConstructObject in the transient package, which tells the error device why an object
// cannot be made.
template<class T> T* ConstructTransient(UClass* Class)
{
    check(Class->IsChildOf(T::StaticClass()));
    return static_cast<T*>(
        UObject::StaticConstructObject(Class, UObject::GetTransientPackage(), NAME_None, 0, NULL, GError));
}

// The log window lives for the launch sequence; it goes with the holder on every way out.
class FLogWindowHolder
{
public:
    explicit FLogWindowHolder(WLog* InWindow) : Window(InWindow) {}
    ~FLogWindowHolder() { delete Window; } // takes itself out of GLogWindow and GLogHook
    FLogWindowHolder(const FLogWindowHolder&) = delete;
    FLogWindowHolder& operator=(const FLogWindowHolder&) = delete;

private:
    WLog* Window;
};
} // namespace

FGameLauncher::FGameLauncher()
{
    Launch();
}

void FGameLauncher::Launch()
{
    TurnOffDEP();
    LARGE_INTEGER Frequency;
    if (!QueryPerformanceFrequency(&Frequency))
        appErrorf(TEXT("Failed to query performance counter."));
    CounterFrequency = Frequency.QuadPart;

    INT FirstRun = 0;
    GConfig->GetInt(TEXT("FirstRun"), TEXT("FirstRun"), FirstRun);
    const bool IsFirstRun = FirstRun < FirstRunDone;
    if (IsFirstRun)
        WriteFirstRunDefaults();
    if (IsFirstRun || ParseParam(appCmdLine(), TEXT("changevideo")))
    {
        FConfigDialog* Config = new FConfigDialog;
        Config->ShowModal(NULL);
        delete Config;
    }
    // Whatever the player did there: the first-run defaults are written already.
    if (IsFirstRun)
        GConfig->SetInt(TEXT("FirstRun"), TEXT("FirstRun"), FirstRunDone);

    // Only Play goes on, and the game opens on the monitor the launcher was on.
    HMONITOR LaunchMonitor = NULL;
    if (GIsClient && !ParseParam(appCmdLine(), TEXT("skipdialog")))
    {
        FLauncherDialog* Launcher = new FLauncherDialog;
        INT_PTR Result = Launcher->ShowModal(NULL);
        LaunchMonitor = Launcher->LaunchMonitor;
        delete Launcher;
        if (Result != 1)
            return;
    }
    PlayGame(LaunchMonitor);
}

void FGameLauncher::PlayGame(HMONITOR LaunchMonitor)
{
    ReadLauncherSettings();
    static_cast<FFileManagerWindows*>(GFileManager)->LoadIntPaths();
    // The dialogs read texts before the player's data folders were known (the configuration's
    // renderer list reads every .int file): they are read again, a mod's own ones first.
    static_cast<FConfigCacheIni*>(GConfig)->FlushMatching(&FFileManagerWindows::IsLocalizedName);
    if (UseSingleCPU && !SetProcessAffinityMask(GetCurrentProcess(), 1))
        GLog->Log(TEXT("Failed to set process affinity."));
    if (RawInput) // the engine's own DirectInput mouse would read the same mouse twice
        GConfig->SetBool(ClientSection, TEXT("UseDirectInput"), 0);
    if (BorderlessFullscreenWindow) // the engine opens a window, which is then stretched over the monitor
        GConfig->SetBool(ClientSection, TEXT("StartupFullscreen"), 0);
    InitWindowing();

    // GLog is the entry's log file device.
    FOutputDeviceLogFile* LogFile = static_cast<FOutputDeviceLogFile*>(GLog);
    GLogWindow = new WLog(LogFile->LogFileName, LogFile->LogArchive, FName(TEXT("GameLog")), NULL);
    FLogWindowHolder LogWindow(GLogWindow);
    GLogWindow->OpenWindow(!GIsClient, 0); // a server shows its log, a client keeps it hidden
    LogToWindow(TEXT("Start"));
    GExec = this;

    UEngine* Engine = CreateEngine();
    GLogWindow->SetExec(Engine);
    LogToWindow(TEXT("Run"));
    if (GIsClient)
    {
        UClient* Client = Engine->Client;
        if (Client && Client->Viewports.Num())
        {
            Viewport = Client->Viewports(0);
            ViewportWindow = static_cast<HWND>(Viewport->GetWindow());
        }
        else
            GLog->Log(TEXT("Unable to get viewport."));
    }
    AdaptGameWindow(LaunchMonitor);

    // The replaced natives stand for exactly as long as the main loop could run. Declared after
    // the log window's holder, it goes before the window does, right after the exit line.
    FHookRegistry Hooks;
    GIsRunning = 1;
    if (!GIsRequestingExit)
        RunMainLoop(Engine);
    GIsRunning = 0;
    LogToWindow(TEXT("Exit"));
}

UEngine* FGameLauncher::CreateEngine()
{
    UClass* EngineClass = UObject::StaticLoadClass(UGameEngine::StaticClass(), NULL, TEXT("ini:Engine.Engine.GameEngine"),
                                                   NULL, LOAD_NoFail, NULL);
    UEngine* Engine = EngineClass ? ConstructTransient<UEngine>(EngineClass) : NULL;
    if (!Engine)
        appErrorf(TEXT("Engine initialization failed."));
    Engine->Init();
    return Engine;
}

void FGameLauncher::AdaptGameWindow(HMONITOR LaunchMonitor)
{
    if (LaunchMonitor && ViewportWindow)
        CenterWindowOnMonitor(ViewportWindow, LaunchMonitor);
    if (BorderlessFullscreenWindow && ViewportWindow)
    {
        SetBorderlessFullscreen(ViewportWindow, true);
        BorderlessActive = true;
    }
    if (RawInput && ViewportWindow)
    {
        RAWINPUTDEVICE Mouse = {1, 2, 0, ViewportWindow}; // generic desktop page, mouse
        if (!RegisterRawInputDevices(&Mouse, 1, sizeof(Mouse)))
            appErrorf(TEXT("Raw input: Failed to register raw input device."));
    }
    if (GIsClient && UseAutoFOV && Viewport && ViewportWindow)
    {
        RECT ClientArea;
        GetClientRect(ViewportWindow, &ClientArea);
        UpdateAutoFOV(ClientArea.right - ClientArea.left, ClientArea.bottom - ClientArea.top);
    }
}

void FGameLauncher::ReadLauncherSettings()
{
    // The defaults are what the configuration dialog shows for a missing key, so a player
    // who cancels it on the first run plays with what it showed.
    INT Limit = 120;
    GConfig->GetInt(TEXT("Corvane"), TEXT("FPSLimit"), Limit);
    FPSLimit = FLOAT(Limit);
    RawInput = 1;
    GConfig->GetBool(TEXT("Corvane"), TEXT("RawInput"), RawInput);
    UseAutoFOV = 1;
    GConfig->GetBool(TEXT("Corvane"), TEXT("UseAutoFOV"), UseAutoFOV);
    BorderlessFullscreenWindow = 0;
    GConfig->GetBool(TEXT("Corvane"), TEXT("BorderlessFullscreenWindow"), BorderlessFullscreenWindow);
    UseSingleCPU = 0;
    GConfig->GetBool(TEXT("Corvane"), TEXT("UseSingleCPU"), UseSingleCPU);
}

UBOOL FGameLauncher::Exec(const TCHAR* Cmd, FOutputDevice& Ar)
{
    const TCHAR* Str = Cmd;
    if (ParseCommand(&Str, TEXT("ToggleFullScreen")))
    {
        if (!BorderlessFullscreenWindow)
            return 0; // the engine's own switch
        SetBorderlessFullscreen(ViewportWindow, !BorderlessActive);
        BorderlessActive = !BorderlessActive;
        return 1;
    }
    if (ParseCommand(&Str, TEXT("SetRes")))
        return BorderlessActive; // a borderless window keeps the monitor's size
    return FCommandHook::Exec(Cmd, Ar);
}

void FGameLauncher::UpdateAutoFOV(DWORD Width, DWORD Height)
{
    // A window without area has no shape to match (and the angle would divide by zero).
    if (!Width || !Height || !Viewport)
        return;
    FLOAT DesiredFOV = 75.f;
    GConfig->GetFloat(TEXT("Engine.PlayerPawn"), TEXT("DesiredFOV"), DesiredFOV, TEXT("DefUser.ini"));
    TCHAR Command[12];
    if (FormatFOVCommand(AutoFieldOfView(DesiredFOV, Width, Height), Command))
        Viewport->Exec(Command, *GLog);
    LastFOVSizeX = Width;
    LastFOVSizeY = Height;
}

void FGameLauncher::CenterWindowOnMonitor(HWND Window, HMONITOR Monitor)
{
    MONITORINFO Info = {};
    Info.cbSize = sizeof(Info);
    RECT Rect;
    if (!GetMonitorInfoW(Monitor, &Info) || !GetWindowRect(Window, &Rect))
        return;
    INT Width = Rect.right - Rect.left, Height = Rect.bottom - Rect.top;
    POINT Origin = CenteredOrigin(Info.rcMonitor, Width, Height);
    MoveWindow(Window, Origin.x, Origin.y, Width, Height, FALSE);
}

void FGameLauncher::SetBorderlessFullscreen(HWND Window, bool Borderless)
{
    LONG Style = GetWindowLongW(Window, GWL_STYLE);
    if (Borderless)
    {
        MONITORINFO Info = {};
        Info.cbSize = sizeof(Info);
        if (!GetMonitorInfoW(MonitorFromWindow(Window, MONITOR_DEFAULTTONULL), &Info))
            return; // no window, or one on no monitor: nothing to cover
        SetWindowLongW(Window, GWL_STYLE, FramedStyle(Style, true));
        const RECT& Monitor = Info.rcMonitor;
        SetWindowPos(Window, HWND_TOP, Monitor.left, Monitor.top, Monitor.right - Monitor.left,
                     Monitor.bottom - Monitor.top, SWP_FRAMECHANGED);
    }
    else
    {
        SetWindowLongW(Window, GWL_STYLE, FramedStyle(Style, false));
        SetWindowPos(Window, HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_FRAMECHANGED);
    }
}
