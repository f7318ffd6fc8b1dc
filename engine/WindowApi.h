// WindowApi.h: the export macro of the window library (Window.dll).
#pragma once
#include "Core.h"

#ifdef WINDOW_EXPORTS
#define WINDOW_API __declspec(dllexport)
#else
#define WINDOW_API __declspec(dllimport)
#endif
