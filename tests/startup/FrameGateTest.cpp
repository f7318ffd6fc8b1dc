// Tests of the main loop's frame-rate caps.
#include "FrameGate.h"
#include "TestSupport.h"
#include <cmath>

TEST(FrameGate, OpensOnceBothCapsHavePassed)
{
    const auto Below = [](FLOAT Bound) { return std::nextafter(Bound, 0.f); };
    const struct
    {
        FLOAT Delta, FPSLimit, MaxTickRate;
        bool Open;
    } Cases[] = {
        {1.f / 60.f, 60.f, 0.f, true}, // 0.016666668 in single precision
        {Below(1.f / 60.f), 60.f, 0.f, false},
        {0.f, 0.f, 0.f, true},         // no cap: every iteration ticks
        {1.f / 100.f, 200.f, 100.f, true},
        {Below(1.f / 100.f), 200.f, 100.f, false}, // the lower cap holds
        {1.f / 200.f, 100.f, 200.f, false},
        {0.f, -60.f, 0.f, true},       // a negative cap caps nothing
        {0.f, 0.f, -1.f, true},
    };
    for (const auto& Case : Cases)
        EXPECT_EQ(Case.Open, FrameGateOpen(Case.Delta, Case.FPSLimit, Case.MaxTickRate))
            << Case.Delta << " at " << Case.FPSLimit << "/" << Case.MaxTickRate;
}

TEST(FrameGate, TellsWhenItOpensWithinAMargin)
{
    const struct
    {
        FLOAT Delta, FPSLimit, MaxTickRate;
        bool Soon;
    } Cases[] = {
        {0.016f, 60.f, 0.f, true},
        {0.015f, 60.f, 0.f, false},
        {1.f / 60.f, 60.f, 0.f, false}, // open already
        {0.f, 0.f, 0.f, false},         // no cap: open on every turn
        {0.0095f, 200.f, 100.f, true},  // the lower cap counts
        {0.0045f, 200.f, 100.f, false},
        {0.f, 2000.f, 0.f, true},       // ticks always that close
    };
    for (const auto& Case : Cases)
        EXPECT_EQ(Case.Soon, FrameGateOpensWithin(Case.Delta, 0.001f, Case.FPSLimit, Case.MaxTickRate))
            << Case.Delta << " at " << Case.FPSLimit << "/" << Case.MaxTickRate;
}
