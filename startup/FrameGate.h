// FrameGate.h: whether the main loop may tick the engine now.
#pragma once
#include "Core.h"

// True when Delta seconds since the last tick reach both caps (frames per second). A cap of
// 0 caps nothing, and neither does a negative one: no delta is below a negative bound.
bool FrameGateOpen(FLOAT Delta, FLOAT FPSLimit, FLOAT MaxTickRate);

// True when the gate is closed at Delta but opens within Margin seconds more: work that can
// wait is put off until after that tick, so that it does not make the tick late.
bool FrameGateOpensWithin(FLOAT Delta, FLOAT Margin, FLOAT FPSLimit, FLOAT MaxTickRate);
