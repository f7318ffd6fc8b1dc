// XWindow.cpp: the game GUI's window tree, its layout and drawing, the root window's
// multipliers, and the natives the game's scripts call on windows (1410, 3093).
#include "Extension.h"

IMPLEMENT_CLASS(XGC, Extension, GC, 0)
IMPLEMENT_CLASS(XWindow, Extension, Window, 0)
IMPLEMENT_CLASS(XModalWindow, Extension, ModalWindow, 0)
IMPLEMENT_CLASS(XRootWindow, Extension, RootWindow, 0)
IMPLEMENT_FUNCTION(XWindow, 1410, execCreateWindow)
IMPLEMENT_FUNCTION(XWindow, 3093, execGetFreeSaveSpace)

namespace
{
// The size of a window's parent; a window without one lies in nothing.
void ParentSize(const XWindow* Window, FLOAT& Width, FLOAT& Height)
{
    Width = Window->Parent ? Window->Parent->Width : 0.f;
    Height = Window->Parent ? Window->Parent->Height : 0.f;
}

void LayoutVisibleChildren(XWindow* Window)
{
    for (XWindow* Child = Window->GetBottomChild(1); Child; Child = Child->GetHigherSibling(1))
        Child->Show(1);
}
} // namespace

void XGC::SetClipRect(const XClipRect& NewClipRect)
{
    ClipRect = NewClipRect;
    ClipRectChanges++;
}

XWindow* XWindow::CreateNewWindow(UClass* NewClass, XWindow* NewParent, UBOOL bShow)
{
    guard(XWindow::CreateNewWindow);
    if (!NewClass || !NewClass->IsChildOf(XWindow::StaticClass()) || NewClass->IsChildOf(XRootWindow::StaticClass()))
        return NULL;
    XWindow* Window = static_cast<XWindow*>(StaticConstructObject(NewClass, NewParent));
    if (!Window)
        return NULL;
    Window->GC = ConstructObject<XGC>(XGC::StaticClass(), Window);
    if (NewParent)
    {
        Window->Parent = NewParent;
        Window->Root = NewParent->Root;
        Window->LowerSibling = NewParent->TopChild;
        if (NewParent->TopChild)
            NewParent->TopChild->HigherSibling = Window;
        else
            NewParent->BottomChild = Window;
        NewParent->TopChild = Window;
    }
    if (bShow)
        Window->Show(1);
    return Window;
    unguard;
}

XWindow* XWindow::GetBottomChild(UBOOL bVisibleOnly)
{
    XWindow* Child = BottomChild;
    while (Child && bVisibleOnly && !Child->bIsVisible)
        Child = Child->HigherSibling;
    return Child;
}

XWindow* XWindow::GetHigherSibling(UBOOL bVisibleOnly)
{
    XWindow* Sibling = HigherSibling;
    while (Sibling && bVisibleOnly && !Sibling->bIsVisible)
        Sibling = Sibling->HigherSibling;
    return Sibling;
}

void XWindow::Show(UBOOL bShow)
{
    guard(XWindow::Show);
    bIsVisible = bShow ? 1 : 0;
    if (bShow)
    {
        Layout();
        Layouts++;
        ClipRect.OriginX = X;
        ClipRect.OriginY = Y;
        ClipRect.ClipX = ClipRect.ClipY = 0.f;
        ClipRect.ClipWidth = Width;
        ClipRect.ClipHeight = Height;
        if (GC)
            GC->SetClipRect(ClipRect);
        LayoutVisibleChildren(this);
    }
    if (Root && Root != this)
        Root->UpdateCursor();
    unguard;
}

void XWindow::Destroy()
{
    guard(XWindow::Destroy);
    while (BottomChild)
        BottomChild->Destroy();
    if (GC)
        delete GC;
    delete this;
    unguard;
}

XWindow::~XWindow()
{
    // At shut-down the other windows may be gone already; the tree goes as a whole then.
    if (GExitPurge)
        return;
    if (LowerSibling)
        LowerSibling->HigherSibling = HigherSibling;
    else if (Parent)
        Parent->BottomChild = HigherSibling;
    if (HigherSibling)
        HigherSibling->LowerSibling = LowerSibling;
    else if (Parent)
        Parent->TopChild = LowerSibling;
    if (Root && Root != this)
        Root->UpdateCursor();
}

void XWindow::Layout()
{
    // A plain window is a panel in the parent's top right corner.
    FLOAT ParentWidth, ParentHeight;
    ParentSize(this, ParentWidth, ParentHeight);
    Width = ParentWidth < 200.f ? ParentWidth : 200.f;
    Height = ParentHeight < 60.f ? ParentHeight : 60.f;
    X = ParentWidth - Width;
    Y = 0.f;
}

