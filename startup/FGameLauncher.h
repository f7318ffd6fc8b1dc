// FGameLauncher.h: the game launcher. Its constructor is the whole game: settings, log
// window, engine, game window, main loop and tear-down. While the game runs it is GExec.
#pragma once
#include "FCommandHook.h"
#include "Engine.h"

class FGameLauncher : public FCommandHook
{
public:
    HWND ViewportWindow = NULL;
    SQWORD CounterFrequency = 0;
    DWORD LastFOVSizeX = 0;
    DWORD LastFOVSizeY = 0;
    UViewport* Viewport = NULL;
    bool GuiCursorWasActive = false;
    bool BorderlessActive = false;
    FLOAT FPSLimit = 0.f;
    UBOOL RawInput = 0;
    UBOOL UseAutoFOV = 0;
    UBOOL BorderlessFullscreenWindow = 0;
    UBOOL UseSingleCPU = 0;

    // Runs the game; returns when it is over.
    FGameLauncher();
    // Runs nothing: for driving the operations on an engine and windows made elsewhere.
    enum ENoLaunch { NoLaunch };
    explicit FGameLauncher(ENoLaunch) {}
    FGameLauncher(const FGameLauncher&) = delete;
    FGameLauncher& operator=(const FGameLauncher&) = delete;

    // "ToggleFullScreen" and "SetRes" while borderless; the rest goes to FCommandHook.
    UBOOL Exec(const TCHAR* Cmd, FOutputDevice& Ar) override;

    // The five [Corvane] settings; a missing key keeps what the configuration dialog presets.
    void ReadLauncherSettings();
    // Issues the "fov" command that matches a Width by Height picture; needs Viewport.
    void UpdateAutoFOV(DWORD Width, DWORD Height);
    // Ticks Engine under the frame cap and pumps messages until the game ends.
    void RunMainLoop(UEngine* Engine);

    static void CenterWindowOnMonitor(HWND Window, HMONITOR Monitor);
    static void SetBorderlessFullscreen(HWND Window, bool Borderless);

private:
    void Launch();
    void PlayGame(HMONITOR LaunchMonitor);
    UEngine* CreateEngine();
    void AdaptGameWindow(HMONITOR LaunchMonitor);
    // What the main loop carries from one turn to the next.
    struct FLoopState
    {
        SQWORD LastTick;     // counter value of the last engine tick
        SQWORD ReadAt;       // counter value of the last reading of the four below
        POINT Cursor;
        bool OverViewport;    // the viewport window is under the cursor
        bool ViewportFocused; // the viewport window has the keyboard focus
        bool Captured;        // the viewport window has the mouse capture
        bool Clipped;         // the loop has confined the cursor
    };
    // One turn of the loop: the gate and the ticks, the field of view, the cursor, the pump.
    void RunFrame(UEngine* Engine, FLoopState& Loop);
    void ShowSystemCursor(bool Show);
    // Pumps the pending messages; raw mouse input goes to the engine.
    void PumpMessages(UEngine* Engine, bool OverViewport, bool ViewportFocused);
    // Sends the message's raw record, then the raw input pending behind it.
    void SendRawInput(UEngine* Engine, HRAWINPUT Input);
    void SendRawRecord(UEngine* Engine, const RAWINPUT& Record, UINT BytesRead);
    bool CursorHidden = false;
};
