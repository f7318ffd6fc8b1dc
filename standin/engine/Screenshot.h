// Screenshot.h: the picture of a viewport as a bitmap file.
#pragma once
#include "Engine.h"

// Draws the viewport's picture once more and saves it as the first free ShotNNNN.bmp of the
// current folder (through GFileManager), naming it in Filename; false when it cannot.
UBOOL SaveShot(UEngine* Engine, UViewport* Viewport, FString& Filename);
