// Objects.h: the engine's object system, as far as the program uses it.
#pragma once
#include "CoreTypes.h"
#include "Memory.h"
#include "Strings.h"

class UClass;
class UObject;

// Every live object, by index; a destroyed object leaves an empty slot.
CORE_API extern TArray<UObject*> GObjObjects;

class CORE_API UObject : public FGMallocObject
{
public:
    UObject();
    virtual ~UObject();
    UObject(const UObject&) = delete;
    UObject& operator=(const UObject&) = delete;

    INT GetIndex() const { return Index; }

    // Rereads the object's configuration from GConfig (Filename NULL: the system ini).
    virtual void LoadConfig(UBOOL Propagate = 0, UClass* Class = NULL, const TCHAR* Filename = NULL);
    // Releases what must not outlive a critical error (devices, windows); called once.
    virtual void ShutdownAfterError() {}

    // The extension of the current language's localization files ("int" unless configured).
    static const TCHAR* GetLanguage();
    static void SetLanguage(const TCHAR* LanguageExt);
    // Lets every object release what must not outlive a critical error.
    static void StaticShutdownAfterError();
    // Destroys every object that is left; the core's shut-down calls it.
    static void StaticExit();

private:
    INT Index;
};

// The engine's system settings: the package search list, highest priority first.
class CORE_API USystem : public UObject
{
public:
    TArray<FString> Paths;
    TArray<FString> Suppress; // event names whose messages are dropped

    // Rereads [Core.System] Paths and Suppress.
    void LoadConfig(UBOOL Propagate = 0, UClass* Class = NULL, const TCHAR* Filename = NULL) override;
};
