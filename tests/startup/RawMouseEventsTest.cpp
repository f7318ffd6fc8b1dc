// Tests of the translation of raw mouse records into engine input events.
#include "RawMouseEvents.h"
#include "TestSupport.h"
#include <string>
#include <vector>

namespace
{
RAWMOUSE MouseData(LONG X, LONG Y, USHORT Flags)
{
    RAWMOUSE Data = {};
    Data.lLastX = X;
    Data.lLastY = Y;
    Data.usButtonFlags = Flags;
    return Data;
}

// Each event as key/action/value.
std::string EventsOf(const RAWINPUT& Record, UINT BytesRead)
{
    FRawMouseEvent Out[4];
    const INT Count = RawMouseEvents(Record, BytesRead, Out);
    std::string Events;
    for (INT i = 0; i < Count; i++)
        Events += std::to_string(Out[i].Key) + "/" + std::to_string(Out[i].Action) + "/" + std::to_string(INT(Out[i].Value)) + " ";
    return Events;
}
} // namespace

// Records read one at a time, then what GetRawInputBuffer writes: records on 8-byte boundaries,
// a mouse's data at the end of its record, after the program's own header or the 64-bit one
// (a 32-bit program under 64-bit Windows); a record cut short ends the walk rather than being
// read past the bytes written.
TEST(RawMouseEvents, SendMotionThenButtonsOfWholeMouseRecordsOnlyAndBufferedRecordsInOrder)
{
    const UINT Whole = sizeof(RAWINPUTHEADER) + sizeof(RAWMOUSE);
    const struct { LONG X, Y; USHORT Flags; UINT BytesRead; DWORD Type; const char* Events; } Cases[] = {
        {5, -3, 0, Whole, RIM_TYPEMOUSE, "228/4/5 229/4/3 "},
        {0, 0, 0x00C0, Whole, RIM_TYPEMOUSE, "5/3/0 "}, // press and release: the release
        {-7, 2, 0x0740, Whole, RIM_TYPEMOUSE, "228/4/-7 229/4/-2 5/1/0 6/3/0 "}, // the wheel is not ours
        {5, -3, 0x0040, Whole - 1, RIM_TYPEMOUSE, ""}, // a short read
        {5, -3, 0x0040, UINT(-1), RIM_TYPEMOUSE, ""},  // GetRawInputData failed
        {5, -3, 0x0040, Whole, RIM_TYPEKEYBOARD, ""},
    };
    for (const auto& Case : Cases)
    {
        RAWINPUT Record = {};
        Record.header.dwType = Case.Type;
        Record.data.mouse = MouseData(Case.X, Case.Y, Case.Flags);
        EXPECT_EQ(Case.Events, EventsOf(Record, Case.BytesRead)) << Case.X << "," << Case.Y << " flags " << Case.Flags;
    }

    const UINT Own = sizeof(RAWINPUTHEADER), Wide = 24, Mouse = sizeof(RAWMOUSE);
    struct FBlock { DWORD Type, Size; LONG X, Y; USHORT Flags; };
    const struct { std::vector<FBlock> Blocks; const char* Events; UINT Cut; /* bytes of the last record not written */ } Buffered[] = {
        {{{RIM_TYPEMOUSE, Own + Mouse, 5, -3, 0}, {RIM_TYPEMOUSE, Wide + Mouse, 0, 0, 0x00C0}}, "228/4/5 229/4/3 5/3/0 ", 0},
        {{{RIM_TYPEMOUSE, Wide + Mouse, 1, 0, 0}, {RIM_TYPEKEYBOARD, Own + sizeof(RAWKEYBOARD), 0, 0, 0},
          {RIM_TYPEMOUSE, Own + Mouse + 4, 7, 7, 0}, {RIM_TYPEMOUSE, Own + Mouse, 0, 2, 0}},
         "228/4/1 229/4/-2 ", 0}, // other devices and sizes are stepped over
        {{{RIM_TYPEMOUSE, Own + Mouse, 1, 0, 0}, {RIM_TYPEMOUSE, Own + Mouse, 2, 0, 0}}, "228/4/1 ", 8},
    };
    for (const auto& Case : Buffered)
    {
        std::vector<BYTE> Buffer;
        for (const FBlock& Block : Case.Blocks)
        {
            const size_t At = Buffer.size();
            Buffer.resize(At + (Block.Size + 7) / 8 * 8);
            const DWORD Header[2] = {Block.Type, Block.Size};
            const RAWMOUSE Data = MouseData(Block.X, Block.Y, Block.Flags);
            memcpy(&Buffer[At], Header, sizeof(Header));
            if (Block.Size >= Own + Mouse)
                memcpy(&Buffer[At + Block.Size - Mouse], &Data, Mouse);
        }
        Buffer.resize(Buffer.size() - Case.Cut);
        std::string Events;
        RAWINPUT Record;
        UINT Offset = 0, BytesRead;
        for (size_t i = 0; i < Case.Blocks.size() && NextBufferedRecord(Buffer.data(), UINT(Buffer.size()), Offset, Record, BytesRead); i++)
            Events += EventsOf(Record, BytesRead);
        EXPECT_EQ(Case.Events, Events) << Case.Blocks.size() << " blocks, first " << Case.Blocks[0].Size;
    }
}
