// FGUIScalingFix.cpp: native 1050 with a fixed GUI scale.
#include "FGUIScalingFix.h"
#include "FHookRegistry.h"
#include "Extension.h"

namespace
{
// The replacement runs as a method of the player the script calls it on.
class AScaledGuiPlayer : public AGuiPlayer
{
public:
    DECLARE_FUNCTION(execResizeRoot);
};

void AScaledGuiPlayer::execResizeRoot(FFrame& Stack, void*)
{
    FGUIScalingFix* Hook = static_cast<FGUIScalingFix*>(GHookRegistry->FindHook(FGUIScalingFix::Number));
    P_GET_OBJECT(UCanvas, Canvas);
    P_FINISH;
    Hook->ApplyScale(RootWindow, Canvas);
}
} // namespace

FGUIScalingFix::FGUIScalingFix(INT InScale)
    : FNativeHook(static_cast<Native>(&AScaledGuiPlayer::execResizeRoot), TEXT("GUI scaling fix")), Scale(InScale),
      LastSizeX(0), LastSizeY(0)
{
}

void CreateGUIScalingFix(const TCHAR* Section)
{
    INT Scale = 0;
    GConfig->GetInt(Section, TEXT("GUIScalingFix"), Scale);
    if (Scale != 0)
        NewHook<FGUIScalingFix>(Scale);
}

void FGUIScalingFix::ApplyScale(XRootWindow* Root, UCanvas* Canvas)
{
    if (!Root || !Canvas)
        return;
    // Called every frame: an unchanged canvas costs these comparisons and nothing else.
    if (Root->HMultiplier == Scale && Root->VMultiplier == Scale && LastSizeX == Canvas->SizeX &&
        LastSizeY == Canvas->SizeY)
        return;
    Root->ResizeRoot(Canvas);
    // Keep the root's size in pixels and change only how many GUI units it spans.
    const FLOAT K = 1.0f / FLOAT(Scale);
    const FLOAT NewWidth = FLOAT(Root->HMultiplier) * K * Root->Width;
    const FLOAT NewHeight = FLOAT(Root->VMultiplier) * K * Root->Height;
    Root->Width = Root->ClipRect.ClipWidth = NewWidth;
    Root->Height = Root->ClipRect.ClipHeight = NewHeight;
    if (Root->GC)
        Root->GC->SetClipRect(Root->ClipRect);
    Root->HMultiplier = Root->VMultiplier = Scale;
    // Showing a window again lays it out for the new size.
    for (XWindow* Child = Root->GetBottomChild(1); Child; Child = Child->GetHigherSibling(1))
    {
        Child->Hide();
        Child->Show();
    }
    LastSizeX = Canvas->SizeX;
    LastSizeY = Canvas->SizeY;
}
