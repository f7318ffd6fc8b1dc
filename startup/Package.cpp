// Package.cpp: the exported package name.
#include "Package.h"

extern "C" {
__declspec(dllexport) TCHAR GPackage[64] = TEXT("Launch");
}
