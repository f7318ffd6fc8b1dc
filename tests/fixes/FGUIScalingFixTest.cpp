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
    // What the player sees: multipliers, the root's size and clip in GUI units (the canvas
    // divided by the scale), the menu laid out to it, and which windows are shown or laid out.
    auto Shape = [&] {
        return Narrow(FString::Printf(TEXT("%ix%i %gx%g clip %gx%g menu %g shown %i hidden %i/%i"), Root->HMultiplier,
                                      Root->VMultiplier, Root->Width, Root->Height, Root->GC->ClipRect.ClipWidth,
                                      Root->GC->ClipRect.ClipHeight, Menu->Width, INT(Menu->bIsVisible),
                                      INT(Hidden->bIsVisible), Hidden->Layouts));
    };
    const struct { INT Scale, SizeX, SizeY; const char* Shape; } Cases[] = {
        {1, 1024, 768, "1x1 1024x768 clip 1024x768 menu 1024 shown 1 hidden 0/0"},
        {1, 1920, 1080, "1x1 1920x1080 clip 1920x1080 menu 1920 shown 1 hidden 0/0"},
        {3, 1024, 768, "3x3 341.333x256 clip 341.333x256 menu 341.333 shown 1 hidden 0/0"},
        {3, 1920, 1080, "3x3 640x360 clip 640x360 menu 640 shown 1 hidden 0/0"},
        {-2, 1024, 768, "-2x-2 -512x-384 clip -512x-384 menu -512 shown 1 hidden 0/0"}, // hand-edited
    };
    for (const auto& Case : Cases)
    {
        SCOPED_TRACE(Case.Shape);
        SetFixes(NULL, *FString::Printf(TEXT("%i"), Case.Scale));
        FHookRegistry Registry; // a run of the game
        Canvas->SizeX = Case.SizeX;
        Canvas->SizeY = Case.SizeY;
        const INT Layouts = Menu->Layouts;
        Resize(Canvas);
        EXPECT_EQ(Case.Shape, Shape());
        EXPECT_LT(Layouts, Menu->Layouts); // laid out again for the new size

        // The same canvas again, or none, or no root window: nothing changes, nothing is shown.
        const auto Counts = [&] { return std::make_pair(Root->GC->ClipRectChanges, Menu->Layouts); };
        const auto Before = Counts();
        Resize(Canvas);
        Resize(NULL);
        Player->RootWindow = NULL;
        Resize(Canvas);
        Player->RootWindow = Root;
        EXPECT_EQ(Before, Counts());
        EXPECT_EQ(Case.Shape, Shape());
    }
}
