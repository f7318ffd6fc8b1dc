// FConfigFile.h: one ini file in memory, its sections in file order, each a list of
// key/value pairs in which a key may repeat.
#pragma once
#include "TMapBase.h"

// A section: keys to values, repeated keys kept in file order.
class FConfigSectionMap : public TMultiMap<FString, FString>
{
public:
    using TMultiMap::TMultiMap;
};

class FConfigFile : public TMap<FString, FConfigSectionMap>
{
public:
    UBOOL Dirty = 0;      // holds changes not yet written
    UBOOL NoSave = 0;     // never written back
    UBOOL SaveFailed = 0; // the cache's last save of it failed: memory holds changes the disk lacks

    // Replaces the sections by those parsed from the file; a file that cannot be loaded
    // reads as empty. The flags stay as they are.
    void Read(const TCHAR* Filename);
    // Whether Write would save the file: it changed and may be saved.
    bool NeedsWrite() const { return Dirty && !NoSave; }
    // Writes the file in canonical form when it needs it; the result of the save, or 1 when
    // there was nothing to write. The save may re-enter the cache and move this file (a
    // failure localizes its message): nothing of the file is touched once it has begun.
    UBOOL Write(const TCHAR* Filename);

private:
    // Adds the pair a line holds, if it holds '='.
    static void AddLine(FConfigSectionMap& Section, const TCHAR* Line, INT Len);
};
