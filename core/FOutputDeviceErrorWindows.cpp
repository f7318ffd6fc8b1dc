// FOutputDeviceErrorWindows.cpp: the critical-error device.
#include "FOutputDeviceErrorWindows.h"

// The title of the error box: the localized one once the configuration exists.
static const TCHAR* CriticalErrorTitle()
{
    return GConfig ? LocalizeError(TEXT("Critical"), TEXT("Window")) : TEXT("Critical Error At Startup");
}

FOutputDeviceErrorWindows::FOutputDeviceErrorWindows() : MessageLength(0), ErrorEvent(NAME_None) {}

// Deliberately not guarded: the integer it throws must collect only the names of the
// guards it passes on its way to the handler.
void FOutputDeviceErrorWindows::Serialize(const TCHAR* Message, EName Event)
{
    DWORD LastError = GetLastError();
    if (GIsCriticalError)
    {
        if (GLog)
            GLog->Logf(NAME_Critical, TEXT("Error reentered: %s"), Message);
    }
    else
    {
        GIsCriticalError = 1;
        ErrorEvent = Event;
        if (GLog)
        {
            GLog->Log(NAME_Critical, TEXT("appError called:"));
            GLog->Logf(NAME_Critical, TEXT("%s"), Message);
            // A saved code of 0 would otherwise make the lookup read whatever error is current.
            SetLastError(LastError);
            GLog->Logf(NAME_Critical, TEXT("Windows GetLastError: %s (%i)"), appGetSystemErrorMessage(INT(LastError)),
                       INT(LastError));
        }
        UObject::StaticShutdownAfterError();
        appStrcpy(GErrorHist, Message);
        appStrcat(GErrorHist, TEXT("\r\n\r\n"));
        MessageLength = appStrlen(GErrorHist);
        if (GIsGuarded)
        {
            // The guards the exception passes add their names behind this heading.
            appStrcat(GErrorHist, LocalizeError(TEXT("History"), TEXT("Core")));
            appStrcat(GErrorHist, TEXT(": "));
        }
        else
        {
            ReportCriticalError();
        }
    }
    if (GIsGuarded)
        throw 1;
    appRequestExit(1);
}

void FOutputDeviceErrorWindows::ReportCriticalError()
{
    try
    {
        GIsGuarded = 0;
        GIsRunning = 0;
        GIsCriticalError = 1;
        GLogHook = NULL;
        UObject::StaticShutdownAfterError();

        INT End = ARRAY_COUNT(GErrorHist) - 1;
        if (ErrorEvent == NAME_FriendlyError && MessageLength >= 0 && MessageLength < End)
            End = MessageLength;
        GErrorHist[End] = 0;

        if (GIsClient || GIsEditor || !GIsStarted)
            MessageBoxW(NULL, GErrorHist, CriticalErrorTitle(), MB_OK | MB_ICONERROR | MB_TASKMODAL);
    }
    catch (...)
    {
        // Reporting an error must not raise another one.
    }
}
