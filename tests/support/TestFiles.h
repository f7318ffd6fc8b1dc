// TestFiles.h: temporary folders and reading files back, for tests that check what the
// program wrote.
#pragma once
#include "TestSupport.h"

// A fresh folder under the system's temporary folder, removed with its files at the end.
class FTempFolder
{
public:
    FTempFolder();
    ~FTempFolder();
    FString File(const TCHAR* Name) const { return Path * Name; }

    FString Path;
};

// The file's lines (8-bit text split at CR LF, without the line ends).
TArray<FString> ReadLogLines(const TCHAR* Filename);
