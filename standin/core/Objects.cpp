// Objects.cpp: the object table, class objects of native classes, making and finding
// objects, and the system settings object.
#include "CoreInternal.h"

CORE_API TArray<UObject*> GObjObjects;

namespace
{
TCHAR Language[16] = TEXT("int");
UBOOL ShutDownAfterError = 0;
FNativeClass* NativeClasses = NULL; // static storage: modules register while they load
UPackage* TransientPackage = NULL;

// What StaticConstructObject gives the object it is making, taken by UObject's constructor.
struct FPendingObject
{
    UClass* Class = NULL;
    UObject* Outer = NULL;
    FName Name;
    DWORD Flags = 0;
} Pending;

// The text up to the last point of Path goes to OuterPath, the rest to Name; false without a point.
bool SplitLastPoint(const TCHAR* Path, TCHAR (&OuterPath)[256], const TCHAR*& Name)
{
    const TCHAR* Point = appStrrchr(Path, '.');
    if (!Point || Point - Path >= 256)
        return false;
    appStrncpy(OuterPath, Path, INT(Point - Path) + 1);
    Name = Point + 1;
    return true;
}

UPackage* FindOrCreatePackage(const TCHAR* Name)
{
    if (UObject* Found = UObject::StaticFindObject(UPackage::StaticClass(), NULL, Name))
        return static_cast<UPackage*>(Found);
    return static_cast<UPackage*>(UObject::StaticConstructObject(UPackage::StaticClass(), NULL, FName(Name)));
}

// "ClassName" and the first number not taken in Outer.
FName MakeUniqueName(UClass* Class, UObject* Outer)
{
    TCHAR Text[64];
    for (INT Number = 0;; Number++)
    {
        appSprintf(Text, TEXT("%s%i"), Class->GetName(), Number);
        if (!UObject::StaticFindObject(NULL, Outer, Text))
            return FName(Text);
    }
}
} // namespace

CORE_API UBOOL GExitPurge = 0;

//
// Native classes.
//

FNativeClass::FNativeClass(const TCHAR* InPackage, const TCHAR* InName, UClass* (*InSuper)(),
                           FClassConstructor InConstructor, DWORD InSize, DWORD InFlags)
    : Package(InPackage), Name(InName), SuperStaticClass(InSuper), Constructor(InConstructor), Size(InSize),
      Flags(InFlags), Class(NULL), Next(NativeClasses)
{
    NativeClasses = this;
}

void UObject::InternalConstructor(void* Memory) { new (Memory) UObject(); }
FNativeClass UObject::PrivateStaticClass(TEXT("Core"), TEXT("Object"), NULL, &UObject::InternalConstructor,
                                         sizeof(UObject), CLASS_Native);
UClass* UObject::StaticClass() { return StaticNativeClass(PrivateStaticClass); }

IMPLEMENT_CLASS(UFunction, Core, Function, 0)
IMPLEMENT_CLASS(UClass, Core, Class, 0)
IMPLEMENT_CLASS(UPackage, Core, Package, 0)
IMPLEMENT_CLASS(USubsystem, Core, Subsystem, CLASS_Abstract)
IMPLEMENT_CLASS(USystem, Core, System, 0)

UClass* UObject::StaticNativeClass(FNativeClass& Native)
{
    if (Native.Class)
        return Native.Class;
    guard(UObject::StaticNativeClass);
    // The class object exists before its own class, its super class and its package do:
    // those may need this class again (UClass is a UObject in package Core), and find it.
    void* Memory = appMalloc(sizeof(UClass), TEXT("UClass"));
    appMemzero(Memory, sizeof(UClass));
    Pending.Name = FName(Native.Name);
    UClass::InternalConstructor(Memory);
    UClass* Class = static_cast<UClass*>(static_cast<UObject*>(Memory));
    Native.Class = Class;
    Class->ClassFlags = Native.Flags;
    Class->ClassConstructor = Native.Constructor;
    Class->PropertiesSize = Native.Size;
    Class->SuperClass = Native.SuperStaticClass ? Native.SuperStaticClass() : NULL;
    Class->Class = UClass::StaticClass();
    Class->Outer = FindOrCreatePackage(Native.Package);
    return Class;
    unguard;
}

//
// Objects.
//

UObject::UObject()
{
    // Reuse the first free slot so that indices stay small.
    Index = -1;
    for (INT i = 0; i < GObjObjects.Num(); i++)
        if (!GObjObjects(i))
        {
            Index = i;
            break;
        }
    if (Index < 0)
        Index = GObjObjects.Add();
    GObjObjects(Index) = this;
    ObjectFlags = Pending.Flags;
    Outer = Pending.Outer;
    Name = Pending.Name;
    Class = Pending.Class;
    Pending = FPendingObject();
}

