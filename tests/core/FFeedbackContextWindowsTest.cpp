// Tests of the feedback context: boxes for the player, logging for servers, slow tasks
// and their progress controls.
#include "FFeedbackContextWindows.h"
#include "MessageBoxWatcher.h"
#include <commctrl.h>
#include <gtest/gtest.h>

namespace
{
class Feedback : public testing::Test
{
protected:
    FFeedbackContextWindows Warn;
    UBOOL SavedClient, SavedEditor, SavedUnicode;

    void SetUp() override
    {
        SavedClient = GIsClient;
        SavedEditor = GIsEditor;
        SavedUnicode = GUnicodeOS;
        GTestLog.Clear();
    }
    void TearDown() override
    {
        GIsClient = SavedClient;
        GIsEditor = SavedEditor;
        GUnicodeOS = SavedUnicode;
        GIsSlowTask = 0;
    }
    void PlayAs(UBOOL Client, UBOOL Editor)
    {
        GIsClient = Client;
        GIsEditor = Editor;
    }
};

// A hidden window with a progress bar and a status text, as a loading screen would have.
class FProgressWindows
{
public:
    HWND Parent, Bar, Text;

    FProgressWindows()
    {
        INITCOMMONCONTROLSEX Controls = {sizeof(Controls), ICC_PROGRESS_CLASS};
        InitCommonControlsEx(&Controls);
        Parent = CreateWindowExW(0, TEXT("STATIC"), TEXT(""), WS_POPUP, 0, 0, 300, 100, NULL, NULL, NULL, NULL);
        Bar = CreateWindowExW(0, PROGRESS_CLASSW, TEXT(""), WS_CHILD, 0, 0, 300, 20, Parent, NULL, NULL, NULL);
        Text = CreateWindowExW(0, TEXT("STATIC"), TEXT(""), WS_CHILD, 0, 40, 300, 20, Parent, NULL, NULL, NULL);
    }
    ~FProgressWindows() { DestroyWindow(Parent); }
    INT Position() const { return INT(SendMessageW(Bar, PBM_GETPOS, 0, 0)); }
    FString Status() const
    {
        TCHAR Buffer[256];
        GetWindowTextW(Text, Buffer, ARRAY_COUNT(Buffer));
        return Buffer;
    }
};
} // namespace

TEST_F(Feedback, PromptsAPlayerAndLogsEverythingElse)
{
    PlayAs(1, 0);
    FMessageBoxWatcher Watcher(IDOK);
    Warn.Log(NAME_UserPrompt, TEXT("The disk is full."));
    Warn.Log(NAME_Warning, TEXT("Only logged"));
    PlayAs(0, 1);
    Warn.Log(NAME_UserPrompt, TEXT("The editor sees it too."));
    PlayAs(0, 0);
    Warn.Log(NAME_UserPrompt, TEXT("Nobody to show it to"));
    Watcher.Stop();

    ASSERT_EQ(2, Watcher.Count());
    EXPECT_STREQ(LocalizeError(TEXT("Warning"), TEXT("Core")), Watcher.Box(0).Title);
    EXPECT_STREQ(TEXT("The disk is full."), Watcher.Box(0).Text);
    EXPECT_TRUE(Watcher.Box(0).HasOk && !Watcher.Box(0).HasIcon);
    EXPECT_STREQ(TEXT("The editor sees it too."), Watcher.Box(1).Text);
    ASSERT_EQ(2, GTestLog.Lines.Num());
    EXPECT_STREQ(TEXT("Only logged"), *GTestLog.Lines(0));
    EXPECT_STREQ(TEXT("Nobody to show it to"), *GTestLog.Lines(1));
    EXPECT_EQ(NAME_Warning, GTestLog.Events(0));
    EXPECT_EQ(NAME_Warning, GTestLog.Events(1));
}

