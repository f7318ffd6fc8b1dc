// FSubtitleFix.h: native 1410, which creates a game-GUI window as a child of the window it is
// called on. The game's conversation window lays subtitles out for a 4:3 picture; this one
// creates the program's own class from the "Corvane" package in its place.
#pragma once
#include "FHook.h"

class UClass;

class FSubtitleFix : public FNativeHook<1410>
{
public:
    FSubtitleFix();

    // The class to create when the script asks for Requested: the replacement for exactly
    // the game's conversation window class, when it can be loaded; Requested otherwise.
    static UClass* ChooseWindowClass(UClass* Requested);
    // Whether a class's full name is that of the game's conversation window, letter case
    // included: a derived or differently named class is the game's own choice.
    static bool IsConversationWindowName(const TCHAR* FullName);
};

// Installs the fix when the boolean Section.SubtitleFix of the system ini is true.
void CreateSubtitleFix(const TCHAR* Section);
