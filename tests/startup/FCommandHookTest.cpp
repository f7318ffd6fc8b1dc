// Tests of the program's own console commands, on a small game and real windows.
#include "FCommandHook.h"
#include "TestFiles.h"
#include "TestWorld.h"
#include <vector>

namespace
{
typedef std::pair<HWND, std::vector<HWND>> FOwnedSearch;

BOOL CALLBACK CollectOwned(HWND Window, LPARAM Param)
{
    auto& Search = *reinterpret_cast<FOwnedSearch*>(Param);
    if (GetWindow(Window, GW_OWNER) == Search.first)
        Search.second.push_back(Window);
    return TRUE;
}

std::vector<HWND> WindowsOwnedBy(HWND Owner)
{
    FOwnedSearch Search(Owner, {});
    EnumThreadWindows(GetCurrentThreadId(), &CollectOwned, reinterpret_cast<LPARAM>(&Search));
    return Search.second;
}

HWND TopWindow()
{
    return CreateWindowExW(0, TEXT("STATIC"), TEXT(""), WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 320, 240, NULL, NULL,
                           NULL, NULL);
}

class CommandHook : public FTempFolderTest
{
protected:
    CommandHook()
    {
        Temp.Write(TEXT("Window.int"), "[General]\r\nAdvancedOptionsTitle=Advanced Options\r\n");
        StartConfig(TEXT("System.ini"));
        InitWindowing();
    }
    ~CommandHook() override
    {
        delete GLogWindow;
        GIsClient = SavedClient;
    }
    void OpenLogWindow()
    {
        GLogWindow = new WLog(TEXT("Test.log"), LogAr, FName(TEXT("GameLog")));
        GLogWindow->OpenWindow(0, 0);
    }

    FCommandHook Hook; // outlives the world, whose end closes the windows it hooked
    FTestWorld World;
    FArchive* LogAr = NULL;
    UBOOL SavedClient = GIsClient;
};
} // namespace

TEST_F(CommandHook, AnswersItsCommandsAndReportsWhatIsMissing)
{
    GIsClient = 1;
    AProp::StaticClass(); // a class that no actor has
    const struct
    {
        const TCHAR* Command;
        UBOOL Handled;
        const TCHAR* Messages;
    } Cases[] = {
        {TEXT("ShowLog"), 1, TEXT("")}, // no log window: nothing to show
        {TEXT("HideLog"), 1, TEXT("")},
        {TEXT("TakeFocus"), 1, TEXT("")}, // a viewport without a window
        {TEXT("EditActor"), 1, TEXT("Missing class")},
        {TEXT("EditActor Class=NoSuchClass"), 1, TEXT("Missing class")},
        {TEXT("EditActor Class=Prop"), 1, TEXT("Actor not found")},
        {TEXT("Preferences"), 0, TEXT("")}, // a client's
        {TEXT("ShowLogs"), 0, TEXT("")},
        {TEXT("ToggleFullScreen"), 0, TEXT("")},
    };
    for (const auto& Case : Cases)
    {
        GTestLog.Clear();
        EXPECT_EQ(Case.Handled, Hook.Exec(Case.Command, GTestLog)) << Case.Command;
        FString Messages;
        for (const FString& Line : GTestLog.Lines)
            Messages += Line;
        EXPECT_EQ(FString(Case.Messages), Messages) << Case.Command;
    }
    // Without an engine there is no player to find actors around.
    UObject::StaticExit();
    ConstructObject<ULevel>(ULevel::StaticClass())->SpawnActor(AProp::StaticClass(), FVector());
    EXPECT_TRUE(Hook.Exec(TEXT("EditActor Class=Prop"), GTestLog));
    EXPECT_EQ(FString(TEXT("Missing class")), GTestLog.Lines.Last());
}

TEST_F(CommandHook, ShowsTheLogFocusesTheViewportAndEditsTheNearestActor)
{
    CORVANE_SKIP_WITHOUT_WINDOWS();
    OpenLogWindow();
    EXPECT_TRUE(Hook.Exec(TEXT("ShowLog"), GTestLog));
    EXPECT_TRUE(IsWindowVisible(GLogWindow->hWnd) && IsChild(GLogWindow->hWnd, GetFocus()));
    EXPECT_TRUE(Hook.Exec(TEXT("HideLog"), GTestLog));
    EXPECT_FALSE(IsWindowVisible(GLogWindow->hWnd));

    HWND Viewport = World.Viewport->Window = TopWindow(), Other = TopWindow();
    ASSERT_EQ(Other, GetForegroundWindow());
    EXPECT_TRUE(Hook.Exec(TEXT("TakeFocus"), GTestLog));
    EXPECT_EQ(Viewport, GetForegroundWindow());

    World.Level->SpawnActor(AProp::StaticClass(), FVector(20.f, 0.f, 0.f));
    AActor* Near = World.Level->SpawnActor(AProp::StaticClass(), FVector(0.f, 10.f, 0.f));
    EXPECT_TRUE(Hook.Exec(TEXT("EditActor Class=Engine.Prop"), GTestLog));
    std::vector<HWND> Opened = WindowsOwnedBy(Viewport);
    ASSERT_EQ(1u, Opened.size());
    TCHAR First[256] = {};
    SendMessageW(FindWindowExW(Opened[0], NULL, TEXT("ListBox"), NULL), LB_GETTEXT, 0, reinterpret_cast<LPARAM>(First));
    EXPECT_EQ(FString::Printf(TEXT("[%s]"), Near->GetFullName()), FString(First));
    EXPECT_TRUE(IsWindowVisible(Opened[0]));
    DestroyWindow(Viewport);
    DestroyWindow(Other);
}

TEST_F(CommandHook, KeepsOnePreferencesWindowOnAServerUntilItIsClosed)
{
    CORVANE_SKIP_WITHOUT_WINDOWS();
    GIsClient = 0;
    OpenLogWindow();
    EXPECT_TRUE(Hook.Exec(TEXT("Preferences"), GTestLog));
    WConfigProperties* Window = Hook.PreferencesWindow;
    ASSERT_TRUE(Window && Window->hWnd);
    EXPECT_EQ(FString(TEXT("Advanced Options")), Window->GetText());

    // Again: the same window, shown and focused anew.
    Window->Show(0);
    SetFocus(GLogWindow->hWnd);
    EXPECT_TRUE(Hook.Exec(TEXT("Preferences"), GTestLog));
    EXPECT_EQ(Window, Hook.PreferencesWindow);
    EXPECT_EQ(1u, WindowsOwnedBy(GLogWindow->hWnd).size());
    EXPECT_TRUE(IsWindowVisible(Window->hWnd) && GetFocus() == Window->hWnd);

    // The player closes it: the library destroys it, and the next command makes a new one.
    SendMessageW(Window->hWnd, WM_CLOSE, 0, 0);
    EXPECT_EQ(NULL, Hook.PreferencesWindow);
    EXPECT_TRUE(WindowsOwnedBy(GLogWindow->hWnd).empty());
    EXPECT_TRUE(Hook.Exec(TEXT("Preferences"), GTestLog));
    ASSERT_TRUE(Hook.PreferencesWindow && Hook.PreferencesWindow->hWnd);
    EXPECT_TRUE(IsWindowVisible(Hook.PreferencesWindow->hWnd));
}
