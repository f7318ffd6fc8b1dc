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
    // The settings, and which of the three entries are replaced ('1').
    const struct { const TCHAR* SubtitleFix; const TCHAR* GUIScalingFix; const char* Replaced; } Cases[] = {
        {NULL, NULL, "100"}, {TEXT("False"), TEXT("0"), "100"}, {TEXT("True"), TEXT("2"), "111"}, {TEXT("False"), TEXT("-1"), "101"},
    };
    for (const auto& Case : Cases)
    {
        SetFixes(Case.SubtitleFix, Case.GUIScalingFix);
        SCOPED_TRACE(&Case - Cases); // the row
        const Native Before[3] = {GNatives[Numbers[0]], GNatives[Numbers[1]], GNatives[Numbers[2]]};
        auto Changed = [&] {
            std::string Entries;
            for (INT i = 0; i < 3; i++)
                Entries += GNatives[Numbers[i]] != Before[i] ? '1' : '0';
            return Entries;
        };
        std::vector<std::string> Lines;
        for (INT i = 0; i < 3; i++)
            if (Case.Replaced[i] == '1')
                Lines.push_back(std::string("Installing hook '") + Names[i] + "'.");
        GTestLog.Clear();
        {
            FHookRegistry Registry;
            EXPECT_EQ(Lines, Narrow(GTestLog.Lines));
            EXPECT_EQ(Case.Replaced, Changed());
            if (Case.Replaced[2] == '0')
                EXPECT_THROW(Registry.FindHook(1050), std::out_of_range);
            else // the scale as configured, negative included
                EXPECT_EQ(appAtoi(Case.GUIScalingFix), static_cast<FGUIScalingFix*>(Registry.FindHook(1050))->Scale);
        }
        EXPECT_EQ(NULL, GHookRegistry);
        EXPECT_EQ("000", Changed());
    }
}
