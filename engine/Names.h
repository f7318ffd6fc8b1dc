// Names.h: the engine's name table. A logged message carries a name index as its event.
#pragma once
#include "CoreTypes.h"

// Names with a fixed index. The events are numbered by the engine; the program relies on them.
enum EName
{
    NAME_None          = 0,
    NAME_Log           = 760, // ordinary log lines, and the log file's own open and close lines
    NAME_Critical      = 761, // lines the critical-error device logs
    NAME_Warning       = 767, // warnings logged instead of shown
    NAME_Console       = 788, // lines meant for the log window only, never for the file
    NAME_FriendlyError = 792, // a critical error whose history is not shown to the user
    NAME_UserPrompt    = 794, // a message the feedback context shows in a box
};

enum EFindName
{
    FNAME_Find, // only look the text up
    FNAME_Add,  // add it when it is missing
};

class CORE_API FName
{
public:
    FName() : Index(NAME_None) {}
    FName(EName Name) : Index(Name) {}
    // The name with this text (ignoring ASCII letter case); NAME_None when FNAME_Find misses.
    FName(const TCHAR* Text, EFindName Find = FNAME_Add);

    const TCHAR* operator*() const { return SafeString(EName(Index)); }
    INT GetIndex() const { return Index; }
    bool operator==(const FName& Other) const { return Index == Other.Index; }
    bool operator!=(const FName& Other) const { return Index != Other.Index; }

    // The text of a name index; "Unknown" for an index that names nothing.
    static const TCHAR* SafeString(EName Index);
    // Whether messages on this event are suppressed (configured in [Core.System] Suppress).
    static UBOOL SafeSuppressed(EName Index);
    static void SetSuppressed(EName Index, UBOOL Suppressed);

private:
    INT Index;
};
