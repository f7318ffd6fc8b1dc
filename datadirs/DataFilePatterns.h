// DataFilePatterns.h: the kinds of file that make a folder a data folder, in the order in
// which a folder's search entries are discovered (localization files, then packages).
#pragma once
#include "Core.h"

inline constexpr const TCHAR* GDataFilePatterns[] = {
    TEXT("*.int"), TEXT("*.u"), TEXT("*.utx"), TEXT("*.umx"), TEXT("*.vl"), TEXT("*.unr"), TEXT("*.uax"),
};
