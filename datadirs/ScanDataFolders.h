// ScanDataFolders.h: discovery of the data folders that lie on disk, as search entries for
// the Data Directories dialog.
#pragma once
#include "DefaultFolders.h"

// Takes the discovered entries, one call per entry, in discovery order.
class FDataEntryReceiver
{
public:
    virtual void InsertEntry(const TCHAR* Entry) = 0;

protected:
    ~FDataEntryReceiver() = default;
};

// Walks the folders below Root depth first, a folder's subfolders before the folder itself,
// and hands the receiver one entry per data file pattern that the folder has files for,
// relative to Base and in the patterns' order (such as ..\MyMod\System\*.int, then
// ..\MyMod\System\*.u). Base itself, the default folders and everything below them are left
// out, and so are folders whose names have an extension (Windows does not list them for
// "*."). Folders that cannot be listed, and entries that do not fit a path buffer, are skipped.
void ScanDataFolders(const TCHAR* Root, const TCHAR* Base, const FDefaultFolders& Defaults, FDataEntryReceiver& Receiver);
