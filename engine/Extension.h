// Extension.h: everything the program uses from the game-GUI library (Extension.dll).
#pragma once
#include "ExtensionApi.h"
#include "XWindow.h"
#include "GuiPlayer.h"
