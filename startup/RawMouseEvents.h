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

// Takes the record at Offset of the Bytes that GetRawInputBuffer wrote to Buffer into Record,
// with what RawMouseEvents needs as its read size, and moves Offset to the next record (each
// starts on an 8-byte boundary). A mouse record's data are its last bytes: a 32-bit program
// under 64-bit Windows gets its records with the 64-bit header. Records of other devices or
// sizes come with a read size of 0, so they send nothing. False, with Offset unchanged, when
// no whole record starts at Offset.
bool NextBufferedRecord(const BYTE* Buffer, UINT Bytes, UINT& Offset, RAWINPUT& Record, UINT& BytesRead);
