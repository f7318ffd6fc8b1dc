// RawMouseEvents.h: a raw mouse record as the engine's input events.
#pragma once
#include "Core.h"

struct FRawMouseEvent
{
    INT Key;    // EInputKey
    INT Action; // EInputAction
    FLOAT Value;
};

// The events of one record, in this order: X motion (key 228, axis), Y motion (key 229,
// axis, screen down negative), the fourth button (key 5), the fifth (key 6); a zero motion
// sends nothing, and a record with both press and release of a button sends the release.
// BytesRead is GetRawInputData's result: a record that was not read whole, or a record of
// another device, sends nothing, so a failed read never replays an older record.
// Returns the number of events written to Out.
INT RawMouseEvents(const RAWINPUT& Record, UINT BytesRead, FRawMouseEvent Out[4]);
