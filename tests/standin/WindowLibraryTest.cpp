// Tests of the window library: the log window and the property windows, as real windows.
#include "TestFiles.h"
#include "Engine.h"
#include "Window.h"

namespace
{
class FTakeAll : public FExec
{
public:
    TArray<FString> Commands;
    UBOOL Exec(const TCHAR* Cmd, FOutputDevice& Ar) override
    {
        Commands.AddItem(FString(Cmd));
        Ar.Logf(TEXT("did %s"), Cmd);
        return 1;
    }
};

class FDestroyWatch : public FNotifyHook
{
public:
    TArray<void*> Destroyed;
    void NotifyDestroy(void* Src) override { Destroyed.AddItem(Src); }
};

class WindowLibrary : public FTempFolderTest
{
protected:
    WindowLibrary() { InitWindowing(); }
    ~WindowLibrary() override { UObject::StaticExit(); }
};
} // namespace

TEST_F(WindowLibrary, TheLogWindowShowsTheLogAndRunsTypedCommands)
{
    CORVANE_SKIP_WITHOUT_WINDOWS();
    FArchive* LogAr = NULL;
    WLog* Log = new WLog(TEXT("Game.log"), LogAr, FName(TEXT("GameLog")));
    Log->OpenWindow(0, 0);
    ASSERT_TRUE(Log->hWnd);
    EXPECT_FALSE(IsWindowVisible(Log->hWnd));
    ASSERT_EQ(static_cast<FOutputDevice*>(Log), GLogHook);
    GLogHook->Serialize(TEXT("through the hook"), NAME_Log);
    Log->Log(NAME_Console, TEXT("Starting the game."));

    FTakeAll Target;
    Log->SetExec(&Target);
    SetWindowTextW(Log->CommandLine.hWnd, TEXT("status"));
    SendMessageW(Log->CommandLine.hWnd, WM_CHAR, '\r', 0);
    ASSERT_EQ(1, Target.Commands.Num());
    EXPECT_EQ(FString(TEXT("status")), Target.Commands(0));
    EXPECT_EQ(FString(), Log->CommandLine.GetText());
    EXPECT_EQ(FString(TEXT("Log: through the hook\r\nConsole: Starting the game.\r\nConsole: > status\r\nLog: did status\r\n")),
              Log->Display.GetText());
    delete Log;
    EXPECT_EQ(NULL, GLogHook);
}

TEST_F(WindowLibrary, PropertyWindowsListTheirObjectsAndTellTheirEnd)
{
    CORVANE_SKIP_WITHOUT_WINDOWS();
    ULevel* Level = ConstructObject<ULevel>(ULevel::StaticClass());
    AActor* Actor = Level->SpawnActor(AProp::StaticClass(), FVector(1.f, 2.f, 3.f));
    WObjectProperties* Properties =
        new WObjectProperties(FName(TEXT("EditActor")), 0, TEXT(""), NULL, 1);
    Properties->OpenWindow(NULL);
    Properties->Root.SetObjects(reinterpret_cast<UObject**>(&Actor), 1);
    auto Listed = [&] {
        TArray<FString> Lines;
        INT Count = INT(SendMessageW(Properties->List, LB_GETCOUNT, 0, 0));
        for (INT i = 0; i < Count; i++)
        {
            TCHAR Line[256];
            SendMessageW(Properties->List, LB_GETTEXT, i, reinterpret_cast<LPARAM>(Line));
            Lines.AddItem(FString(Line));
        }
        return Lines;
    };
    TArray<FString> Lines = Listed();
    ASSERT_LE(3, Lines.Num());
    EXPECT_EQ(FString(TEXT("[Prop Transient.Level0.Prop0]")), Lines(0));
    INT Index;
    EXPECT_TRUE(Lines.FindItem(FString(TEXT("  Location=(X=1.00,Y=2.00,Z=3.00)")), Index));
    Actor->Location = FVector(4.f, 5.f, 6.f);
    Properties->ForceRefresh();
    EXPECT_TRUE(Listed().FindItem(FString(TEXT("  Location=(X=4.00,Y=5.00,Z=6.00)")), Index));

    // Closing a window destroys it and tells its hook; the library deletes the object.
    FDestroyWatch Watch;
    WConfigProperties* Preferences = new WConfigProperties(FName(TEXT("Preferences")), TEXT("Advanced Options"));
    Preferences->SetNotifyHook(&Watch);
    Preferences->OpenWindow(NULL);
    ASSERT_TRUE(Preferences->hWnd);
    INT Live = GTestMalloc.LiveAllocations;
    SendMessageW(Preferences->hWnd, WM_CLOSE, 0, 0);
    ASSERT_EQ(1, Watch.Destroyed.Num());
    EXPECT_EQ(static_cast<void*>(Preferences), Watch.Destroyed(0));
    EXPECT_GT(Live, GTestMalloc.LiveAllocations);
}
