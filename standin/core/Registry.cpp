// Registry.cpp: the objects that localization files register in their [Public] sections,
// such as the renderers that the configuration offers.
#include "CoreInternal.h"

namespace
{
// The value of Key in an "(Name=...,Class=...)" entry; empty when missing.
FString EntryValue(const TCHAR* Entry, const TCHAR* Key)
{
    TCHAR Value[256];
    return Parse(Entry, Key, Value, ARRAY_COUNT(Value)) ? FString(Value) : FString();
}

// A name the file manager lists for "*.int" that really ends in ".int" (8.3 aliases of
// longer extensions match the pattern too).
bool IsIntFile(const FString& Name)
{
    return Name.Len() > 4 && appStricmp(*Name + Name.Len() - 4, TEXT(".int")) == 0;
}
} // namespace

void UObject::GetRegistryObjects(TArray<FRegistryObjectInfo>& Results, UClass* Class, UClass* MetaClass, UBOOL)
{
    guard(UObject::GetRegistryObjects);
    if (!GFileManager || !GConfig)
        return;
    const INT Size = 65536;
    TCHAR* Section = static_cast<TCHAR*>(appMalloc(Size * sizeof(TCHAR), TEXT("Registry")));
    TScopeExit FreeSection([&] { appFree(Section); });
    TCHAR MetaPath[256] = TEXT("");
    if (MetaClass)
        MetaClass->GetPathName(MetaPath);
    for (const FString& File : GFileManager->FindFiles(TEXT("*.int"), 1, 0))
    {
        if (!IsIntFile(File) || !GConfig->GetSection(TEXT("Public"), Section, Size, *File))
            continue;
        for (const TCHAR* Entry = Section; *Entry; Entry += appStrlen(Entry) + 1)
        {
            if (appStrnicmp(Entry, TEXT("Object="), 7) != 0)
                continue;
            // The keys inside the parentheses, so that the last value does not end in one.
            FString Inside = FString(Entry + 7);
            if (Inside.Len() >= 2 && Inside[0] == '(' && Inside[Inside.Len() - 1] == ')')
                Inside = Inside.Mid(1, Inside.Len() - 2);
            FRegistryObjectInfo Info;
            Info.Object = EntryValue(*Inside, TEXT("Name="));
            Info.Class = EntryValue(*Inside, TEXT("Class="));
            Info.MetaClass = EntryValue(*Inside, TEXT("MetaClass="));
            Info.Description = EntryValue(*Inside, TEXT("Description="));
            if ((!Class || Info.Class == Class->GetName()) && (!MetaClass || Info.MetaClass == MetaPath))
                Results.AddItem(Info);
        }
    }
    unguard;
}
