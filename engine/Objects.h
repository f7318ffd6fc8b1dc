// Objects.h: the engine's object system: objects in one table, classes with ancestry and a
// native constructor each, packages, and finding, loading and making objects.
#pragma once
#include "CoreTypes.h"
#include "Memory.h"
#include "Strings.h"
#include "Names.h"
#include "Guards.h"

class UObject;
class UClass;
class UFunction;
class UPackage;
class FFrame;
class FOutputDevice;
class FOutputDeviceError;

// Every live object, by index; a destroyed object leaves an empty slot (NULL).
CORE_API extern TArray<UObject*> GObjObjects;

// Flags of StaticLoadClass and LoadPackage.
enum ELoadFlags
{
    LOAD_None   = 0x0000,
    LOAD_NoFail = 0x0001, // a failure is a critical error
    LOAD_NoWarn = 0x0002, // a failure is not logged
};

enum EClassFlags
{
    CLASS_Abstract = 0x0001, // no object of exactly this class can be made
    CLASS_Native   = 0x0002, // declared in C++ (otherwise by a script package)
};

// In searches: an object in any package.
#define ANY_PACKAGE (reinterpret_cast<UPackage*>(-1))

// Builds an object of its class in memory that StaticConstructObject prepared.
typedef void (*FClassConstructor)(void* Memory);

// What a native class says about itself. The core makes the class object when the class is
// first asked for (the allocator does not exist while modules load).
struct CORE_API FNativeClass
{
    FNativeClass(const TCHAR* InPackage, const TCHAR* InName, UClass* (*InSuper)(), FClassConstructor InConstructor,
                 DWORD InSize, DWORD InFlags);

    const TCHAR* Package;
    const TCHAR* Name;
    UClass* (*SuperStaticClass)(); // NULL for UObject itself
    FClassConstructor Constructor;
    DWORD Size;
    DWORD Flags;
    UClass* Class;                 // made on demand, dropped by UObject::StaticExit
    FNativeClass* Next;            // every native class of every module, in one list
};

// Inside a native class: its class object and its native constructor.
#define DECLARE_CLASS(TClass, TSuperClass)            \
public:                                               \
    typedef TSuperClass Super;                        \
    static UClass* StaticClass();                     \
    static void InternalConstructor(void* Memory);    \
    static FNativeClass PrivateStaticClass;

