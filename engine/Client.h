// Client.h: the engine's client (the platform's windows, with the configuration of
// [WinDrv.WindowsClient]) and its viewports.
#pragma once
#include "EngineApi.h"

class UEngine;
class UCanvas;
class APlayerPawn;

class ENGINE_API UViewport : public UObject
{
    DECLARE_CLASS(UViewport, UObject)
public:
    class UClient* Client = NULL;
    APlayerPawn* Actor = NULL;   // the player looking through it
    UCanvas* Canvas = NULL;
    INT SizeX = 0, SizeY = 0;    // client area in pixels

    // The base class is abstract: the platform's viewport class has the window.
    virtual void* GetWindow() { return NULL; } // its window handle (HWND)
    virtual UBOOL IsFullscreen() { return 0; }
    // Console commands, offered to GExec first and then handled by the engine.
    virtual UBOOL Exec(const TCHAR* Cmd, FOutputDevice& Ar);
    // Windowed at a client size of X by Y, or full screen.
    virtual void SetMode(INT /*X*/, INT /*Y*/, UBOOL /*Fullscreen*/) {}
    // Draws a frame and shows it.
    virtual void Repaint() {}
};

class ENGINE_API UClient : public UObject
{
    DECLARE_CLASS(UClient, UObject)
public:
    UEngine* Engine = NULL;
    TArray<UViewport*> Viewports;
    INT WindowedViewportX = 640, WindowedViewportY = 480;
    INT FullscreenViewportX = 640, FullscreenViewportY = 480;
    INT FullscreenColorBits = 32;
    UBOOL StartupFullscreen = 0;
    UBOOL UseDirectInput = 0;

    // Reads the section named by the client's class path.
    void LoadConfig(UBOOL Propagate = 0, UClass* Class = NULL, const TCHAR* Filename = NULL) override;
    virtual void Init(UEngine* InEngine);
    // A new viewport with its window, of the configured size and form.
    virtual UViewport* NewViewport(FName /*Name*/) { return NULL; }
};
