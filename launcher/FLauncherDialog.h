// FLauncherDialog.h: the launcher, the first window a player sees: Play, Configure, Data
// Directories, Exit, the version, and links to the two ini files in use and the web page.
#pragma once
#include "Core.h"
#include <windows.h>
#include <commctrl.h>

class FLauncherDialog
{
public:
    HWND SystemIniLink = NULL;
    HWND UserIniLink = NULL;
    HWND WebLink = NULL;
    HMONITOR LaunchMonitor = NULL; // set by Play

    virtual ~FLauncherDialog() {}

    // Shows the launcher (dialog 102) modally; 1 for Play, 0 for Exit or the close box.
    INT_PTR ShowModal(HWND Owner);
    static INT_PTR CALLBACK LauncherDialogProc(HWND Dialog, UINT Msg, WPARAM WParam, LPARAM LParam);
    // Makes Link open the file the game really uses for IniPath, showing the file's name.
    static void SetIniLinkText(HWND Link, const TCHAR* IniPath);
    // The file the game reads for IniPath: the mirror's copy when there is one.
    static FString IniLinkAddress(const TCHAR* IniPath);

private:
    INT_PTR OnInitDialog(HWND Dialog);
    INT_PTR OnCommand(HWND Dialog, WORD Id);
    INT_PTR OnLinkClick(const NMLINK& Click);
    void SetIniLinks();
};

enum { INI_LINK_MARKUP_MAX = 520 };

// The markup of a link to Address that shows Name, in Out. The address is kept whole, as it
// is what opens the file; a name too long for the rest is cut and ends in "...".
void FormatIniLink(TCHAR (&Out)[INI_LINK_MARKUP_MAX], const TCHAR* Address, const TCHAR* Name);
