// FConfigCacheIni.cpp: in-memory cache of ini files, written back on Flush().
// A file that was only read is never written, so players' hand edits survive.
#include "FConfigCacheIni.h"

namespace
{
// The cache's name for a file name: "Game" is "Game.ini", and a name with a three- or
// four-letter extension stays. 0 when the result does not fit Result.
UBOOL AddIniSuffix(const TCHAR* Name, TCHAR (&Result)[256])
{
    INT Len = appStrlen(Name);
    UBOOL NeedsSuffix = Len < 5 || (Name[Len - 4] != '.' && Name[Len - 5] != '.');
    if (Len + (NeedsSuffix ? 4 : 0) >= INT(ARRAY_COUNT(Result)))
        return 0;
    appStrcpy(Result, Name);
    if (NeedsSuffix)
        appStrcat(Result, TEXT(".ini"));
    return 1;
}

// "True" in any letter case, or a number that reads as 1; "Yes", "On" and 2 are false.
UBOOL TextToBool(const TCHAR* Text) { return appStricmp(Text, TEXT("True")) == 0 || appAtoi(Text) == 1; }

// The typed reads: the text of at most 79 characters, converted when the key exists; the
// value stays as it was when it does not.
template<class T, class FConvert>
UBOOL GetConverted(FConfigCache& Cache, const TCHAR* Section, const TCHAR* Key, T& Value, const TCHAR* Filename, FConvert Convert)
{
    TCHAR Text[80];
    if (!Cache.GetString(Section, Key, Text, ARRAY_COUNT(Text), Filename))
        return 0;
    Value = Convert(Text);
    return 1;
}
} // namespace

FConfigCache* FConfigCacheIni::Factory() { return new (TEXT("new")) FConfigCacheIni; }

FConfigCacheIni::~FConfigCacheIni() noexcept(false)
{
    guard(FConfigCacheIni::~FConfigCacheIni);
    Flush(1);
    unguard;
}

FConfigFile* FConfigCacheIni::Find(const TCHAR* InFilename, UBOOL CreateIfNotFound)
{
    guard(FConfigCacheIni::Find);
    if (!InFilename)
        InFilename = *SystemIni;
    TCHAR Buffer[256];
    if (!AddIniSuffix(InFilename, Buffer))
    {
        // Cutting the name could reach another file; refuse it instead.
        if (GLog)
            GLog->Logf(TEXT("Ini file name too long: %s"), InFilename);
        return NULL;
    }
    const TCHAR* Filename = Buffer;
    if (appStricmp(Buffer, TEXT("User.ini")) == 0)
        Filename = *UserIni;
    else if (appStricmp(Buffer, TEXT("System.ini")) == 0)
        Filename = *SystemIni;

    FConfigFile* File = Files.Find(Filename);
    if (File || (!CreateIfNotFound && GFileManager->FileSize(Filename) < 0))
        return File;
    File = &Files.Emplace(FString(Filename));
    File->Read(Filename);
    return File;
    unguard;
}

const FString* FConfigCacheIni::FindValue(const TCHAR* Section, const TCHAR* Key, const TCHAR* Filename)
{
    FConfigFile* File = Find(Filename, 0);
    FConfigSectionMap* Found = File ? File->Find(Section) : NULL;
    return Found ? Found->Find(Key) : NULL;
}

UBOOL FConfigCacheIni::GetBool(const TCHAR* Section, const TCHAR* Key, UBOOL& Value, const TCHAR* Filename)
{
    guard(FConfigCacheIni::GetBool);
    return GetConverted(*this, Section, Key, Value, Filename, TextToBool);
    unguard;
}

UBOOL FConfigCacheIni::GetInt(const TCHAR* Section, const TCHAR* Key, INT& Value, const TCHAR* Filename)
{
    guard(FConfigCacheIni::GetInt);
    return GetConverted(*this, Section, Key, Value, Filename, appAtoi);
    unguard;
}

