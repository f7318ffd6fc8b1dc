// Tests of the critical-error device: what it logs, the error history it builds, when it
// unwinds and what the player sees.
#include "FOutputDeviceErrorWindows.h"
#include "FOutputDeviceLogFile.h"
#include "MessageBoxWatcher.h"
#include "TestFiles.h"

namespace
{
// Leaves the engine's flags (all clear in a test program) and history clear again.
class ErrorDevice : public FTempFolderTest
{
protected:
    FOutputDeviceErrorWindows Device;

    void SetUp() override { GTestLog.Clear(); }
    void TearDown() override
    {
        GIsCriticalError = GIsGuarded = GIsClient = GIsEditor = GIsStarted = GIsRunning = 0;
        GErrorHist[0] = 0;
    }
    // Reports Message from inside two guards, as engine code would.
    void RaiseGuarded(const TCHAR* Message, EName Event)
    {
        GIsGuarded = 1;
        guard(Outer);
        guard(Inner);
        SetLastError(ERROR_ACCESS_DENIED);
        Device.Serialize(Message, Event);
        unguard;
        unguard;
    }
};
} // namespace

TEST_F(ErrorDevice, GuardedErrorIsLoggedOnceAndUnwindsWithItsHistory)
{
    GIsClient = 1;
    FMessageBoxWatcher Watcher(IDOK);
    EXPECT_THROW(RaiseGuarded(TEXT("Boom"), NAME_Critical), int); // unwinds to the handler
    Watcher.Stop();
    EXPECT_EQ(0, Watcher.Count()); // the handler decides what the player sees
    FString History = FString(TEXT("Boom\r\n\r\n")) + LocalizeError(TEXT("History"), TEXT("Core")) + TEXT(": Inner <- Outer");
    EXPECT_STREQ(*History, GErrorHist);

    // A second error while the first unwinds is only logged; its guards only add their names.
    EXPECT_THROW(RaiseGuarded(TEXT("Second"), NAME_FriendlyError), int);
    EXPECT_EQ(History + TEXT(" <- Inner <- Outer"), FString(GErrorHist));
    EXPECT_EQ(NAME_Critical, Device.ErrorEvent); // the report keeps the first error's history
    // The system's error text is looked up for the code saved first.
    FString SystemError = FString::Printf(TEXT("Windows GetLastError: %s (5)"), appGetSystemErrorMessage(5));
    EXPECT_EQ(Narrow(GTestLog.Lines), (std::vector<std::string>{"appError called:", "Boom", Narrow(SystemError),
                                                                "Error reentered: Second"}));
}

TEST_F(ErrorDevice, ReportShowsAPlayerTheLocalizedHistoryAndADedicatedServerNothing)
{
    CORVANE_SKIP_WITHOUT_WINDOWS();
    Temp.Write(TEXT("Core.int"), "[Errors]\r\nHistory=Geschiedenis\r\n");
    Temp.Write(TEXT("Window.int"), "[Errors]\r\nCritical=Kritieke fout\r\n");
    StartConfig(TEXT("Sys.ini"));
    // A friendly error hides the history; a server that has not started yet shows it too.
    const struct { EName Event; UBOOL Started, Client; const TCHAR* Shown; } Cases[] = {
        {NAME_Critical, 1, 1, TEXT("Kritieke fout: Boom\r\n\r\nGeschiedenis: Inner <- Outer")},
        {NAME_FriendlyError, 0, 0, TEXT("Kritieke fout: Boom\r\n\r\n")},
        {NAME_FriendlyError, 1, 0, TEXT("")}};
    for (const auto& Case : Cases)
    {
        GIsCriticalError = 0;
        EXPECT_THROW(RaiseGuarded(TEXT("Boom"), Case.Event), int);
        GIsRunning = 1, GIsStarted = Case.Started, GIsClient = Case.Client;
        GLogHook = &GTestLog;
        FMessageBoxWatcher Watcher(IDOK);
        Device.ReportCriticalError();
        Watcher.Stop();
        EXPECT_FALSE(GIsGuarded || GIsRunning || GLogHook);
        FString Seen;
        for (INT i = 0; i < Watcher.Count(); i++)
            Seen += FString::Printf(TEXT("%s: %s"), Watcher.Box(i).Title, Watcher.Box(i).Text);
        EXPECT_EQ(FString(Case.Shown), Seen) << Case.Event;
    }
}

// Run only as the child process of the test below, in its folder: an unguarded error ends the process.
TEST(ErrorDeviceChild, DISABLED_UnguardedErrorEndsTheProcess)
{
    FFileManagerWindows FileManager;
    FOutputDeviceLogFile Log;
    appStrcpy(Log.LogFileName, TEXT("Child.log"));
    GFileManager = &FileManager;
    GLog = &Log;
    Log.Log(TEXT("Before the error"));
    FOutputDeviceErrorWindows().Serialize(TEXT("Unguarded failure"), NAME_Critical);
    ExitProcess(7); // only reached when the device returned
}

TEST_F(ErrorDevice, UnguardedErrorShowsTheBoxAndEndsTheProcessWithItsLogWritten)
{
    CORVANE_SKIP_WITHOUT_WINDOWS();
    TCHAR Program[MAX_PATH];
    GetModuleFileNameW(NULL, Program, ARRAY_COUNT(Program));
    const TCHAR* Args = TEXT(" --gtest_also_run_disabled_tests --gtest_filter=ErrorDeviceChild.DISABLED_*");
    FWatchedRun Run = FWatchedProcess(Program, Args, NULL, IDOK).Wait();
    // Exit code, boxes, the first one's title (no configuration yet) and text.
    EXPECT_EQ(FString(TEXT("1 1 Critical Error At Startup: Unguarded failure\r\n\r\n")),
              FString::Printf(TEXT("%u %i %s: %s"), Run.ExitCode, Run.BoxCount, Run.FirstBox.Title, Run.FirstBox.Text));
    std::vector<std::string> Lines = Narrow(ReadLogLines(*Temp(TEXT("Child.log")))); // never closed, yet complete
    ASSERT_EQ(5u, Lines.size());
    Lines[4].resize(32); // the system's own text follows
    EXPECT_EQ(std::vector<std::string>(Lines.begin() + 1, Lines.end()),
              (std::vector<std::string>{"Log: Before the error", "Critical: appError called:", "Critical: Unguarded failure",
                                        "Critical: Windows GetLastError: "}));
}
