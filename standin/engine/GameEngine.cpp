// GameEngine.cpp: the engine object and the game: initialisation, the tick that moves the
// world and draws it, input, and the facts the viewport shows.
#include "Engine.h"

IMPLEMENT_CLASS(UEngine, Engine, Engine, CLASS_Abstract)
IMPLEMENT_CLASS(UGameEngine, Engine, GameEngine, 0)

void UEngine::Init() {}
void UEngine::Tick(FLOAT) {}
FLOAT UEngine::GetMaxTickRate() { return 0.f; }
UBOOL UEngine::InputEvent(UViewport*, EInputKey, EInputAction, FLOAT) { return 0; }
void UEngine::MousePosition(UViewport*, DWORD, FLOAT, FLOAT) {}
UBOOL UEngine::Key(UViewport*, TCHAR) { return 0; }
void UEngine::Draw(UViewport*, UCanvas*) {}
UBOOL UEngine::Exec(const TCHAR* Cmd, FOutputDevice& Ar) { return GExec && GExec->Exec(Cmd, Ar); }

namespace
{
// Loads the class named by an ini key, or the fallback when the key names none.
UClass* LoadConfiguredClass(UClass* Base, const TCHAR* IniName, const TCHAR* Fallback)
{
    UClass* Class = UObject::StaticLoadClass(Base, NULL, IniName, NULL, LOAD_None, NULL);
    return Class ? Class : UObject::StaticLoadClass(Base, NULL, Fallback, NULL, LOAD_NoFail, NULL);
}

const TCHAR* HeldButtons(const FMouseTotals& Mouse, TCHAR (&Text)[32])
{
    Text[0] = 0;
    for (INT Key = 1; Key < INT(ARRAY_COUNT(Mouse.Held)); Key++)
        if (Mouse.Held[Key])
        {
            TCHAR Number[8];
            appSprintf(Number, Text[0] ? TEXT(",%i") : TEXT("%i"), Key);
            appStrcat(Text, Number);
        }
    return Text[0] ? Text : TEXT("none");
}
} // namespace

void UGameEngine::Init()
{
    guard(UGameEngine::Init);
    GConfig->GetFloat(TEXT("Engine.GameEngine"), TEXT("MaxTickRate"), MaxTickRate);
    if (GSys)
        for (INT i = 0; i < GSys->Paths.Num(); i++)
            GLog->Logf(TEXT("Init: Path[%i]=%s"), i, *GSys->Paths(i));

    UClass* RenderClass = LoadConfiguredClass(URenderDevice::StaticClass(), TEXT("ini:Engine.Engine.GameRenderDevice"),
                                              TEXT("SoftDrv.SoftwareRenderDevice"));
    RenderDevice = ConstructObject<URenderDevice>(RenderClass, this);
    RenderDevice->LoadConfig();
    UClass* ClientClass = LoadConfiguredClass(UClient::StaticClass(), TEXT("ini:Engine.Engine.ViewportManager"),
                                              TEXT("WinDrv.WindowsClient"));
    Client = ConstructObject<UClient>(ClientClass, this);
    Client->Init(this);

    // The world: the player and three props circling at their own speeds.
    Level = ConstructObject<ULevel>(ULevel::StaticClass(), this);
    UClass* PlayerClass = LoadConfiguredClass(APlayerPawn::StaticClass(), TEXT("ini:Engine.GameEngine.PlayerClass"),
                                              TEXT("Engine.PlayerPawn"));
    Player = static_cast<APlayerPawn*>(Level->SpawnActor(PlayerClass, FVector()));
    Player->LoadConfig();
    for (INT i = 0; i < 3; i++)
    {
        AProp* Prop = static_cast<AProp*>(Level->SpawnActor(AProp::StaticClass(), FVector()));
        Prop->Radius = 60.f + 50.f * i;
        Prop->AngularSpeed = 0.6f + 0.5f * i;
        Prop->Angle = 2.f * i;
        Prop->Tick(0.f);
    }

    if (GIsClient)
        if (UViewport* Viewport = Client->NewViewport(NAME_None))
        {
            Viewport->Actor = Player;
            Player->Player = Viewport;
            GLog->Logf(TEXT("Init: Viewport %ix%i %s Renderer=%s"), Viewport->SizeX, Viewport->SizeY,
                       Viewport->IsFullscreen() ? TEXT("Fullscreen") : TEXT("Windowed"), RenderClass->GetPathName());
        }

    TCHAR ExecFile[256];
    if (Parse(appCmdLine(), TEXT("EXEC="), ExecFile, ARRAY_COUNT(ExecFile)))
        QueueExecFile(ExecFile, *GLog);
    unguard;
}

void UGameEngine::Tick(FLOAT DeltaSeconds)
{
    guard(UGameEngine::Tick);
    Frames++;
    FPSFrames++;
    FPSTime += DeltaSeconds;
    if (FPSTime >= 0.5f)
    {
        FPS = FLOAT(FPSFrames) / FPSTime;
        FPSFrames = 0;
        FPSTime = 0.f;
    }
    if (ExecWait > 0.f)
        ExecWait -= DeltaSeconds;
    else if (PendingCommands.Num())
    {
        FString Command = PendingCommands(0);
        PendingCommands.Remove(0);
        GLog->Logf(TEXT("Exec: > %s"), *Command);
        if (!Exec(*Command, *GLog))
            GLog->Logf(TEXT("Exec: command not recognized: %s"), *Command);
    }
    Level->Tick(DeltaSeconds);
    if (Client)
        for (INT i = 0; i < Client->Viewports.Num(); i++)
            Client->Viewports(i)->Repaint();
    unguard;
}

