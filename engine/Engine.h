// Engine.h: everything the program uses from the engine library (Engine.dll).
#pragma once
#include "EngineApi.h"
#include "InputKeys.h"
#include "Actors.h"
#include "Canvas.h"
#include "RenderDevice.h"
#include "Client.h"
#include "GameEngine.h"
