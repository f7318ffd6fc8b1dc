// TestMain.cpp: every test program starts with the test allocator and devices installed.
#include "TestSupport.h"
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    GMalloc = &GTestMalloc;
    GLog = &GTestLog;
    GError = &GTestError;
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
