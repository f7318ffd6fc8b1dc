// CoreInternal.h: helpers shared by the core library's own files.
#pragma once
#include "Core.h"

// A fault before the platform services exist: there is no error device to report to,
// so the process shows the text and ends.
[[noreturn]] void appFatalBeforeInit(const TCHAR* Text);

// Rotating static buffers, so that a few results can be used in one expression.
TCHAR* appNextStaticBuffer(INT& Size);

// Marks names listed in Suppress as suppressed; names no longer listed become active.
void appApplySuppression(const TArray<FString>& Suppress);

// Makes the class objects of Package's native classes; false when it has none.
bool appMakeNativeClasses(const TCHAR* Package);

// Runs a cleanup when the scope ends, also when an exception leaves it.
template<class F> class TScopeExit
{
public:
    explicit TScopeExit(F InFunc) : Func(InFunc) {}
    ~TScopeExit() { Func(); }
    TScopeExit(const TScopeExit&) = delete;
    TScopeExit& operator=(const TScopeExit&) = delete;

private:
    F Func;
};
