// Tests of what the program tells about itself: its exported package name, its product version.
#include "Package.h"
#include "ProgramVersion.h"
#include "TestSupport.h"

TEST(ProgramIdentity, GPackageIsExportedByItsPlainNameAndTheVersionIsReadOnce)
{
    void* Export = reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(NULL), "GPackage"));
    EXPECT_EQ(static_cast<void*>(GPackage), Export);
    EXPECT_STREQ(TEXT("Launch"), static_cast<const TCHAR*>(Export));

    INT Live = GTestMalloc.LiveAllocations;
    const TCHAR* First = GetProgramVersion();
    EXPECT_STREQ(TEXT("8.0.0.0"), First);
    EXPECT_EQ(Live + 1, GTestMalloc.LiveAllocations); // the text stays; the version block went back
    EXPECT_EQ(First, GetProgramVersion());
    EXPECT_EQ(Live + 1, GTestMalloc.LiveAllocations); // no second read
}
