// FConfigFile.cpp: the ini grammar read and the canonical text written.
//
// Reading is forgiving by design: no trimming, no comments, the first '=' splits a line,
// one pair of surrounding quotes goes. Writing puts every section as "[Name]", its pairs
// as "Key=Value" and a blank line, all ended by CR LF.
#include "FConfigFile.h"

namespace
{
// A zero character ends a line like CR and LF do, so a stray zero in a damaged file costs
// that line's tail rather than the rest of the file.
inline bool IsLineEnd(TCHAR C) { return C <= '\r' && (C == '\r' || C == '\n' || C == 0); }

inline bool IsHeader(const TCHAR* Line, INT Len) { return Line[0] == '[' && Line[Len - 1] == ']'; }

// Moves At to the next line that is not empty and over it; false at the end of the text.
// The text's own terminator ends its last line.
bool NextLine(TCHAR*& At, const TCHAR* End, TCHAR*& Line, INT& Len)
{
    while (At < End && IsLineEnd(*At))
        At++;
    if (At >= End)
        return false;
    Line = At;
    while (!IsLineEnd(*At))
        At++;
    Len = INT(At - Line);
    return true;
}

// How many pairs the lines from At on hold before the next header.
INT CountPairs(TCHAR* At, const TCHAR* End)
{
    INT Count = 0;
    TCHAR* Line;
    INT Len;
    while (NextLine(At, End, Line, Len) && !IsHeader(Line, Len))
        Count += wmemchr(Line, '=', Len) != NULL;
    return Count;
}

void Append(TArray<TCHAR>& Text, const TCHAR* Part, INT Len)
{
    INT At = Text.Add(Len);
    appMemcpy(Text.GetTypedData() + At, Part, Len * sizeof(TCHAR));
}

void Append(TArray<TCHAR>& Text, const FString& Part) { Append(Text, *Part, Part.Len()); }
} // namespace

void FConfigFile::Read(const TCHAR* Filename)
{
    guard(FConfigFile::Read);
    Empty();
    FString Loaded;
    if (!appLoadFileToString(Loaded, Filename, GFileManager) || Loaded.IsEmpty())
        return;
    // Lines are cut in place; only what is stored gets copied.
    TCHAR* At = Loaded.GetCharArray();
    const TCHAR* End = At + Loaded.Len();
    FConfigSectionMap* Current = NULL;
    TCHAR* Line;
    INT Len;
    while (NextLine(At, End, Line, Len))
    {
        *At++ = 0; // at the end this is the string's own terminator
        if (!IsHeader(Line, Len))
        {
            if (Current)
                AddLine(*Current, Line, Len);
            continue;
        }
        Line[Len - 1] = 0;
        Current = Find(Line + 1); // a repeated header continues its section
        // A new section is sized at once: growing step by step would take and give back
        // memory for every section.
        if (!Current)
            Current = &Emplace(FString(Line + 1, Len - 2), CountPairs(At, End));
    }
    unguard;
}

void FConfigFile::AddLine(FConfigSectionMap& Section, const TCHAR* Line, INT Len)
{
    const TCHAR* Equals = appStrchr(Line, '=');
    if (!Equals)
        return;
    INT KeyLen = INT(Equals - Line);
    const TCHAR* Value = Equals + 1;
    INT ValueLen = Len - KeyLen - 1;
    if (ValueLen > 0 && Value[0] == '"' && Value[ValueLen - 1] == '"')
    {
        // One pair of quotes goes; a lone quote is both the first and the last character.
        Value++;
        ValueLen = ValueLen > 1 ? ValueLen - 2 : 0;
    }
    Section.Add(FString(Line, KeyLen), FString(Value, ValueLen));
}

UBOOL FConfigFile::Write(const TCHAR* Filename)
{
    guard(FConfigFile::Write);
    if (!NeedsWrite())
        return 1;
    Dirty = 0;
    TArray<TCHAR> Text;
    for (TIterator Section(*this); Section; ++Section)
    {
        Append(Text, TEXT("["), 1);
        Append(Text, Section.Key());
        Append(Text, TEXT("]\r\n"), 3);
        for (FConfigSectionMap::TIterator Pair(Section.Value()); Pair; ++Pair)
        {
            Append(Text, Pair.Key());
            Append(Text, TEXT("="), 1);
            Append(Text, Pair.Value());
            Append(Text, TEXT("\r\n"), 2);
        }
        Append(Text, TEXT("\r\n"), 2);
    }
    // The caller's name may lie in the cache too, which the save can move.
    const FString Name(Filename);
    UBOOL Saved = appSaveStringToFile(FString(Text.GetTypedData(), Text.Num()), *Name, GFileManager);
    if (!Saved && GLog)
        GLog->Logf(TEXT("Failed to save %s"), *Name);
    return Saved;
    unguard;
}
