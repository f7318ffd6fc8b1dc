// Tests of native 1410 with the subtitle fix: which requests get the wide conversation
// window, called on the game's root window as its scripts call it.
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

    // The window that native 1410 creates on the root window for Class; Flag < 0 leaves the
    // flag out.
    XWindow* Create(UClass* Class, INT Flag = -1)
    {
        FScriptBuilder Code;
        Code.CallNative(1410).Object(Class);
        if (Flag < 0)
            Code.Nothing();
        else
            Code.Int(Flag);
        return Call<XWindow*>(Root, Code);
    }

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
        ASSERT_TRUE(Window) << Case.Requested;
        EXPECT_STREQ(Case.Created, Window->GetClass()->GetPathName()) << Case.Requested;
        EXPECT_EQ(Root, Window->Parent);
        EXPECT_EQ(Case.Visible, Window->bIsVisible != 0) << Case.Requested;
    }
    EXPECT_EQ(NULL, Create(NULL));

    // The names are compared exactly, letter case included.
    EXPECT_TRUE(FSubtitleFix::IsConversationWindowName(TEXT("Class Veltra.ConWindowActive")));
    EXPECT_FALSE(FSubtitleFix::IsConversationWindowName(TEXT("Class veltra.conwindowactive")));
    EXPECT_FALSE(FSubtitleFix::IsConversationWindowName(TEXT("Class Veltra.ConWindowActive2")));
}

TEST_F(SubtitleFix, ANonModalClassOfTheSameNameIsNotReplaced)
{
    // A class that bears the conversation window's name but is built as a plain window.
    UPackage* Package = ConstructObject<UPackage>(UPackage::StaticClass(), NULL, FName(TEXT("Veltra")));
    UClass* Plain = ConstructObject<UClass>(UClass::StaticClass(), Package, FName(TEXT("ConWindowActive")));
    Plain->SuperClass = XWindow::StaticClass();
    Plain->ClassConstructor = XWindow::StaticClass()->ClassConstructor;
    Plain->PropertiesSize = XWindow::StaticClass()->PropertiesSize;
    ASSERT_STREQ(TEXT("Class Veltra.ConWindowActive"), Plain->GetFullName());
    XWindow* Window = Create(Plain);
    ASSERT_TRUE(Window);
    EXPECT_EQ(Plain, Window->GetClass());
}

TEST_F(SubtitleFix, WithoutTheCorvanePackageTheGamesOwnWindowIsCreated)
{
    DeleteFileW(*Temp(TEXT("Game\\System\\Corvane.u")));
    XWindow* Window = Create(Load(TEXT("Veltra.ConWindowActive")));
    ASSERT_TRUE(Window);
    EXPECT_STREQ(TEXT("Veltra.ConWindowActive"), Window->GetClass()->GetPathName());
}
