// MainLoop.cpp: the game's main loop. It ticks the engine when the frame cap allows, keeps
// the cursor in order over the game window, and turns raw mouse input into engine input.
// The cap is a gate, not a sleep: between ticks the loop keeps polling the message queue,
// so mouse input reaches the engine without waiting for the next frame.
#include "FGameLauncher.h"
#include "FrameGate.h"
#include "RawMouseEvents.h"
#include "Extension.h"

namespace
{
SQWORD ReadCounter()
{
    LARGE_INTEGER Now;
    QueryPerformanceCounter(&Now);
    return Now.QuadPart;
}

// How long a reading of the cursor position, the window under it and the focus serves, in
// counter units: two milliseconds. Under Wine these three calls take 0.2 to 0.8 ms together
// while the game draws (the position asks the X server whenever the cursor has rested a while),
// several times the rest of a turn of the loop, so every tick came that much past its time;
// two milliseconds are far below what a player notices of the cursor's hiding or of where a
// move lands, and the pump and the gate still run on every turn.
SQWORD ReadingLife(SQWORD CounterFrequency)
{
    return CounterFrequency / 500;
}

// Confines the cursor to Clip. Setting a confinement is costly on some systems (under Wine
// it grabs the pointer anew: about a millisecond), so it is set only when it differs.
void ConfineCursor(const RECT& Clip)
{
    RECT Current;
    if (!GetClipCursor(&Current) || !EqualRect(&Current, &Clip))
        ClipCursor(&Clip);
}

// The game GUI's root window of the viewport's player, when it has one.
XRootWindow* GuiRootWindow(UViewport* Viewport)
{
    AGuiPlayer* Player = Cast<AGuiPlayer>(Viewport->Actor);
    return Player ? Player->RootWindow : NULL;
}
} // namespace

void FGameLauncher::RunMainLoop(UEngine* Engine)
{
    LARGE_INTEGER Start;
    if (!QueryPerformanceCounter(&Start) || !GIsRunning)
        return;
    // The first turn reads the cursor, as if the last reading had just run out.
    FLoopState Loop = {Start.QuadPart, Start.QuadPart - ReadingLife(CounterFrequency), {}, false, false, false};
    while (!GIsRequestingExit)
    {
        RunFrame(Engine, Loop);
        if (!GIsRunning)
            break;
    }
    if (Loop.Clipped) // the cursor is shared with every other program
        ClipCursor(NULL);
}

void FGameLauncher::RunFrame(UEngine* Engine, FLoopState& Loop)
{
    SQWORD Now = ReadCounter();
    FLOAT Delta = FLOAT(DOUBLE(Now - Loop.LastTick)) / FLOAT(DOUBLE(CounterFrequency));
    if (FrameGateOpen(Delta, FPSLimit, Engine->GetMaxTickRate()))
    {
        Engine->Tick(Delta);
        if (GWindowManager)
            GWindowManager->Tick(Delta);
        Loop.LastTick = Now;
    }
    if (!Engine->Client || !Engine->Client->Viewports.Num())
        Viewport = NULL;

    if (Now - Loop.ReadAt >= ReadingLife(CounterFrequency))
    {
        GetCursorPos(&Loop.Cursor);
        Loop.OverViewport = ViewportWindow && WindowFromPoint(Loop.Cursor) == ViewportWindow;
        Loop.ViewportFocused = ViewportWindow && GetFocus() == ViewportWindow;
        Loop.ReadAt = Now;
    }
    if (Viewport)
    {
        RECT ClientArea = {};
        GetClientRect(ViewportWindow, &ClientArea);
        APlayerPawn* Player = Viewport->Actor;
        // Only while the player is not zoomed: a zoom sets the desired angle alone.
        if (UseAutoFOV && Player && Player->DesiredFOV == Player->DefaultFOV &&
            (DWORD(Viewport->SizeX) != LastFOVSizeX || DWORD(Viewport->SizeY) != LastFOVSizeY))
            UpdateAutoFOV(Viewport->SizeX, Viewport->SizeY);

        XRootWindow* Root = GuiRootWindow(Viewport);
        const bool GuiCursor = Root && Root->bCursorActive;
        if (RawInput && Viewport->IsFullscreen())
        {
            // The system cursor takes over where the GUI's cursor appears; in full screen the
            // client area starts at the screen's origin.
            if (GuiCursor && !GuiCursorWasActive)
            {
                FLOAT X, Y;
                Root->GetRootCursorPos(&X, &Y);
                POINT At = {LONG(X), LONG(Y)};
                ClientToScreen(ViewportWindow, &At);
                SetCursorPos(At.x, At.y);
            }
            ConfineCursor({0, 0, ClientArea.right, ClientArea.bottom});
            Loop.Clipped = true;
        }
        GuiCursorWasActive = GuiCursor;

        POINT InWindow = Loop.Cursor;
        const bool InClient = ScreenToClient(ViewportWindow, &InWindow) && PtInRect(&ClientArea, InWindow);
        ShowSystemCursor(!(InClient && (Loop.OverViewport || GetCapture() == ViewportWindow)));
    }
    PumpMessages(Engine, Loop.OverViewport, Loop.ViewportFocused);
}

void FGameLauncher::ShowSystemCursor(bool Show)
{
    // The display count is the thread's: hidden below 0. Counting it down once per frame
    // would need as many calls to show the cursor again, so it is only moved across 0.
    if (Show && CursorHidden)
    {
        while (ShowCursor(TRUE) < 0)
        {
        }
        CursorHidden = false;
    }
    else if (!Show && !CursorHidden)
    {
        while (ShowCursor(FALSE) >= 0)
        {
        }
        CursorHidden = true;
    }
}

void FGameLauncher::PumpMessages(UEngine* Engine, bool OverViewport, bool ViewportFocused)
{
    MSG Message;
    while (PeekMessageW(&Message, NULL, 0, 0, PM_REMOVE))
    {
        if (Message.message == WM_QUIT)
            GIsRequestingExit = 1;
        else if (Message.message == WM_INPUT && Viewport && ViewportFocused)
        {
            SendRawInput(Engine, reinterpret_cast<HRAWINPUT>(Message.lParam));
            continue;
        }
        else if (Message.message == WM_MOUSEMOVE && Viewport && RawInput && Message.hwnd == ViewportWindow)
        {
            // Motion comes from raw input; the window procedure would make more of its own.
            if (OverViewport)
                Engine->MousePosition(Viewport, 0, FLOAT(SHORT(LOWORD(Message.lParam))),
                                      FLOAT(SHORT(HIWORD(Message.lParam))));
            continue;
        }
        TranslateMessage(&Message);
        DispatchMessageW(&Message);
    }
}

void FGameLauncher::SendRawInput(UEngine* Engine, HRAWINPUT Input)
{
    RAWINPUT Record = {};
    UINT Size = sizeof(Record);
    UINT BytesRead = GetRawInputData(Input, RID_INPUT, &Record, &Size, sizeof(RAWINPUTHEADER));
    FRawMouseEvent Events[4];
    INT Count = RawMouseEvents(Record, BytesRead, Events);
    for (INT i = 0; i < Count && Viewport; i++)
        Engine->InputEvent(Viewport, EInputKey(Events[i].Key), EInputAction(Events[i].Action), Events[i].Value);
}
