// WinFileCalls.h: the Win32 file calls of the file managers, wide or narrow as GUnicodeOS says.
// A path that does not fit in a 260-character buffer never reaches the system (Wine would
// take some): the call fails with ERROR_FILENAME_EXCED_RANGE as the last error.
#pragma once
#include "Core.h"

enum { FILE_PATH_MAX = 260 }; // characters of every path buffer, the terminator included

// Whether Path fits in a path buffer, terminator included.
bool FitsPathBuffer(const TCHAR* Path);
// Copies Path into Out when it fits; otherwise leaves Out empty and returns false.
bool CopyPath(TCHAR (&Out)[FILE_PATH_MAX], const TCHAR* Path);

HANDLE WinCreateFile(const TCHAR* Path, DWORD Access, DWORD Share, DWORD Creation);
BOOL WinDeleteFile(const TCHAR* Path);
BOOL WinSetFileAttributes(const TCHAR* Path, DWORD Attributes);
BOOL WinCopyFile(const TCHAR* Src, const TCHAR* Dest, BOOL FailIfExists);
// Replaces an existing destination in one step, so a failed move leaves it in place.
BOOL WinMoveFile(const TCHAR* Src, const TCHAR* Dest);
BOOL WinCreateDirectory(const TCHAR* Path);
BOOL WinRemoveDirectory(const TCHAR* Path);
BOOL WinSetCurrentDirectory(const TCHAR* Path);
FString WinGetCurrentDirectory();

// The entries of a directory search; the search handle is closed with the object.
class FFileSearch
{
public:
    explicit FFileSearch(const TCHAR* Pattern);
    ~FFileSearch();
    FFileSearch(const FFileSearch&) = delete;
    FFileSearch& operator=(const FFileSearch&) = delete;

    // Moves to the next entry (the first one on the first call); false when there is none.
    bool Next();
    const TCHAR* Name() const { return EntryName; }
    bool IsDirectory() const { return (Attributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }
    // Whether the entry is "." or "..", which no listing reports.
    bool IsDotEntry() const;

private:
    HANDLE Handle;
    bool Started;
    bool Wide;
    DWORD Attributes;
    TCHAR EntryName[MAX_PATH];
    WIN32_FIND_DATAW WideData;
    WIN32_FIND_DATAA NarrowData;

    bool Take(BOOL Found);
};
