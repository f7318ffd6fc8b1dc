// WindowPlacement.h: where the game window goes on its monitor, and its frame.
#pragma once
#include "Core.h"

// The top-left corner that centres a Width x Height window on the monitor's full
// rectangle (not its work area), rounded toward zero.
POINT CenteredOrigin(const RECT& Monitor, INT Width, INT Height);

// Style without caption and sizing frame for the borderless form, with them otherwise.
LONG FramedStyle(LONG Style, bool Borderless);
