// A player at the real windows of the staged game, with real mouse and keyboard input: the
// first run's dialogs, a change in Configuration, and a mod chosen in Data Directories after
// those looks at Configuration, all in effect in the game that Play starts.
#include "PlayerInput.h"
#include "Resource.h"
#include "StagedGame.h"

namespace
{
// Replaces the number in an edit field as a player does: click, clear, type.
void TypeInto(HWND Dialog, INT Id, const TCHAR* Text)
{
    ClickOn(Dialog, Id);
    PressKey(VK_END);
    for (INT i = 0; i < 10; i++)
        PressKey(VK_BACK);
    Type(Text);
}
} // namespace

TEST(PlayerRun, FirstRunConfiguresThenTheLauncherStartsTheGameWithTheChangesAndTheMod)
{
    CORVANE_SKIP_WITHOUT_WINDOWS();
    FStagedGame Game;
    Game.Write(TEXT("Play.txt"), "status\r\nexit\r\n");
    // Without -skipdialog: every dialog is the test's to play.
    FWatchedProcess Run(Game.System(TEXT("Corvane.exe")), TEXT(" EXEC=Play.txt"), *Game.System(), 0);
    auto Dialog = [&](const TCHAR* Title) { return Run.WaitForWindow(TEXT("#32770"), Title); };
    // The first run asks for the configuration before anything else.
    HWND Config = Dialog(TEXT("Configuration"));
    ASSERT_TRUE(Config);
    EXPECT_FALSE(FindProcessWindow(Run.Id(), TEXT("#32770"), TEXT("Corvane Launcher"), true));
    ClickOn(Config, IDOK);
    HWND Launcher = Dialog(TEXT("Corvane Launcher"));
    ASSERT_TRUE(Launcher);
    ClickOn(Launcher, IDC_LAUNCHER_CONFIGURE);
    ASSERT_TRUE(Config = Dialog(TEXT("Configuration")));
    ClickOn(Config, IDC_CONFIG_CUSTOMSIZE);
    TypeInto(Config, IDC_CONFIG_CUSTOMWIDTH, TEXT("800"));
    TypeInto(Config, IDC_CONFIG_CUSTOMHEIGHT, TEXT("600"));
    ClickOn(Config, IDC_CONFIG_FOVCUSTOM);
    TypeInto(Config, IDC_CONFIG_CUSTOMFOV, TEXT("100"));
    ClickOn(Config, IDOK);
    ASSERT_EQ(Launcher, Dialog(TEXT("Corvane Launcher")));
    // Configuration's renderer list has read every text file of the game before the mod is chosen.
    ClickOn(Launcher, IDC_LAUNCHER_DATADIRS);
    HWND Folders = Dialog(TEXT("Data Directories"));
    ASSERT_TRUE(Folders);
    // The tree has the focus: the mod's name selects it, the space key checks it; then up to the top.
    Type(TEXT("MyMod"));
    Sleep(1500); // so that the space starts no new search
    PressKey(VK_SPACE);
    HWND MoveUp = GetDlgItem(Folders, IDC_DATADIRECTORIES_MOVEUP);
    for (INT i = 0; i < 8 && IsWindowEnabled(MoveUp); i++)
        ClickOn(Folders, IDC_DATADIRECTORIES_MOVEUP);
    ClickOn(Folders, IDOK);
    ASSERT_EQ(Launcher, Dialog(TEXT("Corvane Launcher")));
    ClickOn(Launcher, IDC_LAUNCHER_PLAY);

    EXPECT_EQ(0u, Run.Wait().ExitCode);
    // The mod's packages are searched first and its .int overrides the game's title.
    EXPECT_TRUE(LinesInOrder(Game.Log(), {TEXT("Log: Init: Path[0]=..\\MyMod\\System\\*.u"), TEXT("Log: Status: Title Veltra: MyMod"),
                                          TEXT("Log: Status: FOV Desired=100.000 Default=100.000"), TEXT("Log: Status: Viewport 800x600 Windowed")}));
    INT Line;
    EXPECT_TRUE(ReadLogLines(*Game.Mirror(TEXT("Corvane.ini"))).FindItem(TEXT("FirstRun=1100"), Line));
}