UBOOL FConfigCacheIni::GetFloat(const TCHAR* Section, const TCHAR* Key, FLOAT& Value, const TCHAR* Filename)
{
    guard(FConfigCacheIni::GetFloat);
    return GetConverted(*this, Section, Key, Value, Filename, appAtof);
    unguard;
}

UBOOL FConfigCacheIni::GetString(const TCHAR* Section, const TCHAR* Key, FString& Value, const TCHAR* Filename)
{
    guard(FConfigCacheIni::GetString);
    TCHAR Text[4096] = TEXT("");
    UBOOL Result = GetString(Section, Key, Text, ARRAY_COUNT(Text), Filename);
    Value = Text;
    return Result;
    unguard;
}

UBOOL FConfigCacheIni::GetString(const TCHAR* Section, const TCHAR* Key, TCHAR* Value, INT Size, const TCHAR* Filename)
{
    guard(FConfigCacheIni::GetString);
    if (Size > 0)
        Value[0] = 0;
    const FString* Found = FindValue(Section, Key, Filename);
    if (!Found)
        return 0;
    appStrncpy(Value, **Found, Size);
    return 1;
    unguard;
}

const TCHAR* FConfigCacheIni::GetStr(const TCHAR* Section, const TCHAR* Key, const TCHAR* Filename)
{
    guard(FConfigCacheIni::GetStr);
    TCHAR* Result = appStaticString1024();
    GetString(Section, Key, Result, 1024, Filename);
    return Result;
    unguard;
}

UBOOL FConfigCacheIni::GetSection(const TCHAR* Section, TCHAR* Value, INT Size, const TCHAR* Filename)
{
    guard(FConfigCacheIni::GetSection);
    if (Size > 0)
        Value[0] = 0;
    FConfigFile* File = Find(Filename, 0);
    FConfigSectionMap* Found = File ? File->Find(Section) : NULL;
    if (!Found)
        return 0;
    // "Key=Value" entries, each ended by a zero, and one more zero after the last.
    INT Used = 0;
    for (FConfigSectionMap::TIterator Pair(*Found); Pair; ++Pair)
    {
        INT KeyLen = Pair.Key().Len();
        INT ValueLen = Pair.Value().Len();
        if (SQWORD(Used) + KeyLen + 1 + ValueLen + 2 > Size)
            break;
        appMemcpy(Value + Used, *Pair.Key(), KeyLen * sizeof(TCHAR));
        Value[Used + KeyLen] = '=';
        appMemcpy(Value + Used + KeyLen + 1, *Pair.Value(), ValueLen * sizeof(TCHAR));
        Used += KeyLen + 1 + ValueLen;
        Value[Used++] = 0;
    }
    if (Used < Size)
        Value[Used] = 0;
    return 1;
    unguard;
}

FConfigSectionMap* FConfigCacheIni::GetSectionPrivate(const TCHAR* Section, UBOOL Force, UBOOL Const, const TCHAR* Filename)
{
    guard(FConfigCacheIni::GetSectionPrivate);
    FConfigFile* File = Find(Filename, Force);
    if (!File)
        return NULL;
    FConfigSectionMap* Found = File->Find(Section);
    if (!Found && !Force)
        return NULL;
    if (!Found)
        Found = &File->Emplace(FString(Section));
    // The caller may change the section it gets.
    if (Force || !Const)
        File->Dirty = 1;
    return Found;
    unguard;
}

void FConfigCacheIni::EmptySection(const TCHAR* Section, const TCHAR* Filename)
{
    guard(FConfigCacheIni::EmptySection);
    FConfigFile* File = Find(Filename, 0);
    FConfigSectionMap* Found = File ? File->Find(Section) : NULL;
    if (Found && Found->Num() > 0)
    {
        Found->Empty();
        File->Dirty = 1;
    }
    unguard;
}

void FConfigCacheIni::SetBool(const TCHAR* Section, const TCHAR* Key, UBOOL Value, const TCHAR* Filename)
{
    guard(FConfigCacheIni::SetBool);
    SetString(Section, Key, Value ? TEXT("True") : TEXT("False"), Filename);
    unguard;
}

