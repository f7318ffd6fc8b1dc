// FGUIScalingFix.h: native 1050, which sizes the game GUI's root window to the canvas. The
// engine picks how many pixels a GUI unit covers by itself; this one lets the engine size
// the root window and then forces the player's chosen whole-number scale.
#pragma once
#include "FHook.h"

class XRootWindow;
class UCanvas;

class FGUIScalingFix : public FNativeHook<1050>
{
public:
    explicit FGUIScalingFix(INT InScale);

    // Sizes Root to Canvas at Scale pixels per GUI unit, unless it is so already for a
    // canvas of this size. Without a canvas or a root window there is nothing to size.
    void ApplyScale(XRootWindow* Root, UCanvas* Canvas);

    INT Scale;     // pixels per GUI unit, never 0 (negative only by a hand-edited ini)
    INT LastSizeX; // canvas size the scale was last applied for; 0 at first
    INT LastSizeY;
};

// Installs the fix when the integer Section.GUIScalingFix of the system ini is not 0.
void CreateGUIScalingFix(const TCHAR* Section);
