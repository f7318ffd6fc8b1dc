// Corvane.exe plays a copy of the sample game on the stand-in engine: a real viewport window,
// ticks, the game GUI (its script's natives 1050 and 1410), an EXEC= file, and a clean end.
#include "StagedGame.h"

TEST(SampleGame, PlaysFromAnExecFile)
{
    CORVANE_SKIP_WITHOUT_WINDOWS();
    FStagedGame Game;
    // The program's own window and mouse handling stay out of the engine's way.
    Game.Configure("[Corvane]\r\nRawInput=False\r\nUseAutoFOV=False\r\n");
    Game.Write(TEXT("Run.txt"), "fov 90\r\nstatus\r\nzoom 40\r\nSetRes 1280x960\r\nconversation\r\n"
                                "openwindow Veltra.InfoWindow 0\r\nsavemenu\r\nstatus\r\nwait 0.3\r\nbogus\r\nexit\r\n");

    FWatchedRun Run = Game.Run(TEXT(" -localdata EXEC=Run.txt"));
    EXPECT_EQ(0u, Run.ExitCode);
    EXPECT_EQ(0, Run.BoxCount) << Run.FirstBox.Text;
    TArray<FString> Lines = ReadLogLines(*Game.System(TEXT("Corvane.log")));

    // Each expected line in this order, with others between them.
    EXPECT_TRUE(LinesInOrder(Lines, {
        TEXT("Log: Exec: Run.txt (11 commands)"),
        TEXT("Log: Status: FOV Desired=90.000 Default=90.000"),
        TEXT("Log: Status: GUI Multipliers=1x1 Root=1024.0x768.0 Clip=1024.0x768.0 Cursor=0"),
        TEXT("Log: FOV: Desired=40.000 Default=90.000"),
        TEXT("Log: SetRes: 1280x960 Windowed"),
        TEXT("Log: Window: created Name=ConWindowActive0 Class=Veltra.ConWindowActive Parent=VeltraRoot0 Visible=1"),
        TEXT("Log: Window: created Name=InfoWindow0 Class=Veltra.InfoWindow Parent=VeltraRoot0 Visible=0"),
        TEXT("Log: Window: created Name=SaveMenu0 Class=Veltra.SaveMenu Parent=VeltraRoot0 Visible=1"),
        TEXT("Log: SaveMenu: FreeSpace="), // the program's own native: the real free space
        TEXT("Log: Status: Viewport 1280x960 Windowed Renderer=SoftDrv.SoftwareRenderDevice DetailTextures=1"),
        TEXT("Log: Status: GUI Multipliers=2x2 Root=640.0x480.0 Clip=640.0x480.0 Cursor=1"), // the engine's own scale
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
