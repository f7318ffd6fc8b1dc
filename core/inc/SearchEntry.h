// SearchEntry.h: search entries, the values of the search lists in the ini files: a folder
// and a wildcard pattern, relative to the System folder, such as ..\Maps\*.unr.
#pragma once
#include "WinFileCalls.h"

// Out = the entry's folder (the entry without its last component); false, with Out empty,
// when the entry does not fit a path buffer.
bool GetEntryFolder(TCHAR (&Out)[FILE_PATH_MAX], const TCHAR* Entry);