UObject::~UObject()
{
    if (GObjObjects.IsValidIndex(Index) && GObjObjects(Index) == this)
        GObjObjects(Index) = NULL;
}

// Where a name goes: the caller's buffer, or a rotating one of the engine; 256 characters.
static TCHAR* NameBuffer(TCHAR* Str)
{
    INT Size;
    return Str ? Str : appNextStaticBuffer(Size);
}

const TCHAR* UObject::GetPathName(TCHAR* Str) const
{
    const INT Size = 256;
    TCHAR* Result = NameBuffer(Str);
    TCHAR OuterPath[256];
    if (Outer)
        appSnprintf(Result, Size, TEXT("%s.%s"), Outer->GetPathName(OuterPath), GetName());
    else
        appStrncpy(Result, GetName(), Size);
    return Result;
}

const TCHAR* UObject::GetFullName(TCHAR* Str) const
{
    TCHAR* Result = NameBuffer(Str);
    TCHAR Path[256];
    appSnprintf(Result, 256, TEXT("%s %s"), Class ? Class->GetName() : TEXT("None"), GetPathName(Path));
    return Result;
}

UBOOL UObject::IsA(UClass* SomeBase) const
{
    for (UClass* Walk = Class; Walk; Walk = Walk->SuperClass)
        if (Walk == SomeBase)
            return 1;
    return SomeBase == NULL;
}

UBOOL UObject::IsIn(UObject* SomeOuter) const
{
    for (UObject* Walk = Outer; Walk; Walk = Walk->Outer)
        if (Walk == SomeOuter)
            return 1;
    return SomeOuter == NULL;
}

void UObject::LoadConfig(UBOOL, UClass*, const TCHAR*) {}

void UObject::GetPropertyTexts(TArray<FString>& Out)
{
    Out.AddItem(FString::Printf(TEXT("Name=%s"), GetName()));
    Out.AddItem(FString::Printf(TEXT("Class=%s"), Class ? Class->GetPathName() : TEXT("None")));
}

UObject* UObject::StaticFindObject(UClass* ObjectClass, UObject* InOuter, const TCHAR* Name)
{
    guard(UObject::StaticFindObject);
    // A path names its outer itself: "Package.Name", "Package.Outer.Name".
    TCHAR OuterPath[256];
    const TCHAR* ObjectName = Name;
    if ((InOuter == NULL || InOuter == ANY_PACKAGE) && SplitLastPoint(Name, OuterPath, ObjectName))
    {
        InOuter = StaticFindObject(NULL, NULL, OuterPath); // a path starts at a package
        if (!InOuter)
            return NULL;
    }
    FName Wanted(ObjectName, FNAME_Find);
    if (Wanted == FName(NAME_None))
        return NULL;
    for (UObject* Object : GObjObjects)
        if (Object && Object->Name == Wanted && (InOuter == ANY_PACKAGE || Object->Outer == InOuter) &&
            (!ObjectClass || Object->IsA(ObjectClass)))
            return Object;
    return NULL;
    unguard;
}

UObject* UObject::StaticConstructObject(UClass* Class, UObject* InOuter, FName Name, DWORD SetFlags, UObject*,
                                        FOutputDevice* Error)
{
    guard(UObject::StaticConstructObject);
    if (!Error)
        Error = GLog;
    if (!Class || !Class->ClassConstructor)
    {
        Error->Logf(NAME_Warning, TEXT("Cannot construct an object without a native class"));
        return NULL;
    }
    if (Class->ClassFlags & CLASS_Abstract)
    {
        Error->Logf(NAME_Warning, TEXT("Cannot construct an object of abstract class %s"), Class->GetPathName());
        return NULL;
    }
    // Packages are outermost (beside class objects while they are being made); everything
    // else lives in some package.
    bool IsPackage = Class->IsChildOf(UPackage::StaticClass());
    if (!InOuter && !IsPackage)
        InOuter = GetTransientPackage();
    if (Name == FName(NAME_None))
        Name = MakeUniqueName(Class, InOuter);
    else if (StaticFindObject(IsPackage ? UPackage::StaticClass() : NULL, InOuter, *Name))
    {
        Error->Logf(NAME_Warning, TEXT("Cannot construct %s: the name %s is taken"), Class->GetPathName(), *Name);
        return NULL;
    }
    void* Memory = appMalloc(Class->PropertiesSize, Class->GetName());
    appMemzero(Memory, Class->PropertiesSize);
    Pending.Class = Class;
    Pending.Outer = InOuter;
    Pending.Name = Name;
    Pending.Flags = SetFlags;
    // Every native class has UObject as its first base, so the object starts at Memory.
    Class->ClassConstructor(Memory);
    return static_cast<UObject*>(Memory);
    unguard;
}

