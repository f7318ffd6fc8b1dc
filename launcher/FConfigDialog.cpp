// FConfigDialog.cpp: the configuration dialog. Values move between the controls and the
// configuration cache only at opening and at OK.
#include "FConfigDialog.h"
#include "DialogObject.h"
#include "FConfigCacheIni.h"
#include "RenderDevice.h"
#include "Resource.h"
#include <commctrl.h>
#include <math.h>

namespace
{
const TCHAR* const Corvane = TEXT("Corvane");
const TCHAR* const Client = TEXT("WinDrv.WindowsClient");
const TCHAR* const Audio = TEXT("Galaxy.GalaxyAudioSubsystem");
const TCHAR* const Pawn = TEXT("Engine.PlayerPawn");
const TCHAR* const DefUser = TEXT("DefUser.ini");

UBOOL ReadBool(const TCHAR* Section, const TCHAR* Key, UBOOL Preset)
{
    GConfig->GetBool(Section, Key, Preset);
    return Preset;
}

INT ReadInt(const TCHAR* Section, const TCHAR* Key, INT Preset)
{
    GConfig->GetInt(Section, Key, Preset);
    return Preset;
}

FLOAT ReadFloat(const TCHAR* Section, const TCHAR* Key, FLOAT Preset, const TCHAR* Filename)
{
    GConfig->GetFloat(Section, Key, Preset, Filename);
    return Preset;
}

UBOOL IsChecked(HWND Dialog, INT Id) { return IsDlgButtonChecked(Dialog, Id) == BST_CHECKED; }

void SetChecked(HWND Dialog, INT Id, UBOOL Checked) { CheckDlgButton(Dialog, Id, Checked ? BST_CHECKED : BST_UNCHECKED); }

// Edit fields hold unsigned numbers; anything else reads as 0.
DWORD ReadNumber(HWND Dialog, INT Id) { return GetDlgItemInt(Dialog, Id, NULL, FALSE); }

void ShowNumber(HWND Dialog, INT Id, INT Value) { SetDlgItemInt(Dialog, Id, UINT(Value), FALSE); }

// The user ini's name, copied: a configuration call may move the cache's own.
FString UserIniName() { return static_cast<FConfigCacheIni*>(GConfig)->GetUserIni(); }
} // namespace

EFOVChoice ChooseFOV(UBOOL UseAutoFOV, FLOAT Current, FLOAT Reference)
{
    if (UseAutoFOV)
        return FOV_Automatic;
    return Current == Reference ? FOV_Default : FOV_Custom;
}

DWORD WholeFOV(FLOAT Value)
{
    FLOAT Whole = truncf(Value);
    return Whole > -2147483648.f && Whole < 2147483648.f ? DWORD(INT(Whole)) : 0;
}

