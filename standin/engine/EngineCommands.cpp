// EngineCommands.cpp: the game engine's console commands and command files. The command
// names and the lines they write are listed in GameEngine.h; tests parse them.
#include "Engine.h"
#include "Screenshot.h"

namespace
{
// Passes a command's output on and keeps its last line, which the viewport shows.
class FRecordingOutput : public FOutputDevice
{
public:
    FRecordingOutput(FString& InLast, FOutputDevice& InInner) : Last(InLast), Inner(InInner) {}
    void Serialize(const TCHAR* Text, EName Event) override
    {
        Last = Text;
        Inner.Serialize(Text, Event);
    }

private:
    FString& Last;
    FOutputDevice& Inner;
};

void LogFOV(FOutputDevice& Ar, APlayerPawn* Player)
{
    Ar.Logf(TEXT("FOV: Desired=%.3f Default=%.3f"), Player->DesiredFOV, Player->DefaultFOV);
}

FLOAT ClampAngle(FLOAT Angle) { return Angle < 1.f ? 1.f : (Angle > 170.f ? 170.f : Angle); }

void LogMode(FOutputDevice& Ar, const TCHAR* Tag, UViewport* Viewport)
{
    Ar.Logf(TEXT("%s: %ix%i %s"), Tag, Viewport->SizeX, Viewport->SizeY,
            Viewport->IsFullscreen() ? TEXT("Fullscreen") : TEXT("Windowed"));
}
} // namespace

UBOOL UGameEngine::Exec(const TCHAR* Cmd, FOutputDevice& Ar)
{
    guard(UGameEngine::Exec);
    FRecordingOutput Out(LastConsoleOutput, Ar);
    // The program may take any command before the engine does.
    if (GExec && GExec->Exec(Cmd, Out))
        return 1;
    UViewport* Viewport = Client && Client->Viewports.Num() ? Client->Viewports(0) : NULL;
    const TCHAR* Str = Cmd;
    if (Player && ParseCommand(&Str, TEXT("fov")))
    {
        Player->DesiredFOV = Player->DefaultFOV = ClampAngle(appAtof(Str));
        LogFOV(Out, Player);
        return 1;
    }
    if (Player && ParseCommand(&Str, TEXT("zoom")))
    {
        Player->DesiredFOV = ClampAngle(appAtof(Str));
        LogFOV(Out, Player);
        return 1;
    }
    if (Player && ParseCommand(&Str, TEXT("endzoom")))
    {
        Player->DesiredFOV = Player->DefaultFOV;
        LogFOV(Out, Player);
        return 1;
    }
    if (ParseCommand(&Str, TEXT("status")))
    {
        TArray<FString> Lines;
        GetStatusLines(Lines);
        for (const FString& Line : Lines)
            Out.Logf(TEXT("Status: %s"), *Line);
        return 1;
    }
    if (Viewport && ParseCommand(&Str, TEXT("SetRes")))
    {
        INT X = appAtoi(Str);
        const TCHAR* By = appStrchr(Str, 'x');
        INT Y = By ? appAtoi(By + 1) : 0;
        if (X <= 0 || Y <= 0)
            Out.Logf(TEXT("SetRes: bad resolution '%s'"), Str);
        else
        {
            Viewport->SetMode(X, Y, Viewport->IsFullscreen());
            LogMode(Out, TEXT("SetRes"), Viewport);
        }
        return 1;
    }
    if (Viewport && ParseCommand(&Str, TEXT("ToggleFullScreen")))
    {
        UBOOL ToFullscreen = !Viewport->IsFullscreen();
        Viewport->SetMode(ToFullscreen ? Client->FullscreenViewportX : Client->WindowedViewportX,
                          ToFullscreen ? Client->FullscreenViewportY : Client->WindowedViewportY, ToFullscreen);
        LogMode(Out, TEXT("ToggleFullScreen"), Viewport);
        return 1;
    }
    if (Viewport && ParseCommand(&Str, TEXT("shot")))
    {
        FString Filename;
        if (SaveShot(this, Viewport, Filename))
            Out.Logf(TEXT("Shot: %s"), *Filename);
        else
            Out.Logf(TEXT("Shot: cannot save %s"), *Filename);
        return 1;
    }
    if (ParseCommand(&Str, TEXT("exit")) || ParseCommand(&Str, TEXT("quit")))
    {
        Out.Log(TEXT("Exit: requested"));
        appRequestExit(0);
        return 1;
    }
    if (ParseCommand(&Str, TEXT("exec")))
    {
        QueueExecFile(Str, Out);
        return 1;
    }
    if (ParseCommand(&Str, TEXT("wait")))
    {
        ExecWait = appAtof(Str);
        Out.Logf(TEXT("Wait: %.2f"), ExecWait);
        return 1;
    }
    if (ParseCommand(&Str, TEXT("echo")))
    {
        Out.Logf(TEXT("Echo: %s"), Str);
        return 1;
    }
    return Player && Player->Exec(Cmd, Out);
    unguard;
}

UBOOL UGameEngine::QueueExecFile(const TCHAR* Filename, FOutputDevice& Ar)
{
    guard(UGameEngine::QueueExecFile);
    FString Text;
    if (!*Filename || !appLoadFileToString(Text, Filename))
    {
        Ar.Logf(TEXT("Exec: can't find file '%s'"), Filename);
        return 0;
    }
    // A file's commands go before those still waiting, so a file run from a file runs in its place.
    TArray<FString> Commands;
    const TCHAR* At = *Text;
    while (*At)
    {
        const TCHAR* End = At;
        while (*End && *End != '\r' && *End != '\n')
            End++;
        while (At < End && appIsSpace(*At))
            At++;
        INT Len = INT(End - At);
        while (Len > 0 && appIsSpace(At[Len - 1]))
            Len--;
        if (Len > 0 && *At != ';')
            Commands.AddItem(FString(At, Len));
        At = *End ? End + 1 : End;
    }
    for (INT i = Commands.Num() - 1; i >= 0; i--)
        PendingCommands.InsertItem(Commands(i), 0);
    Ar.Logf(TEXT("Exec: %s (%i commands)"), Filename, Commands.Num());
    return 1;
    unguard;
}
