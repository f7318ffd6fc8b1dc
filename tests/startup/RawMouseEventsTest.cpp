// Tests of the translation of raw mouse records into engine input events.
#include "RawMouseEvents.h"
#include "TestSupport.h"
#include <string>

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
        FRawMouseEvent Out[4];
        const INT Count = RawMouseEvents(Record, Case.BytesRead, Out);
        std::string Events;
        for (INT i = 0; i < Count; i++)
        {
            char Event[32];
            snprintf(Event, sizeof(Event), "%d/%d/%.1f ", Out[i].Key, Out[i].Action, double(Out[i].Value));
            Events += Event;
        }
        EXPECT_EQ(Case.Events, Events) << Case.X << "," << Case.Y << " flags " << Case.Flags;
    }
}
