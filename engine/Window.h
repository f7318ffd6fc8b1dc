// Window.h: everything the program uses from the window library (Window.dll).
#pragma once
#include "WindowApi.h"
#include "WWindow.h"
#include "WLog.h"
#include "WProperties.h"

// Makes the library's window manager (GWindowManager), which refreshes the open property
// windows as it is ticked. Calls while it exists change nothing.
WINDOW_API void InitWindowing();
