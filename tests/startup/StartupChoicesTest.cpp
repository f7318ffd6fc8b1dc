// Tests of the entry's command-line decisions.
#include "StartupChoices.h"
#include "TestSupport.h"
#include <gtest/gtest.h>

TEST(WantsLocalData, IsAPlainCaseSensitiveSearch)
{
    EXPECT_TRUE(WantsLocalData(TEXT("C:\\Game\\System\\Corvane.exe -localdata")));
    EXPECT_TRUE(WantsLocalData(TEXT("\"C:\\Game\\System\\Corvane.exe\" -localdata LOG=x.log")));
    EXPECT_TRUE(WantsLocalData(TEXT("Corvane.exe -localdataplease"))); // the start of a longer word
    EXPECT_FALSE(WantsLocalData(TEXT("Corvane.exe")));
    EXPECT_FALSE(WantsLocalData(TEXT("Corvane.exe -LocalData")));
    EXPECT_FALSE(WantsLocalData(TEXT("Corvane.exe \"-localdata\""))); // after a quotation mark
    EXPECT_FALSE(WantsLocalData(TEXT("Corvane.exe /localdata")));
}

TEST(SetRoleFlags, ServerSwitchMakesADedicatedServer)
{
    GIsEditor = 1;
    SetRoleFlags(TEXT("-server"));
    EXPECT_TRUE(GIsStarted && GIsServer && GIsScriptable && GLazyLoad);
    EXPECT_FALSE(GIsClient || GIsEditor);

    SetRoleFlags(TEXT("Entry.unr -nosound"));
    EXPECT_TRUE(GIsStarted && GIsServer && GIsClient && GIsScriptable);
    EXPECT_FALSE(GLazyLoad || GIsEditor);

    SetRoleFlags(TEXT("-serverlist")); // a longer word is no server switch
    EXPECT_TRUE(GIsClient);
    GIsStarted = GIsServer = GIsClient = GIsScriptable = 0;
}
