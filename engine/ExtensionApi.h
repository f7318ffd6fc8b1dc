// ExtensionApi.h: the export macro of the game-GUI library (Extension.dll).
#pragma once
#include "Engine.h"

#ifdef EXTENSION_EXPORTS
#define EXTENSION_API __declspec(dllexport)
#else
#define EXTENSION_API __declspec(dllimport)
#endif
