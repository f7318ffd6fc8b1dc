// Tests of native 1410 with the subtitle fix: which requests get the wide conversation
// window, called on a root window as the game's scripts call it.
#include "FixesTestSupport.h"
#include "FSubtitleFix.h"

namespace
{
class SubtitleFix : public FixesTest
{
protected:
    SubtitleFix()
    {
        SetFixes(TEXT("True"), NULL);
        Registry = new FHookRegistry;
    }
    ~SubtitleFix() override { delete Registry; }

    // What native 1410 creates on the root window for Class: its class and whether it is
    // shown, or "none"; Flag < 0 leaves the flag out.
    std::string Create(UClass* Class, INT Flag = -1)
    {
        FScriptBuilder Code;
        Code.CallNative(1410).Object(Class);
        Flag < 0 ? Code.Nothing() : Code.Int(Flag);
        XWindow* Window = Call<XWindow*>(Root, Code);
        if (!Window)
            return "none";
        EXPECT_EQ(Root, Window->Parent);
        return Narrow(FString(Window->GetClass()->GetPathName()) + (Window->bIsVisible ? TEXT(" shown") : TEXT(" hidden")));
    }

    FHookRegistry* Registry;
    XRootWindow* Root = ConstructObject<XRootWindow>(XRootWindow::StaticClass());
};
} // namespace

TEST_F(SubtitleFix, OnlyTheGamesConversationWindowIsReplaced)
{
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
}

TEST_F(SubtitleFix, WithoutTheCorvanePackageTheGamesOwnWindowIsCreated)
{
    DeleteFileW(*Temp(TEXT("Game\\System\\Corvane.u")));
    EXPECT_EQ("Veltra.ConWindowActive shown", Create(Load(TEXT("Veltra.ConWindowActive"))));
}

TEST_F(SubtitleFix, APlainWindowClassOfTheSameNameIsNotReplaced)
{
    UPackage* Package = ConstructObject<UPackage>(UPackage::StaticClass(), NULL, FName(TEXT("Veltra")));
    UClass* Plain = ConstructObject<UClass>(UClass::StaticClass(), Package, FName(TEXT("ConWindowActive")));
    Plain->SuperClass = XWindow::StaticClass();
    Plain->ClassConstructor = XWindow::StaticClass()->ClassConstructor;
    Plain->PropertiesSize = XWindow::StaticClass()->PropertiesSize;
    ASSERT_STREQ(TEXT("Class Veltra.ConWindowActive"), Plain->GetFullName());
    EXPECT_EQ("Veltra.ConWindowActive shown", Create(Plain));
}
