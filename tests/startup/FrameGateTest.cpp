// Tests of the main loop's frame-rate caps.
#include "FrameGate.h"
#include "TestSupport.h"
#include <cmath>

// "open": the gate lets a tick through; "soon": it is shut but opens within a millisecond.
TEST(FrameGate, OpensOnceBothCapsHavePassed)
{
    const auto Below = [](FLOAT Bound) { return std::nextafter(Bound, 0.f); };
    const struct { FLOAT Delta, FPSLimit, MaxTickRate; const char* State; } Cases[] = {
        {1.f / 60.f, 60.f, 0.f, "open"}, // 0.016666668 in single precision
        {Below(1.f / 60.f), 60.f, 0.f, "soon"},
        {0.f, 0.f, 0.f, "open"}, // no cap: every iteration ticks
        {1.f / 100.f, 200.f, 100.f, "open"},
        {Below(1.f / 100.f), 200.f, 100.f, "soon"}, // the lower cap holds
        {0.f, -60.f, 0.f, "open"}, // a negative cap caps nothing
        {0.f, 0.f, -1.f, "open"},
        {0.f, 2000.f, 0.f, "soon"}, // ticks always that close
        {0.f, 60.f, 0.f, "shut"},
    };
    for (const auto& Case : Cases)
    {
        const bool Open = FrameGateOpen(Case.Delta, Case.FPSLimit, Case.MaxTickRate);
        const bool Soon = FrameGateOpensWithin(Case.Delta, 0.001f, Case.FPSLimit, Case.MaxTickRate);
        EXPECT_EQ(std::string(Case.State), Open ? (Soon ? "open and soon" : "open") : (Soon ? "soon" : "shut"))
            << Case.Delta << " at " << Case.FPSLimit << "/" << Case.MaxTickRate;
    }
}
