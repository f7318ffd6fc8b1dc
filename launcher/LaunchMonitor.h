// LaunchMonitor.h: which monitor the game opens on, chosen from where the launcher stands.
#pragma once
#include <windows.h>

struct FMonitorArea
{
    HMONITOR Monitor;
    RECT Area; // the monitor's full rectangle in virtual-screen coordinates
};

// The monitor that holds the largest part of Window; when no monitor holds any of it, the
// one nearest to it. The first wins a tie; NULL when there are no monitors.
HMONITOR ChooseLaunchMonitor(const RECT& Window, const FMonitorArea* Monitors, int Count);

// The monitor for the window on this system's monitors (at most 16 are looked at; with none,
// the system's nearest).
HMONITOR FindLaunchMonitor(HWND Window);
