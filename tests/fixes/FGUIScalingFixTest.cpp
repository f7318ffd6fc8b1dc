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
    auto Shape = [&]
    {
        return Narrow(FString::Printf(TEXT("%ix%i %.3fx%.3f clip %.3fx%.3f menu %.3f shown %i hidden %i/%i"),
                                      Root->HMultiplier, Root->VMultiplier, Root->Width, Root->Height,
                                      Root->GC->ClipRect.ClipWidth, Root->GC->ClipRect.ClipHeight, Menu->Width,
                                      INT(Menu->bIsVisible), INT(Hidden->bIsVisible), Hidden->Layouts));
    };
    const struct { INT Scale, SizeX, SizeY; const char* Shape; } Cases[] = {
        {1, 1024, 768, "1x1 1024.000x768.000 clip 1024.000x768.000 menu 1024.000 shown 1 hidden 0/0"},
        {1, 1920, 1080, "1x1 1920.000x1080.000 clip 1920.000x1080.000 menu 1920.000 shown 1 hidden 0/0"},
        {3, 1024, 768, "3x3 341.333x256.000 clip 341.333x256.000 menu 341.333 shown 1 hidden 0/0"},
        {3, 1920, 1080, "3x3 640.000x360.000 clip 640.000x360.000 menu 640.000 shown 1 hidden 0/0"},
        {-2, 1024, 768, "-2x-2 -512.000x-384.000 clip -512.000x-384.000 menu -512.000 shown 1 hidden 0/0"}, // hand-edited
    };
    INT Scale = 0;
    FHookRegistry* Registry = NULL;
    for (const auto& Case : Cases)
    {
        SCOPED_TRACE(Case.Shape);
        if (Case.Scale != Scale) // each scale is a new run of the game
        {
            delete Registry;
            SetFixes(NULL, *FString::Printf(TEXT("%i"), Scale = Case.Scale));
            Registry = new FHookRegistry;
        }
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
    delete Registry;
}
