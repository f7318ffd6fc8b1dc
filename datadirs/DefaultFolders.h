// DefaultFolders.h: the game's own data folders. They are never offered for editing: their
// search entries are always written back from default.ini.
#pragma once
#include "TMapBase.h"

// Folders compared ignoring letter case, as the ini cache compares its keys.
class FDefaultFolders
{
public:
    void Add(const TCHAR* Folder) { Folders.Set(FString(Folder), 1); }
    bool Contains(const TCHAR* Folder) const { return Folders.Find(Folder) != NULL; }
    INT Num() const { return Folders.Num(); }
    void Empty() { Folders.Empty(); }

private:
    TMap<FString, BYTE> Folders;
};

// Replaces Folders by the folders of default.ini's [Core.System] Paths entries and the
// system ini's [Engine.Engine] CdPath, when that is set.
void LoadDefaultFolders(FDefaultFolders& Folders);
