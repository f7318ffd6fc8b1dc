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
    EXPECT_EQ(Folders.Num(), 3);
    EXPECT_TRUE(Folders.Contains(TEXT("..\\MAPS"))); // letter case does not count
    EXPECT_TRUE(Folders.Contains(TEXT("..\\System")));
    EXPECT_TRUE(Folders.Contains(TEXT("D:\\Veltra\\"))); // the CD path as written
    EXPECT_FALSE(Folders.Contains(TEXT("..\\Maps\\*.unr")));
    EXPECT_FALSE(Folders.Contains(TEXT("..\\Stale")));

    // Without default.ini and with an empty CD path there are none.
    WriteInis("[Engine.Engine]\r\nCdPath=\r\n", "");
    LoadDefaultFolders(Folders);
    EXPECT_EQ(Folders.Num(), 0);
}
