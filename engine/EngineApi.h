// EngineApi.h: the export macro of the engine library (Engine.dll).
#pragma once
#include "Core.h"

#ifdef ENGINE_EXPORTS
#define ENGINE_API __declspec(dllexport)
#else
#define ENGINE_API __declspec(dllimport)
#endif
