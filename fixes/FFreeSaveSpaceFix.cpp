// FFreeSaveSpaceFix.cpp: native 3093, the free space of the folder saved games go to.
#include "FFreeSaveSpaceFix.h"
#include "FHookRegistry.h"
#include "FFileManagerWindows.h"
#include <shlwapi.h>

namespace
{
// The replacement runs as a method of the object the script calls it on.
class UFreeSaveSpaceNatives : public UObject
{
public:
    DECLARE_FUNCTION(execGetFreeSaveSpace);
};

void UFreeSaveSpaceNatives::execGetFreeSaveSpace(FFrame& Stack, void* Result)
{
    GHookRegistry->FindHook(FFreeSaveSpaceFix::Number);
    P_FINISH;
    // Every file manager of the program is a FFileManagerWindows; the user-documents one
    // turns the folder into the mirror's, where saves are written.
    TCHAR SaveFolder[FILE_PATH_MAX] = TEXT("..\\Save");
    static_cast<FFileManagerWindows*>(GFileManager)->TranslatePath(SaveFolder, SaveFolder, 'r');
    if (!SaveFolder[0]) // too long to translate: the installation's folder is the best guess
        appStrcpy(SaveFolder, TEXT("..\\Save"));
    *static_cast<INT*>(Result) = FreeKiloBytes(FreeBytesForFolder(SaveFolder));
}
} // namespace

FFreeSaveSpaceFix::FFreeSaveSpaceFix()
    : FNativeHook(static_cast<Native>(&UFreeSaveSpaceNatives::execGetFreeSaveSpace), TEXT("Free save space fix"))
{
}

void CreateFreeSaveSpaceFix(const TCHAR*) { NewHook<FFreeSaveSpaceFix>(); }

INT FreeKiloBytes(ULONGLONG FreeBytes)
{
    ULONGLONG KiloBytes = FreeBytes >> 10;
    return KiloBytes > 2147483647ULL ? 2147483647 : INT(KiloBytes);
}

ULONGLONG FreeBytesForFolder(const TCHAR* Folder)
{
    TCHAR Path[FILE_PATH_MAX];
    DWORD Length = GetFullPathNameW(Folder, ARRAY_COUNT(Path), Path, NULL);
    if (Length == 0 || Length >= ARRAY_COUNT(Path))
        return 0;
    for (;;)
    {
        ULARGE_INTEGER FreeBytes;
        if (GetDiskFreeSpaceExW(Path, &FreeBytes, NULL, NULL))
            return FreeBytes.QuadPart;
        if (!PathRemoveFileSpecW(Path))
            return 0; // the root itself cannot be asked
    }
}
