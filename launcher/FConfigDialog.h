// FConfigDialog.h: the configuration dialog: renderer, resolution, colour depth, window form,
// field of view, frame-rate limit, audio, raw mouse input, single CPU and the two fixes.
// It reads every setting when it opens and writes them all into the configuration cache
// at OK; Cancel and the close box write nothing.
#pragma once
#include "Core.h"
#include <windows.h>

struct FDisplayMode
{
    DWORD Width;
    DWORD Height;
};

class FConfigDialog
{
public:
    HWND Window = NULL;
    HWND ScaleCombo = NULL;
    HWND RendererCombo = NULL;
    HWND CommonRadio = NULL;
    HWND ResolutionCombo = NULL;
    HWND CustomRadio = NULL;
    HWND CustomWidthEdit = NULL;
    HWND CustomHeightEdit = NULL;
    HWND CustomFOVEdit = NULL;
    TArray<FString> RendererClasses; // class path of each entry of RendererCombo, in order
    TArray<FDisplayMode> DisplayModes; // each entry of ResolutionCombo holds its index here

    virtual ~FConfigDialog() {}

    // Shows dialog 107 modally; callers use no result.
    void ShowModal(HWND Owner);
    static INT_PTR CALLBACK DialogProc(HWND Dialog, UINT Msg, WPARAM WParam, LPARAM LParam);

    void FillLists();
    void LoadSettings();
    void SaveSettings();
    // With the borderless form the whole resolution group is off; otherwise either the list
    // or the two size fields are on.
    void EnableResolutionControls(UBOOL NotBorderless, UBOOL CommonChosen);

private:
    INT_PTR OnInitDialog(HWND Dialog);
    INT_PTR OnCommand(WORD Id);
    void LoadResolution(UBOOL Borderless, UBOOL StartupFullscreen);
    void LoadFieldOfView(const TCHAR* UserIni);
    void LoadRenderer();
    void SaveResolution();
    void SaveFieldOfView(const TCHAR* UserIni);
    void SaveRenderer();
};

enum EFOVChoice
{
    FOV_Default,
    FOV_Automatic,
    FOV_Custom,
};

// Automatic wins; otherwise the reference value shown as "Default " only when it matches exactly.
EFOVChoice ChooseFOV(UBOOL UseAutoFOV, FLOAT Current, FLOAT Reference);
// The whole part of a field of view, cut toward zero, as an edit field shows it (0 when out of range).
DWORD WholeFOV(FLOAT Value);
