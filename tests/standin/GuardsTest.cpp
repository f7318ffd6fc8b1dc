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

TEST(Guards, UnwindingListsEveryGuardInnermostFirstAndAnAssertionNamesItsPlace)
{
    FMalloc* Saved = GMalloc; // appInit installs the failing allocator
    FFailingInitMalloc Malloc;
    GErrorHist[0] = 0;
    // The core's appInit calls back into this program, which throws through both modules.
    auto Init = [&] {
        guard(GuardsTest::Outer);
        appInit(TEXT("GuardsTest"), TEXT("GuardsTest.exe"), &Malloc, GLog, GError, GWarn, GFileManager, NULL, 1);
        unguard;
    };
    EXPECT_THROW(Init(), int);
    GMalloc = Saved;
    EXPECT_STREQ(TEXT("FFailingInitMalloc::Init <- appInit <- GuardsTest::Outer"), GErrorHist);

    // A message (a critical error on its way) names no guard.
    appStrcpy(GErrorHist, TEXT("History: "));
    auto Raise = [] { guard(GuardsTest::Outer); guard(GuardsTest::Inner); throw TEXT("Disk on fire"); unguard; unguard; };
    EXPECT_THROW(Raise(), const TCHAR*);
    EXPECT_STREQ(TEXT("History: "), GErrorHist);

    for (INT i = 0; i < 2000; i++)
        appUnwindf(TEXT("%s"), TEXT("SomeClass::SomeRatherLongOperationName"));
    EXPECT_EQ(INT(ARRAY_COUNT(GErrorHist)) - 1, appStrlen(GErrorHist)); // stays inside its buffer
    GErrorHist[0] = 0;

    INT Line = __LINE__ + 1;
    EXPECT_THROW(check(1 + 1 == 3), const TCHAR*);
    EXPECT_STREQ(*FString::Printf(TEXT("Assertion failed: 1 + 1 == 3 [File:tests/standin/GuardsTest.cpp] [Line: %i]"), Line),
                 *GTestError.LastMessage);
}
