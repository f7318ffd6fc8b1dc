// Tests of the game GUI and the game's script packages: the natives 1050 and 1410 as the
// game's scripts call them, on the packages of the staged game. (The program replaces 3093
// in every run; the fixes tests call it.)
#include "TestFiles.h"
#include "Extension.h"

namespace
{
// A copy of the staged game's packages and system ini in Temp\System, the current folder.
class GameGui : public FTempFolderTest
{
protected:
    GameGui()
    {
        FString Staged = FString(appBaseDir()) + TEXT("..\\game\\System\\"); // beside the test programs
        CreateDirectoryW(*Temp(TEXT("System")), NULL);
        for (const TCHAR* File : {TEXT("Corvane.ini"), TEXT("Veltra.u"), TEXT("Corvane.u")})
            CopyFileW(*(Staged + File), *Temp(*(FString(TEXT("System\\")) + File)), FALSE);
        SetCurrentDirectoryW(*Temp(TEXT("System")));
        StartConfig(TEXT("Corvane.ini"));
        GSys->LoadConfig();
        Player = static_cast<AGuiPlayer*>(UObject::StaticConstructObject(Load(TEXT("Veltra.VeltraPlayer"))));
        Root = Player ? Player->RootWindow : NULL;
    }
    ~GameGui() override { UObject::StaticExit(); }

    static UClass* Load(const TCHAR* Name) { return UObject::StaticLoadClass(UObject::StaticClass(), NULL, Name, NULL, LOAD_None, NULL); }
    // Runs a script function of Object with up to two parameters; its result, if any.
    template<class T> T Run(UObject* Object, const TCHAR* Function, UObject* First = NULL, INT Second = 0)
    {
        FScriptSlot Parms[2] = {};
        Parms[0].Object = First;
        Parms[1].Int = Second;
        T Result = T();
        Object->ProcessEvent(Object->FindFunction(FName(Function)), Parms, &Result);
        return Result;
    }
    // The player's script sizes the root window for a canvas of SizeX by SizeY.
    void Render(INT SizeX, INT SizeY)
    {
        Canvas->SizeX = SizeX;
        Canvas->SizeY = SizeY;
        Run<INT>(Player, TEXT("PostRender"), Canvas);
    }

    AGuiPlayer* Player;
    XRootWindow* Root;
    UCanvas* Canvas = ConstructObject<UCanvas>(UCanvas::StaticClass());
};
} // namespace

TEST_F(GameGui, TheScriptSizesTheRootWindowThroughNative1050)
{
    ASSERT_TRUE(Root);
    EXPECT_EQ(Load(TEXT("Veltra.VeltraRoot")), Root->GetClass());
    // The canvas, then the multipliers and the root's size and clip width as the engine sets them.
    const struct { INT SizeX, SizeY; const TCHAR* Root; } Cases[] = {
        {640, 480, TEXT("1x1 640x480 640")},     {1024, 768, TEXT("1x1 1024x768 1024")}, {1280, 960, TEXT("2x2 640x480 640")},
        {1920, 1080, TEXT("2x2 960x540 960")},   {3840, 2160, TEXT("4x4 960x540 960")},  {300, 200, TEXT("1x1 300x200 300")},
    };
    for (const auto& Case : Cases)
    {
        INT ClipChanges = Root->GC->ClipRectChanges;
        Render(Case.SizeX, Case.SizeY);
        EXPECT_STREQ(Case.Root, *FString::Printf(TEXT("%ix%i %gx%g %g"), Root->HMultiplier, Root->VMultiplier, Root->Width,
                                                 Root->Height, Root->GC->ClipRect.ClipWidth)) << Case.SizeX;
        EXPECT_EQ(ClipChanges + 1, Root->GC->ClipRectChanges);
    }
}

TEST_F(GameGui, TheScriptCreatesWindowsThroughNative1410)
{
    ASSERT_TRUE(Root);
    Render(1920, 1080);
    XWindow* Conversation = Run<XWindow*>(Root, TEXT("StartConversation")); // the flag left out
    XWindow* Hidden = Run<XWindow*>(Root, TEXT("OpenWindowFlag"), Load(TEXT("Veltra.InfoWindow")), 0);
    XWindow* Menu = Run<XWindow*>(Root, TEXT("OpenSaveMenu"));
    ASSERT_TRUE(Conversation && Hidden && Menu);
    EXPECT_FALSE(Run<XWindow*>(Root, TEXT("OpenWindow"), Load(TEXT("Core.Package")))); // not a window class
    // Subtitles lie along the bottom; the menu covers the root and takes the mouse.
    EXPECT_FLOAT_EQ(540.f, Conversation->Y + Conversation->Height);
    EXPECT_FLOAT_EQ(960.f, Menu->Width);
    EXPECT_TRUE(Root->bCursorActive);

    // Bottom to top, with and without the hidden one; destroying unlinks.
    EXPECT_EQ(Conversation, Root->GetBottomChild(1));
    EXPECT_EQ(Menu, Conversation->GetHigherSibling(1));
    EXPECT_EQ(Hidden, Conversation->GetHigherSibling(0));
    Menu->Destroy();
    EXPECT_EQ(Hidden, Root->TopChild);
    EXPECT_EQ(NULL, Conversation->GetHigherSibling(1));
    EXPECT_FALSE(Root->bCursorActive);
}
