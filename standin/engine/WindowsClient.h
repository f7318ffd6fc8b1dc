// WindowsClient.h: the client of the Windows platform (WinDrv.WindowsClient) and its
// viewport, a real top-level window that the program's message pump serves.
#pragma once
#include "Engine.h"

class UWindowsViewport : public UViewport
{
    DECLARE_CLASS(UWindowsViewport, UViewport)
public:
    HWND Window = NULL;
    UBOOL Fullscreen = 0;
    FLOAT LastMouseX = 0.f, LastMouseY = 0.f;
    UBOOL HasLastMouse = 0;
    HBITMAP BackBuffer = NULL;        // the last frame, shown again when the window needs painting
    INT BackSizeX = 0, BackSizeY = 0;

    ~UWindowsViewport() override;
    // A critical error: the window goes, so that it hides no message box.
    void ShutdownAfterError() override;
    void* GetWindow() override { return Window; }
    UBOOL IsFullscreen() override { return Fullscreen; }
    // Windowed: a captioned window whose client area is X by Y. Full screen: a popup of X by
    // Y at the origin of the window's monitor (the display mode stays as it is).
    void SetMode(INT X, INT Y, UBOOL InFullscreen) override;
    void Repaint() override;
    // Makes the window, with the client's configured size and form.
    void OpenWindow();

private:
    static LRESULT CALLBACK StaticWndProc(HWND Window, UINT Message, WPARAM WParam, LPARAM LParam);
    LRESULT WndProc(UINT Message, WPARAM WParam, LPARAM LParam);
    void MouseButton(EInputKey Key, EInputAction Action);
    void MouseMove(FLOAT X, FLOAT Y);
    void DestroyViewportWindow();
};

class UWindowsClient : public UClient
{
    DECLARE_CLASS(UWindowsClient, UClient)
public:
    UViewport* NewViewport(FName Name) override;
};
