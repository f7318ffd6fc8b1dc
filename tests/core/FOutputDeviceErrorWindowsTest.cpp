// Tests of the critical-error device: what it logs, the error history it builds, when it
// unwinds and what the player sees.
#include "FOutputDeviceErrorWindows.h"
#include "FConfigCacheIni.h"
#include "FFileManagerWindows.h"
#include "FOutputDeviceLogFile.h"
#include "MessageBoxWatcher.h"
#include "TestFiles.h"
#include <gtest/gtest.h>

namespace
{
// Leaves the engine's flags (all clear in a test program) and history clear again.
class ErrorDevice : public FTempFolderTest
{
protected:
    FOutputDeviceErrorWindows Device;
    FSeenBox Shown = {};

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

    // Reports the error to a player (or none) of the given roles; returns how many boxes
    // were shown, the first one in Shown.
    INT ReportWatched(UBOOL Started, UBOOL Client)
    {
        GIsStarted = Started;
        GIsClient = Client;
        FMessageBoxWatcher Watcher(IDOK);
        Device.ReportCriticalError();
        Watcher.Stop();
        if (Watcher.Count())
            Shown = Watcher.Box(0);
        return Watcher.Count();
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
    EXPECT_TRUE(GIsCriticalError);
    FString History = FString(TEXT("Boom\r\n\r\n")) + LocalizeError(TEXT("History"), TEXT("Core")) + TEXT(": Inner <- Outer");
    EXPECT_STREQ(*History, GErrorHist);
    ASSERT_EQ(3, GTestLog.Lines.Num());
    EXPECT_STREQ(TEXT("appError called:"), *GTestLog.Lines(0));
    EXPECT_STREQ(TEXT("Boom"), *GTestLog.Lines(1));
    EXPECT_EQ(0, GTestLog.Lines(2).InStr(TEXT("Windows GetLastError: ")));
    EXPECT_EQ(GTestLog.Lines(2).Len() - 4, GTestLog.Lines(2).InStr(TEXT(" (5)"))); // the code saved first
    for (INT Event : GTestLog.Events)
        EXPECT_EQ(NAME_Critical, Event);

    // A second error while the first unwinds is only logged.
    GTestLog.Clear();
    EXPECT_THROW(RaiseGuarded(TEXT("Second"), NAME_FriendlyError), int);
    ASSERT_EQ(1, GTestLog.Lines.Num());
    EXPECT_STREQ(TEXT("Error reentered: Second"), *GTestLog.Lines(0));
    EXPECT_EQ(NAME_Critical, GTestLog.Events(0));
    EXPECT_EQ(NAME_Critical, Device.ErrorEvent);
    EXPECT_EQ(0, FString(GErrorHist).InStr(*History)); // its guards only add their names
    EXPECT_EQ(-1, FString(GErrorHist).InStr(TEXT("Second")));
}

TEST_F(ErrorDevice, ReportShowsAPlayerTheLocalizedHistory)
{
    CORVANE_SKIP_WITHOUT_WINDOWS();
    Temp.Write(TEXT("Core.int"), "[Errors]\r\nHistory=Geschiedenis\r\n");
    Temp.Write(TEXT("Window.int"), "[Errors]\r\nCritical=Kritieke fout\r\n");
    StartConfig(TEXT("Sys.ini"));
    EXPECT_THROW(RaiseGuarded(TEXT("Boom"), NAME_Critical), int);
    GIsRunning = 1;
    ASSERT_EQ(1, ReportWatched(1, 1));
    EXPECT_STREQ(TEXT("Kritieke fout"), Shown.Title);
    EXPECT_STREQ(TEXT("Boom\r\n\r\nGeschiedenis: Inner <- Outer"), Shown.Text);
    EXPECT_TRUE(Shown.HasOk && Shown.HasIcon && !Shown.HasNo);
    EXPECT_FALSE(GIsGuarded || GIsRunning);
}

TEST_F(ErrorDevice, FriendlyErrorHidesTheHistoryAndADedicatedServerShowsNothing)
{
    CORVANE_SKIP_WITHOUT_WINDOWS();
    EXPECT_THROW(RaiseGuarded(TEXT("Cannot find the map."), NAME_FriendlyError), int);
    ASSERT_EQ(1, ReportWatched(0, 0)); // a server that has not started yet shows it too
    EXPECT_STREQ(TEXT("Cannot find the map.\r\n\r\n"), Shown.Text);
    EXPECT_STREQ(TEXT("Cannot find the map.\r\n\r\n"), GErrorHist);

    FCaptureDevice Hook;
    GLogHook = &Hook;
    EXPECT_EQ(0, ReportWatched(1, 0));
    EXPECT_EQ(NULL, GLogHook); // dropped all the same
}

// Run only as the child process of the test below, with its log in the file that
// CORVANE_CHILD_LOG names: an unguarded error ends the process.
TEST(ErrorDeviceChild, DISABLED_UnguardedErrorEndsTheProcess)
{
    FFileManagerWindows FileManager;
    FOutputDeviceLogFile Log;
    GetEnvironmentVariableW(TEXT("CORVANE_CHILD_LOG"), Log.LogFileName, ARRAY_COUNT(Log.LogFileName));
    GFileManager = &FileManager;
    GLog = &Log;
    GIsGuarded = 0;
    GIsStarted = 0;
    Log.Log(TEXT("Before the error"));
    FOutputDeviceErrorWindows Device;
    Device.Serialize(TEXT("Unguarded failure"), NAME_Critical);
    ExitProcess(7); // only reached when the device returned
}

TEST(ErrorDeviceChild, UnguardedErrorShowsTheBoxAndEndsTheProcessWithItsLogWritten)
{
    CORVANE_SKIP_WITHOUT_WINDOWS();
    FTempDir Folder;
    FString LogFile = Folder(TEXT("Child.log"));
    SetEnvironmentVariableW(TEXT("CORVANE_CHILD_LOG"), *LogFile);
    TCHAR Program[MAX_PATH];
    GetModuleFileNameW(NULL, Program, ARRAY_COUNT(Program));
    const TCHAR* Args = TEXT(" --gtest_also_run_disabled_tests --gtest_filter=ErrorDeviceChild.DISABLED_*");
    FWatchedRun Run = RunWatched(Program, Args, NULL, IDOK);
    SetEnvironmentVariableW(TEXT("CORVANE_CHILD_LOG"), NULL);

    EXPECT_EQ(1u, Run.ExitCode);
    ASSERT_EQ(1, Run.BoxCount);
    EXPECT_STREQ(TEXT("Critical Error At Startup"), Run.FirstBox.Title); // no configuration yet
    EXPECT_STREQ(TEXT("Unguarded failure\r\n\r\n"), Run.FirstBox.Text);
    TArray<FString> Lines = ReadLogLines(*LogFile);
    ASSERT_EQ(5, Lines.Num()); // never closed, yet complete
    EXPECT_STREQ(TEXT("Log: Before the error"), *Lines(1));
    EXPECT_STREQ(TEXT("Critical: appError called:"), *Lines(2));
    EXPECT_STREQ(TEXT("Critical: Unguarded failure"), *Lines(3));
    EXPECT_EQ(0, Lines(4).InStr(TEXT("Critical: Windows GetLastError: ")));
}
