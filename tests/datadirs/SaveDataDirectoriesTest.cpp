// SaveDataDirectoriesTest.cpp: the chosen entries and the game's stock entries written back
// as the search lists, with the engine's search list following them.
#include "DataDirsTestSupport.h"
#include "SaveDataDirectories.h"

TEST_F(FDataDirsTest, SavedListsPutTheChosenEntriesBeforeTheStockOnes)
{
    // Without default.ini's section nothing follows the chosen entries. A missing section is
    // made; with 33 sections read, that moves the others in memory.
    std::string Filler;
    for (INT i = 0; i < 32; i++)
        Filler += "[Other" + std::to_string(i) + "]\r\nKey=Value\r\n";
    WriteInis(Filler + "[Core.System]\r\nPaths=..\\Old\\*.u\r\n", "");
    SaveDataDirectories(Strings({TEXT("..\\X\\*.u"), TEXT("..\\Y\\*.int")}));
    EXPECT_EQ(Narrow(GSys->Paths), (FTexts{"..\\X\\*.u"}));

    const std::string Stock = "[Core.System]\r\nPaths=..\\S1\\*.u\r\nPaths=..\\S2\\*.utx\r\n"
                              "; stock note\r\nPaths=..\\S3\\*.unr\r\n";
    WriteInis("[Core.System]\r\nPaths=..\\S1\\*.u\r\nPaths=..\\Old\\*.u\r\nSuppress=Dev\r\n\r\n"
              "[Corvane]\r\nIntPaths=..\\Old\\System\\*.int\r\nFPSLimit=120\r\n", Stock);
    SaveDataDirectories(Strings({TEXT("..\\X\\*.u"), TEXT("..\\Y\\System\\*.int"), TEXT("..\\Z\\*.INT"), TEXT("..\\W\\*.int")}));

    // The engine sees the new list at once; the stock entries come last, default.ini's last
    // line first, and ".INT" is no localization entry.
    EXPECT_EQ(Narrow(GSys->Paths),
              (FTexts{"..\\X\\*.u", "..\\Z\\*.INT", "..\\S3\\*.unr", "..\\S2\\*.utx", "..\\S1\\*.u"}));
    GConfig->Flush(0);
    EXPECT_EQ(Temp.Read(TEXT("System\\Corvane.ini")),
              "[Core.System]\r\nSuppress=Dev\r\nPaths=..\\X\\*.u\r\nPaths=..\\Z\\*.INT\r\n"
              "Paths=..\\S3\\*.unr\r\nPaths=..\\S2\\*.utx\r\nPaths=..\\S1\\*.u\r\n\r\n"
              "[Corvane]\r\nFPSLimit=120\r\nIntPaths=..\\Y\\System\\*.int\r\nIntPaths=..\\W\\*.int\r\n\r\n");
    EXPECT_EQ(Temp.Read(TEXT("System\\Default.ini")), Stock); // only read: the stock file stays as shipped
}
