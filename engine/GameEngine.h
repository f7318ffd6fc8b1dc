// GameEngine.h: the engine object: initialisation, ticks, input, and console commands.
//
// Console commands (UEngine::Exec, also reached through UViewport::Exec and the log
// window's command line) are offered to GExec first; what it leaves is handled here, then by
// the player (the game GUI's commands). Every handled command writes its result lines to the
// command's output device, each starting with the command's tag and a colon:
//   fov N              "FOV: Desired=%.3f Default=%.3f"       both angles set to N
//   zoom N             "FOV: Desired=%.3f Default=%.3f"       only the desired angle
//   endzoom            "FOV: Desired=%.3f Default=%.3f"       desired angle back to default
//   SetRes WxH         "SetRes: %ix%i Windowed|Fullscreen"
//   ToggleFullScreen   "ToggleFullScreen: %ix%i Windowed|Fullscreen"
//   exec FILE          "Exec: FILE (%i commands)", then one command per tick
//   status             the lines below
//   exit, quit         "Exit: requested"
// The status lines (and the same facts drawn in the viewport):
//   "Status: FOV Desired=%.3f Default=%.3f"
//   "Status: Viewport %ix%i Windowed|Fullscreen Renderer=%s"
//   "Status: FPS %.1f Frames=%i Time=%.2f"
//   "Status: Mouse AxisX=%.1f AxisY=%.1f Buttons=%s"   buttons: held keys like "1,5", or "none"
//   "Status: Presses Left=%i Right=%i Middle=%i Button4=%i Button5=%i"
//   "Status: Console %s"                                the last console output line
//   "Status: Path[%i]=%s"                               each search list entry, in order
// followed by the player's lines (the game GUI: see GuiPlayer.h).
#pragma once
#include "EngineApi.h"
#include "InputKeys.h"

class UClient;
class UViewport;
class URenderDevice;
class ULevel;
class APlayerPawn;

class ENGINE_API UEngine : public USubsystem, public FExec
{
    DECLARE_CLASS(UEngine, USubsystem)
public:
    UClient* Client = NULL;
    URenderDevice* RenderDevice = NULL;

    virtual void Init();
    void Tick(FLOAT DeltaSeconds) override;
    // 0 for none: the main loop's cap on ticks per second.
    virtual FLOAT GetMaxTickRate();
    virtual UBOOL InputEvent(UViewport* Viewport, EInputKey Key, EInputAction Action, FLOAT Delta = 0.f);
    virtual void MousePosition(UViewport* Viewport, DWORD Buttons, FLOAT X, FLOAT Y);
    UBOOL Exec(const TCHAR* Cmd, FOutputDevice& Ar) override;
};

// What the engine has received from the mouse since it started.
struct FMouseTotals
{
    FLOAT AxisX = 0.f, AxisY = 0.f;  // sums of the axis events
    FLOAT CursorX = 0.f, CursorY = 0.f;
    UBOOL Held[IK_MouseButton5 + 1] = {};
    INT Presses[IK_MouseButton5 + 1] = {};
};

// The game: a level with the player and a few moving props, one viewport, a console.
//
// Ini: [Engine.Engine] GameRenderDevice (class path), [Engine.GameEngine] MaxTickRate
// (float, 0 none), PlayerClass (class path, an APlayerPawn). Command line: EXEC=FILE runs
// FILE from the first tick, one command per tick.
class ENGINE_API UGameEngine : public UEngine
{
    DECLARE_CLASS(UGameEngine, UEngine)
public:
    ULevel* Level = NULL;
    APlayerPawn* Player = NULL;
    FLOAT MaxTickRate = 0.f;
    FMouseTotals Mouse;
    FLOAT FPS = 0.f;
    INT Frames = 0;
    FString LastConsoleOutput;
    TArray<FString> PendingCommands; // of exec files, run one per tick
    FString ConsoleLine;             // what is typed after the tilde key
    UBOOL ConsoleOpen = 0;

    void Init() override;
    void Tick(FLOAT DeltaSeconds) override;
    FLOAT GetMaxTickRate() override;
    UBOOL InputEvent(UViewport* Viewport, EInputKey Key, EInputAction Action, FLOAT Delta = 0.f) override;
    void MousePosition(UViewport* Viewport, DWORD Buttons, FLOAT X, FLOAT Y) override;
    UBOOL Exec(const TCHAR* Cmd, FOutputDevice& Ar) override;
    // A typed character while the console line is open.
    void ConsoleKey(TCHAR Char);
    // Draws the engine's lines of the frame (the facts of the status command).
    void DrawStatus(UCanvas* Canvas);
    // Queues the lines of a command file; false when it cannot be read.
    UBOOL QueueExecFile(const TCHAR* Filename, FOutputDevice& Ar);
};
