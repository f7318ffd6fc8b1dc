// Tests of the feedback context: boxes for the player, logging for servers, slow tasks
// and their progress controls.
#include "FFeedbackContextWindows.h"
#include "MessageBoxWatcher.h"
#include <commctrl.h>
#include <gtest/gtest.h>

namespace
{
// The role flags are clear in a test program; each test leaves them so.
class Feedback : public testing::Test
{
protected:
    FFeedbackContextWindows Warn;

    void SetUp() override { GTestLog.Clear(); }
    void TearDown() override
    {
        PlayAs(0, 0);
        GIsSlowTask = 0;
    }
    void PlayAs(UBOOL Client, UBOOL Editor)
    {
        GIsClient = Client;
        GIsEditor = Editor;
    }
};
} // namespace

TEST_F(Feedback, AsksAndWarnsAPlayerButOnlyLogsOnADedicatedServer)
{
    CORVANE_SKIP_WITHOUT_WINDOWS();
    FMessageBoxWatcher Watcher(IDYES);
    PlayAs(1, 0);
    Warn.Log(NAME_UserPrompt, TEXT("The disk is full."));
    Warn.Log(NAME_Warning, TEXT("Only logged"));
    EXPECT_EQ(1u, Warn.YesNof(TEXT("Overwrite %s (%i bytes)?"), TEXT("User.ini"), 42));
    PlayAs(0, 1);
    Warn.Log(NAME_UserPrompt, TEXT("The editor sees it too."));
    PlayAs(0, 0);
    Warn.Log(NAME_UserPrompt, TEXT("Nobody to show it to"));
    EXPECT_EQ(0u, Warn.YesNof(TEXT("Shut down?"))); // answered no, without a box
    Watcher.Stop();

    ASSERT_EQ(3, Watcher.Count());
    const FSeenBox& Prompt = Watcher.Box(0);
    EXPECT_STREQ(LocalizeError(TEXT("Warning"), TEXT("Core")), Prompt.Title);
    EXPECT_STREQ(TEXT("The disk is full."), Prompt.Text);
    EXPECT_TRUE(Prompt.HasOk && !Prompt.HasIcon && !Prompt.HasNo);
    const FSeenBox& Question = Watcher.Box(1);
    EXPECT_STREQ(LocalizeError(TEXT("Question"), TEXT("Core")), Question.Title);
    EXPECT_STREQ(TEXT("Overwrite User.ini (42 bytes)?"), Question.Text);
    EXPECT_TRUE(Question.HasYes && Question.HasNo && !Question.HasOk);
    EXPECT_STREQ(TEXT("The editor sees it too."), Watcher.Box(2).Text);
    ASSERT_EQ(2, GTestLog.Lines.Num());
    EXPECT_STREQ(TEXT("Only logged"), *GTestLog.Lines(0));
    EXPECT_STREQ(TEXT("Nobody to show it to"), *GTestLog.Lines(1));
    EXPECT_EQ(NAME_Warning, GTestLog.Events(0));
    EXPECT_EQ(NAME_Warning, GTestLog.Events(1));

    PlayAs(1, 0);
    FMessageBoxWatcher Refuser(IDNO);
    EXPECT_EQ(0u, Warn.YesNof(TEXT("Really?")));
}

TEST_F(Feedback, SlowTasksNestMustBalanceAndDriveTheProgressControls)
{
    CORVANE_SKIP_WITHOUT_WINDOWS();
    // A hidden window with a progress bar and a status text, as a loading screen would have.
    INITCOMMONCONTROLSEX Controls = {sizeof(Controls), ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&Controls);
    HWND Parent = CreateWindowExW(0, TEXT("STATIC"), TEXT(""), WS_POPUP, 0, 0, 300, 100, NULL, NULL, NULL, NULL);
    HWND Bar = CreateWindowExW(0, PROGRESS_CLASSW, TEXT(""), WS_CHILD, 0, 0, 300, 20, Parent, NULL, NULL, NULL);
    HWND Text = CreateWindowExW(0, TEXT("STATIC"), TEXT(""), WS_CHILD, 0, 40, 300, 20, Parent, NULL, NULL, NULL);
    Warn.ProgressBarWindow = Bar;
    Warn.ProgressTextWindow = Text;
    auto Position = [&] { return INT(SendMessageW(Bar, PBM_GETPOS, 0, 0)); };
    auto Status = [&] {
        TCHAR Buffer[256];
        GetWindowTextW(Text, Buffer, ARRAY_COUNT(Buffer));
        return FString(Buffer);
    };
    SendMessageW(Bar, PBM_SETRANGE, 0, MAKELPARAM(0, 10));

    EXPECT_EQ(1u, Warn.StatusUpdatef(1, 2, TEXT("Too early")));
    EXPECT_STREQ(TEXT(""), *Status()); // no slow task yet
    Warn.BeginSlowTask(TEXT("Loading"), 1, 0);
    EXPECT_STREQ(TEXT("Loading"), *Status());
    EXPECT_EQ(100, INT(SendMessageW(Bar, PBM_GETRANGE, FALSE, 0)));
    EXPECT_EQ(1u, Warn.StatusUpdatef(1, 4, TEXT("Step %i"), 1));
    EXPECT_EQ(25, Position());
    EXPECT_STREQ(TEXT("Step 1"), *Status());
    Warn.StatusUpdatef(30000000, 60000000, TEXT("Big"));
    EXPECT_EQ(50, Position()); // no overflow on the way
    EXPECT_EQ(1u, Warn.StatusUpdatef(3, 0, TEXT("Nothing to divide")));
    EXPECT_EQ(0, Position());

    GUnicodeOS = 0;
    Warn.StatusUpdatef(3, 4, TEXT("Narrow %s"), TEXT("text"));
    GUnicodeOS = 1;
    EXPECT_STREQ(TEXT("Narrow text"), *Status());
    EXPECT_EQ(75, Position());

    Warn.ProgressTextWindow = NULL; // one control alone is left alone
    Warn.StatusUpdatef(1, 1, TEXT("Ignored"));
    EXPECT_EQ(75, Position());

    Warn.BeginSlowTask(TEXT("Textures"), 1, 0);
    Warn.EndSlowTask();
    EXPECT_TRUE(GIsSlowTask); // the outer task still runs
    Warn.EndSlowTask();
    EXPECT_FALSE(GIsSlowTask);
    EXPECT_THROW(Warn.EndSlowTask(), const TCHAR*); // one end too many
    EXPECT_EQ(0, GTestError.LastMessage.InStr(TEXT("Assertion failed: SlowTaskCount>0 [File:core/FFeedbackContextWindows.cpp]")));
    EXPECT_EQ(0, Warn.SlowTaskCount);
    EXPECT_FALSE(GIsSlowTask);
    DestroyWindow(Parent);
}
