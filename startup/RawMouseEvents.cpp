// RawMouseEvents.cpp: raw mouse motion and the side buttons as engine input events.
#include "RawMouseEvents.h"
#include "InputKeys.h"

namespace
{
const UINT WholeMouseRecord = offsetof(RAWINPUT, data) + sizeof(RAWMOUSE);
const UINT WideHeader = 24; // the header of a 64-bit program, whose handles take 8 bytes

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
    if (BytesRead != WholeMouseRecord || Record.header.dwType != RIM_TYPEMOUSE)
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

bool NextBufferedRecord(const BYTE* Buffer, UINT Bytes, UINT& Offset, RAWINPUT& Record, UINT& BytesRead)
{
    DWORD Type, Size;
    if (Offset > Bytes || Bytes - Offset < sizeof(Type) + sizeof(Size))
        return false;
    memcpy(&Type, Buffer + Offset, sizeof(Type));
    memcpy(&Size, Buffer + Offset + sizeof(Type), sizeof(Size));
    if (Size < sizeof(RAWINPUTHEADER) || Size > Bytes - Offset)
        return false;
    Record = {};
    Record.header.dwType = Type;
    BytesRead = 0;
    if (Type == RIM_TYPEMOUSE && (Size == WholeMouseRecord || Size == WideHeader + sizeof(RAWMOUSE)))
    {
        memcpy(&Record.data.mouse, Buffer + Offset + Size - sizeof(RAWMOUSE), sizeof(RAWMOUSE));
        BytesRead = WholeMouseRecord;
    }
    Offset += (Size + 7) & ~7u;
    return true;
}
