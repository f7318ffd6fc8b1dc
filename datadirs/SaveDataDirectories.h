// SaveDataDirectories.h: writing the player's chosen data folders back as the search lists.
#pragma once
#include "Core.h"

// Rewrites the system ini's search lists from Chosen (search entries, highest priority
// first): entries with the extension ".int" (exactly) go to [Corvane] IntPaths, the others
// to [Core.System] Paths, followed by default.ini's Paths entries, its last line first. The
// engine's search list follows at once; the localization folders at the next launch.
void SaveDataDirectories(const TArray<FString>& Chosen);
