// Tests of the engine's globals once the entry that built the platform services has returned.
#include "ExitGlobals.h"
#include "FFeedbackContextWindows.h"
#include "MessageBoxWatcher.h"
#include "TestFiles.h"
#include <tuple>

TEST(ExitGlobals, OutliveTheEntryAndTakeWhatLibrariesDoAtExit)
{
    const auto Saved = std::make_tuple(GMalloc, GLog, GError, GWarn, GFileManager);
    // The entry's services, in memory that goes with them as the entry's stack does.
    struct FEntryLocals { FHeapMalloc Malloc; FCaptureDevice Log; FTestErrorDevice Error; FFeedbackContextWindows Warn; };
    void* Stack = VirtualAlloc(NULL, sizeof(FEntryLocals), MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    FEntryLocals* Entry = new (Stack) FEntryLocals;
    std::tie(GMalloc, GLog, GError, GWarn) = std::make_tuple(&Entry->Malloc, &Entry->Log, &Entry->Error, &Entry->Warn);
    void* Block = appMalloc(16, TEXT("Static"));
    ReleaseEngineGlobals();
    Entry->~FEntryLocals();
    VirtualFree(Stack, 0, MEM_RELEASE);

    // What static objects and detach code of the libraries do as the process ends.
    appFree(Block);
    EXPECT_EQ(nullptr, appRealloc(Block, 0, TEXT("Static")));
    GLog->Log(TEXT("Late"));
    GWarn->Log(NAME_Warning, TEXT("Late"));
    EXPECT_FALSE(GWarn->YesNof(TEXT("Late?")));
    // A late request for memory is a fatal error, still shown to the player in a box.
    FMalloc* LateMalloc = GMalloc;
    FOutputDeviceError* LateError = GError;
    std::tie(GMalloc, GLog, GError, GWarn, GFileManager) = Saved;
    EXPECT_STREQ(TEXT("Memory was requested after shut-down: 24 bytes (Late)."),
                 *ThrownBy([&] { LateMalloc->Malloc(24, TEXT("Late")); }));
    CORVANE_SKIP_WITHOUT_WINDOWS();
    appStrcpy(GErrorHist, TEXT("Memory was requested after shut-down."));
    FMessageBoxWatcher Watcher(IDOK);
    LateError->ReportCriticalError();
    Watcher.Stop();
    GIsCriticalError = 0;
    EXPECT_TRUE(Watcher.Count() == 1 && !appStrcmp(GErrorHist, Watcher.Box(0).Text));
    GErrorHist[0] = 0;
}
