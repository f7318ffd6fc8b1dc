// Tests of the exported package name.
#include "Package.h"
#include "TestSupport.h"
#include <gtest/gtest.h>

TEST(GPackage, IsExportedByItsPlainNameAndStartsAsLaunch)
{
    void* Export = reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(NULL), "GPackage"));
    EXPECT_EQ(static_cast<void*>(GPackage), Export);
    EXPECT_STREQ(TEXT("Launch"), static_cast<const TCHAR*>(Export));
}
