// FrameGate.cpp: the frame-rate caps of the main loop, in single precision.
#include "FrameGate.h"

bool FrameGateOpen(FLOAT Delta, FLOAT FPSLimit, FLOAT MaxTickRate)
{
    if (FPSLimit != 0.f && Delta < 1.f / FPSLimit)
        return false;
    return MaxTickRate == 0.f || !(Delta < 1.f / MaxTickRate);
}

bool FrameGateOpensWithin(FLOAT Delta, FLOAT Margin, FLOAT FPSLimit, FLOAT MaxTickRate)
{
    return !FrameGateOpen(Delta, FPSLimit, MaxTickRate) && FrameGateOpen(Delta + Margin, FPSLimit, MaxTickRate);
}
