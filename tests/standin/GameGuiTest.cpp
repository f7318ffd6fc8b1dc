// Tests of the game GUI and the game's script packages: the natives 1050, 1410 and 3093 as
// the game's scripts call them, on the packages of the staged game.
#include "TestFiles.h"
#include "Extension.h"

namespace
{
// The staged game's System folder, beside the test programs.
FString StagedSystem() { return FString(appBaseDir()) + TEXT("..\\game\\System\\"); }

// A copy of the staged game's packages and system ini in Temp\System, the current folder.
class GameGui : public FTempFolderTest
{
protected:
    GameGui()
    {
        CreateDirectoryW(*Temp(TEXT("System")), NULL);
        for (const TCHAR* File : {TEXT("Corvane.ini"), TEXT("Veltra.u"), TEXT("Corvane.u")})
            CopyFileW(*(StagedSystem() + File), *Temp(*(FString(TEXT("System\\")) + File)), FALSE);
        SetCurrentDirectoryW(*Temp(TEXT("System")));
        StartConfig(TEXT("Corvane.ini"));
        GSys->LoadConfig();
        Player = static_cast<AGuiPlayer*>(
            UObject::StaticConstructObject(Load(TEXT("Veltra.VeltraPlayer"), AGuiPlayer::StaticClass())));
        Root = Player ? Player->RootWindow : NULL;
        Canvas = ConstructObject<UCanvas>(UCanvas::StaticClass());
    }
    ~GameGui() override { UObject::StaticExit(); }

    static UClass* Load(const TCHAR* Name, UClass* Base = XWindow::StaticClass(), const TCHAR* File = NULL)
    {
        return UObject::StaticLoadClass(Base, NULL, Name, File, LOAD_None, NULL);
    }
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

    AGuiPlayer* Player;
    XRootWindow* Root;
    UCanvas* Canvas;
};
} // namespace

TEST_F(GameGui, ScriptClassesStandOnTheirNativeAncestors)
{
    struct { const TCHAR* Path; const TCHAR* File; FClassConstructor Constructor; } Cases[] = {
        {TEXT("Veltra.ConWindowActive"), NULL, &XModalWindow::InternalConstructor},
        {TEXT("Veltra.ConWindowCinematic"), NULL, &XModalWindow::InternalConstructor},
        {TEXT("Veltra.InfoWindow"), NULL, &XWindow::InternalConstructor},
        {TEXT("Corvane.ConWindowActive2"), TEXT("Corvane"), &XModalWindow::InternalConstructor},
    };
    for (const auto& Case : Cases)
    {
        UClass* Class = Load(Case.Path, UObject::StaticClass(), Case.File);
        ASSERT_TRUE(Class) << Case.Path;
        EXPECT_EQ(Case.Constructor, Class->ClassConstructor) << Case.Path;
        EXPECT_STREQ(*(FString(TEXT("Class ")) + Case.Path), Class->GetFullName());
    }
    ASSERT_TRUE(Player);
    EXPECT_EQ(Load(TEXT("Veltra.VeltraRoot")), Root->GetClass());
}

TEST_F(GameGui, TheScriptSizesTheRootWindowThroughNative1050)
{
    ASSERT_TRUE(Player);
    struct { INT SizeX, SizeY, Multiplier; FLOAT Width, Height; } Cases[] = {
        {640, 480, 1, 640.f, 480.f},   {1024, 768, 1, 1024.f, 768.f}, {1280, 960, 2, 640.f, 480.f},
        {1920, 1080, 2, 960.f, 540.f}, {3840, 2160, 4, 960.f, 540.f}, {300, 200, 1, 300.f, 200.f},
    };
    for (const auto& Case : Cases)
    {
        Canvas->SizeX = Case.SizeX;
        Canvas->SizeY = Case.SizeY;
        INT ClipChanges = Root->GC->ClipRectChanges;
        Run<INT>(Player, TEXT("PostRender"), Canvas);
        EXPECT_EQ(Case.Multiplier, Root->HMultiplier) << Case.SizeX;
        EXPECT_EQ(Case.Multiplier, Root->VMultiplier) << Case.SizeX;
        EXPECT_FLOAT_EQ(Case.Width, Root->Width) << Case.SizeX;
        EXPECT_FLOAT_EQ(Case.Height, Root->Height) << Case.SizeX;
        EXPECT_FLOAT_EQ(Case.Width, Root->GC->ClipRect.ClipWidth) << Case.SizeX;
        EXPECT_EQ(ClipChanges + 1, Root->GC->ClipRectChanges);
    }
}

TEST_F(GameGui, TheScriptCreatesWindowsThroughNative1410)
{
    ASSERT_TRUE(Player);
    Canvas->SizeX = 1920;
    Canvas->SizeY = 1080;
    Run<INT>(Player, TEXT("PostRender"), Canvas);
    XWindow* Conversation = Run<XWindow*>(Root, TEXT("StartConversation")); // the flag left out
    XWindow* Hidden = Run<XWindow*>(Root, TEXT("OpenWindowFlag"), Load(TEXT("Veltra.InfoWindow")), 0);
    XWindow* Menu = Run<XWindow*>(Root, TEXT("OpenSaveMenu"));
    ASSERT_TRUE(Conversation && Hidden && Menu);
    EXPECT_STREQ(TEXT("ConWindowActive Transient.VeltraPlayer0.VeltraRoot0.ConWindowActive0"), Conversation->GetFullName());
    EXPECT_TRUE(Conversation->bIsVisible);
    EXPECT_FALSE(Hidden->bIsVisible);
    EXPECT_FALSE(Run<XWindow*>(Root, TEXT("OpenWindow"), Load(TEXT("Core.Package"), NULL))); // not a window class
    // Subtitles lie along the bottom, 600 units wide at most; the menu covers the root.
    EXPECT_FLOAT_EQ(600.f, Conversation->Width);
    EXPECT_FLOAT_EQ(540.f, Conversation->Y + Conversation->Height);
    EXPECT_FLOAT_EQ(960.f, Menu->Width);
    EXPECT_TRUE(Root->bCursorActive); // the save menu takes the mouse

    // Bottom to top, with and without the hidden one; destroying unlinks.
    EXPECT_EQ(Conversation, Root->GetBottomChild(1));
    EXPECT_EQ(Menu, Conversation->GetHigherSibling(1));
    EXPECT_EQ(Hidden, Conversation->GetHigherSibling(0));
    Menu->Destroy();
    EXPECT_EQ(Hidden, Root->TopChild);
    EXPECT_EQ(NULL, Conversation->GetHigherSibling(1));
    EXPECT_FALSE(Root->bCursorActive);
}

TEST_F(GameGui, TheSaveMenuAsksNative3093ForTheInstallationsSaveFolder)
{
    XWindow* Menu = XWindow::CreateNewWindow(Load(TEXT("Veltra.SaveMenu")), Root);
    ASSERT_TRUE(Menu);
    EXPECT_EQ(0, Run<INT>(Menu, TEXT("FreeSpace"))); // no ..\Save yet
    CreateDirectoryW(*Temp(TEXT("Save")), NULL);
    // Other programs write to the disk meanwhile: a gigabyte either way is the same answer.
    ULARGE_INTEGER Free;
    ASSERT_TRUE(GetDiskFreeSpaceExW(*Temp(TEXT("Save")), &Free, NULL, NULL));
    EXPECT_NEAR(DOUBLE(INT(DWORD(Free.QuadPart / 1024))), DOUBLE(Run<INT>(Menu, TEXT("FreeSpace"))), 1024.0 * 1024.0);
}
