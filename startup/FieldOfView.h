// FieldOfView.h: the horizontal field of view that keeps the vertical extent of a 4:3
// picture, and the console command that sets it.
#pragma once
#include "Core.h"

// The horizontal angle (degrees) for a Width x Height picture that shows what DesiredFOV
// shows on a 4:3 one, in single precision. A picture without area has no shape: the angle
// stays DesiredFOV (the caller sends nothing for it).
FLOAT AutoFieldOfView(FLOAT DesiredFOV, DWORD Width, DWORD Height);

// "fov %6.3f" into Command; false (Command empty) when the text does not fit, that is for
// angles of 1000 degrees or more, or when Fov is not a number.
bool FormatFOVCommand(FLOAT Fov, TCHAR (&Command)[12]);
