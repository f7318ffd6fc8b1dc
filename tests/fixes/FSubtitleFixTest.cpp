// Tests of native 1410 with the subtitle fix: which requests get the wide conversation
// window, called on a root window as the game's scripts call it.
#include "FixesTestSupport.h"
#include "FSubtitleFix.h"

TEST_F(FixesTest, OnlyTheGamesConversationWindowIsReplaced)
{
    SetFixes(TEXT("True"), NULL);
    FHookRegistry Registry;
    XRootWindow* Root = ConstructObject<XRootWindow>(XRootWindow::StaticClass());
    // What native 1410 creates on the root window for Class: its class and whether it is
    // shown, or "none"; Flag < 0 leaves the flag out.
    auto Create = [&](UClass* Class, INT Flag = -1) {
        FScriptBuilder Code;
        Code.CallNative(1410).Object(Class);
        Flag < 0 ? Code.Nothing() : Code.Int(Flag);
        XWindow* Window = Call<XWindow*>(Root, Code);
        EXPECT_TRUE(!Window || Window->Parent == Root);
        return Window ? Narrow(FString(Window->GetClass()->GetPathName()) + (Window->bIsVisible ? TEXT(" shown") : TEXT(" hidden")))
                      : "none";
    };
    // Without the Corvane package (asked for on every request) the game's own window is created.
    const FString Package = Temp(TEXT("Game\\System\\Corvane.u")), Away = Package + TEXT(".away");
    MoveFileW(*Package, *Away);
    EXPECT_EQ("Veltra.ConWindowActive shown", Create(Load(TEXT("Veltra.ConWindowActive"))));
    MoveFileW(*Away, *Package);

    const struct { const TCHAR* Requested; INT Flag; const char* Created; } Cases[] = {
        {TEXT("Veltra.ConWindowActive"), -1, "Corvane.ConWindowActive2 shown"}, // flag left out: 1
        {TEXT("Veltra.ConWindowActive"), 0, "Corvane.ConWindowActive2 hidden"},
        {TEXT("Veltra.ConWindowCinematic"), -1, "Veltra.ConWindowCinematic shown"}, // derived
        {TEXT("Veltra.InfoWindow"), 1, "Veltra.InfoWindow shown"},                   // not modal
    };
    for (const auto& Case : Cases)
        EXPECT_EQ(Case.Created, Create(Load(Case.Requested), Case.Flag)) << Case.Requested;
    EXPECT_EQ("none", Create(NULL));
    // Other letter case, on the name alone: the stand-in's names ignore case, so no such class
    // can exist once Veltra is loaded.
    EXPECT_TRUE(FSubtitleFix::IsConversationWindowName(TEXT("Class Veltra.ConWindowActive")));
    EXPECT_FALSE(FSubtitleFix::IsConversationWindowName(TEXT("Class veltra.conwindowactive")));
    // A plain window class of the same name is no conversation window.
    UClass* Active = Load(TEXT("Veltra.ConWindowActive"));
    Active->ClassConstructor = XWindow::StaticClass()->ClassConstructor;
    EXPECT_EQ("Veltra.ConWindowActive shown", Create(Active));
}
