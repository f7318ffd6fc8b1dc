// Tests of the automatic field of view and its console command.
#include "FieldOfView.h"
#include "TestSupport.h"

TEST(FieldOfView, KeepsTheVerticalExtentOfAFourToThreePictureInACommandThatFits)
{
    // The command made, or "none:" and what the buffer holds when none was made.
    const struct { FLOAT Desired; DWORD Width, Height; const TCHAR* Command; } Cases[] = {
        {75.f, 1024, 768, TEXT("fov 75.000")}, // 4:3 keeps the player's angle
        {75.f, 2560, 1080, TEXT("fov 107.512")},
        {75.f, 1280, 1024, TEXT("fov 71.460")}, // narrower than 4:3: a smaller angle
        {1.f, 640, 480, TEXT("fov  1.000")},    // at least six characters
        {75.f, 0, 768, TEXT("fov 75.000")},     // no area: the angle stays
        {999.999f, 0, 0, TEXT("fov 999.999")},  // eleven characters and the end
        {1000.f, 0, 0, TEXT("none:")},          // too long: no command
        {NAN, 0, 0, TEXT("none:")},
    };
    for (const auto& Case : Cases)
    {
        TCHAR Command[12] = TEXT("garbage");
        const bool Made = FormatFOVCommand(AutoFieldOfView(Case.Desired, Case.Width, Case.Height), Command);
        EXPECT_STREQ(Case.Command, *(FString(Made ? TEXT("") : TEXT("none:")) + Command)) << Case.Desired << " at " << Case.Width;
    }
}
