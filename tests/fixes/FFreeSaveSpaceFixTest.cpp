// Tests of native 3093 with the free save space fix: the arithmetic, and the real query of
// the folder saves go to.
#include "FixesTestSupport.h"
#include "FFreeSaveSpaceFix.h"

TEST(FreeSaveSpace, BytesBecomeKibibytesCappedToThe32BitRange)
{
    // The last two: 2147483647 KiB and a remainder, then 2 TiB and more.
    const struct { ULONGLONG Bytes; INT KiloBytes; } Cases[] = {
        {3ULL << 30, 3145728}, {1023, 0}, {2147483648ULL * 1024 - 1, 2147483647}, {2ULL << 40, 2147483647}, {~0ULL, 2147483647},
    };
    for (const auto& Case : Cases)
        EXPECT_EQ(Case.KiloBytes, FreeKiloBytes(Case.Bytes)) << Case.Bytes;
}

TEST_F(FixesTest, TheSaveMenuGetsTheFreeSpaceOfTheMirrorsSaveFolder)
{
    GFileManager = &Mirror;
    FHookRegistry Registry; // the free space fix is always installed
    XWindow* Menu = XWindow::CreateNewWindow(Load(TEXT("Veltra.SaveMenu")), NULL);
    ASSERT_TRUE(Menu);
    // Before the first save the mirror has no Save folder: its parents answer for it.
    for (bool SaveFolderExists : {false, true})
    {
        if (SaveFolderExists)
            Temp.Write(TEXT("Docs\\Veltra\\Save\\Save1.sav"), "saved");
        ULARGE_INTEGER Free;
        ASSERT_TRUE(GetDiskFreeSpaceExW(*Temp(TEXT("Docs")), &Free, NULL, NULL));
        // Others write to the disk meanwhile.
        EXPECT_NEAR(DOUBLE(FreeKiloBytes(Free.QuadPart)), DOUBLE(Call<INT>(Menu, FScriptBuilder().CallNative(3093))),
                    FreeKiloBytes(Free.QuadPart) / 100.0);
    }
    EXPECT_FALSE(Temp.Exists(TEXT("Game\\Save"))); // asked about, never made
}
