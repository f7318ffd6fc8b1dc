// Objects.cpp: the object table, the language setting and the system settings object.
#include "CoreInternal.h"

CORE_API TArray<UObject*> GObjObjects;

namespace
{
TCHAR Language[16] = TEXT("int");
UBOOL ShutDownAfterError = 0;
} // namespace

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
}

UObject::~UObject()
{
    if (GObjObjects.IsValidIndex(Index) && GObjObjects(Index) == this)
        GObjObjects(Index) = NULL;
}

void UObject::LoadConfig(UBOOL, UClass*, const TCHAR*) {}

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
    for (INT i = GObjObjects.Num() - 1; i >= 0; i--)
        if (GObjObjects.IsValidIndex(i) && GObjObjects(i))
            delete GObjObjects(i);
    GObjObjects.Empty();
    ShutDownAfterError = 0;
}

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
        if (GConfig->GetSection(TEXT("Core.System"), Section, Size, Filename))
            for (const TCHAR* Entry = Section; *Entry; Entry += appStrlen(Entry) + 1)
            {
                if (appStrnicmp(Entry, TEXT("Paths="), 6) == 0)
                    Paths.AddItem(FString(Entry + 6));
                else if (appStrnicmp(Entry, TEXT("Suppress="), 9) == 0)
                    Suppress.AddItem(FString(Entry + 9));
            }
        appFree(Section);
    }
    appApplySuppression(Suppress);
    unguard;
}
