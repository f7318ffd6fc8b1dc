// ProgramVersion.h: the product version of the program's own file.
#pragma once
#include "Core.h"

// The product version text ("8.0.0.0"), read once and kept for the rest of the run.
const TCHAR* GetProgramVersion();
