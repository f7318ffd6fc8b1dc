// Tests of the entry's command-line decisions.
#include "StartupChoices.h"
#include "TestSupport.h"

TEST(StartupChoices, LocalDataIsAPlainCaseSensitiveSearchAndServerMakesADedicatedServer)
{
    for (const TCHAR* Line : {TEXT("C:\\Game\\System\\Corvane.exe -localdata"), TEXT("\"C:\\Corvane.exe\" -localdata LOG=x.log"),
                              TEXT("Corvane.exe -localdataplease")}) // the start of a longer word counts
        EXPECT_TRUE(WantsLocalData(Line)) << Line;
    for (const TCHAR* Line : {TEXT("Corvane.exe"), TEXT("Corvane.exe -LocalData"), TEXT("Corvane.exe \"-localdata\""),
                              TEXT("Corvane.exe /localdata")})
        EXPECT_FALSE(WantsLocalData(Line)) << Line;

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
