// WProperties.cpp: property windows listing an object's properties or the configuration.
#include "WindowInternal.h"

namespace
{
// The configuration that the preferences window lists: sections of the system ini, and of
// the user ini (file "User.ini").
const struct
{
    const TCHAR* Section;
    const TCHAR* File;
} ConfigSections[] = {
    {TEXT("Engine.Engine"), NULL},
    {TEXT("Engine.GameEngine"), NULL},
    {TEXT("WinDrv.WindowsClient"), NULL},
    {TEXT("Galaxy.GalaxyAudioSubsystem"), NULL},
    {TEXT("Core.System"), NULL},
    {TEXT("Engine.PlayerPawn"), TEXT("User.ini")},
};
} // namespace

WProperties::WProperties(FName InPersistentName, const TCHAR* InTitle, WWindow* InOwnerWindow)
    : WWindow(InPersistentName, InOwnerWindow), Title(InTitle)
{
}

void WProperties::OpenWindow(HWND Parent)
{
    guard(WProperties::OpenWindow);
    if (hWnd)
        return;
    PerformCreateWindowEx(WS_EX_TOOLWINDOW, *Title, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, 360, 420, Parent);
    if (!hWnd)
        return;
    OwnByLibrary();
    List = CreateWindowExW(WS_EX_CLIENTEDGE, TEXT("LISTBOX"), NULL, WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOINTEGRALHEIGHT,
                           0, 0, 16, 16, hWnd, NULL, appWindowModule(), NULL);
    RECT Area;
    GetClientRect(hWnd, &Area);
    MoveWindow(List, 0, 0, Area.right, Area.bottom, FALSE);
    ForceRefresh();
    unguard;
}

void WProperties::ForceRefresh()
{
    guard(WProperties::ForceRefresh);
    if (!List)
        return;
    TArray<FString> Lines;
    GetLines(Lines);
    SendMessageW(List, WM_SETREDRAW, FALSE, 0);
    SendMessageW(List, LB_RESETCONTENT, 0, 0);
    for (const FString& Line : Lines)
        SendMessageW(List, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(*Line));
    SendMessageW(List, WM_SETREDRAW, TRUE, 0);
    unguard;
}

LRESULT WProperties::WndProc(UINT Message, WPARAM WParam, LPARAM LParam)
{
    if (Message == WM_SIZE && List)
        MoveWindow(List, 0, 0, LOWORD(LParam), HIWORD(LParam), TRUE);
    return CallDefaultProc(Message, WParam, LParam);
}

void FObjectsItem::SetObjects(UObject** InObjects, INT Count)
{
    Objects.Empty();
    for (INT i = 0; i < Count; i++)
        Objects.AddItem(InObjects[i]);
    if (Owner)
        Owner->ForceRefresh();
}

WObjectProperties::WObjectProperties(FName InPersistentName, DWORD InFlags, const TCHAR* InTitle, WWindow* InOwnerWindow,
                                     UBOOL InShowCategories)
    : WProperties(InPersistentName, InTitle, InOwnerWindow), Flags(InFlags), ShowCategories(InShowCategories)
{
    Root.Owner = this;
}

void WObjectProperties::GetLines(TArray<FString>& Lines)
{
    for (UObject* Object : Root.Objects)
    {
        // An object destroyed since it was given leaves its slot: show nothing of it.
        INT Index;
        if (!GObjObjects.FindItem(Object, Index))
            continue;
        if (ShowCategories)
            Lines.AddItem(FString::Printf(TEXT("[%s]"), Object->GetFullName()));
        TArray<FString> Texts;
        Object->GetPropertyTexts(Texts);
        for (const FString& Text : Texts)
            Lines.AddItem(ShowCategories ? FString(TEXT("  ")) + Text : Text);
    }
}

WConfigProperties::WConfigProperties(FName InPersistentName, const TCHAR* InTitle)
    : WProperties(InPersistentName, InTitle, NULL)
{
}

void WConfigProperties::GetLines(TArray<FString>& Lines)
{
    if (!GConfig)
        return;
    const INT Size = 32768;
    TArray<TCHAR> Buffer(Size);
    for (const auto& Config : ConfigSections)
    {
        if (!GConfig->GetSection(Config.Section, Buffer.GetTypedData(), Size, Config.File))
            continue;
        Lines.AddItem(FString::Printf(TEXT("[%s]"), Config.Section));
        for (const TCHAR* Entry = Buffer.GetTypedData(); *Entry; Entry += appStrlen(Entry) + 1)
            Lines.AddItem(FString(TEXT("  ")) + Entry);
    }
}
