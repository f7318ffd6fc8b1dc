// Tests of the feedback context: boxes for the player, logging for servers, slow tasks
// and their progress controls.
#include "FFeedbackContextWindows.h"
#include "MessageBoxWatcher.h"
#include "TestFiles.h"
#include <commctrl.h>

TEST(Feedback, AsksAndWarnsAPlayerOnlyLogsOnADedicatedServerAndDrivesTheProgressControlsInSlowTasks)
{
    CORVANE_SKIP_WITHOUT_WINDOWS();
    GTestLog.Clear();
    FFeedbackContextWindows Warn;
    FMessageBoxWatcher Watcher(IDYES);
    GIsClient = 1;
    Warn.Log(NAME_UserPrompt, TEXT("The disk is full."));
    Warn.Log(NAME_Warning, TEXT("Only logged"));
    EXPECT_EQ(1u, Warn.YesNof(TEXT("Overwrite %s (%i bytes)?"), TEXT("User.ini"), 42));
    GIsClient = 0, GIsEditor = 1;
    Warn.Log(NAME_UserPrompt, TEXT("The editor sees it too."));
    GIsEditor = 0;
    Warn.Log(NAME_UserPrompt, TEXT("Nobody to show it to"));
    EXPECT_EQ(0u, Warn.YesNof(TEXT("Shut down?"))); // answered no, without a box
    Watcher.Stop();
    FString Seen;
    for (INT i = 0; i < Watcher.Count(); i++)
        Seen += FString::Printf(TEXT("%s: %s|"), Watcher.Box(i).Title, Watcher.Box(i).Text);
    FString Warning = LocalizeError(TEXT("Warning"), TEXT("Core")), Question = LocalizeError(TEXT("Question"), TEXT("Core"));
    EXPECT_EQ(FString::Printf(TEXT("%s: The disk is full.|%s: Overwrite User.ini (42 bytes)?|%s: The editor sees it too.|"),
                              *Warning, *Question, *Warning), Seen);
    EXPECT_EQ(Narrow(GTestLog.Lines), (std::vector<std::string>{"Only logged", "Nobody to show it to"}));
    for (INT Event : GTestLog.Events)
        EXPECT_EQ(NAME_Warning, Event);

    GIsClient = 1;
    FMessageBoxWatcher Refuser(IDNO);
    EXPECT_EQ(0u, Warn.YesNof(TEXT("Really?")));
    GIsClient = 0;

    // A hidden window with a progress bar and a status text, as a loading screen would have.
    INITCOMMONCONTROLSEX Controls = {sizeof(Controls), ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&Controls);
    HWND Parent = CreateWindowExW(0, TEXT("STATIC"), TEXT(""), WS_POPUP, 0, 0, 300, 100, NULL, NULL, NULL, NULL);
    Warn.ProgressBarWindow = CreateWindowExW(0, PROGRESS_CLASSW, TEXT(""), WS_CHILD, 0, 0, 300, 20, Parent, NULL, NULL, NULL);
    Warn.ProgressTextWindow = CreateWindowExW(0, TEXT("STATIC"), TEXT(""), WS_CHILD, 0, 40, 300, 20, Parent, NULL, NULL, NULL);
    SendMessageW(Warn.ProgressBarWindow, PBM_SETRANGE, 0, MAKELPARAM(0, 10)); // the task sets 0 to 100
    // The bar's position and the status text; updates return 1 and reach them only in a slow task.
    auto Update = [&](INT Numerator, INT Denominator, const TCHAR* Text) {
        EXPECT_EQ(1u, Text ? Warn.StatusUpdatef(Numerator, Denominator, TEXT("%s"), Text) : 1u);
        TCHAR Status[256];
        GetWindowTextW(Warn.ProgressTextWindow, Status, ARRAY_COUNT(Status));
        return FString::Printf(TEXT("%i %s"), INT(SendMessageW(Warn.ProgressBarWindow, PBM_GETPOS, 0, 0)), Status);
    };
    Update(1, 2, TEXT("Too early"));
    Warn.BeginSlowTask(TEXT("Loading"), 1, 0);
    EXPECT_EQ(FString(TEXT("0 Loading")), Update(0, 0, NULL));
    EXPECT_EQ(FString(TEXT("25 Step 1")), Update(1, 4, TEXT("Step 1")));
    EXPECT_EQ(FString(TEXT("50 Big")), Update(30000000, 60000000, TEXT("Big"))); // no overflow on the way
    EXPECT_EQ(FString(TEXT("0 Nothing to divide")), Update(3, 0, TEXT("Nothing to divide")));

    Warn.BeginSlowTask(TEXT("Textures"), 1, 0);
    Warn.EndSlowTask();
    EXPECT_TRUE(GIsSlowTask); // the outer task still runs
    Warn.EndSlowTask();
    EXPECT_FALSE(GIsSlowTask);
    EXPECT_EQ(0, ThrownBy([&] { Warn.EndSlowTask(); }) // one end too many
                     .InStr(TEXT("Assertion failed: SlowTaskCount>0 [File:core/FFeedbackContextWindows.cpp]")));
    EXPECT_EQ(0, Warn.SlowTaskCount);
    DestroyWindow(Parent);
}
