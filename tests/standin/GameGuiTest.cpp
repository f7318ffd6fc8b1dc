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
    }
    ~GameGui() override { UObject::StaticExit(); }

    static UClass* Load(const TCHAR* Name) { return UObject::StaticLoadClass(UObject::StaticClass(), NULL, Name, NULL, LOAD_None, NULL); }
    // Runs a script function of Object with up to one parameter; its result, if any.
    template<class T> static T Run(UObject* Object, const TCHAR* Function, UObject* First = NULL)
    {
        FScriptSlot Parms[1] = {};
        Parms[0].Object = First;
        T Result = T();
        Object->ProcessEvent(Object->FindFunction(FName(Function)), Parms, &Result);
        return Result;
    }
};
} // namespace

TEST_F(GameGui, TheScriptsSizeTheRootThroughNative1050AndCreateWindowsThrough1410)
{
    AGuiPlayer* Player = static_cast<AGuiPlayer*>(UObject::StaticConstructObject(Load(TEXT("Veltra.VeltraPlayer"))));
    ASSERT_TRUE(Player && Player->RootWindow);
    XRootWindow* Root = Player->RootWindow;
    EXPECT_EQ(Load(TEXT("Veltra.VeltraRoot")), Root->GetClass()); // the player's default
    UCanvas* Canvas = ConstructObject<UCanvas>(UCanvas::StaticClass());
    // The canvas, then the multipliers and the root's size and clip width as the engine sets them:
    // the smaller of width / 640 and height / 480, at least 1.
    const struct { INT SizeX, SizeY; const TCHAR* Root; } Cases[] = {
        {300, 200, TEXT("1x1 300x200 300")}, {1280, 960, TEXT("2x2 640x480 640")},
        {1280, 1440, TEXT("2x2 640x720 640")}, {1920, 1080, TEXT("2x2 960x540 960")},
    };
    for (const auto& Case : Cases)
    {
        INT ClipChanges = Root->GC->ClipRectChanges;
        Canvas->SizeX = Case.SizeX;
        Canvas->SizeY = Case.SizeY;
        Run<INT>(Player, TEXT("PostRender"), Canvas);
        EXPECT_STREQ(Case.Root, *FString::Printf(TEXT("%ix%i %gx%g %g"), Root->HMultiplier, Root->VMultiplier, Root->Width,
                                                 Root->Height, Root->GC->ClipRect.ClipWidth)) << Case.SizeX;
        EXPECT_EQ(ClipChanges + 1, Root->GC->ClipRectChanges);
    }

    // Subtitles lie along the bottom; only a window class makes a window.
    XWindow* Conversation = Run<XWindow*>(Root, TEXT("StartConversation"));
    ASSERT_TRUE(Conversation);
    EXPECT_FLOAT_EQ(540.f, Conversation->Y + Conversation->Height);
    EXPECT_FALSE(Run<XWindow*>(Root, TEXT("OpenWindow"), Load(TEXT("Core.Package"))));
}
