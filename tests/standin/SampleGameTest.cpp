// Corvane.exe plays a copy of the sample game on the stand-in engine: a real viewport window,
// ticks, the game GUI, an EXEC= file, and a clean end.
#include "StagedGame.h"

TEST(SampleGame, PlaysFromAnExecFile)
{
    CORVANE_SKIP_WITHOUT_WINDOWS();
    FStagedGame Game;
    // The player chose the first mod's localization in the data folders dialog; the program's
    // own window and mouse handling stay out of the engine's way.
    Game.Configure("[Corvane]\r\nIntPaths=..\\MyMod\\System\\*.int\r\nRawInput=False\r\nUseAutoFOV=False\r\n");
    Game.Write(TEXT("Run.txt"), "fov 90\r\nstatus\r\nzoom 40\r\nSetRes 800x600\r\nconversation\r\n"
                                "openwindow Veltra.InfoWindow 0\r\nsavemenu\r\nstatus\r\nwait 0.3\r\nbogus\r\nexit\r\n");

    FWatchedRun Run = Game.Run(TEXT(" -localdata EXEC=Run.txt"));
    EXPECT_EQ(0u, Run.ExitCode);
    EXPECT_EQ(0, Run.BoxCount) << Run.FirstBox.Text;
    TArray<FString> Lines = ReadLogLines(*Game.System(TEXT("Corvane.log")));

    // Each expected line in this order, with others between them.
    EXPECT_TRUE(LinesInOrder(Lines, {
        TEXT("Log: Init: Path[5]=..\\Rivers\\System\\*.u"),
        TEXT("Log: Init: Viewport 1024x768 Windowed Renderer=SoftDrv.SoftwareRenderDevice"),
        TEXT("Log: Exec: Run.txt (11 commands)"),
        TEXT("Log: Status: Title Veltra: MyMod"), // the mod's Engine.int
        TEXT("Log: Status: FOV Desired=90.000 Default=90.000"),
        TEXT("Log: Status: GUI Multipliers=1x1 Root=1024.0x768.0 Clip=1024.0x768.0 Cursor=0"),
        TEXT("Log: FOV: Desired=40.000 Default=90.000"),
        TEXT("Log: SetRes: 800x600 Windowed"),
        TEXT("Log: Window: created Name=ConWindowActive0 Class=Veltra.ConWindowActive Parent=VeltraRoot0 Visible=1"),
        TEXT("Log: Window: created Name=InfoWindow0 Class=Veltra.InfoWindow Parent=VeltraRoot0 Visible=0"),
        TEXT("Log: Window: created Name=SaveMenu0 Class=Veltra.SaveMenu Parent=VeltraRoot0 Visible=1"),
        TEXT("Log: SaveMenu: FreeSpace="), // the program's own native: the real free space
        TEXT("Log: Status: Viewport 800x600 Windowed Renderer=SoftDrv.SoftwareRenderDevice DetailTextures=1"),
        TEXT("Log: Status: GUI Multipliers=1x1 Root=800.0x600.0 Clip=800.0x600.0 Cursor=1"),
        TEXT("Log: Status: GUI Window ConWindowActive0 Class=Veltra.ConWindowActive Size=600.0x80.0 Visible=1"),
        TEXT("Log: Exec: command not recognized: bogus"),
        TEXT("Log: Exit: requested"),
        TEXT("Log: Log file closed, "),
    }));
    // Frames were drawn between the commands.
    INT Fps = FindLineFrom(Lines, TEXT("Log: Status: FPS "), FindLineFrom(Lines, TEXT("Log: Exec: > savemenu")));
    ASSERT_LE(0, Fps);
    INT Frames = 0;
    EXPECT_TRUE(Parse(*Lines(Fps), TEXT("Frames="), Frames));
    EXPECT_LE(8, Frames);
}
