// Tests of the hook registry: which hooks the settings install, their log lines, and the
// table of natives put back as it was. A game run with both fixes on is checked end to end
// in tests/startup/CorvaneExeTest.cpp.
#include "FixesTestSupport.h"
#include "FGUIScalingFix.h"
#include <stdexcept>

TEST_F(FixesTest, SettingsChooseTheHooksAndTheTableIsRestoredAfterwards)
{
    const INT Numbers[] = {3093, 1410, 1050}; // in the order they are installed
    const char* Names[] = {"Free save space fix", "Widescreen subtitle fix", "GUI scaling fix"};
    const struct { const TCHAR* SubtitleFix; const TCHAR* GUIScalingFix; bool Replaced[3]; } Cases[] = {
        {NULL, NULL, {true, false, false}}, {TEXT("False"), TEXT("0"), {true, false, false}},
        {TEXT("True"), TEXT("2"), {true, true, true}}, {TEXT("False"), TEXT("-1"), {true, false, true}},
    };
    for (const auto& Case : Cases)
    {
        SetFixes(Case.SubtitleFix, Case.GUIScalingFix);
        SCOPED_TRACE(&Case - Cases); // the row
        Native Before[3];
        std::vector<std::string> Lines;
        for (INT i = 0; i < 3; i++)
        {
            Before[i] = GNatives[Numbers[i]];
            if (Case.Replaced[i])
                Lines.push_back(std::string("Installing hook '") + Names[i] + "'.");
        }
        GTestLog.Clear();
        {
            FHookRegistry Registry;
            EXPECT_EQ(&Registry, GHookRegistry);
            EXPECT_EQ(Lines, Narrow(GTestLog.Lines));
            for (INT i = 0; i < 3; i++)
            {
                EXPECT_EQ(Case.Replaced[i], GNatives[Numbers[i]] != Before[i]) << Numbers[i];
                if (!Case.Replaced[i])
                {
                    EXPECT_THROW(Registry.FindHook(Numbers[i]), std::out_of_range);
                }
            }
            if (Case.Replaced[2]) // the scale as configured, negative included
            {
                EXPECT_EQ(appAtoi(Case.GUIScalingFix), static_cast<FGUIScalingFix*>(Registry.FindHook(1050))->Scale);
            }
        }
        EXPECT_EQ(NULL, GHookRegistry);
        for (INT i = 0; i < 3; i++)
            EXPECT_TRUE(GNatives[Numbers[i]] == Before[i]) << Numbers[i];
    }
}
