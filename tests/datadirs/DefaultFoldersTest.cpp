// DefaultFoldersTest.cpp: the game's own folders, from default.ini's search list and the CD path.
#include "DataDirsTestSupport.h"
#include "DefaultFolders.h"

TEST_F(FDataDirsTest, DefaultFoldersAreTheStockEntriesFoldersAndTheCdPath)
{
    WriteInis("[Engine.Engine]\r\nCdPath=D:\\Veltra\\\r\n",
              "[Core.System]\r\nPaths=..\\Maps\\*.unr\r\nPaths=..\\System\\*.u\r\nPaths=..\\maps\\*.vl\r\n");
    FDefaultFolders Folders;
    Folders.Add(TEXT("..\\Stale"));
    LoadDefaultFolders(Folders);
    EXPECT_EQ(Folders.Num(), 3); // neither the stale one nor the entries themselves
    // Letter case does not count; the CD path is taken as written.
    for (const TCHAR* Folder : {TEXT("..\\MAPS"), TEXT("..\\System"), TEXT("D:\\Veltra\\")})
        EXPECT_TRUE(Folders.Contains(Folder)) << Narrow(Folder);

    // Without default.ini and with an empty CD path there are none.
    WriteInis("[Engine.Engine]\r\nCdPath=\r\n", "");
    LoadDefaultFolders(Folders);
    EXPECT_EQ(Folders.Num(), 0);
}
