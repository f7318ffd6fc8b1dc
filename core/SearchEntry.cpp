// SearchEntry.cpp: the folder of a search entry.
#include "SearchEntry.h"
#include <shlwapi.h>

bool GetEntryFolder(TCHAR (&Out)[FILE_PATH_MAX], const TCHAR* Entry)
{
    if (!CopyPath(Out, Entry))
        return false;
    PathRemoveFileSpecW(Out);
    return true;
}
