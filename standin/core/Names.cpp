// Names.cpp: the name table. Fixed names hold the indices the engine gives them; names
// added at run time follow them. The table lives for the whole process in static storage,
// so names outlast any allocator.
#include "CoreInternal.h"

namespace
{
enum
{
    FIRST_ADDED_NAME = 1024, // fixed names use the indices below
    MAX_NAMES = 4096,
    MAX_NAME_LEN = 64,
};

struct FNameEntry
{
    TCHAR Text[MAX_NAME_LEN];
    UBOOL Suppressed;
};

struct FFixedName
{
    EName Index;
    const TCHAR* Text;
};

const FFixedName FixedNames[] = {
    {NAME_None, TEXT("None")},
    {NAME_Log, TEXT("Log")},
    {NAME_Critical, TEXT("Critical")},
    {NAME_Warning, TEXT("Warning")},
    {NAME_Console, TEXT("Console")},
    {NAME_FriendlyError, TEXT("FriendlyError")},
    {NAME_UserPrompt, TEXT("UserPrompt")},
};

FNameEntry Entries[MAX_NAMES];
INT NextAdded = FIRST_ADDED_NAME;

void InitFixedNames()
{
    static bool Done = false;
    if (Done)
        return;
    Done = true;
    for (const FFixedName& Name : FixedNames)
        appStrcpy(Entries[Name.Index].Text, Name.Text);
}

FNameEntry* FindEntry(INT Index)
{
    InitFixedNames();
    if (Index < 0 || Index >= MAX_NAMES || !Entries[Index].Text[0])
        return NULL;
    return &Entries[Index];
}
} // namespace

FName::FName(const TCHAR* Text, EFindName Find) : Index(NAME_None)
{
    InitFixedNames();
    if (!Text || !*Text)
        return;
    for (INT i = 0; i < NextAdded; i++)
        if (Entries[i].Text[0] && appStricmp(Entries[i].Text, Text) == 0)
        {
            Index = i;
            return;
        }
    if (Find == FNAME_Find)
        return;
    if (appStrlen(Text) >= MAX_NAME_LEN)
        appErrorf(TEXT("Name too long: %s"), Text);
    if (NextAdded >= MAX_NAMES)
        appErrorf(TEXT("The name table is full (%i names)"), INT(MAX_NAMES));
    appStrcpy(Entries[NextAdded].Text, Text);
    Index = NextAdded++;
}

const TCHAR* FName::SafeString(EName Index)
{
    FNameEntry* Entry = FindEntry(Index);
    return Entry ? Entry->Text : TEXT("Unknown");
}

UBOOL FName::SafeSuppressed(EName Index)
{
    FNameEntry* Entry = FindEntry(Index);
    return Entry && Entry->Suppressed;
}

void FName::SetSuppressed(EName Index, UBOOL Suppressed)
{
    if (FNameEntry* Entry = FindEntry(Index))
        Entry->Suppressed = Suppressed;
}

void appApplySuppression(const TArray<FString>& Suppress)
{
    InitFixedNames();
    for (INT i = 0; i < NextAdded; i++)
        Entries[i].Suppressed = 0;
    for (const FString& Name : Suppress)
    {
        FName Found(*Name, FNAME_Find);
        if (Found != FName(NAME_None))
            FName::SetSuppressed(EName(Found.GetIndex()), 1);
    }
}
