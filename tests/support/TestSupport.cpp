// TestSupport.cpp: the test programs' allocator and devices.
#include "TestSupport.h"

// Defined in this order so that the allocator outlives the devices that use it.
FHeapMalloc GTestMalloc;
FCaptureDevice GTestLog;
FTestErrorDevice GTestError;

void* FHeapMalloc::Malloc(DWORD Size, const TCHAR*)
{
    LiveAllocations++;
    return HeapAlloc(GetProcessHeap(), 0, Size ? Size : 1);
}

void* FHeapMalloc::Realloc(void* Original, DWORD Size, const TCHAR* Tag)
{
    if (!Original)
        return Size ? Malloc(Size, Tag) : NULL;
    if (!Size)
    {
        Free(Original);
        return NULL;
    }
    return HeapReAlloc(GetProcessHeap(), 0, Original, Size);
}

void FHeapMalloc::Free(void* Original)
{
    if (!Original)
        return;
    LiveAllocations--;
    HeapFree(GetProcessHeap(), 0, Original);
}

void FCaptureDevice::Serialize(const TCHAR* Text, EName Event)
{
    Lines.AddItem(FString(Text));
    Events.AddItem(Event);
}

void FCaptureDevice::Clear()
{
    Lines.Empty();
    Events.Empty();
}

void FTestErrorDevice::Serialize(const TCHAR* Text, EName)
{
    LastMessage = Text;
}

bool CanCreateWindows()
{
    static const bool Can = [] {
        HWND Probe = CreateWindowExW(0, TEXT("STATIC"), TEXT(""), WS_POPUP, 0, 0, 1, 1, NULL, NULL, NULL, NULL);
        if (Probe)
            DestroyWindow(Probe);
        return Probe != NULL;
    }();
    return Can;
}
