// FFeedbackContextWindows.h: warnings and yes/no questions for the player, shown in message
// boxes when a client or editor runs and logged otherwise, and the count of slow tasks.
#pragma once
#include "Core.h"

class FFeedbackContextWindows : public FFeedbackContext
{
public:
    INT SlowTaskCount;
    // Optional progress controls; while either is missing the progress calls leave them be.
    HWND ProgressBarWindow;
    HWND ProgressTextWindow;

    FFeedbackContextWindows();
    void Serialize(const TCHAR* Text, EName Event) override;
    UBOOL YesNof(const TCHAR* Fmt, ...) override;
    void BeginSlowTask(const TCHAR* Task, UBOOL StatusWindow, UBOOL Cancelable) override;
    void EndSlowTask() override;
    UBOOL StatusUpdatef(INT Numerator, INT Denominator, const TCHAR* Fmt, ...) override;
    void SetContextObject(void* Context) override;

private:
    UBOOL HasProgressWindows() const { return ProgressBarWindow && ProgressTextWindow; }
};
