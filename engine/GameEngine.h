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
//   exec FILE          "Exec: FILE (%i commands)", then one command per tick; a missing
//                      file gives "Exec: can't find file 'FILE'"
//   wait SECONDS       "Wait: %.2f"   the file's next command waits that long
//   echo TEXT          "Echo: TEXT"
//   shot               "Shot: FILE"   the viewport's picture as ShotNNNN.bmp, the first free
//                      number, in the current folder (through the file manager)
//   status             the lines below
//   exit, quit         "Exit: requested"
// A command of a file or of the console line is logged first as "Exec: > CMD" or
// "Console: > CMD"; one that nothing handles as "Exec: command not recognized: CMD" (or
// "Console: ..."). The status lines (and the same facts drawn in the viewport, untagged):
//   "Status: Title %s"                                  [General] Title of Engine.int
//   "Status: FOV Desired=%.3f Default=%.3f"
//   "Status: Viewport %ix%i Windowed|Fullscreen Renderer=%s DetailTextures=%i"
//   "Status: FPS %.1f Frames=%i Time=%.2f"
//   "Status: Mouse AxisX=%.1f AxisY=%.1f Cursor=%.1f,%.1f Buttons=%s"  held mouse keys
//                                                       such as "1,5", or "none"
//   "Status: Presses Left=%i Right=%i Middle=%i Button4=%i Button5=%i"
//   "Status: Console %s"                                the last line a command wrote
//   "Status: Path[%i]=%s"                               each search list entry, in order
// followed by the player's lines (the game GUI: see GuiPlayer.h). Init logs the search list
// as "Init: Path[%i]=%s" and the viewport as "Init: Viewport %ix%i Windowed|Fullscreen
// Renderer=%s".
#pragma once
#include "EngineApi.h"
#include "InputKeys.h"

class UClient;
class UViewport;
class UCanvas;
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
    // A character typed in a viewport.
    virtual UBOOL Key(UViewport* Viewport, TCHAR Char);
    // Draws a frame of the viewport on its canvas.
    virtual void Draw(UViewport* Viewport, UCanvas* Canvas);
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
    FLOAT FPS = 0.f;             // frames per second over the last half second or more
    INT Frames = 0;
    INT FPSFrames = 0;           // frames and seconds counted towards the next FPS
    FLOAT FPSTime = 0.f;
    FString LastConsoleOutput;
    TArray<FString> PendingCommands; // of exec files, run one per tick
    FLOAT ExecWait = 0.f;            // seconds before the next of them runs
    FString ConsoleLine;             // what is typed after the tilde key
    UBOOL ConsoleOpen = 0;

    void Init() override;
    void Tick(FLOAT DeltaSeconds) override;
    FLOAT GetMaxTickRate() override;
    UBOOL InputEvent(UViewport* Viewport, EInputKey Key, EInputAction Action, FLOAT Delta = 0.f) override;
    void MousePosition(UViewport* Viewport, DWORD Buttons, FLOAT X, FLOAT Y) override;
    UBOOL Key(UViewport* Viewport, TCHAR Char) override;
    void Draw(UViewport* Viewport, UCanvas* Canvas) override;
    UBOOL Exec(const TCHAR* Cmd, FOutputDevice& Ar) override;
    // The lines of the status command, without their "Status: " tag; the viewport draws them.
    void GetStatusLines(TArray<FString>& Lines);
    // Queues the lines of a command file; false when it cannot be read.
    UBOOL QueueExecFile(const TCHAR* Filename, FOutputDevice& Ar);
};
