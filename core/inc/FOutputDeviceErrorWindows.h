// FOutputDeviceErrorWindows.h: the critical-error device. It logs the error, builds its
// text in GErrorHist and either unwinds to the handler of the guard chain or shows the
// error to the player and ends the process.
#pragma once
#include "Core.h"

class FOutputDeviceErrorWindows : public FOutputDeviceError
{
public:
    // Length of the message part of GErrorHist (message and the blank line after it).
    INT MessageLength;
    // The event of the first critical error; NAME_FriendlyError hides the history.
    EName ErrorEvent;

    FOutputDeviceErrorWindows();
    // Never returns while GIsGuarded is set: it throws the integer 1 through the guards.
    void Serialize(const TCHAR* Message, EName Event) override;
    void ReportCriticalError() override;
};
