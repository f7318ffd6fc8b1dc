// Localize.cpp: texts from the localization files, read through the configuration cache.
#include "CoreInternal.h"

// The entry from Package.Ext, or NULL.
static const TCHAR* FindLocalized(const TCHAR* Section, const TCHAR* Key, const TCHAR* Package, const TCHAR* Ext)
{
    if (!GConfig)
        return NULL;
    TCHAR Filename[256];
    if (appSprintf(Filename, TEXT("%s.%s"), Package, Ext) < 0)
        return NULL;
    INT Size;
    TCHAR* Result = appNextStaticBuffer(Size);
    return GConfig->GetString(Section, Key, Result, Size, Filename) ? Result : NULL;
}

const TCHAR* Localize(const TCHAR* Section, const TCHAR* Key, const TCHAR* Package, const TCHAR* LangExt, UBOOL Optional)
{
    guard(Localize);
    if (!Package)
        Package = appPackage();
    const TCHAR* Ext = LangExt ? LangExt : UObject::GetLanguage();
    const TCHAR* Found = FindLocalized(Section, Key, Package, Ext);
    if (!Found && appStricmp(Ext, TEXT("int")) != 0)
        Found = FindLocalized(Section, Key, Package, TEXT("int"));
    if (Found)
        return Found;
    if (Optional)
        return TEXT("");
    INT Size;
    TCHAR* Placeholder = appNextStaticBuffer(Size);
    appSnprintf(Placeholder, Size, TEXT("<?%s?%s.%s.%s?>"), Ext, Package, Section, Key);
    return Placeholder;
    unguard;
}

const TCHAR* LocalizeError(const TCHAR* Key, const TCHAR* Package) { return Localize(TEXT("Errors"), Key, Package); }

const TCHAR* LocalizeGeneral(const TCHAR* Key, const TCHAR* Package) { return Localize(TEXT("General"), Key, Package); }
