// LaunchMonitor.cpp: the launcher's monitor, so that the game window opens where the player
// was looking.
#include "LaunchMonitor.h"
#include <algorithm>

namespace
{
LONGLONG OverlapArea(const RECT& A, const RECT& B)
{
    LONGLONG Width = LONGLONG(std::min(A.right, B.right)) - std::max(A.left, B.left);
    LONGLONG Height = LONGLONG(std::min(A.bottom, B.bottom)) - std::max(A.top, B.top);
    return Width > 0 && Height > 0 ? Width * Height : 0;
}

// Squared distance between two rectangles that do not overlap (0 when they touch).
LONGLONG GapSquared(const RECT& A, const RECT& B)
{
    LONGLONG Dx = std::max({0LL, LONGLONG(B.left) - A.right, LONGLONG(A.left) - B.right});
    LONGLONG Dy = std::max({0LL, LONGLONG(B.top) - A.bottom, LONGLONG(A.top) - B.bottom});
    return Dx * Dx + Dy * Dy;
}

struct FMonitorList
{
    FMonitorArea Items[16];
    int Count = 0;
};

BOOL CALLBACK AddMonitor(HMONITOR Monitor, HDC, LPRECT Area, LPARAM Param)
{
    FMonitorList& List = *reinterpret_cast<FMonitorList*>(Param);
    if (List.Count == int(sizeof(List.Items) / sizeof(List.Items[0])))
        return FALSE;
    List.Items[List.Count++] = {Monitor, *Area};
    return TRUE;
}
} // namespace

HMONITOR ChooseLaunchMonitor(const RECT& Window, const FMonitorArea* Monitors, int Count)
{
    HMONITOR Best = NULL;
    LONGLONG BestOverlap = 0;
    for (int i = 0; i < Count; i++)
    {
        LONGLONG Overlap = OverlapArea(Window, Monitors[i].Area);
        if (Overlap > BestOverlap)
            Best = Monitors[i].Monitor, BestOverlap = Overlap;
    }
    if (Best)
        return Best;
    LONGLONG BestGap = 0;
    for (int i = 0; i < Count; i++)
    {
        LONGLONG Gap = GapSquared(Window, Monitors[i].Area);
        if (!Best || Gap < BestGap)
            Best = Monitors[i].Monitor, BestGap = Gap;
    }
    return Best;
}

HMONITOR FindLaunchMonitor(HWND Window)
{
    FMonitorList List;
    RECT Area;
    EnumDisplayMonitors(NULL, NULL, AddMonitor, reinterpret_cast<LPARAM>(&List));
    HMONITOR Chosen = GetWindowRect(Window, &Area) ? ChooseLaunchMonitor(Area, List.Items, List.Count) : NULL;
    return Chosen ? Chosen : MonitorFromWindow(Window, MONITOR_DEFAULTTONEAREST);
}
