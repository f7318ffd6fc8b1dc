// ExitGlobals.cpp: the objects the engine's globals point at after the entry.
#include "ExitGlobals.h"
#include "FOutputDeviceErrorWindows.h"
#include <type_traits>

namespace
{
class FMallocAfterExit : public FMalloc
{
public:
    void* Malloc(DWORD Size, const TCHAR* Tag) override { Refuse(Size, Tag); }
    void* Realloc(void*, DWORD Size, const TCHAR* Tag) override
    {
        if (Size)
            Refuse(Size, Tag);
        return NULL; // a size of 0 frees, which is ignored
    }
    void Free(void*) override {}
    void DumpAllocs() override {}
    void HeapCheck() override {}
    void Init() override {}
    void Exit() override {}

private:
    [[noreturn]] static void Refuse(DWORD Size, const TCHAR* Tag)
    {
        appErrorf(TEXT("Memory was requested after shut-down: %u bytes (%s)."), unsigned(Size), Tag ? Tag : TEXT(""));
    }
};

class FFeedbackContextNull : public FFeedbackContext
{
public:
    void Serialize(const TCHAR*, EName) override {}
    UBOOL YesNof(const TCHAR*, ...) override { return 0; }
    void BeginSlowTask(const TCHAR*, UBOOL, UBOOL) override {}
    void EndSlowTask() override {}
    UBOOL StatusUpdatef(INT, INT, const TCHAR*, ...) override { return 1; }
    void SetContextObject(void*) override {}
};

// Objects that are never destroyed outlive every library.
static_assert(std::is_trivially_destructible<FMallocAfterExit>::value &&
                  std::is_trivially_destructible<FFeedbackContextNull>::value &&
                  std::is_trivially_destructible<FOutputDeviceErrorWindows>::value,
              "the objects after the entry must never be destroyed");
FMallocAfterExit MallocAfterExit;
FFeedbackContextNull WarnAfterExit;
FOutputDeviceErrorWindows ErrorAfterExit;
} // namespace

void ReleaseEngineGlobals()
{
    GMalloc = &MallocAfterExit;
    GLog = GNull;
    GWarn = &WarnAfterExit;
    GError = &ErrorAfterExit;
    GFileManager = NULL;
    GExec = NULL;
    GLogHook = NULL;
}
