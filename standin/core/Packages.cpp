// Packages.cpp: loading packages and classes. A package is the native classes that modules
// registered for its name, plus a script package file found along the search list.
//
// A script package file (Name.u) is text, one statement per line; ';' starts a comment:
//
//   package Veltra                              first: the package's own name
//   class ConWindowActive extends Extension.ModalWindow
//     default Placement=Subtitles               class defaults, "Key=Value"
//     function OpenWindow(object WindowClass, int Flag)
//       return native 1410(WindowClass, Flag)   a native call; its result is returned
//     end
//
// A class extends a class of this or another package ("Name" or "Package.Name") and is
// built by the native constructor of its nearest native ancestor. Function bodies are
// native calls, "native N(args)" or "return native N(args)", and "return". Arguments:
// a parameter's name, an integer, self, none, a class path ("Veltra.ConWindowActive"),
// or "-" for an optional parameter left out.
#include "CoreInternal.h"

namespace
{
// Reports a failed load: critical with LOAD_NoFail, a warning unless LOAD_NoWarn.
void LoadFailed(DWORD LoadFlags, const TCHAR* Fmt, ...)
{
    TCHAR Text[1024];
    va_list Args;
    va_start(Args, Fmt);
    appGetVarArgs(Text, ARRAY_COUNT(Text), Fmt, Args);
    va_end(Args);
    if (LoadFlags & LOAD_NoFail)
        appErrorf(TEXT("%s"), Text);
    if (!(LoadFlags & LOAD_NoWarn) && GLog)
        GLog->Log(NAME_Warning, Text);
}

// The package file along the search list: each entry with the extension ".u" names a
// folder ("..\System\*.u" looks for "..\System\<Name>.u"). Empty when there is none.
FString FindPackageFile(const TCHAR* Name)
{
    if (!GSys || !GFileManager)
        return FString();
    for (const FString& Entry : GSys->Paths)
    {
        const TCHAR* Star = appStrrchr(*Entry, '*');
        if (!Star || appStricmp(Star, TEXT("*.u")) != 0)
            continue;
        FString Candidate = Entry.Left(INT(Star - *Entry)) + Name + TEXT(".u");
        if (GFileManager->FileSize(*Candidate) >= 0)
            return Candidate;
    }
    return FString();
}

// Reads script package text into Package. Errors name the file and line; the classes read
// before an error stay.
class FScriptPackageReader
{
public:
    FScriptPackageReader(UPackage* InPackage, const FString& InFilename) : Package(InPackage), Filename(InFilename) {}

    bool Read(const FString& Text)
    {
        const TCHAR* At = *Text;
        bool SawHeader = false;
        while (*At)
        {
            const TCHAR* End = At;
            while (*End && *End != '\n')
                End++;
            LineNumber++;
            FString Line = Trim(FString(At, INT(End - At)));
            At = *End ? End + 1 : End;
            if (Line.IsEmpty())
                continue;
            const TCHAR* Rest = *Line;
            bool Ok;
            if (!SawHeader)
                Ok = (SawHeader = ParseCommand(&Rest, TEXT("package")) && appStricmp(Rest, Package->GetName()) == 0);
            else if (Function)
                Ok = ReadStatement(Rest);
            else
                Ok = ReadDeclaration(Rest);
            if (!Ok)
                return Fail(*Line);
        }
        if (Function)
            return Fail(TEXT("missing end of function"));
        return SawHeader || Fail(TEXT("not a script package"));
    }

private:
    UPackage* Package;
    FString Filename;
    INT LineNumber = 0;
    UClass* Class = NULL;
    UFunction* Function = NULL;
    TArray<FString> ParmNames;
    TArray<BYTE> ParmTokens; // EX_LocalInt or EX_LocalObject per parameter
    FScriptBuilder Code;

    static FString Trim(const FString& Text)
    {
        INT Start = 0, End = Text.Len();
        while (Start < End && appIsSpace(Text[Start]))
            Start++;
        while (End > Start && appIsSpace(Text[End - 1]))
            End--;
        FString Result = Text.Mid(Start, End - Start);
        INT Comment = Result.InStr(TEXT(";"));
        return Comment < 0 ? Result : Trim(Result.Left(Comment));
    }

    bool Fail(const TCHAR* What)
    {
        if (GLog)
            GLog->Logf(NAME_Warning, TEXT("%s(%i): cannot read: %s"), *Filename, LineNumber, What);
        return false;
    }

