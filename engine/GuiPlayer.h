// GuiPlayer.h: the player of a game with a game GUI: it holds the root window, which it
// makes with the class of its class default "RootWindowClass" (else XRootWindow).
//
// Native 1050 (called on the player, one parameter: the canvas) sizes the root window to the
// canvas (XRootWindow::ResizeRoot). The engine calls the player's script event
// "PostRender(Canvas)" every frame, whose script calls native 1050.
//
// Console commands of the player, each running a script function of the root window:
//   savemenu             "SaveMenu: FreeSpace=%i KB"            OpenSaveMenu(): native 3093
//   conversation         "Window: created %s (%s) in %s"        StartConversation(): native 1410
//   openwindow CLASS [FLAG]  the same line                      OpenWindow(Class[, Flag]): 1410
//   closewindow          "Window: closed %s" or "Window: none"  destroys the top child
// where the "created" line gives the new window's full name, its class's full name and the
// parent's name, or reads "Window: none created" when the native made none.
// Status lines added to the engine's:
//   "Status: GUI Multipliers=%ix%i Root=%.1fx%.1f Clip=%.1fx%.1f Cursor=%i"
//   "Status: GUI Window %s Class=%s Size=%.1fx%.1f Visible=%i"   each child of the root,
//                                                                 bottom to top
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

    DECLARE_FUNCTION(execResizeRoot); // native 1050
};
