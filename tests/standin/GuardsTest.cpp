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
} // namespace

TEST(Guards, UnwindingAcrossTheCoreLibraryListsEveryGuardInnermostFirst)
{
    FMalloc* Saved = GMalloc; // appInit installs the failing allocator
    FFailingInitMalloc Malloc;
    GErrorHist[0] = 0;
    try
    {
        guard(GuardsTest::Outer);
        // The core's appInit calls back into this program, which throws through both modules.
        appInit(TEXT("GuardsTest"), TEXT("GuardsTest.exe"), &Malloc, GLog, GError, GWarn, GFileManager, NULL, 1);
        unguard;
    }
    catch (int Code)
    {
        EXPECT_EQ(1, Code);
    }
    GMalloc = Saved;
    EXPECT_STREQ(TEXT("FFailingInitMalloc::Init <- appInit <- GuardsTest::Outer"), GErrorHist);
}

TEST(Guards, AMessagePassesUnchangedAndAddsNoHistory)
{
    static const TCHAR Message[] = TEXT("Disk on fire");
    appStrcpy(GErrorHist, TEXT("History: "));
    try
    {
        guard(GuardsTest::Outer);
        guard(GuardsTest::Inner);
        throw Message;
        unguard;
        unguard;
    }
    catch (const TCHAR* Text)
    {
        EXPECT_EQ(Message, Text);
    }
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
