// FrameGate.h: whether the main loop may tick the engine now.
#pragma once
#include "Core.h"

// True when Delta seconds since the last tick reach both caps (frames per second). A cap of
// 0 caps nothing, and neither does a negative one: no delta is below a negative bound.
bool FrameGateOpen(FLOAT Delta, FLOAT FPSLimit, FLOAT MaxTickRate);
