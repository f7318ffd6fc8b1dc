// WindowInternal.h: what the window library's files share.
#pragma once
#include "Window.h"

HINSTANCE appWindowModule();
// The windows the library owns, destroyed at its shut-down if still open.
void appRememberOwnedWindow(WWindow* Window);
void appForgetOwnedWindow(WWindow* Window);
