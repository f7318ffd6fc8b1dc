// Window.h: everything the program uses from the window library (Window.dll).
#pragma once
#include "WindowApi.h"
#include "WWindow.h"
#include "WLog.h"
#include "WProperties.h"

// Registers the library's window classes and makes its window manager (GWindowManager),
// which refreshes the open property windows as it is ticked. Once per process; later calls
// change nothing.
WINDOW_API void InitWindowing();