TEST_F(Feedback, YesNoAsksThePlayerAndAnswersNoOnAServer)
{
    PlayAs(1, 0);
    {
        FMessageBoxWatcher Watcher(IDYES);
        EXPECT_EQ(1u, Warn.YesNof(TEXT("Overwrite %s (%i bytes)?"), TEXT("User.ini"), 42));
        Watcher.Stop();
        ASSERT_EQ(1, Watcher.Count());
        EXPECT_STREQ(LocalizeError(TEXT("Question"), TEXT("Core")), Watcher.Box(0).Title);
        EXPECT_STREQ(TEXT("Overwrite User.ini (42 bytes)?"), Watcher.Box(0).Text);
        EXPECT_TRUE(Watcher.Box(0).HasYes && Watcher.Box(0).HasNo && !Watcher.Box(0).HasOk);
    }
    {
        FMessageBoxWatcher Watcher(IDNO);
        EXPECT_EQ(0u, Warn.YesNof(TEXT("Really?")));
    }
    PlayAs(0, 0);
    FMessageBoxWatcher Watcher(IDYES);
    EXPECT_EQ(0u, Warn.YesNof(TEXT("Shut down?")));
    Watcher.Stop();
    EXPECT_EQ(0, Watcher.Count());
}

TEST_F(Feedback, SlowTasksNestAndMustBalance)
{
    Warn.BeginSlowTask(TEXT("Loading"), 1, 0);
    Warn.BeginSlowTask(TEXT("Textures"), 1, 0);
    EXPECT_EQ(2, Warn.SlowTaskCount);
    Warn.EndSlowTask();
    EXPECT_TRUE(GIsSlowTask);
    Warn.EndSlowTask();
    EXPECT_FALSE(GIsSlowTask);

    EXPECT_THROW(Warn.EndSlowTask(), const TCHAR*);
    EXPECT_EQ(0, GTestError.LastMessage.InStr(TEXT("Assertion failed: SlowTaskCount>0 [File:core/FFeedbackContextWindows.cpp]")));
    EXPECT_EQ(0, Warn.SlowTaskCount);
    EXPECT_FALSE(GIsSlowTask);
}

TEST_F(Feedback, ProgressFollowsTheSlowTask)
{
    FProgressWindows Windows;
    Warn.ProgressBarWindow = Windows.Bar;
    Warn.ProgressTextWindow = Windows.Text;
    SendMessageW(Windows.Bar, PBM_SETRANGE, 0, MAKELPARAM(0, 10));

    EXPECT_EQ(1u, Warn.StatusUpdatef(1, 2, TEXT("Too early")));
    EXPECT_STREQ(TEXT(""), *Windows.Status()); // no slow task yet
    Warn.BeginSlowTask(TEXT("Loading"), 1, 0);
    EXPECT_STREQ(TEXT("Loading"), *Windows.Status());
    EXPECT_EQ(100, INT(SendMessageW(Windows.Bar, PBM_GETRANGE, FALSE, 0)));
    EXPECT_EQ(1u, Warn.StatusUpdatef(1, 4, TEXT("Step %i"), 1));
    EXPECT_EQ(25, Windows.Position());
    EXPECT_STREQ(TEXT("Step 1"), *Windows.Status());
    Warn.StatusUpdatef(30000000, 60000000, TEXT("Big"));
    EXPECT_EQ(50, Windows.Position()); // no overflow on the way
    EXPECT_EQ(1u, Warn.StatusUpdatef(3, 0, TEXT("Nothing to divide")));
    EXPECT_EQ(0, Windows.Position());

    GUnicodeOS = 0;
    Warn.StatusUpdatef(3, 4, TEXT("Narrow %s"), TEXT("text"));
    EXPECT_STREQ(TEXT("Narrow text"), *Windows.Status());
    EXPECT_EQ(75, Windows.Position());
    GUnicodeOS = 1;

    Warn.ProgressTextWindow = NULL; // one control alone is left alone
    Warn.StatusUpdatef(1, 1, TEXT("Ignored"));
    EXPECT_EQ(75, Windows.Position());
    Warn.EndSlowTask();
}
