// Exec.h: command handlers (FExec) and window notification hooks (FNotifyHook).
#pragma once
#include "CoreTypes.h"

class FOutputDevice;

class CORE_API FExec
{
public:
    // 1 when the command was handled, 0 to let others try it.
    virtual UBOOL Exec(const TCHAR* Cmd, FOutputDevice& Ar) = 0;
};

class CORE_API FNotifyHook
{
public:
    virtual void NotifyDestroy(void* /*Src*/) {}
    virtual void NotifyPreChange(void* /*Src*/) {}
    virtual void NotifyPostChange(void* /*Src*/) {}
    virtual void NotifyExec(void* /*Src*/, const TCHAR* /*Cmd*/) {}
};
