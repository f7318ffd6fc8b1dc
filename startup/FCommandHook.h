// FCommandHook.h: the program's own console commands: the log window, focus, actor
// properties and, on a server, the preferences window.
#pragma once
#include "Engine.h"
#include "Window.h"

class FCommandHook : public FExec, public FNotifyHook
{
public:
    FCommandHook();
    // Lets an open preferences window outlive this object without telling it.
    ~FCommandHook();
    FCommandHook(const FCommandHook&) = delete;
    FCommandHook& operator=(const FCommandHook&) = delete;

    // "ShowLog", "TakeFocus", "EditActor Class=...", "HideLog", and "Preferences" on a
    // server; 1 when the command was one of them, 0 to leave it to the engine.
    UBOOL Exec(const TCHAR* Cmd, FOutputDevice& Ar) override;
    // The window library destroyed a window this object hooked.
    void NotifyDestroy(void* Src) override;

    // The one open preferences window; the window library owns it.
    WConfigProperties* PreferencesWindow;

private:
    UBOOL EditActor(const TCHAR* Str, FOutputDevice& Ar);
    void ShowPreferences();
};
