// ProgramVersion.cpp: reads the product version from the program's version resource.
#include "ProgramVersion.h"
#include <windows.h>

// The string table of the program's version resource: Dutch (0x0413), Unicode (0x04B0).
static const TCHAR ProductVersionQuery[] = TEXT("\\StringFileInfo\\041304b0\\ProductVersion");

const TCHAR* GetProgramVersion()
{
    static TCHAR* Version = NULL;
    if (Version)
        return Version;

    TCHAR Path[260];
    DWORD PathLen = GetModuleFileNameW(NULL, Path, ARRAY_COUNT(Path));
    DWORD Handle = 0;
    DWORD InfoSize = (PathLen && PathLen < ARRAY_COUNT(Path)) ? GetFileVersionInfoSizeW(Path, &Handle) : 0;
    if (InfoSize)
    {
        void* Info = appMalloc(InfoSize, TEXT("new"));
        TCHAR* Value = NULL;
        UINT ValueLen = 0;
        if (GetFileVersionInfoW(Path, 0, InfoSize, Info)
            && VerQueryValueW(Info, ProductVersionQuery, reinterpret_cast<void**>(&Value), &ValueLen) && Value)
        {
            // The length counts the terminator; copy no further than it.
            Version = static_cast<TCHAR*>(appMalloc((ValueLen + 1) * sizeof(TCHAR), TEXT("new")));
            appStrncpy(Version, Value, INT(ValueLen) + 1);
        }
        appFree(Info);
    }
    if (!Version)
    {
        // A file without the program's version resource (a renamed or stripped build).
        static TCHAR Unknown[] = TEXT("unknown");
        Version = Unknown;
    }
    return Version;
}
