// OutputDevices.h: where the engine's messages go: output devices, the critical-error
// device and the feedback context. Slot orders bind: the core library calls them by position.
#pragma once
#include "CoreTypes.h"
#include "Names.h"

class FString;

class CORE_API FOutputDevice
{
public:
    virtual void Serialize(const TCHAR* Text, EName Event) = 0;

    // Without an event a message goes out on NAME_Log.
    void Log(const TCHAR* Text);
    void Log(EName Event, const TCHAR* Text);
    void Log(const FString& Text);
    void Log(EName Event, const FString& Text);
    void Logf(const TCHAR* Fmt, ...);
    void Logf(EName Event, const TCHAR* Fmt, ...);
};

class CORE_API FOutputDeviceError : public FOutputDevice
{
public:
    virtual void ReportCriticalError() = 0;
};

class CORE_API FFeedbackContext : public FOutputDevice
{
public:
    virtual UBOOL YesNof(const TCHAR* Fmt, ...) = 0;
    virtual void BeginSlowTask(const TCHAR* Task, UBOOL StatusWindow, UBOOL Cancelable) = 0;
    virtual void EndSlowTask() = 0;
    virtual UBOOL StatusUpdatef(INT Numerator, INT Denominator, const TCHAR* Fmt, ...) = 0;
    virtual void SetContextObject(void* Context) = 0;
};

// Swallows everything it is given.
class CORE_API FOutputDeviceNull : public FOutputDevice
{
public:
    void Serialize(const TCHAR* Text, EName Event) override;
};
