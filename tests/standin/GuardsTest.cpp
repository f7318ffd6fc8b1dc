// Tests of guarded blocks: the error history they leave, across the core library and the
// program, and assertions.
#include "TestSupport.h"
#include <gtest/gtest.h>

namespace
{
// An allocator whose Init fails, so that the core's appInit unwinds through its own guard.
class FFailingInitMalloc : public FHeapMalloc
{
public:
    void Init() override
    {
        guard(FFailingInitMalloc::Init);
        throw 1;
        unguard;
    }
};

FConfigCache* NoConfigCache() { return NULL; }

// Puts the globals that appInit overwrites back after a test.
struct FGlobalsSnapshot
{
    FMalloc* Malloc = GMalloc;
    FOutputDevice* Log = GLog;
    FOutputDeviceError* Error = GError;
    FFeedbackContext* Warn = GWarn;
    FFileManager* FileManager = GFileManager;
    ~FGlobalsSnapshot()
    {
        GMalloc = Malloc;
        GLog = Log;
        GError = Error;
        GWarn = Warn;
        GFileManager = FileManager;
    }
};

void GuardedThrowOfMessage(const TCHAR* Message)
{
    guard(GuardsTest::Inner);
    throw Message;
    unguard;
}
} // namespace

TEST(Guards, UnwindingAcrossTheCoreLibraryListsEveryGuardInnermostFirst)
{
    FGlobalsSnapshot Snapshot;
    FFailingInitMalloc Malloc;
    GErrorHist[0] = 0;
    int Caught = 0;
    try
    {
        guard(GuardsTest::Outer);
        // The core's appInit calls back into this program, which throws through both modules.
        appInit(TEXT("GuardsTest"), TEXT("GuardsTest.exe"), &Malloc, GLog, GError, GWarn, NULL, NoConfigCache, 1);
        unguard;
    }
    catch (int Code)
    {
        Caught = Code;
    }
    EXPECT_EQ(1, Caught);
    EXPECT_STREQ(TEXT("FFailingInitMalloc::Init <- appInit <- GuardsTest::Outer"), GErrorHist);
}

TEST(Guards, AMessagePassesUnchangedAndAddsNoHistory)
{
    static const TCHAR Message[] = TEXT("Disk on fire");
    appStrcpy(GErrorHist, TEXT("History: "));
    const TCHAR* Caught = NULL;
    try
    {
        guard(GuardsTest::Outer);
        GuardedThrowOfMessage(Message);
        unguard;
    }
    catch (const TCHAR* Text)
    {
        Caught = Text;
    }
    EXPECT_EQ(Message, Caught);
    EXPECT_STREQ(TEXT("History: "), GErrorHist);
}

TEST(Guards, HistoryStaysInsideItsBuffer)
{
    GErrorHist[0] = 0;
    for (INT i = 0; i < 2000; i++)
        appUnwindf(TEXT("%s"), TEXT("SomeClass::SomeRatherLongOperationName"));
    EXPECT_EQ(INT(ARRAY_COUNT(GErrorHist)) - 1, appStrlen(GErrorHist));
    GErrorHist[0] = 0;
}

TEST(Guards, FailedAssertionReportsExpressionFileAndLine)
{
    INT Line = __LINE__ + 1;
    EXPECT_THROW(check(1 + 1 == 3), const TCHAR*);
    TCHAR Expected[256];
    appSprintf(Expected, TEXT("Assertion failed: 1 + 1 == 3 [File:tests/standin/GuardsTest.cpp] [Line: %i]"), Line);
    EXPECT_STREQ(Expected, *GTestError.LastMessage);
}
