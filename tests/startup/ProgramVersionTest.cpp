// Tests of reading the program's own product version.
#include "ProgramVersion.h"
#include "TestSupport.h"
#include <gtest/gtest.h>

TEST(GetProgramVersion, ReadsTheProductVersionOnceAndKeepsIt)
{
    INT Live = GTestMalloc.LiveAllocations;
    const TCHAR* First = GetProgramVersion();
    EXPECT_STREQ(TEXT("8.0.0.0"), First);
    EXPECT_EQ(Live + 1, GTestMalloc.LiveAllocations); // the text stays; the version block went back
    EXPECT_EQ(First, GetProgramVersion());
    EXPECT_EQ(Live + 1, GTestMalloc.LiveAllocations); // no second read
}