void XWindow::Draw(UCanvas* Canvas, INT ScaleX, INT ScaleY, FLOAT OffsetX, FLOAT OffsetY)
{
    FLOAT Left = OffsetX + X, Top = OffsetY + Y;
    if (Parent)
    {
        INT PixelX = INT(Left * ScaleX), PixelY = INT(Top * ScaleY);
        INT PixelWidth = INT(Width * ScaleX), PixelHeight = INT(Height * ScaleY);
        Canvas->FillRect(PixelX, PixelY, PixelWidth, PixelHeight, IsModal() ? RGB(40, 40, 40) : RGB(70, 70, 90));
        Canvas->FrameRect(PixelX, PixelY, PixelWidth, PixelHeight, RGB(200, 200, 200));
        Canvas->DrawText(PixelX + 4, PixelY + 4, GetClass()->GetPathName(), RGB(200, 255, 200));
    }
    for (XWindow* Child = GetBottomChild(1); Child; Child = Child->GetHigherSibling(1))
        Child->Draw(Canvas, ScaleX, ScaleY, Left, Top);
}

void XWindow::GetPropertyTexts(TArray<FString>& Out)
{
    Super::GetPropertyTexts(Out);
    Out.AddItem(FString::Printf(TEXT("Position=(X=%.1f,Y=%.1f)"), X, Y));
    Out.AddItem(FString::Printf(TEXT("Size=(Width=%.1f,Height=%.1f)"), Width, Height));
    Out.AddItem(FString::Printf(TEXT("bIsVisible=%s"), bIsVisible ? TEXT("True") : TEXT("False")));
}

void XWindow::execCreateWindow(FFrame& Stack, void* Result)
{
    P_GET_OBJECT(UClass, NewClass);
    P_GET_INT_OPTX(bShow, 1);
    P_FINISH;
    *static_cast<XWindow**>(Result) = CreateNewWindow(NewClass, this, bShow);
}

// The installation's own save folder; the count is cut to 32 bits and is 0 when the
// folder is missing.
void XWindow::execGetFreeSaveSpace(FFrame& Stack, void* Result)
{
    P_FINISH;
    ULARGE_INTEGER FreeBytes;
    INT KiloBytes = 0;
    if (GetDiskFreeSpaceExW(TEXT("..\\Save"), &FreeBytes, NULL, NULL))
        KiloBytes = INT(DWORD(FreeBytes.QuadPart / 1024));
    *static_cast<INT*>(Result) = KiloBytes;
}

void XModalWindow::Layout()
{
    FLOAT ParentWidth, ParentHeight;
    ParentSize(this, ParentWidth, ParentHeight);
    const TCHAR* Placement = GetClass()->GetDefaultText(TEXT("Placement"));
    if (!Placement || appStricmp(Placement, TEXT("Subtitles")) != 0)
    {
        X = Y = 0.f;
        Width = ParentWidth;
        Height = ParentHeight;
        return;
    }
    const TCHAR* MaxWidth = GetClass()->GetDefaultText(TEXT("MaxWidth"));
    FLOAT Limit = MaxWidth ? appAtof(MaxWidth) : 0.f;
    Width = Limit > 0.f && Limit < ParentWidth ? Limit : ParentWidth;
    Height = ParentHeight < 80.f ? ParentHeight : 80.f;
    X = (ParentWidth - Width) / 2.f;
    Y = ParentHeight - Height;
}

void XRootWindow::ResizeRoot(UCanvas* Canvas)
{
    guard(XRootWindow::ResizeRoot);
    if (!Canvas)
        return;
    INT ByWidth = Canvas->SizeX / 640, ByHeight = Canvas->SizeY / 480;
    INT Multiplier = ByWidth < ByHeight ? ByWidth : ByHeight;
    if (Multiplier < 1)
        Multiplier = 1;
    HMultiplier = VMultiplier = Multiplier;
    FLOAT NewWidth = FLOAT(Canvas->SizeX) / FLOAT(Multiplier);
    FLOAT NewHeight = FLOAT(Canvas->SizeY) / FLOAT(Multiplier);
    bool Changed = NewWidth != Width || NewHeight != Height;
    Width = ClipRect.ClipWidth = NewWidth;
    Height = ClipRect.ClipHeight = NewHeight;
    if (GC)
        GC->SetClipRect(ClipRect);
    if (Changed)
        LayoutVisibleChildren(this);
    unguard;
}

void XRootWindow::GetRootCursorPos(FLOAT* OutX, FLOAT* OutY)
{
    *OutX = MouseX * HMultiplier;
    *OutY = MouseY * VMultiplier;
}

void XRootWindow::UpdateCursor()
{
    // A modal window whose class says "ShowCursor=True" wants the GUI's cursor.
    bCursorActive = 0;
    for (XWindow* Child = GetBottomChild(1); Child; Child = Child->GetHigherSibling(1))
    {
        const TCHAR* ShowCursor = Child->GetClass()->GetDefaultText(TEXT("ShowCursor"));
        if (Child->IsModal() && ShowCursor && appStricmp(ShowCursor, TEXT("True")) == 0)
            bCursorActive = 1;
    }
}
