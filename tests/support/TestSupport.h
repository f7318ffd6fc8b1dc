// TestSupport.h: the engine environment every test program starts with, and small devices
// that tests use to watch what the code under test reports.
#pragma once
#include "Core.h"
#include <gtest/gtest.h>

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

    void Serialize(const TCHAR* Text, EName Event) override { Lines.AddItem(FString(Text)); Events.AddItem(Event); }
    void Clear() { Lines.Empty(); Events.Empty(); }
};

// A critical-error device that keeps the message and returns, so the core raises it on.
class FTestErrorDevice : public FOutputDeviceError
{
public:
    FString LastMessage;

    void Serialize(const TCHAR* Text, EName) override { LastMessage = Text; }
    void ReportCriticalError() override {}
};

// Installed as GMalloc, GLog and GError before any test runs.
extern FHeapMalloc GTestMalloc;
extern FCaptureDevice GTestLog;
extern FTestErrorDevice GTestError;

// Whether this process can create a window, probed once. Wine's WoW64 mode runs the 32-bit
// build here but cannot load its display driver for 32-bit programs, so they get no windows.
bool CanCreateWindows();

// The first statement of every test that needs a window: one it opens, a message box it
// answers, or a child process (Corvane.exe, this program) that shows one; the child, of the
// same build, gets no window either. Without windows the 32-bit build skips the test with
// the reason (tools/test counts the skips); the 64-bit build, where window code is tested,
// fails it.
#ifdef _WIN64
#define CORVANE_NO_WINDOWS FAIL() << "No window can be created: is DISPLAY an X server Wine can use?"
#else
#define CORVANE_NO_WINDOWS GTEST_SKIP() << "Needs a window, which Wine's WoW64 mode cannot create for 32-bit programs"
#endif
#define CORVANE_SKIP_WITHOUT_WINDOWS() do { if (!CanCreateWindows()) CORVANE_NO_WINDOWS; } while (0)
