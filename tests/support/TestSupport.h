// TestSupport.h: the engine environment every test program starts with, and small devices
// that tests use to watch what the code under test reports.
#pragma once
#include "Core.h"

// An allocator over the process heap that counts live blocks, so a test can see leaks.
class FHeapMalloc : public FMalloc
{
public:
    INT LiveAllocations = 0;

    void* Malloc(DWORD Size, const TCHAR* Tag) override;
    void* Realloc(void* Original, DWORD Size, const TCHAR* Tag) override;
    void Free(void* Original) override;
    void DumpAllocs() override {}
    void HeapCheck() override {}
    void Init() override {}
    void Exit() override {}
};

// Keeps every message it is given, with its event.
class FCaptureDevice : public FOutputDevice
{
public:
    TArray<FString> Lines;
    TArray<INT> Events;

    void Serialize(const TCHAR* Text, EName Event) override;
    void Clear();
};

// A critical-error device that keeps the message and returns, so the core raises it on.
class FTestErrorDevice : public FOutputDeviceError
{
public:
    FString LastMessage;
    INT Reports = 0;

    void Serialize(const TCHAR* Text, EName Event) override;
    void ReportCriticalError() override { Reports++; }
};

// Installed as GMalloc, GLog and GError before any test runs.
extern FHeapMalloc GTestMalloc;
extern FCaptureDevice GTestLog;
extern FTestErrorDevice GTestError;
