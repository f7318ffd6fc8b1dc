// XWindow.h: the game GUI: a tree of windows under one root window, measured in GUI units.
// The root window maps one GUI unit to HMultiplier by VMultiplier pixels.
//
// Natives: 1410 (called on a window: creates a child of the class the script names; an
// optional creation flag, default 1, shows it), 3093 (the free space for saved games, in
// KiB). The engine's own 3093 asks the system about the installation's own save folder
// ("..\Save" from the System folder) and reports 0 when that folder does not exist.
#pragma once
#include "ExtensionApi.h"

class XRootWindow;

// A rectangle in GUI units: where drawing may go.
struct XClipRect
{
    FLOAT OriginX = 0.f, OriginY = 0.f;
    FLOAT ClipX = 0.f, ClipY = 0.f;
    FLOAT ClipWidth = 0.f, ClipHeight = 0.f;
};

// A graphics context: the clip rectangle that drawing keeps to.
class EXTENSION_API XGC : public UObject
{
    DECLARE_CLASS(XGC, UObject)
public:
    XClipRect ClipRect;
    INT ClipRectChanges = 0;

    void SetClipRect(const XClipRect& NewClipRect);
};

class EXTENSION_API XWindow : public UObject
{
    DECLARE_CLASS(XWindow, UObject)
public:
    XWindow* Parent = NULL;
    XWindow* BottomChild = NULL;   // children from bottom to top
    XWindow* TopChild = NULL;
    XWindow* LowerSibling = NULL;
    XWindow* HigherSibling = NULL;
    XRootWindow* Root = NULL;
    FLOAT X = 0.f, Y = 0.f, Width = 0.f, Height = 0.f; // GUI units, X and Y in the parent
    XClipRect ClipRect;
    XGC* GC = NULL;
    UBOOL bIsVisible = 0;
    INT Layouts = 0;               // how often the window has laid itself out

    // A new window of NewClass (an XWindow class) as the top child of NewParent, shown
    // when bShow is not 0; NULL when the class is none or not a window class.
    static XWindow* CreateNewWindow(UClass* NewClass, XWindow* NewParent, UBOOL bShow = 1);
    // The lowest child, and the next higher sibling; with bVisibleOnly hidden ones are skipped.
    XWindow* GetBottomChild(UBOOL bVisibleOnly = 1);
    XWindow* GetHigherSibling(UBOOL bVisibleOnly = 1);
    void Hide() { Show(0); }
    // Showing a window lays it out anew for its parent's size.
    void Show(UBOOL bShow = 1);
    // Takes the window and its children out of the tree and destroys them.
    void Destroy();
    // Places the window in its parent; a plain window is a panel of at most 200 by 60 units
    // in the parent's top right corner.
    virtual void Layout();
    virtual UBOOL IsModal() const { return 0; }
    // Draws the window and its visible children; Scale is pixels per GUI unit.
    virtual void Draw(UCanvas* Canvas, INT ScaleX, INT ScaleY, FLOAT OffsetX, FLOAT OffsetY);
    void GetPropertyTexts(TArray<FString>& Out) override;
    ~XWindow() override;

    DECLARE_FUNCTION(execCreateWindow);    // native 1410
    DECLARE_FUNCTION(execGetFreeSaveSpace); // native 3093
};

// A window that takes the mouse. The GUI shows its cursor while a modal window whose class
// default says "ShowCursor=True" is up.
class EXTENSION_API XModalWindow : public XWindow
{
    DECLARE_CLASS(XModalWindow, XWindow)
public:
    UBOOL IsModal() const override { return 1; }
    // Covers the parent, or (with the class default "Placement=Subtitles") lies along its
    // bottom edge, as wide as the class default "MaxWidth" allows (GUI units, 0: no limit).
    void Layout() override;
};

class EXTENSION_API XRootWindow : public XWindow
{
    DECLARE_CLASS(XRootWindow, XWindow)
public:
    INT HMultiplier = 1, VMultiplier = 1; // pixels per GUI unit
    UBOOL bCursorActive = 0;              // the GUI shows its cursor (see XModalWindow)
    FLOAT MouseX = 0.f, MouseY = 0.f;     // the GUI cursor, GUI units

    // Sizes the root window to the canvas by the engine's rule: both multipliers are the
    // largest whole number of times 640x480 fits the canvas (at least 1); width and height
    // (and the clip rectangle, through the graphics context) are the canvas size divided by
    // them. The children are laid out anew when the size changed.
    void ResizeRoot(UCanvas* Canvas);
    // The GUI cursor in pixels of the viewport's client area.
    void GetRootCursorPos(FLOAT* OutX, FLOAT* OutY);
    // Recomputes bCursorActive from the visible children.
    void UpdateCursor();
    void Layout() override {}
};
