// RawMouseEvents.cpp: raw mouse motion and the side buttons as engine input events.
#include "RawMouseEvents.h"
#include "InputKeys.h"

namespace
{
// Press unless the record also reports the release, which then wins.
bool ButtonEvent(USHORT Flags, USHORT Down, USHORT Up, EInputKey Key, FRawMouseEvent& Out)
{
    if (!(Flags & (Down | Up)))
        return false;
    Out = {Key, (Flags & Up) ? IST_Release : IST_Press, 0.f};
    return true;
}
} // namespace

INT RawMouseEvents(const RAWINPUT& Record, UINT BytesRead, FRawMouseEvent Out[4])
{
    if (BytesRead != offsetof(RAWINPUT, data) + sizeof(RAWMOUSE) || Record.header.dwType != RIM_TYPEMOUSE)
        return 0;
    const RAWMOUSE& Mouse = Record.data.mouse;
    INT Count = 0;
    if (Mouse.lLastX != 0)
        Out[Count++] = {IK_MouseX, IST_Axis, FLOAT(Mouse.lLastX)};
    if (Mouse.lLastY != 0)
        Out[Count++] = {IK_MouseY, IST_Axis, -FLOAT(Mouse.lLastY)};
    Count += ButtonEvent(Mouse.usButtonFlags, RI_MOUSE_BUTTON_4_DOWN, RI_MOUSE_BUTTON_4_UP, IK_MouseButton4, Out[Count]);
    Count += ButtonEvent(Mouse.usButtonFlags, RI_MOUSE_BUTTON_5_DOWN, RI_MOUSE_BUTTON_5_UP, IK_MouseButton5, Out[Count]);
    return Count;
}