    bool ReadDeclaration(const TCHAR* Rest)
    {
        if (ParseCommand(&Rest, TEXT("class")))
            return ReadClass(Rest);
        if (Class && ParseCommand(&Rest, TEXT("default")))
        {
            if (!appStrchr(Rest, '='))
                return false;
            Class->Defaults.AddItem(FString(Rest));
            return true;
        }
        if (Class && ParseCommand(&Rest, TEXT("function")))
            return ReadFunctionHeader(Rest);
        return false;
    }

    bool ReadClass(const TCHAR* Rest)
    {
        FString Name, SuperName;
        if (!FString(Rest).Split(TEXT(" extends "), &Name, &SuperName))
            return false;
        Name = Trim(Name);
        SuperName = Trim(SuperName);
        if (!appStrchr(*SuperName, '.'))
            SuperName = FString(Package->GetName()) + TEXT(".") + SuperName;
        UClass* Super = UObject::StaticLoadClass(UObject::StaticClass(), NULL, *SuperName, NULL, LOAD_None, NULL);
        if (!Super)
            return false;
        Class = static_cast<UClass*>(UObject::StaticConstructObject(UClass::StaticClass(), Package, FName(*Name)));
        if (!Class)
            return false;
        Class->SuperClass = Super;
        Class->ClassConstructor = Super->ClassConstructor;
        Class->PropertiesSize = Super->PropertiesSize;
        return true;
    }

    bool ReadFunctionHeader(const TCHAR* Rest)
    {
        const TCHAR* Open = appStrchr(Rest, '(');
        const TCHAR* Close = appStrrchr(Rest, ')');
        if (!Open || !Close || Close < Open)
            return false;
        ParmNames.Empty();
        ParmTokens.Empty();
        for (const FString& Parm : SplitList(FString(Open + 1, INT(Close - Open - 1))))
        {
            const TCHAR* Declared = *Parm;
            if (ParseCommand(&Declared, TEXT("int")))
                ParmTokens.AddItem(EX_LocalInt);
            else if (ParseCommand(&Declared, TEXT("object")))
                ParmTokens.AddItem(EX_LocalObject);
            else
                return false;
            ParmNames.AddItem(FString(Declared));
        }
        Function = static_cast<UFunction*>(UObject::StaticConstructObject(
            UFunction::StaticClass(), Class, FName(*Trim(FString(Rest, INT(Open - Rest))))));
        if (!Function)
            return false;
        Function->NumParms = ParmNames.Num();
        Code.Code.Empty();
        return true;
    }

    bool ReadStatement(const TCHAR* Rest)
    {
        if (ParseCommand(&Rest, TEXT("end")))
        {
            Code.Return().Nothing();
            Function->Script = Code.Code;
            Class->Functions.AddItem(Function);
            Function = NULL;
            return true;
        }
        if (ParseCommand(&Rest, TEXT("return")))
        {
            Code.Return();
            if (!*Rest)
            {
                Code.Nothing();
                return true;
            }
        }
        return ReadNativeCall(Rest);
    }

    bool ReadNativeCall(const TCHAR* Rest)
    {
        const TCHAR* Open = appStrchr(Rest, '(');
        const TCHAR* Close = appStrrchr(Rest, ')');
        if (!ParseCommand(&Rest, TEXT("native")) || !Open || !Close || Close < Open)
            return false;
        // Only natives that a loaded module has registered: a call of another would fail at run time.
        INT Number = appAtoi(Rest);
        if (Number < EX_FirstNative || Number >= MAX_NATIVES || !GNatives[Number])
            return false;
        Code.CallNative(Number);
        for (const FString& Arg : SplitList(FString(Open + 1, INT(Close - Open - 1))))
            if (!ReadArgument(Arg))
                return false;
        Code.EndParms();
        return true;
    }

    bool ReadArgument(const FString& Arg)
    {
        if (Arg.IsEmpty())
            return false;
        for (INT i = 0; i < ParmNames.Num(); i++)
            if (ParmNames(i) == Arg)
            {
                Code.Local(ParmTokens(i), i);
                return true;
            }
        if (Arg == TEXT("-"))
            Code.Nothing();
        else if (Arg == TEXT("self"))
            Code.Self();
        else if (Arg == TEXT("none"))
            Code.Object(NULL);
        else if (appIsDigit(Arg[0]) || (Arg[0] == '-' && appIsDigit(Arg[1])))
            Code.Int(appAtoi(*Arg));
        else if (UClass* Found = UObject::StaticLoadClass(UObject::StaticClass(), NULL, *Arg, NULL, LOAD_None, NULL))
            Code.Object(Found);
        else
            return false;
        return true;
    }

