// Tests of the main loop's frame-rate caps.
#include "FrameGate.h"
#include "TestSupport.h"
#include <cmath>

// Open: the gate lets a tick through; Soon: it is closed but opens within a millisecond.
TEST(FrameGate, OpensOnceBothCapsHavePassed)
{
    const auto Below = [](FLOAT Bound) { return std::nextafter(Bound, 0.f); };
    const struct
    {
        FLOAT Delta, FPSLimit, MaxTickRate;
        bool Open, Soon;
    } Cases[] = {
        {1.f / 60.f, 60.f, 0.f, true, false}, // 0.016666668 in single precision
        {Below(1.f / 60.f), 60.f, 0.f, false, true},
        {0.f, 0.f, 0.f, true, false},         // no cap: every iteration ticks
        {1.f / 100.f, 200.f, 100.f, true, false},
        {Below(1.f / 100.f), 200.f, 100.f, false, true}, // the lower cap holds
        {1.f / 200.f, 100.f, 200.f, false, false},
        {0.f, -60.f, 0.f, true, false},       // a negative cap caps nothing
        {0.f, 0.f, -1.f, true, false},
        {0.f, 2000.f, 0.f, false, true},      // ticks always that close
    };
    for (const auto& Case : Cases)
    {
        EXPECT_EQ(Case.Open, FrameGateOpen(Case.Delta, Case.FPSLimit, Case.MaxTickRate))
            << Case.Delta << " at " << Case.FPSLimit << "/" << Case.MaxTickRate;
        EXPECT_EQ(Case.Soon, FrameGateOpensWithin(Case.Delta, 0.001f, Case.FPSLimit, Case.MaxTickRate))
            << Case.Delta << " at " << Case.FPSLimit << "/" << Case.MaxTickRate;
    }
}
