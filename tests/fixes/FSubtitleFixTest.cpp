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

    // The window native 1410 creates on the root window for Class; Flag < 0 leaves it out.
    XWindow* Create(UClass* Class, INT Flag = -1)
    {
        FScriptBuilder Code;
        Code.CallNative(1410).Object(Class);
        if (Flag < 0)
            Code.Nothing();
        else
            Code.Int(Flag);
        XWindow* Window = Call<XWindow*>(Root, Code);
        EXPECT_TRUE(!Window || Window->Parent == Root);
        return Window;
    }
    const TCHAR* ClassOf(XWindow* Window) { return Window ? Window->GetClass()->GetPathName() : TEXT("none"); }

    FHookRegistry* Registry;
    XRootWindow* Root = ConstructObject<XRootWindow>(XRootWindow::StaticClass());
};
} // namespace

TEST_F(SubtitleFix, OnlyTheGamesConversationWindowIsReplaced)
{
    struct
    {
        const TCHAR* Requested;
        INT Flag;
        const TCHAR* Created;
        bool Visible;
    } Cases[] = {
        {TEXT("Veltra.ConWindowActive"), -1, TEXT("Corvane.ConWindowActive2"), true}, // flag left out: 1
        {TEXT("Veltra.ConWindowActive"), 0, TEXT("Corvane.ConWindowActive2"), false},
        {TEXT("Veltra.ConWindowCinematic"), -1, TEXT("Veltra.ConWindowCinematic"), true}, // derived
        {TEXT("Veltra.InfoWindow"), 1, TEXT("Veltra.InfoWindow"), true},                   // not modal
    };
    for (const auto& Case : Cases)
    {
        XWindow* Window = Create(Load(Case.Requested), Case.Flag);
        EXPECT_STREQ(Case.Created, ClassOf(Window)) << Case.Requested;
        EXPECT_EQ(Case.Visible, Window && Window->bIsVisible) << Case.Requested;
    }
    EXPECT_EQ(NULL, Create(NULL));
    EXPECT_TRUE(FSubtitleFix::IsConversationWindowName(TEXT("Class Veltra.ConWindowActive")));
    EXPECT_FALSE(FSubtitleFix::IsConversationWindowName(TEXT("Class veltra.conwindowactive")));
}

TEST_F(SubtitleFix, WithoutTheCorvanePackageTheGamesOwnWindowIsCreated)
{
    DeleteFileW(*Temp(TEXT("Game\\System\\Corvane.u")));
    EXPECT_STREQ(TEXT("Veltra.ConWindowActive"), ClassOf(Create(Load(TEXT("Veltra.ConWindowActive")))));
}

TEST_F(SubtitleFix, APlainWindowClassOfTheSameNameIsNotReplaced)
{
    UPackage* Package = ConstructObject<UPackage>(UPackage::StaticClass(), NULL, FName(TEXT("Veltra")));
    UClass* Plain = ConstructObject<UClass>(UClass::StaticClass(), Package, FName(TEXT("ConWindowActive")));
    Plain->SuperClass = XWindow::StaticClass();
    Plain->ClassConstructor = XWindow::StaticClass()->ClassConstructor;
    Plain->PropertiesSize = XWindow::StaticClass()->PropertiesSize;
    ASSERT_STREQ(TEXT("Class Veltra.ConWindowActive"), Plain->GetFullName());
    EXPECT_STREQ(TEXT("Veltra.ConWindowActive"), ClassOf(Create(Plain)));
}
