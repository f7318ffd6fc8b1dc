// Package.h: the package name of the running executable, exported for whoever reads it.
#pragma once
#include "Core.h"

// Exported by its plain name; "Launch" until start-up copies appPackage into it.
extern "C" __declspec(dllexport) TCHAR GPackage[64];
