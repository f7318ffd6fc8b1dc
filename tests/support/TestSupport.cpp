// TestSupport.cpp: the test programs' allocator and devices, installed before any test runs.
#include "TestSupport.h"

// Defined in this order so that the allocator outlives the devices that use it.
FHeapMalloc GTestMalloc;
FCaptureDevice GTestLog;
FTestErrorDevice GTestError;

int main(int argc, char** argv)
{
    GMalloc = &GTestMalloc;
    GLog = &GTestLog;
    GError = &GTestError;
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

void* FHeapMalloc::Malloc(DWORD Size, const TCHAR*)
{
    LiveAllocations++;
    return HeapAlloc(GetProcessHeap(), 0, Size ? Size : 1);
}

void* FHeapMalloc::Realloc(void* Original, DWORD Size, const TCHAR* Tag)
{
    if (Original && Size)
        return HeapReAlloc(GetProcessHeap(), 0, Original, Size);
    Free(Original);
    return Size ? Malloc(Size, Tag) : NULL;
}

void FHeapMalloc::Free(void* Original)
{
    if (Original && HeapFree(GetProcessHeap(), 0, Original))
        LiveAllocations--;
}

bool CanCreateWindows()
{
    static const bool Can = [] {
        HWND Probe = CreateWindowExW(0, TEXT("STATIC"), TEXT(""), WS_POPUP, 0, 0, 1, 1, NULL, NULL, NULL, NULL);
        return Probe && DestroyWindow(Probe);
    }();
    return Can;
}
