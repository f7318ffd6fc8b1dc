// WProperties.h: property windows: a list of "Name=Value" lines about an object or about
// the configuration. An open property window belongs to the window library: closing it
// destroys it (its notify hook is told), and the library destroys what is left at exit.
#pragma once
#include "WWindow.h"

class WINDOW_API WProperties : public WWindow
{
public:
    FString Title;
    HWND List = NULL; // a list box, one line per entry

    WProperties(FName InPersistentName, const TCHAR* InTitle, WWindow* InOwnerWindow = NULL);
    // Makes the (hidden) window, owned by Parent when given, and lists the entries.
    virtual void OpenWindow(HWND Parent = NULL);
    // Lists the entries anew.
    virtual void ForceRefresh();
    // The lines of the list.
    virtual void GetLines(TArray<FString>& Lines) = 0;

protected:
    LRESULT WndProc(UINT Message, WPARAM WParam, LPARAM LParam) override;
};

class WObjectProperties;

// The objects a property window shows.
class WINDOW_API FObjectsItem
{
public:
    TArray<UObject*> Objects;
    WProperties* Owner = NULL;

    // Shows these objects (the window lists them anew).
    void SetObjects(UObject** InObjects, INT Count);
};

// The properties of objects (those of Root), each under a heading with its full name.
class WINDOW_API WObjectProperties : public WProperties
{
public:
    FObjectsItem Root;
    DWORD Flags;
    UBOOL ShowCategories;

    WObjectProperties(FName InPersistentName, DWORD InFlags, const TCHAR* InTitle, WWindow* InOwnerWindow,
                      UBOOL InShowCategories);
    void GetLines(TArray<FString>& Lines) override;
};

// The engine's configuration: the keys of its sections in the system and user ini.
class WINDOW_API WConfigProperties : public WProperties
{
public:
    WConfigProperties(FName InPersistentName, const TCHAR* InTitle);
    void GetLines(TArray<FString>& Lines) override;
};
