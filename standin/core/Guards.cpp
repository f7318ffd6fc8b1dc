// Guards.cpp: the error history written by guards, assertions and fatal errors.
#include "CoreInternal.h"

CORE_API TCHAR GErrorHist[4096] = TEXT("");

void appUnwindf(const TCHAR* Fmt, ...)
{
    TCHAR Text[1024];
    va_list Args;
    va_start(Args, Fmt);
    appGetVarArgs(Text, ARRAY_COUNT(Text), Fmt, Args);
    va_end(Args);

    // Names follow each other with an arrow; the first one after a heading such as
    // "History: " (or an empty history) needs none.
    INT Len = appStrlen(GErrorHist);
    if (Len > 0 && GErrorHist[Len - 1] != ' ' && GErrorHist[Len - 1] != '\n')
        appStrncat(GErrorHist, TEXT(" <- "), ARRAY_COUNT(GErrorHist));
    appStrncat(GErrorHist, Text, ARRAY_COUNT(GErrorHist));
}

// Reports a critical error to GError. An error device that returns (instead of ending the
// process or unwinding to its handler) gets the message back as an exception, so the
// failed code never runs on. Without a device the message itself is thrown.
[[noreturn]] static void RaiseCritical(const TCHAR* Text)
{
    if (GError)
        GError->Log(NAME_Critical, Text);
    static TCHAR Message[MAX_SPRINTF];
    appStrcpy(Message, Text);
    throw static_cast<const TCHAR*>(Message);
}

void appFailAssert(const ANSICHAR* Expr, const ANSICHAR* File, INT Line)
{
    TCHAR Text[1024];
    appSnprintf(Text, ARRAY_COUNT(Text), TEXT("Assertion failed: %hs [File:%hs] [Line: %i]"), Expr, File, Line);
    RaiseCritical(Text);
}

void appErrorf(const TCHAR* Fmt, ...)
{
    TCHAR Text[MAX_SPRINTF];
    va_list Args;
    va_start(Args, Fmt);
    appGetVarArgs(Text, ARRAY_COUNT(Text), Fmt, Args);
    va_end(Args);
    RaiseCritical(Text);
}

void appFailIndex(INT Index, INT Num)
{
    TCHAR Text[128];
    appSnprintf(Text, ARRAY_COUNT(Text), TEXT("Array index out of bounds: %i into an array of size %i"), Index, Num);
    RaiseCritical(Text);
}

void appFatalBeforeInit(const TCHAR* Text)
{
    OutputDebugStringW(Text);
    MessageBoxW(NULL, Text, TEXT("Critical Error At Startup"), MB_OK | MB_ICONERROR | MB_TASKMODAL);
    ExitProcess(3);
}
