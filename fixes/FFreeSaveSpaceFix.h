// FFreeSaveSpaceFix.h: native 3093, the room left for saved games. The engine asks about the
// installation's own save folder and cuts the count to 32 bits, so a large disk can look
// full; this one asks about the folder where saves really go and caps the count instead.
#pragma once
#include "FHook.h"

class FFreeSaveSpaceFix : public FNativeHook<3093>
{
public:
    FFreeSaveSpaceFix();
};

// Installs the fix; it is always wanted. Section: the program's settings section (unused).
void CreateFreeSaveSpaceFix(const TCHAR* Section);

// Free bytes in kibibytes, capped to the largest signed 32-bit count.
INT FreeKiloBytes(ULONGLONG FreeBytes);
// The free bytes available to the user on the disk of Folder. A folder that does not exist
// yet (no game saved so far) is answered by its nearest existing parent; 0 when no part of
// the path can be asked.
ULONGLONG FreeBytesForFolder(const TCHAR* Folder);
