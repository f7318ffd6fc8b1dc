// Tests of the translation of raw mouse records into engine input events.
#include "RawMouseEvents.h"
#include "TestSupport.h"
#include <string>
#include <vector>

namespace
{
std::string EventsOf(const RAWINPUT& Record, UINT BytesRead)
{
    FRawMouseEvent Out[4];
    const INT Count = RawMouseEvents(Record, BytesRead, Out);
    std::string Events;
    for (INT i = 0; i < Count; i++)
    {
        char Event[32];
        snprintf(Event, sizeof(Event), "%d/%d/%.1f ", Out[i].Key, Out[i].Action, double(Out[i].Value));
        Events += Event;
    }
    return Events;
}
} // namespace

TEST(RawMouseEvents, SendsMotionThenButtonsOfWholeMouseRecordsOnly)
{
    const UINT Whole = sizeof(RAWINPUTHEADER) + sizeof(RAWMOUSE);
    const struct { LONG X, Y; USHORT Flags; UINT BytesRead; DWORD Type; const char* Events; /* key/action/value each */ } Cases[] = {
        {5, -3, 0, Whole, RIM_TYPEMOUSE, "228/4/5.0 229/4/3.0 "},
        {0, 0, 0x00C0, Whole, RIM_TYPEMOUSE, "5/3/0.0 "},   // press and release: the release
        {0, 0, 0x0300, Whole, RIM_TYPEMOUSE, "6/3/0.0 "},
        {-7, 0, 0x0140, Whole, RIM_TYPEMOUSE, "228/4/-7.0 5/1/0.0 6/1/0.0 "},
        {0, 2, 0x0480, Whole, RIM_TYPEMOUSE, "229/4/-2.0 5/3/0.0 "}, // the wheel is not ours
        {0, 0, 0, Whole, RIM_TYPEMOUSE, ""},
        {5, -3, 0x0040, Whole - 1, RIM_TYPEMOUSE, ""},     // a short read
        {5, -3, 0x0040, UINT(-1), RIM_TYPEMOUSE, ""},      // GetRawInputData failed
        {5, -3, 0x0040, Whole, RIM_TYPEKEYBOARD, ""},
    };
    for (const auto& Case : Cases)
    {
        RAWINPUT Record = {};
        Record.header.dwType = Case.Type;
        Record.data.mouse.lLastX = Case.X;
        Record.data.mouse.lLastY = Case.Y;
        Record.data.mouse.usButtonFlags = Case.Flags;
        EXPECT_EQ(Case.Events, EventsOf(Record, Case.BytesRead)) << Case.X << "," << Case.Y << " flags " << Case.Flags;
    }
}

// What GetRawInputBuffer writes: records on 8-byte boundaries, a mouse's data at the end of its
// record, after the program's own header or the 64-bit one (a 32-bit program under 64-bit
// Windows); a record cut short ends the walk rather than being read past the bytes written.
TEST(RawMouseEvents, BufferedRecordsSendTheirEventsInOrder)
{
    const UINT Own = sizeof(RAWINPUTHEADER), Wide = 24, Mouse = sizeof(RAWMOUSE);
    struct FBlock
    {
        DWORD Type;
        UINT Size;
        LONG X, Y;
        USHORT Flags;
    };
    const struct
    {
        std::vector<FBlock> Blocks;
        UINT Records;
        const char* Events;
        UINT Cut = 0; // bytes of the last record that were not written
    } Cases[] = {
        {{{RIM_TYPEMOUSE, Own + Mouse, 5, -3, 0}, {RIM_TYPEMOUSE, Wide + Mouse, 0, 0, 0x00C0}}, 2,
         "228/4/5.0 229/4/3.0 5/3/0.0 "},
        {{{RIM_TYPEMOUSE, Wide + Mouse, 1, 0, 0}, {RIM_TYPEKEYBOARD, Own + sizeof(RAWKEYBOARD), 0, 0, 0},
          {RIM_TYPEMOUSE, Own + Mouse + 4, 7, 7, 0}, {RIM_TYPEMOUSE, Own + Mouse, 0, 2, 0}}, 4,
         "228/4/1.0 229/4/-2.0 "}, // other devices and sizes are stepped over
        {{{RIM_TYPEMOUSE, Own + Mouse, 1, 0, 0}, {RIM_TYPEMOUSE, Own + Mouse, 2, 0, 0}}, 1, "228/4/1.0 "},
        {{{RIM_TYPEMOUSE, Own + Mouse, 1, 0, 0}, {RIM_TYPEMOUSE, Own + Mouse, 2, 0, 0}}, 2, "228/4/1.0 ", 8},
    };
    for (const auto& Case : Cases)
    {
        std::vector<BYTE> Buffer;
        for (const FBlock& Block : Case.Blocks)
        {
            const size_t At = Buffer.size();
            Buffer.resize(At + (Block.Size + 7) / 8 * 8);
            memcpy(&Buffer[At], &Block.Type, sizeof(DWORD));
            memcpy(&Buffer[At + sizeof(DWORD)], &Block.Size, sizeof(DWORD));
            RAWMOUSE Data = {};
            Data.lLastX = Block.X;
            Data.lLastY = Block.Y;
            Data.usButtonFlags = Block.Flags;
            if (Block.Size >= Own + Mouse)
                memcpy(&Buffer[At + Block.Size - Mouse], &Data, Mouse);
        }
        Buffer.resize(Buffer.size() - Case.Cut);
        std::string Events;
        RAWINPUT Record;
        UINT Offset = 0, BytesRead;
        for (UINT i = 0; i < Case.Records && NextBufferedRecord(Buffer.data(), UINT(Buffer.size()), Offset, Record, BytesRead); i++)
            Events += EventsOf(Record, BytesRead);
        EXPECT_EQ(Case.Events, Events) << Case.Blocks.size() << " blocks, first " << Case.Blocks[0].Size;
    }
}