    static TArray<FString> SplitList(const FString& List)
    {
        TArray<FString> Items;
        FString Rest = Trim(List), Item;
        while (!Rest.IsEmpty())
        {
            if (!Rest.Split(TEXT(","), &Item, &Rest))
            {
                Item = Rest;
                Rest.Empty();
            }
            Items.AddItem(Trim(Item));
            Rest = Trim(Rest);
        }
        return Items;
    }
};
} // namespace

UPackage* UObject::LoadPackage(const TCHAR* Name, DWORD LoadFlags)
{
    guard(UObject::LoadPackage);
    UPackage* Package = static_cast<UPackage*>(StaticFindObject(UPackage::StaticClass(), NULL, Name));
    if (Package && Package->Loaded)
        return Package;
    // A package of native classes comes with its module (Name.dll), loaded when first needed.
    bool HasNatives = appMakeNativeClasses(Name);
    if (!HasNatives && LoadLibraryW(*(FString(Name) + TEXT(".dll"))))
        HasNatives = appMakeNativeClasses(Name);
    FString Filename = FindPackageFile(Name);
    if (!HasNatives && Filename.IsEmpty())
    {
        LoadFailed(LoadFlags, TEXT("Can't find package '%s'"), Name);
        return NULL;
    }
    if (!Package)
        Package = static_cast<UPackage*>(StaticFindObject(UPackage::StaticClass(), NULL, Name));
    if (!Package)
        Package = static_cast<UPackage*>(StaticConstructObject(UPackage::StaticClass(), NULL, FName(Name)));
    // Loaded before it is read: classes of the file may refer to each other.
    Package->Loaded = 1;
    if (!Filename.IsEmpty())
    {
        Package->Filename = Filename;
        FString Text;
        if (!appLoadFileToString(Text, *Filename))
            LoadFailed(LoadFlags, TEXT("Can't read package file '%s'"), *Filename);
        else if (!FScriptPackageReader(Package, Filename).Read(Text))
            LoadFailed(LoadFlags, TEXT("Package file '%s' has errors"), *Filename);
    }
    return Package;
    unguard;
}

UClass* UObject::StaticLoadClass(UClass* BaseClass, UObject* InOuter, const TCHAR* Name, const TCHAR* Filename,
                                 DWORD LoadFlags, void*)
{
    guard(UObject::StaticLoadClass);
    TCHAR Path[256];
    if (appStrnicmp(Name, TEXT("ini:"), 4) == 0)
    {
        // "ini:Section.Key": the section name may hold points itself.
        const TCHAR* Key = appStrrchr(Name + 4, '.');
        TCHAR Section[256];
        if (!Key || Key - (Name + 4) >= INT(ARRAY_COUNT(Section)))
        {
            LoadFailed(LoadFlags, TEXT("Failed to load class '%s': bad ini reference"), Name);
            return NULL;
        }
        appStrncpy(Section, Name + 4, INT(Key - (Name + 4)) + 1);
        if (!GConfig || !GConfig->GetString(Section, Key + 1, Path, ARRAY_COUNT(Path)) || !Path[0])
        {
            LoadFailed(LoadFlags, TEXT("Failed to load class '%s': no such key in the system ini"), Name);
            return NULL;
        }
    }
    else
        appStrcpy(Path, Name);

    UObject* Where = InOuter ? InOuter : ANY_PACKAGE;
    UClass* Class = static_cast<UClass*>(StaticFindObject(UClass::StaticClass(), Where, Path));
    if (!Class)
    {
        TCHAR Package[256];
        appStrcpy(Package, Filename ? Filename : Path);
        if (TCHAR* Point = const_cast<TCHAR*>(appStrchr(Package, '.')))
            *Point = 0;
        if (LoadPackage(Package, LoadFlags & ~LOAD_NoFail))
            Class = static_cast<UClass*>(StaticFindObject(UClass::StaticClass(), Where, Path));
    }
    if (!Class)
    {
        LoadFailed(LoadFlags, TEXT("Failed to load class '%s'"), Path);
        return NULL;
    }
    if (BaseClass && !Class->IsChildOf(BaseClass))
    {
        LoadFailed(LoadFlags, TEXT("Failed to load class '%s': it is not a %s"), Path, BaseClass->GetName());
        return NULL;
    }
    return Class;
    unguard;
}
