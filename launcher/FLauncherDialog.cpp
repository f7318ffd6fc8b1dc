// FLauncherDialog.cpp: the launcher dialog. Only Play lets the game start; the other dialogs
// it opens leave their changes in the configuration cache for the launch to read.
#include "FLauncherDialog.h"
#include "DialogObject.h"
#include "FConfigCacheIni.h"
#include "FConfigDialog.h"
#include "FDataDirectoriesDialog.h"
#include "FFileManagerWindows.h"
#include "LaunchMonitor.h"
#include "ProgramVersion.h"
#include "Resource.h"
#include <commctrl.h>
#include <shellapi.h>
#include <shlwapi.h>

void FormatIniLink(TCHAR (&Out)[INI_LINK_MARKUP_MAX], const TCHAR* Address, const TCHAR* Name)
{
    const INT Markup = 15, CutLength = 3; // <a href=""></a> and "..."
    INT Room = INI_LINK_MARKUP_MAX - 1 - Markup - appStrlen(Address);
    if (Room <= CutLength)
    {
        // A cut address would open some other file, or none: show the name only.
        appStrcpy(Out, Name);
        return;
    }
    TCHAR Shown[INI_LINK_MARKUP_MAX];
    appStrcpy(Shown, Name);
    if (appStrlen(Name) > Room)
        appStrncpy(Shown + Room - CutLength, TEXT("..."), CutLength + 1);
    appSprintf(Out, TEXT("<a href=\"%s\">%s</a>"), Address, Shown);
}

FString FLauncherDialog::IniLinkAddress(const TCHAR* IniPath)
{
    TCHAR Translated[FILE_PATH_MAX];
    if (static_cast<FFileManagerWindows*>(GFileManager)->TranslatePath(Translated, IniPath, 'r'))
        return Translated;
    // No copy in the mirror: the manager names the mirror's place all the same, where there
    // is nothing to open yet. The file itself is what the game reads.
    TCHAR Full[FILE_PATH_MAX];
    DWORD Length = GetFullPathNameW(IniPath, FILE_PATH_MAX, Full, NULL);
    return Length && Length < FILE_PATH_MAX ? Full : Translated;
}

void FLauncherDialog::SetIniLinkText(HWND Link, const TCHAR* IniPath)
{
    FString Address = IniLinkAddress(IniPath);
    TCHAR Markup[INI_LINK_MARKUP_MAX];
    FormatIniLink(Markup, *Address, PathFindFileNameW(IniPath));
    SetWindowTextW(Link, Markup);
    LITEM Item = {};
    Item.mask = LIF_ITEMINDEX | LIF_URL;
    if (Markup[0] != '<' || SendMessageW(Link, LM_GETITEM, 0, reinterpret_cast<LPARAM>(&Item)))
        return;
    // Wine's link control takes no attributes from text set after the dialog gave it its
    // font, and would show the markup as it is. A bare link, given its address afterwards,
    // reads and opens the same.
    FString Plain = FString(TEXT("<a>")) + (Markup + 9 + Address.Len() + 2);
    SetWindowTextW(Link, *Plain);
    appStrncpy(Item.szUrl, *Address, ARRAY_COUNT(Item.szUrl));
    SendMessageW(Link, LM_SETITEM, 0, reinterpret_cast<LPARAM>(&Item));
}

void FLauncherDialog::SetIniLinks()
{
    // Copies: translating a path may log, which can move the cache's strings.
    const FConfigCacheIni& Config = *static_cast<FConfigCacheIni*>(GConfig);
    FString SystemIni = Config.GetSystemIni(), UserIni = Config.GetUserIni();
    SetIniLinkText(SystemIniLink, *SystemIni);
    SetIniLinkText(UserIniLink, *UserIni);
}

INT_PTR FLauncherDialog::ShowModal(HWND Owner)
{
    return DialogBoxParamW(GetModuleHandleW(NULL), MAKEINTRESOURCEW(IDD_LAUNCHER), Owner, LauncherDialogProc,
                           reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK FLauncherDialog::LauncherDialogProc(HWND Dialog, UINT Msg, WPARAM WParam, LPARAM LParam)
{
    FLauncherDialog* Self = DialogObject<FLauncherDialog>(Dialog, Msg, LParam);
    if (!Self)
        return FALSE; // messages that arrive before WM_INITDIALOG
    switch (Msg)
    {
    case WM_INITDIALOG:
        return Self->OnInitDialog(Dialog);
    case WM_COMMAND:
        return HIWORD(WParam) == 0 ? Self->OnCommand(Dialog, LOWORD(WParam)) : FALSE;
    case WM_NOTIFY:
    {
        const NMHDR& Header = *reinterpret_cast<const NMHDR*>(LParam);
        bool FromLink = Header.hwndFrom == Self->WebLink || Header.hwndFrom == Self->SystemIniLink ||
                        Header.hwndFrom == Self->UserIniLink;
        return FromLink && Header.code == NM_CLICK ? Self->OnLinkClick(*reinterpret_cast<const NMLINK*>(LParam))
                                                   : FALSE;
    }
    case WM_CLOSE:
        EndDialog(Dialog, 0);
        return TRUE;
    }
    return FALSE;
}

INT_PTR FLauncherDialog::OnInitDialog(HWND Dialog)
{
    HINSTANCE Instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(Dialog, GWLP_HINSTANCE));
    SendMessageW(Dialog, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(LoadIconW(Instance, MAKEINTRESOURCEW(IDI_CORVANE))));
    WebLink = GetDlgItem(Dialog, IDC_LAUNCHER_WEB);
    TCHAR Version[25];
    appSprintf(Version, TEXT("Version %s"), GetProgramVersion());
    SetDlgItemTextW(Dialog, IDC_LAUNCHER_VERSION, Version);
    SystemIniLink = GetDlgItem(Dialog, IDC_LAUNCHER_SYSTEMINI);
    UserIniLink = GetDlgItem(Dialog, IDC_LAUNCHER_USERINI);
    SetIniLinks();
    return TRUE;
}

INT_PTR FLauncherDialog::OnCommand(HWND Dialog, WORD Id)
{
    switch (Id)
    {
    case IDC_LAUNCHER_PLAY:
        LaunchMonitor = FindLaunchMonitor(Dialog);
        EndDialog(Dialog, 1);
        return TRUE;
    case IDC_LAUNCHER_CONFIGURE:
    {
        FConfigDialog* Config = new FConfigDialog;
        Config->ShowModal(Dialog);
        delete Config;
        return TRUE;
    }
    case IDC_LAUNCHER_DATADIRS:
        ShowDataDirectoriesDialog(Dialog);
        return TRUE;
    case IDC_LAUNCHER_EXIT:
        EndDialog(Dialog, 0);
        return TRUE;
    }
    return FALSE; // Escape among them: the launcher stays until a choice is made
}

INT_PTR FLauncherDialog::OnLinkClick(const NMLINK& Click)
{
    // The file opened must hold what the player changed so far. Saving may have made the
    // mirror's first copy of an ini file: the links then point at it.
    GConfig->Flush(0);
    FString Address = Click.item.szUrl;
    if (Click.hdr.hwndFrom != WebLink)
    {
        SetIniLinks();
        LITEM Item = {};
        Item.mask = LIF_ITEMINDEX | LIF_URL;
        if (SendMessageW(Click.hdr.hwndFrom, LM_GETITEM, 0, reinterpret_cast<LPARAM>(&Item)))
            Address = Item.szUrl;
    }
    ShellExecuteW(NULL, L"open", *Address, NULL, NULL, SW_SHOWNORMAL);
    return TRUE;
}