void FConfigDialog::ShowModal(HWND Owner)
{
    DialogBoxParamW(GetModuleHandleW(NULL), MAKEINTRESOURCEW(IDD_CONFIG), Owner, DialogProc, reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK FConfigDialog::DialogProc(HWND Dialog, UINT Msg, WPARAM WParam, LPARAM LParam)
{
    FConfigDialog* Self = DialogObject<FConfigDialog>(Dialog, Msg, LParam);
    if (!Self)
        return FALSE; // messages that arrive before WM_INITDIALOG
    switch (Msg)
    {
    case WM_INITDIALOG:
        return Self->OnInitDialog(Dialog);
    case WM_COMMAND:
        return HIWORD(WParam) == 0 ? Self->OnCommand(LOWORD(WParam)) : FALSE;
    case WM_CLOSE:
        EndDialog(Dialog, 0);
        return TRUE;
    }
    return FALSE;
}

INT_PTR FConfigDialog::OnInitDialog(HWND Dialog)
{
    Window = Dialog;
    ScaleCombo = GetDlgItem(Dialog, IDC_CONFIG_GUISCALE);
    RendererCombo = GetDlgItem(Dialog, IDC_CONFIG_RENDERER);
    CommonRadio = GetDlgItem(Dialog, IDC_CONFIG_COMMON);
    ResolutionCombo = GetDlgItem(Dialog, IDC_CONFIG_RESOLUTION);
    CustomRadio = GetDlgItem(Dialog, IDC_CONFIG_CUSTOMSIZE);
    CustomWidthEdit = GetDlgItem(Dialog, IDC_CONFIG_CUSTOMWIDTH);
    CustomHeightEdit = GetDlgItem(Dialog, IDC_CONFIG_CUSTOMHEIGHT);
    CustomFOVEdit = GetDlgItem(Dialog, IDC_CONFIG_CUSTOMFOV);
    HINSTANCE Instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(Dialog, GWLP_HINSTANCE));
    SendMessageW(Dialog, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(LoadIconW(Instance, MAKEINTRESOURCEW(IDI_CORVANE))));
    FillLists();
    LoadSettings();
    return TRUE;
}

INT_PTR FConfigDialog::OnCommand(WORD Id)
{
    switch (Id)
    {
    case IDOK:
        SaveSettings();
        EndDialog(Window, 0);
        return TRUE;
    case IDCANCEL:
        EndDialog(Window, 0);
        return TRUE;
    case IDC_CONFIG_COMMON:
    case IDC_CONFIG_CUSTOMSIZE:
        EnableResolutionControls(!IsChecked(Window, IDC_CONFIG_BORDERLESS), Id == IDC_CONFIG_COMMON);
        return TRUE;
    case IDC_CONFIG_WINDOWED:
    case IDC_CONFIG_FULLSCREEN:
    case IDC_CONFIG_BORDERLESS:
        EnableResolutionControls(Id != IDC_CONFIG_BORDERLESS, IsChecked(Window, IDC_CONFIG_COMMON));
        return TRUE;
    case IDC_CONFIG_FOVDEFAULT:
    case IDC_CONFIG_FOVAUTO:
    case IDC_CONFIG_FOVCUSTOM:
        EnableWindow(CustomFOVEdit, Id == IDC_CONFIG_FOVCUSTOM);
        return TRUE;
    case IDC_CONFIG_GUISCALING:
        EnableWindow(ScaleCombo, IsChecked(Window, IDC_CONFIG_GUISCALING));
        return TRUE;
    }
    return FALSE;
}

void FConfigDialog::EnableResolutionControls(UBOOL NotBorderless, UBOOL CommonChosen)
{
    EnableWindow(CommonRadio, NotBorderless);
    EnableWindow(CustomRadio, NotBorderless);
    EnableWindow(ResolutionCombo, NotBorderless && CommonChosen);
    EnableWindow(CustomWidthEdit, NotBorderless && !CommonChosen);
    EnableWindow(CustomHeightEdit, NotBorderless && !CommonChosen);
}

void FConfigDialog::FillLists()
{
    for (SIZE_T Scale = 1; Scale <= 5; Scale++)
    {
        TCHAR Text[3];
        appSprintf(Text, TEXT("x%Iu"), Scale);
        SendMessageW(ScaleCombo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Text));
    }
    SendMessageW(ScaleCombo, CB_SETCURSEL, 0, 0);

    // The system lists each size once per refresh rate and depth: drop direct repeats only.
    DEVMODEW Mode = {};
    Mode.dmSize = sizeof(Mode);
    FDisplayMode Last = {0, 0};
    for (DWORD Number = 0; EnumDisplaySettingsW(NULL, Number, &Mode); Number++)
    {
        if (Mode.dmBitsPerPel != 32 || (Mode.dmPelsWidth == Last.Width && Mode.dmPelsHeight == Last.Height))
            continue;
        Last = {Mode.dmPelsWidth, Mode.dmPelsHeight};
        DisplayModes.AddItem(Last);
        TCHAR Text[20];
        appSprintf(Text, TEXT("%Iux%Iu"), SIZE_T(Last.Width), SIZE_T(Last.Height));
        LRESULT Entry = SendMessageW(ResolutionCombo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Text));
        SendMessageW(ResolutionCombo, CB_SETITEMDATA, Entry, DisplayModes.Num() - 1);
    }
    SendMessageW(ResolutionCombo, CB_SETCURSEL, 0, 0);

    TArray<FRegistryObjectInfo> Renderers;
    UObject::GetRegistryObjects(Renderers, UClass::StaticClass(), URenderDevice::StaticClass(), 0);
    for (const FRegistryObjectInfo& Renderer : Renderers)
    {
        FString Package, ClassName;
        if (!Renderer.Object.Split(TEXT("."), &Package, &ClassName))
            continue;
        FString Caption = Localize(*ClassName, TEXT("ClassCaption"), *Package);
        // Equal captions would be indistinguishable in the list: the first one wins.
        if (SendMessageW(RendererCombo, CB_FINDSTRINGEXACT, WPARAM(-1), reinterpret_cast<LPARAM>(*Caption)) != CB_ERR)
            continue;
        SendMessageW(RendererCombo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(*Caption));
        RendererClasses.AddItem(Renderer.Object);
    }
}