// In the module's source: registers TClass as Package.Name (texts without quotes).
#define IMPLEMENT_CLASS(TClass, Package, Name, Flags)                                                          \
    void TClass::InternalConstructor(void* Memory) { new (Memory) TClass(); }                                 \
    FNativeClass TClass::PrivateStaticClass(TEXT(#Package), TEXT(#Name), &TClass::Super::StaticClass,          \
                                            &TClass::InternalConstructor, sizeof(TClass), (Flags) | CLASS_Native); \
    UClass* TClass::StaticClass() { return UObject::StaticNativeClass(PrivateStaticClass); }

// A script native: a method that reads its parameters from the frame and writes its result.
#define DECLARE_FUNCTION(Func) void Func(FFrame& Stack, void* Result)

// One registration read from the [Public] section of a localization file:
// Object=(Name=Package.Object,Class=Class,MetaClass=Package.Class,Description=...)
struct FRegistryObjectInfo
{
    FString Object;
    FString Class;
    FString MetaClass;
    FString Description;
};

class CORE_API UObject : public FGMallocObject
{
public:
    typedef UObject Super;
    static UClass* StaticClass();
    static void InternalConstructor(void* Memory);
    static FNativeClass PrivateStaticClass;

    // Objects are made by StaticConstructObject, which gives the new object its class,
    // outer and name before the constructors run.
    UObject();
    virtual ~UObject();
    UObject(const UObject&) = delete;
    UObject& operator=(const UObject&) = delete;
    using FGMallocObject::operator new;
    using FGMallocObject::operator delete;
    static void* operator new(size_t, void* Memory) { return Memory; }
    static void operator delete(void*, void*) {}

    INT GetIndex() const { return Index; }
    UClass* GetClass() const { return Class; }
    UObject* GetOuter() const { return Outer; }
    FName GetFName() const { return Name; }
    const TCHAR* GetName() const { return *Name; }
    DWORD GetFlags() const { return ObjectFlags; }
    // "Package.Name" (outers first) and "Class Package.Name", written into Str, or into one
    // of the engine's rotating buffers when Str is NULL. Str holds at least 256 characters.
    const TCHAR* GetPathName(TCHAR* Str = NULL) const;
    const TCHAR* GetFullName(TCHAR* Str = NULL) const;
    UBOOL IsA(UClass* SomeBase) const;
    UBOOL IsIn(UObject* SomeOuter) const;

    // Rereads the object's configuration from GConfig (Filename NULL: the system ini).
    virtual void LoadConfig(UBOOL Propagate = 0, UClass* Class = NULL, const TCHAR* Filename = NULL);
    // Releases what must not outlive a critical error (devices, windows); called once.
    virtual void ShutdownAfterError() {}
    // The object's properties as "Name=Value" texts, for property windows.
    virtual void GetPropertyTexts(TArray<FString>& Out);

    // Script: the function of that name of the object's class or its ancestors, or NULL;
    // running a function with its parameters (8-byte slots, see FScriptSlot) and its result.
    UFunction* FindFunction(FName FuncName) const;
    void ProcessEvent(UFunction* Function, void* Parms, void* Result = NULL);

    // Byte-code natives of every object (see Script.h).
    DECLARE_FUNCTION(execLocalInt);
    DECLARE_FUNCTION(execLocalObject);
    DECLARE_FUNCTION(execNothing);
    DECLARE_FUNCTION(execSelf);
    DECLARE_FUNCTION(execIntConst);
    DECLARE_FUNCTION(execObjectConst);
    DECLARE_FUNCTION(execIntZero);
    DECLARE_FUNCTION(execIntOne);
    DECLARE_FUNCTION(execNoObject);

    // The object of that class (or a subclass) named Name in InOuter (ANY_PACKAGE: any
    // package; a "Package.Name" path names its package itself), or NULL.
    static UObject* StaticFindObject(UClass* ObjectClass, UObject* InOuter, const TCHAR* Name);
    // The class named by Name: "Package.Class", or "ini:Section.Key" for the class named by
    // that key of the system ini (split at the last point: "ini:Engine.Engine.GameEngine").
    // Its package is loaded (from Filename, when given, else from the package's own name)
    // when the class is not there yet. The class must be BaseClass or derive from it.
    // Failures are logged, or critical with LOAD_NoFail; the result is then NULL.
    static UClass* StaticLoadClass(UClass* BaseClass, UObject* InOuter, const TCHAR* Name, const TCHAR* Filename,
                                   DWORD LoadFlags, void* PackageMap);
    // Makes an object of Class in InOuter (NULL: the transient package). A name of
    // NAME_None gets one made from the class name and a number. An abstract class, or a
    // name already taken in the outer, gives NULL and a message on Error.
    static UObject* StaticConstructObject(UClass* Class, UObject* InOuter = NULL, FName Name = NAME_None,
                                          DWORD SetFlags = 0, UObject* Template = NULL, FOutputDevice* Error = NULL);
    // The package of objects that are never saved; made when first asked for.
    static UPackage* GetTransientPackage();
    // The package of that name: its native classes, and the script package file found
    // along the search list (GSys Paths: "..\System\*.u" gives "..\System\<Name>.u").
    // NULL when neither exists.
    static UPackage* LoadPackage(const TCHAR* Name, DWORD LoadFlags = LOAD_None);
    // Registrations of [Public] sections of every .int file in the current folder whose
    // Class is Class's name and whose MetaClass is MetaClass's path (letter case aside),
    // in file order. The files are read at every call, so ForceRefresh changes nothing.
    static void GetRegistryObjects(TArray<FRegistryObjectInfo>& Results, UClass* Class, UClass* MetaClass,
                                   UBOOL ForceRefresh);

    // The extension of the current language's localization files ("int" unless configured).
    static const TCHAR* GetLanguage();
    static void SetLanguage(const TCHAR* LanguageExt);
    // Lets every object release what must not outlive a critical error.
    static void StaticShutdownAfterError();
    // Destroys every object that is left (GSys too), and forgets the class objects of the
    // native classes, which are made anew when next asked for. The core's shut-down calls it.
    static void StaticExit();
    // The class object of a native class, made when first asked for.
    static UClass* StaticNativeClass(FNativeClass& Native);

private:
    INT Index;
    DWORD ObjectFlags;
    UObject* Outer;
    FName Name;
    UClass* Class;
};

// A script argument or result slot: every parameter of a script function takes 8 bytes,
// so that parameter blocks look the same in both builds.
union FScriptSlot
{
    INT Int;
    UObject* Object;
    QWORD Pad;
};

// Script code and its parameters: the body of a function of a class.
class CORE_API UFunction : public UObject
{
    DECLARE_CLASS(UFunction, UObject)
public:
    TArray<BYTE> Script;   // byte code (Script.h), ends with EX_Return and its expression
    INT NumParms = 0;      // parameter slots of 8 bytes each
};

class CORE_API UClass : public UObject
{
    DECLARE_CLASS(UClass, UObject)
public:
    UClass* SuperClass = NULL;
    DWORD ClassFlags = 0;
    // The constructor of the nearest native class: a script class has none of its own.
    FClassConstructor ClassConstructor = NULL;
    DWORD PropertiesSize = 0;      // bytes of an object of the class
    TArray<UFunction*> Functions;  // its own script functions
    TArray<FString> Defaults;      // its own default values, "Key=Value"

    UClass* GetSuperClass() const { return SuperClass; }
    // This class is SomeBase or derives from it.
    UBOOL IsChildOf(const UClass* SomeBase) const;
    // A default value of the class or its nearest ancestor that has one; NULL when none.
    const TCHAR* GetDefaultText(const TCHAR* Key) const;
};

// A package: the outer of the classes and objects it holds.
class CORE_API UPackage : public UObject
{
    DECLARE_CLASS(UPackage, UObject)
public:
    UBOOL Loaded = 0;      // its natives are made and its file, if any, was read
    FString Filename;      // the script package file it was read from, if any
};

// A part of the engine that is ticked once per frame (GWindowManager is one).
class CORE_API USubsystem : public UObject
{
    DECLARE_CLASS(USubsystem, UObject)
public:
    virtual void Tick(FLOAT DeltaTime);
};

// The engine's system settings: the package search list, highest priority first.
class CORE_API USystem : public USubsystem
{
    DECLARE_CLASS(USystem, USubsystem)
public:
    TArray<FString> Paths;
    TArray<FString> Suppress; // event names whose messages are dropped

    // Rereads [Core.System] Paths and Suppress.
    void LoadConfig(UBOOL Propagate = 0, UClass* Class = NULL, const TCHAR* Filename = NULL) override;
};

template<class T> T* Cast(UObject* Object)
{
    return Object && Object->IsA(T::StaticClass()) ? static_cast<T*>(Object) : NULL;
}

// Makes an object of Class, which must be T or derive from it.
template<class T> T* ConstructObject(UClass* Class, UObject* Outer = NULL, FName Name = NAME_None, DWORD SetFlags = 0)
{
    check(Class->IsChildOf(T::StaticClass()));
    return static_cast<T*>(UObject::StaticConstructObject(Class, Outer, Name, SetFlags));
}

// The object named by the value of Match in Stream (such as "Class=Engine.Prop" or
// "Class=Prop"), of class Type or a subclass, in InParent (ANY_PACKAGE: anywhere). "None"
// gives NULL and counts as found. Objects are looked for, never loaded.
CORE_API UBOOL ParseObject(const TCHAR* Stream, const TCHAR* Match, UClass* Type, UObject*& DestRes, UObject* InParent);
template<class T> UBOOL ParseObject(const TCHAR* Stream, const TCHAR* Match, T*& Object, UObject* InParent)
{
    UObject* Found = NULL;
    if (!ParseObject(Stream, Match, T::StaticClass(), Found, InParent))
        return 0;
    Object = static_cast<T*>(Found);
    return 1;
}
