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

// How long a reading of the cursor position, the window under it, the focus and the capture
// serves, in counter units: two milliseconds. Under Wine these calls take 0.2 to 0.8 ms together
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
    FLoopState Loop = {Start.QuadPart, Start.QuadPart - ReadingLife(CounterFrequency), {}, false, false, false, false};
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
    const FLOAT MaxTickRate = Engine->GetMaxTickRate();
    if (FrameGateOpen(Delta, FPSLimit, MaxTickRate))
    {
        Engine->Tick(Delta);
        if (GWindowManager)
            GWindowManager->Tick(Delta);
        Loop.LastTick = Now;
        Delta = 0.f;
    }
    if (!Engine->Client || !Engine->Client->Viewports.Num())
        Viewport = NULL;

    // A reading that has run out waits while a tick is due within a millisecond: the reading
    // can take half of that under Wine, and the gate never makes up for a late tick. It waits
    // at most one more life, for caps whose ticks are always that close.
    const SQWORD Age = Now - Loop.ReadAt, Life = ReadingLife(CounterFrequency);
    if (Age >= Life && (Age >= 2 * Life || !FrameGateOpensWithin(Delta, 0.001f, FPSLimit, MaxTickRate)))
    {
        GetCursorPos(&Loop.Cursor);
        Loop.OverViewport = ViewportWindow && WindowFromPoint(Loop.Cursor) == ViewportWindow;
        Loop.ViewportFocused = ViewportWindow && GetFocus() == ViewportWindow;
        Loop.Captured = ViewportWindow && GetCapture() == ViewportWindow;
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
        ShowSystemCursor(!(InClient && (Loop.OverViewport || Loop.Captured)));
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
    SendRawRecord(Engine, Record, GetRawInputData(Input, RID_INPUT, &Record, &Size, sizeof(RAWINPUTHEADER)));

    // A fast mouse reports up to 8000 times a second. Taken one message at a time, each report
    // costs a round trip to the server under Wine, and the ticks came late; what is pending is
    // taken in one call instead, in the order of its messages, which the call removes.
    alignas(8) BYTE Buffer[64 * 48]; // 64 mouse records in the wider layout
    Size = sizeof(Buffer);
    const UINT Records = GetRawInputBuffer(reinterpret_cast<RAWINPUT*>(Buffer), &Size, sizeof(RAWINPUTHEADER));
    if (Records == UINT(-1)) // the messages stay queued and come one at a time
        return;
    UINT Offset = 0, BytesRead;
    for (UINT i = 0; i < Records && NextBufferedRecord(Buffer, sizeof(Buffer), Offset, Record, BytesRead); i++)
        SendRawRecord(Engine, Record, BytesRead);
}

void FGameLauncher::SendRawRecord(UEngine* Engine, const RAWINPUT& Record, UINT BytesRead)
{
    FRawMouseEvent Events[4];
    INT Count = RawMouseEvents(Record, BytesRead, Events);
    for (INT i = 0; i < Count && Viewport; i++)
        Engine->InputEvent(Viewport, EInputKey(Events[i].Key), EInputAction(Events[i].Action), Events[i].Value);
}