void FConfigDialog::LoadSettings()
{
    FString UserIni = UserIniName();
    UBOOL Borderless = ReadBool(Corvane, TEXT("BorderlessFullscreenWindow"), 0);
    UBOOL StartupFullscreen = Borderless ? 0 : ReadBool(Client, TEXT("StartupFullscreen"), 0);
    SetChecked(Window, Borderless ? IDC_CONFIG_BORDERLESS : StartupFullscreen ? IDC_CONFIG_FULLSCREEN : IDC_CONFIG_WINDOWED, 1);
    LoadResolution(Borderless, StartupFullscreen);
    SetChecked(Window, ReadInt(Client, TEXT("FullscreenColorBits"), 32) == 16 ? IDC_CONFIG_COLOR16 : IDC_CONFIG_COLOR32, 1);
    LoadFieldOfView(*UserIni);

    INT Scaling = ReadInt(Corvane, TEXT("GUIScalingFix"), 0);
    SetChecked(Window, IDC_CONFIG_GUISCALING, Scaling != 0);
    // Beyond the list nothing is selected. Wine keeps the old selection where Windows clears it.
    if (Scaling > 0 && SendMessageW(ScaleCombo, CB_SETCURSEL, Scaling - 1, 0) == CB_ERR)
        SendMessageW(ScaleCombo, CB_SETCURSEL, WPARAM(-1), 0);
    EnableWindow(ScaleCombo, Scaling > 0);

    SetChecked(Window, IDC_CONFIG_SUBTITLEFIX, ReadBool(Corvane, TEXT("SubtitleFix"), 1));
    LoadRenderer();
    SetChecked(Window, IDC_CONFIG_RAWINPUT, ReadBool(Corvane, TEXT("RawInput"), 1));
    SetChecked(Window, IDC_CONFIG_DIRECTSOUND, ReadBool(Audio, TEXT("UseDirectSound"), 1));
    ShowNumber(Window, IDC_CONFIG_LATENCY, ReadInt(Audio, TEXT("Latency"), 40));
    ShowNumber(Window, IDC_CONFIG_FPSLIMIT, ReadInt(Corvane, TEXT("FPSLimit"), 120));
    SetChecked(Window, IDC_CONFIG_SINGLECPU, ReadBool(Corvane, TEXT("UseSingleCPU"), 0));
}

void FConfigDialog::LoadResolution(UBOOL Borderless, UBOOL StartupFullscreen)
{
    // The borderless form takes the windowed size.
    INT Width = ReadInt(Client, StartupFullscreen ? TEXT("FullscreenViewportX") : TEXT("WindowedViewportX"), 1024);
    INT Height = ReadInt(Client, StartupFullscreen ? TEXT("FullscreenViewportY") : TEXT("WindowedViewportY"), 768);
    TCHAR Text[20];
    appSprintf(Text, TEXT("%ix%i"), Width, Height);
    LRESULT Entry = SendMessageW(ResolutionCombo, CB_FINDSTRINGEXACT, WPARAM(-1), reinterpret_cast<LPARAM>(Text));
    UBOOL Listed = Entry != CB_ERR;
    if (Listed)
        SendMessageW(ResolutionCombo, CB_SETCURSEL, Entry, 0);
    SetChecked(Window, Listed ? IDC_CONFIG_COMMON : IDC_CONFIG_CUSTOMSIZE, 1);
    ShowNumber(Window, IDC_CONFIG_CUSTOMWIDTH, Width);
    ShowNumber(Window, IDC_CONFIG_CUSTOMHEIGHT, Height);
    EnableResolutionControls(!Borderless, Listed);
}

void FConfigDialog::LoadFieldOfView(const TCHAR* UserIni)
{
    FLOAT Reference = ReadFloat(Pawn, TEXT("DesiredFOV"), 75.f, DefUser);
    FLOAT Current = ReadFloat(Pawn, TEXT("DefaultFOV"), Reference, UserIni);
    EFOVChoice Choice = ChooseFOV(ReadBool(Corvane, TEXT("UseAutoFOV"), 1), Current, Reference);
    static const INT Radios[] = {IDC_CONFIG_FOVDEFAULT, IDC_CONFIG_FOVAUTO, IDC_CONFIG_FOVCUSTOM};
    SetChecked(Window, Radios[Choice], 1);
    EnableWindow(CustomFOVEdit, Choice == FOV_Custom);
    ShowNumber(Window, IDC_CONFIG_CUSTOMFOV, INT(WholeFOV(Current)));
}

void FConfigDialog::LoadRenderer()
{
    FString Renderer = GConfig->GetStr(TEXT("Engine.Engine"), TEXT("GameRenderDevice"));
    if (!Renderer.Len())
        Renderer = TEXT("SoftDrv.SoftwareRenderDevice");
    // The class path must match as registered, letter case included.
    for (INT i = 0; i < RendererClasses.Num(); i++)
        if (appStrcmp(*RendererClasses(i), *Renderer) == 0)
        {
            SendMessageW(RendererCombo, CB_SETCURSEL, i, 0);
            break;
        }
    SetChecked(Window, IDC_CONFIG_DETAILTEXTURES, ReadBool(*Renderer, TEXT("DetailTextures"), 1));
}