void FConfigCacheIni::SetInt(const TCHAR* Section, const TCHAR* Key, INT Value, const TCHAR* Filename)
{
    guard(FConfigCacheIni::SetInt);
    TCHAR Text[32];
    appSprintf(Text, TEXT("%i"), Value);
    SetString(Section, Key, Text, Filename);
    unguard;
}

void FConfigCacheIni::SetFloat(const TCHAR* Section, const TCHAR* Key, FLOAT Value, const TCHAR* Filename)
{
    guard(FConfigCacheIni::SetFloat);
    TCHAR Text[64];
    appSprintf(Text, TEXT("%f"), double(Value));
    SetString(Section, Key, Text, Filename);
    unguard;
}

void FConfigCacheIni::SetString(const TCHAR* Section, const TCHAR* Key, const TCHAR* Value, const TCHAR* Filename)
{
    guard(FConfigCacheIni::SetString);
    FConfigFile* File = Find(Filename, 1);
    if (!File)
        return;
    FConfigSectionMap* Found = File->Find(Section);
    if (!Found)
        Found = &File->Emplace(FString(Section));
    FString* Stored = Found->Find(Key);
    if (!Stored)
    {
        Found->Add(FString(Key), FString(Value));
        File->Dirty = 1;
    }
    else if (appStricmp(**Stored, Value) != 0) // a change of letter case alone is not stored
    {
        *Stored = Value;
        File->Dirty = 1;
    }
    unguard;
}

void FConfigCacheIni::Flush(UBOOL Read, const TCHAR* Filename)
{
    guard(FConfigCacheIni::Flush);
    // The walk goes by position: a save may add files (at the end) and move the others, so a
    // file is taken again after its save to note how it went.
    for (TMap<FString, FConfigFile>::TIterator It(Files); It; ++It)
        if ((!Filename || It.Key() == Filename) && It.Value().NeedsWrite())
        {
            UBOOL Saved = It.Value().Write(*It.Key());
            It.Value().SaveFailed = !Saved;
        }
    if (Read)
        DropFromCache(Filename);
    unguard;
}

void FConfigCacheIni::FlushMatching(bool (*Matches)(const TCHAR* Filename))
{
    guard(FConfigCacheIni::FlushMatching);
    TArray<FString> Names; // a save may move the files, so they are flushed by name
    for (TMap<FString, FConfigFile>::TIterator It(Files); It; ++It)
        if (Matches(*It.Key()))
            Names.AddItem(It.Key());
    for (const FString& Name : Names)
        Flush(1, *Name);
    unguard;
}

// The next access reads these files from disk again. A file whose save failed stays: its
// changes exist nowhere else, and a later change writes them with it.
void FConfigCacheIni::DropFromCache(const TCHAR* Filename)
{
    TArray<FString> Names;
    for (TMap<FString, FConfigFile>::TIterator It(Files); It; ++It)
        if ((!Filename || It.Key() == Filename) && !It.Value().SaveFailed)
            Names.AddItem(It.Key());
    if (Names.Num() == Files.Num())
        Files.Empty();
    else
        for (const FString& Name : Names)
            Files.Remove(*Name);
}

void FConfigCacheIni::Cancel(const TCHAR* Filename)
{
    guard(FConfigCacheIni::Cancel);
    if (FConfigFile* File = Find(Filename, 1))
        File->NoSave = 1;
    unguard;
}

void FConfigCacheIni::Init(const TCHAR* InSystemIni, const TCHAR* InUserIni, UBOOL)
{
    guard(FConfigCacheIni::Init);
    SystemIni = InSystemIni;
    UserIni = InUserIni;
    unguard;
}

void FConfigCacheIni::Exit()
{
    guard(FConfigCacheIni::Exit);
    Flush(1);
    unguard;
}

void FConfigCacheIni::Dump(FOutputDevice& Ar)
{
    guard(FConfigCacheIni::Dump);
    Ar.Log(TEXT("Files map:"));
    Files.Dump(Ar);
    unguard;
}
