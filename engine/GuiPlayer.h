// GuiPlayer.h: the player of a game with a game GUI (Extension.GuiPlayer): it holds the root
// window, made with the class named by its class default "RootWindowClass" (else XRootWindow).
//
// Native 1050 (called on the player, one parameter: the canvas) sizes the root window to the
// canvas (XRootWindow::ResizeRoot). The engine runs the player's script event
// "PostRender(Canvas)" every frame; the game's script calls native 1050 from it.
//
// Console commands of the player, each running a script function of the root window:
//   conversation             StartConversation(): native 1410 with the conversation class
//   savemenu                 OpenSaveMenu(): native 1410, then the menu's FreeSpace(): native 3093
//   openwindow CLASS [FLAG]  OpenWindow(Class) or OpenWindowFlag(Class, Flag): native 1410
//   closewindow              destroys the root window's top child
// Their lines:
//   "Window: created Name=%s Class=%s Parent=%s Visible=%i"   (Class: the class path)
//   "Window: none created"
//   "SaveMenu: FreeSpace=%i KB"
//   "Window: closed %s"  (full name), or "Window: none"
// Status lines added to the engine's:
//   "Status: GUI Multipliers=%ix%i Root=%.1fx%.1f Clip=%.1fx%.1f Cursor=%i"
//   "Status: GUI Window %s Class=%s Size=%.1fx%.1f Visible=%i Layouts=%i"  each child of the
//                                                         root window, bottom to top
#pragma once
#include "XWindow.h"

class EXTENSION_API AGuiPlayer : public APlayerPawn
{
    DECLARE_CLASS(AGuiPlayer, APlayerPawn)
public:
    XRootWindow* RootWindow = NULL;

    AGuiPlayer();
    void RenderOverlays(UCanvas* Canvas) override;
    UBOOL Exec(const TCHAR* Cmd, FOutputDevice& Ar) override;
    void MouseMoved(FLOAT X, FLOAT Y) override;
    void GetStatusLines(TArray<FString>& Lines) override;

    DECLARE_FUNCTION(execResizeRoot); // native 1050
};
