// Tests of the window library: the log window and the property windows, as real windows.
#include "TestFiles.h"
#include "Engine.h"
#include "Window.h"

namespace
{
// Answers every command it runs in the output it is given.
class FTakeAll : public FExec
{
public:
    UBOOL Exec(const TCHAR* Cmd, FOutputDevice& Ar) override { return Ar.Logf(TEXT("did %s"), Cmd), 1; }
};

class WindowLibrary : public FTempFolderTest
{
protected:
    WindowLibrary() { InitWindowing(); }
    ~WindowLibrary() override { UObject::StaticExit(); }
};
} // namespace

TEST_F(WindowLibrary, TheLogWindowRunsTypedCommandsAndAPropertyWindowShowsChanges)
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
    EXPECT_EQ(FString(), Log->CommandLine.GetText());
    EXPECT_EQ(FString(TEXT("Log: through the hook\r\nConsole: Starting the game.\r\nConsole: > status\r\nLog: did status\r\n")),
              Log->Display.GetText());
    delete Log;
    EXPECT_EQ(NULL, GLogHook);

    ULevel* Level = ConstructObject<ULevel>(ULevel::StaticClass());
    AActor* Actor = Level->SpawnActor(AProp::StaticClass(), FVector(1.f, 2.f, 3.f));
    WObjectProperties* Properties = new WObjectProperties(FName(TEXT("EditActor")), 0, TEXT(""), NULL, 1);
    Properties->OpenWindow(NULL);
    Properties->Root.SetObjects(reinterpret_cast<UObject**>(&Actor), 1);
    Actor->Location = FVector(4.f, 5.f, 6.f);
    Properties->ForceRefresh();
    FString Listed;
    TCHAR Line[256];
    for (INT i = 0; SendMessageW(Properties->List, LB_GETTEXT, i, reinterpret_cast<LPARAM>(Line)) != LB_ERR; i++)
        Listed += FString(Line) + TEXT("\n");
    EXPECT_EQ(0, Listed.InStr(TEXT("[Prop Transient.Level0.Prop0]\n")));
    EXPECT_LT(0, Listed.InStr(TEXT("\n  Location=(X=4.00,Y=5.00,Z=6.00)\n")));
}