UPackage* UObject::GetTransientPackage()
{
    if (!TransientPackage)
        TransientPackage = FindOrCreatePackage(TEXT("Transient"));
    return TransientPackage;
}

const TCHAR* UObject::GetLanguage() { return Language; }

void UObject::SetLanguage(const TCHAR* LanguageExt) { appStrcpy(Language, LanguageExt); }

void UObject::StaticShutdownAfterError()
{
    if (ShutDownAfterError)
        return;
    ShutDownAfterError = 1;
    for (INT i = 0; i < GObjObjects.Num(); i++)
        if (GObjObjects(i))
            GObjObjects(i)->ShutdownAfterError();
}

void UObject::StaticExit()
{
    GExitPurge = 1;
    for (INT i = GObjObjects.Num() - 1; i >= 0; i--)
        if (GObjObjects.IsValidIndex(i) && GObjObjects(i))
            delete GObjObjects(i);
    GObjObjects.Empty();
    for (FNativeClass* Native = NativeClasses; Native; Native = Native->Next)
        Native->Class = NULL;
    TransientPackage = NULL;
    GSys = NULL;
    ShutDownAfterError = 0;
    GExitPurge = 0;
}

// Makes the class objects of Package's native classes; false when it has none.
bool appMakeNativeClasses(const TCHAR* Package)
{
    bool Found = false;
    for (FNativeClass* Native = NativeClasses; Native; Native = Native->Next)
        if (appStricmp(Native->Package, Package) == 0)
        {
            UObject::StaticNativeClass(*Native);
            Found = true;
        }
    return Found;
}

//
// Classes.
//

UBOOL UClass::IsChildOf(const UClass* SomeBase) const
{
    for (const UClass* Walk = this; Walk; Walk = Walk->SuperClass)
        if (Walk == SomeBase)
            return 1;
    return 0;
}

const TCHAR* UClass::GetDefaultText(const TCHAR* Key) const
{
    INT KeyLen = appStrlen(Key);
    for (const UClass* Walk = this; Walk; Walk = Walk->SuperClass)
        for (const FString& Default : Walk->Defaults)
            if (appStrnicmp(*Default, Key, KeyLen) == 0 && Default[KeyLen] == '=')
                return *Default + KeyLen + 1;
    return NULL;
}

UFunction* UObject::FindFunction(FName FuncName) const
{
    for (UClass* Walk = Class; Walk; Walk = Walk->SuperClass)
        for (UFunction* Function : Walk->Functions)
            if (Function->GetFName() == FuncName)
                return Function;
    return NULL;
}

UBOOL ParseObject(const TCHAR* Stream, const TCHAR* Match, UClass* Type, UObject*& DestRes, UObject* InParent)
{
    TCHAR Value[256];
    if (!Parse(Stream, Match, Value, ARRAY_COUNT(Value)))
        return 0;
    if (appStricmp(Value, TEXT("None")) == 0)
    {
        DestRes = NULL;
        return 1;
    }
    UObject* Found = UObject::StaticFindObject(Type, InParent, Value);
    if (!Found)
        return 0;
    DestRes = Found;
    return 1;
}

//
// Subsystems and the system settings.
//

void USubsystem::Tick(FLOAT) {}

void USystem::LoadConfig(UBOOL, UClass*, const TCHAR* Filename)
{
    guard(USystem::LoadConfig);
    Paths.Empty();
    Suppress.Empty();
    if (GConfig)
    {
        // The section as a list of "Key=Value" texts, repeated keys in file order.
        const INT Size = 65536;
        TCHAR* Section = static_cast<TCHAR*>(appMalloc(Size * sizeof(TCHAR), TEXT("USystem")));
        TScopeExit FreeSection([&] { appFree(Section); });
        if (GConfig->GetSection(TEXT("Core.System"), Section, Size, Filename))
            for (const TCHAR* Entry = Section; *Entry; Entry += appStrlen(Entry) + 1)
            {
                if (appStrnicmp(Entry, TEXT("Paths="), 6) == 0)
                    Paths.AddItem(FString(Entry + 6));
                else if (appStrnicmp(Entry, TEXT("Suppress="), 9) == 0)
                    Suppress.AddItem(FString(Entry + 9));
            }
    }
    appApplySuppression(Suppress);
    unguard;
}
