// OutputDevices.cpp: the logging helpers every output device shares, and GNull.
#include "CoreInternal.h"

void FOutputDevice::Log(const TCHAR* Text) { Serialize(Text, NAME_Log); }
void FOutputDevice::Log(EName Event, const TCHAR* Text) { Serialize(Text, Event); }
void FOutputDevice::Log(const FString& Text) { Serialize(*Text, NAME_Log); }
void FOutputDevice::Log(EName Event, const FString& Text) { Serialize(*Text, Event); }

void FOutputDevice::Logf(const TCHAR* Fmt, ...)
{
    TCHAR Text[MAX_SPRINTF];
    va_list Args;
    va_start(Args, Fmt);
    appGetVarArgs(Text, ARRAY_COUNT(Text), Fmt, Args);
    va_end(Args);
    Serialize(Text, NAME_Log);
}

void FOutputDevice::Logf(EName Event, const TCHAR* Fmt, ...)
{
    TCHAR Text[MAX_SPRINTF];
    va_list Args;
    va_start(Args, Fmt);
    appGetVarArgs(Text, ARRAY_COUNT(Text), Fmt, Args);
    va_end(Args);
    Serialize(Text, Event);
}

void FOutputDeviceNull::Serialize(const TCHAR*, EName) {}

static FOutputDeviceNull NullDevice;
CORE_API FOutputDevice* GNull = &NullDevice;
