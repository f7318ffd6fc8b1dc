// FieldOfView.cpp: the automatic field of view, in single precision throughout.
#include "FieldOfView.h"
#include <math.h>

FLOAT AutoFieldOfView(FLOAT DesiredFOV, DWORD Width, DWORD Height)
{
    if (Width == 0 || Height == 0)
        return DesiredFOV;
    const FLOAT HalfTangent = tanf(DesiredFOV * 0.5f * 0.017453292f);
    const FLOAT Aspect = FLOAT(DOUBLE(Width)) / FLOAT(DOUBLE(Height));
    const FLOAT Scaled = HalfTangent * (Aspect * 0.75f);
    return atanf(Scaled) * 57.29578f * 2.0f;
}

bool FormatFOVCommand(FLOAT Fov, TCHAR (&Command)[12])
{
    Command[0] = 0;
    if (!isfinite(Fov))
        return false;
    if (appSprintf(Command, TEXT("fov %6.3f"), double(Fov)) >= 0)
        return true;
    Command[0] = 0; // a cut command would set another angle
    return false;
}
