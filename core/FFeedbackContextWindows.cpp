// FFeedbackContextWindows.cpp: the feedback context.
#include "FFeedbackContextWindows.h"
#include <commctrl.h>

namespace
{
// Window calls take wide text on a wide-character system and the system code page elsewhere.
void SetControlText(HWND Window, const TCHAR* Text)
{
    if (GUnicodeOS)
    {
        SetWindowTextW(Window, Text);
        return;
    }
    INT Size = winGetSizeANSI(Text);
    if (Size <= 0)
        return;
    ANSICHAR* Ansi = static_cast<ANSICHAR*>(appMalloc(DWORD(Size), TEXT("FeedbackText")));
    winToANSI(Ansi, Text, Size);
    SetWindowTextA(Window, Ansi);
    appFree(Ansi);
}

void SendControlMessage(HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam)
{
    if (GUnicodeOS)
        SendMessageW(Window, Msg, WParam, LParam);
    else
        SendMessageA(Window, Msg, WParam, LParam);
}

UBOOL IsPlayerPresent() { return GIsClient || GIsEditor; }

// Wide arithmetic: a large numerator times 100 must not overflow.
INT ProgressPercent(INT Numerator, INT Denominator)
{
    return Denominator ? INT(SQWORD(Numerator) * 100 / Denominator) : 0;
}
} // namespace

FFeedbackContextWindows::FFeedbackContextWindows() : SlowTaskCount(0), ProgressBarWindow(NULL), ProgressTextWindow(NULL) {}

void FFeedbackContextWindows::Serialize(const TCHAR* Text, EName Event)
{
    guard(FFeedbackContextWindows::Serialize);
    if (Event == NAME_UserPrompt && IsPlayerPresent())
        MessageBoxW(NULL, Text, LocalizeError(TEXT("Warning"), TEXT("Core")), MB_OK | MB_TASKMODAL);
    else if (GLog)
        GLog->Logf(NAME_Warning, TEXT("%s"), Text);
    unguard;
}

UBOOL FFeedbackContextWindows::YesNof(const TCHAR* Fmt, ...)
{
    guard(FFeedbackContextWindows::YesNof);
    TCHAR Question[MAX_SPRINTF];
    va_list Args;
    va_start(Args, Fmt);
    appGetVarArgs(Question, ARRAY_COUNT(Question), Fmt, Args);
    va_end(Args);
    if (!IsPlayerPresent())
        return 0; // nobody to ask on a dedicated server
    return MessageBoxW(NULL, Question, LocalizeError(TEXT("Question"), TEXT("Core")), MB_YESNO | MB_TASKMODAL) == IDYES;
    unguard;
}

void FFeedbackContextWindows::BeginSlowTask(const TCHAR* Task, UBOOL, UBOOL)
{
    guard(FFeedbackContextWindows::BeginSlowTask);
    if (HasProgressWindows())
    {
        SendControlMessage(ProgressBarWindow, PBM_SETRANGE, 0, MAKELPARAM(0, 100));
        SetControlText(ProgressTextWindow, Task);
        UpdateWindow(ProgressTextWindow);
    }
    SlowTaskCount++;
    GIsSlowTask = SlowTaskCount > 0;
    unguard;
}

void FFeedbackContextWindows::EndSlowTask()
{
    guard(FFeedbackContextWindows::EndSlowTask);
    check(SlowTaskCount>0);
    SlowTaskCount--;
    GIsSlowTask = SlowTaskCount > 0;
    unguard;
}

UBOOL FFeedbackContextWindows::StatusUpdatef(INT Numerator, INT Denominator, const TCHAR* Fmt, ...)
{
    guard(FFeedbackContextWindows::StatusUpdatef);
    TCHAR Status[MAX_SPRINTF];
    va_list Args;
    va_start(Args, Fmt);
    appGetVarArgs(Status, ARRAY_COUNT(Status), Fmt, Args);
    va_end(Args);
    if (GIsSlowTask && HasProgressWindows())
    {
        SetControlText(ProgressTextWindow, Status);
        SendControlMessage(ProgressBarWindow, PBM_SETPOS, WPARAM(ProgressPercent(Numerator, Denominator)), 0);
    }
    return 1;
    unguard;
}

void FFeedbackContextWindows::SetContextObject(void*) {}
