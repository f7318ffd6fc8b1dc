// FCommandHook.cpp: console commands the program answers itself.
#include "FCommandHook.h"
#include "NearestActor.h"

FCommandHook::FCommandHook() : PreferencesWindow(NULL) {}

FCommandHook::~FCommandHook()
{
    if (PreferencesWindow)
        PreferencesWindow->SetNotifyHook(NULL);
}

UBOOL FCommandHook::Exec(const TCHAR* Cmd, FOutputDevice& Ar)
{
    const TCHAR* Str = Cmd;
    if (ParseCommand(&Str, TEXT("ShowLog")))
    {
        if (GLogWindow)
        {
            GLogWindow->Show(1);
            SetFocus(GLogWindow->hWnd);
            GLogWindow->Display.ScrollCaret();
        }
        return 1;
    }
    if (ParseCommand(&Str, TEXT("TakeFocus")))
    {
        UViewport* Viewport = FindFirstViewport();
        if (HWND Window = Viewport ? static_cast<HWND>(Viewport->GetWindow()) : NULL)
            SetForegroundWindow(Window);
        return 1;
    }
    if (ParseCommand(&Str, TEXT("EditActor")))
        return EditActor(Str, Ar);
    if (ParseCommand(&Str, TEXT("HideLog")))
    {
        if (GLogWindow)
            GLogWindow->Show(0);
        return 1;
    }
    if (!GIsClient && ParseCommand(&Str, TEXT("Preferences")))
    {
        ShowPreferences();
        return 1;
    }
    return 0;
}

UBOOL FCommandHook::EditActor(const TCHAR* Str, FOutputDevice& Ar)
{
    UClass* Class = NULL;
    if (!FindEngine() || !ParseObject<UClass>(Str, TEXT("Class="), Class, ANY_PACKAGE))
    {
        Ar.Log(TEXT("Missing class"));
        return 1;
    }
    AActor* Actor = FindNearestActor(Class);
    if (!Actor)
    {
        Ar.Log(TEXT("Actor not found"));
        return 1;
    }
    UViewport* Viewport = FindFirstViewport();
    WObjectProperties* Properties = new WObjectProperties(FName(TEXT("EditActor")), 0, TEXT(""), NULL, 1);
    Properties->OpenWindow(Viewport ? static_cast<HWND>(Viewport->GetWindow()) : NULL);
    if (!Properties->hWnd)
    {
        // Only an open window belongs to the window library.
        delete Properties;
        return 1;
    }
    Properties->Root.SetObjects(reinterpret_cast<UObject**>(&Actor), 1);
    Properties->Show(1);
    return 1;
}

void FCommandHook::ShowPreferences()
{
    if (!PreferencesWindow)
    {
        // A copy: the localized text lives in a buffer that later lookups reuse.
        const FString Title(LocalizeGeneral(TEXT("AdvancedOptionsTitle"), TEXT("Window")));
        WConfigProperties* Window = new WConfigProperties(FName(TEXT("Preferences")), *Title);
        Window->SetNotifyHook(this);
        Window->OpenWindow(GLogWindow ? GLogWindow->hWnd : NULL);
        if (!Window->hWnd)
        {
            delete Window;
            return;
        }
        PreferencesWindow = Window;
        PreferencesWindow->ForceRefresh();
    }
    PreferencesWindow->Show(1);
    SetFocus(PreferencesWindow->hWnd);
}

void FCommandHook::NotifyDestroy(void* Src)
{
    if (PreferencesWindow && Src == static_cast<WWindow*>(PreferencesWindow))
        PreferencesWindow = NULL;
}