void FConfigDialog::SaveSettings()
{
    FString UserIni = UserIniName();
    LRESULT Scale = SendMessageW(ScaleCombo, CB_GETCURSEL, 0, 0);
    GConfig->SetInt(Corvane, TEXT("GUIScalingFix"), IsChecked(Window, IDC_CONFIG_GUISCALING) && Scale != CB_ERR ? INT(Scale) + 1 : 0);
    GConfig->SetBool(Corvane, TEXT("SubtitleFix"), IsChecked(Window, IDC_CONFIG_SUBTITLEFIX));
    GConfig->SetInt(Client, TEXT("FullscreenColorBits"), IsChecked(Window, IDC_CONFIG_COLOR16) ? 16 : 32);
    SaveResolution();
    SaveFieldOfView(*UserIni);
    GConfig->SetBool(Corvane, TEXT("RawInput"), IsChecked(Window, IDC_CONFIG_RAWINPUT));
    GConfig->SetBool(Audio, TEXT("UseDirectSound"), IsChecked(Window, IDC_CONFIG_DIRECTSOUND));
    GConfig->SetInt(Audio, TEXT("Latency"), INT(ReadNumber(Window, IDC_CONFIG_LATENCY)));
    GConfig->SetBool(Corvane, TEXT("BorderlessFullscreenWindow"), IsChecked(Window, IDC_CONFIG_BORDERLESS));
    GConfig->SetBool(Client, TEXT("StartupFullSCreen"), IsChecked(Window, IDC_CONFIG_FULLSCREEN));
    GConfig->SetInt(Corvane, TEXT("FPSLimit"), INT(ReadNumber(Window, IDC_CONFIG_FPSLIMIT)));
    GConfig->SetBool(Corvane, TEXT("UseSingleCPU"), IsChecked(Window, IDC_CONFIG_SINGLECPU));
    SaveRenderer();
}

void FConfigDialog::SaveResolution()
{
    FDisplayMode Size;
    if (IsChecked(Window, IDC_CONFIG_COMMON))
    {
        // Only a listed mode is a size: typed text or an empty list leaves the size alone.
        LRESULT Entry = SendMessageW(ResolutionCombo, CB_GETCURSEL, 0, 0);
        if (Entry == CB_ERR)
            return;
        Size = DisplayModes(INT(SendMessageW(ResolutionCombo, CB_GETITEMDATA, Entry, 0)));
    }
    else
        Size = {ReadNumber(Window, IDC_CONFIG_CUSTOMWIDTH), ReadNumber(Window, IDC_CONFIG_CUSTOMHEIGHT)};
    // Fullscreen and windowed sizes are always made equal.
    GConfig->SetInt(Client, TEXT("FullscreenViewportX"), INT(Size.Width));
    GConfig->SetInt(Client, TEXT("WindowedViewportX"), INT(Size.Width));
    GConfig->SetInt(Client, TEXT("FullscreenViewportY"), INT(Size.Height));
    GConfig->SetInt(Client, TEXT("WindowedViewportY"), INT(Size.Height));
}

void FConfigDialog::SaveFieldOfView(const TCHAR* UserIni)
{
    if (IsChecked(Window, IDC_CONFIG_FOVAUTO))
    {
        GConfig->SetBool(Corvane, TEXT("UseAutoFOV"), 1);
        return;
    }
    FLOAT Value = IsChecked(Window, IDC_CONFIG_FOVDEFAULT) ? ReadFloat(Pawn, TEXT("DesiredFOV"), 75.f, DefUser)
                                                           : FLOAT(ReadNumber(Window, IDC_CONFIG_CUSTOMFOV));
    GConfig->SetBool(Corvane, TEXT("UseAutoFOV"), 0);
    GConfig->SetFloat(Pawn, TEXT("DesiredFOV"), Value, UserIni);
    GConfig->SetFloat(Pawn, TEXT("DefaultFOV"), Value, UserIni);
}

void FConfigDialog::SaveRenderer()
{
    // Without a listed renderer there is no class path to write, nor a section for its option.
    LRESULT Entry = SendMessageW(RendererCombo, CB_GETCURSEL, 0, 0);
    if (Entry == CB_ERR || Entry >= RendererClasses.Num())
        return;
    FString Renderer = RendererClasses(INT(Entry));
    GConfig->SetString(TEXT("Engine.Engine"), TEXT("GameRenderDevice"), *Renderer);
    GConfig->SetBool(*Renderer, TEXT("DetailTextures"), IsChecked(Window, IDC_CONFIG_DETAILTEXTURES));
}
