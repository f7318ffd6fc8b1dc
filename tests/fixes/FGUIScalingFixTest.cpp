// Tests of native 1050 with the GUI scaling fix, called on a game-GUI player as its script
// calls it every frame.
#include "FixesTestSupport.h"
#include "FGUIScalingFix.h"

TEST_F(FixesTest, TheRootWindowTakesTheChosenScaleWheneverTheCanvasChanges)
{
    AGuiPlayer* Player = ConstructObject<AGuiPlayer>(AGuiPlayer::StaticClass());
    XRootWindow* Root = Player->RootWindow;
    UCanvas* Canvas = ConstructObject<UCanvas>(UCanvas::StaticClass());
    XWindow* Menu = XWindow::CreateNewWindow(XModalWindow::StaticClass(), Root); // covers the root
    XWindow* Hidden = XWindow::CreateNewWindow(XWindow::StaticClass(), Root, 0);
    auto Resize = [&](UCanvas* With) { Call<INT>(Player, FScriptBuilder().CallNative(1050).Object(With)); };

    struct
    {
        INT Scale, SizeX, SizeY;
        FLOAT Width, Height; // GUI units: the canvas divided by the scale
    } Cases[] = {
        {1, 1024, 768, 1024.f, 768.f}, {1, 1920, 1080, 1920.f, 1080.f},
        {3, 1024, 768, 341.33334f, 256.f}, {3, 1920, 1080, 640.f, 360.f},
        {-2, 1024, 768, -512.f, -384.f}, // a hand-edited ini: the same formulas
    };
    INT Scale = 0;
    FHookRegistry* Registry = NULL;
    for (const auto& Case : Cases)
    {
        if (Case.Scale != Scale) // each scale is a new run of the game
        {
            delete Registry;
            SetFixes(NULL, *FString::Printf(TEXT("%i"), Scale = Case.Scale));
            Registry = new FHookRegistry;
        }
        Canvas->SizeX = Case.SizeX;
        Canvas->SizeY = Case.SizeY;
        INT Layouts = Menu->Layouts;
        Resize(Canvas);
        EXPECT_EQ(Case.Scale, Root->HMultiplier) << Case.Scale << " " << Case.SizeX;
        EXPECT_EQ(Case.Scale, Root->VMultiplier);
        EXPECT_FLOAT_EQ(Case.Width, Root->Width) << Case.Scale << " " << Case.SizeX;
        EXPECT_FLOAT_EQ(Case.Height, Root->Height);
        EXPECT_FLOAT_EQ(Case.Width, Root->GC->ClipRect.ClipWidth);
        EXPECT_FLOAT_EQ(Case.Height, Root->GC->ClipRect.ClipHeight);
        EXPECT_FLOAT_EQ(Case.Width, Menu->Width); // laid out again for the new size
        EXPECT_LT(Layouts, Menu->Layouts);
        EXPECT_TRUE(Menu->bIsVisible);
        EXPECT_FALSE(Hidden->bIsVisible);

        // The same canvas again, or none, or no root window: nothing changes, nothing is shown.
        INT ClipChanges = Root->GC->ClipRectChanges;
        Layouts = Menu->Layouts;
        Resize(Canvas);
        Resize(NULL);
        Player->RootWindow = NULL;
        Resize(Canvas);
        Player->RootWindow = Root;
        EXPECT_EQ(ClipChanges, Root->GC->ClipRectChanges);
        EXPECT_EQ(Layouts, Menu->Layouts);
        EXPECT_EQ(0, Hidden->Layouts);
        EXPECT_FLOAT_EQ(Case.Width, Root->Width);
    }
    delete Registry;
}