FLOAT UGameEngine::GetMaxTickRate() { return MaxTickRate; }

UBOOL UGameEngine::InputEvent(UViewport*, EInputKey Key, EInputAction Action, FLOAT Delta)
{
    if (Action == IST_Axis)
    {
        if (Key == IK_MouseX)
            Mouse.AxisX += Delta;
        else if (Key == IK_MouseY)
            Mouse.AxisY += Delta;
        return Key == IK_MouseX || Key == IK_MouseY;
    }
    if (Key < IK_LeftMouse || Key > IK_MouseButton5 || Key == 3)
        return 0;
    if (Action == IST_Press)
    {
        Mouse.Held[Key] = 1;
        Mouse.Presses[Key]++;
    }
    else if (Action == IST_Release)
        Mouse.Held[Key] = 0;
    return 1;
}

void UGameEngine::MousePosition(UViewport*, DWORD, FLOAT X, FLOAT Y)
{
    Mouse.CursorX = X;
    Mouse.CursorY = Y;
    if (Player)
        Player->MouseMoved(X, Y);
}

UBOOL UGameEngine::Key(UViewport*, TCHAR Char)
{
    if (Char == '`' || Char == '~')
    {
        ConsoleOpen = !ConsoleOpen;
        ConsoleLine.Empty();
        return 1;
    }
    if (!ConsoleOpen)
        return 0;
    if (Char == '\r')
    {
        FString Command = ConsoleLine;
        ConsoleOpen = 0;
        ConsoleLine.Empty();
        GLog->Logf(TEXT("Console: > %s"), *Command);
        if (!Command.IsEmpty() && !Exec(*Command, *GLog))
            GLog->Logf(TEXT("Console: command not recognized: %s"), *Command);
    }
    else if (Char == '\b')
        ConsoleLine = ConsoleLine.Left(ConsoleLine.Len() - 1);
    else if (Char == 27)
    {
        ConsoleOpen = 0;
        ConsoleLine.Empty();
    }
    else if (Char >= ' ')
        ConsoleLine += Char;
    return 1;
}

void UGameEngine::GetStatusLines(TArray<FString>& Lines)
{
    UViewport* Viewport = Client && Client->Viewports.Num() ? Client->Viewports(0) : NULL;
    Lines.AddItem(FString::Printf(TEXT("Title %s"), Localize(TEXT("General"), TEXT("Title"), TEXT("Engine"))));
    if (Player)
        Lines.AddItem(FString::Printf(TEXT("FOV Desired=%.3f Default=%.3f"), Player->DesiredFOV, Player->DefaultFOV));
    if (Viewport)
        Lines.AddItem(FString::Printf(TEXT("Viewport %ix%i %s Renderer=%s DetailTextures=%i"), Viewport->SizeX,
                                      Viewport->SizeY, Viewport->IsFullscreen() ? TEXT("Fullscreen") : TEXT("Windowed"),
                                      RenderDevice->GetClass()->GetPathName(), RenderDevice->DetailTextures ? 1 : 0));
    Lines.AddItem(FString::Printf(TEXT("FPS %.1f Frames=%i Time=%.2f"), FPS, Frames, Level ? Level->TimeSeconds : 0.f));
    TCHAR Held[32];
    Lines.AddItem(FString::Printf(TEXT("Mouse AxisX=%.1f AxisY=%.1f Cursor=%.1f,%.1f Buttons=%s"), Mouse.AxisX,
                                  Mouse.AxisY, Mouse.CursorX, Mouse.CursorY, HeldButtons(Mouse, Held)));
    Lines.AddItem(FString::Printf(TEXT("Presses Left=%i Right=%i Middle=%i Button4=%i Button5=%i"),
                                  Mouse.Presses[IK_LeftMouse], Mouse.Presses[IK_RightMouse],
                                  Mouse.Presses[IK_MiddleMouse], Mouse.Presses[IK_MouseButton4],
                                  Mouse.Presses[IK_MouseButton5]));
    Lines.AddItem(FString::Printf(TEXT("Console %s"), *LastConsoleOutput));
    if (GSys)
        for (INT i = 0; i < GSys->Paths.Num(); i++)
            Lines.AddItem(FString::Printf(TEXT("Path[%i]=%s"), i, *GSys->Paths(i)));
    if (Player)
        Player->GetStatusLines(Lines);
}

void UGameEngine::Draw(UViewport* Viewport, UCanvas* Canvas)
{
    guard(UGameEngine::Draw);
    APlayerPawn* Actor = Viewport->Actor;
    RenderDevice->DrawWorld(Canvas, Level, Actor ? Actor->Location : FVector());
    if (Actor)
    {
        // The game's script sizes its GUI to the canvas (native 1050) before it is drawn.
        if (UFunction* PostRender = Actor->FindFunction(FName(TEXT("PostRender"))))
        {
            FScriptSlot Parms[1];
            Parms[0].Object = Canvas;
            Actor->ProcessEvent(PostRender, Parms);
        }
        Actor->RenderOverlays(Canvas);
    }
    TArray<FString> Lines;
    GetStatusLines(Lines);
    for (INT i = 0; i < Lines.Num(); i++)
        Canvas->DrawText(8, 8 + i * Canvas->LineHeight(), *Lines(i), RGB(255, 255, 255));
    if (ConsoleOpen)
    {
        Canvas->FillRect(0, Canvas->SizeY - 24, Canvas->SizeX, 24, RGB(0, 0, 0));
        Canvas->DrawText(8, Canvas->SizeY - 20, *(FString(TEXT("> ")) + ConsoleLine + TEXT("_")), RGB(255, 255, 0));
    }
    unguard;
}
