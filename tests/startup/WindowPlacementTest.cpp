// Tests of the game window's placement and frame decisions.
#include "WindowPlacement.h"
#include "TestSupport.h"

TEST(WindowPlacement, CentresOnTheWholeMonitorRoundingTowardZeroAndDropsTheFrame)
{
    const struct { RECT Monitor; INT Width, Height; LONG X, Y; } Cases[] = {
        {{0, 0, 1920, 1080}, 1285, 748, 317, 166},
        {{-1280, -1024, 0, 0}, 1001, 1001, -1140, -1012}, // left of and above the primary monitor
        {{0, 0, 1280, 1024}, 1600, 1200, -160, -88},      // bigger than the monitor
    };
    for (const auto& Case : Cases)
    {
        POINT Origin = CenteredOrigin(Case.Monitor, Case.Width, Case.Height);
        EXPECT_TRUE(Origin.x == Case.X && Origin.y == Case.Y) << Case.Monitor.left << ": " << Origin.x << "," << Origin.y;
    }
    // Borderless takes the caption and the sizing frame, and only them.
    const LONG Framed = WS_OVERLAPPEDWINDOW | WS_VISIBLE, Bare = WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_VISIBLE;
    EXPECT_TRUE(FramedStyle(Framed, true) == Bare && FramedStyle(Bare, false) == Framed);
}
