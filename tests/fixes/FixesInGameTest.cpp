// A run of the staged game with both fixes on, driven by a command file: the hooks are
// installed and the game's scripts reach the replaced natives.
#include "StagedGame.h"
#include "FFreeSaveSpaceFix.h"

TEST(FixesInGame, BothFixesServeTheGamesScripts)
{
    CORVANE_SKIP_WITHOUT_WINDOWS();
    FStagedGame Game;
    Game.Configure("[Corvane]\r\nSubtitleFix=True\r\nGUIScalingFix=2\r\n");
    Game.Write(TEXT("Run.txt"), "wait 0.2\r\nstatus\r\nconversation\r\nsavemenu\r\nexit\r\n");
    FWatchedRun Run = Game.Run(TEXT(" EXEC=Run.txt"));
    ULARGE_INTEGER Free; // the run writes files too: compared within 1 %
    ASSERT_TRUE(GetDiskFreeSpaceExW(*Game.Mirror(), &Free, NULL, NULL));
    EXPECT_EQ(0u, Run.ExitCode);
    EXPECT_EQ(0, Run.BoxCount) << Run.FirstBox.Text;

    TArray<FString> Lines = Game.Log();
    EXPECT_TRUE(LinesInOrder(Lines, {
        TEXT("Log: Installing hook 'Free save space fix'."),
        TEXT("Log: Installing hook 'Widescreen subtitle fix'."),
        TEXT("Log: Installing hook 'GUI scaling fix'."),
        TEXT("Log: Status: GUI Multipliers=2x2 Root=512.0x384.0 Clip=512.0x384.0"), // a 1024x768 window
        TEXT("Log: Window: created Name=ConWindowActive20 Class=Corvane.ConWindowActive2 Parent=VeltraRoot0 Visible=1"),
        TEXT("Log: Window: created Name=SaveMenu0 Class=Veltra.SaveMenu"),
        TEXT("Log: SaveMenu: FreeSpace="),
    }));
    INT KiloBytes = -1;
    INT At = FindLineFrom(Lines, TEXT("Log: SaveMenu: FreeSpace="));
    ASSERT_LE(0, At);
    Parse(*Lines(At), TEXT("FreeSpace="), KiloBytes);
    const DOUBLE Expected = DOUBLE(FreeKiloBytes(Free.QuadPart));
    EXPECT_LT(0, KiloBytes);
    EXPECT_NEAR(Expected, DOUBLE(KiloBytes), Expected / 100.0);
}
