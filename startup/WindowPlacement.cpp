// WindowPlacement.cpp: the game window's geometry decisions.
#include "WindowPlacement.h"

POINT CenteredOrigin(const RECT& Monitor, INT Width, INT Height)
{
    return {(Monitor.left + Monitor.right - Width) / 2, (Monitor.top + Monitor.bottom - Height) / 2};
}

LONG FramedStyle(LONG Style, bool Borderless)
{
    const LONG Frame = LONG(WS_CAPTION | WS_THICKFRAME);
    return Borderless ? (Style & ~Frame) : (Style | Frame);
}
