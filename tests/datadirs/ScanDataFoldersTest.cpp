// ScanDataFoldersTest.cpp: the game's own folders (from default.ini's search list and the CD
// path), and the data folders discovered beside them in a game installation on disk.
#include "DataDirsTestSupport.h"
#include "DefaultFolders.h"
#include "ScanDataFolders.h"
#include <algorithm>

namespace
{
struct FCollector : FDataEntryReceiver
{
    FTexts Entries;
    void InsertEntry(const TCHAR* Entry) override { Entries.push_back(Narrow(Entry)); }
    size_t IndexOf(const char* Entry) const { return std::find(Entries.begin(), Entries.end(), Entry) - Entries.begin(); }
};
} // namespace

TEST_F(FDataDirsTest, ScanSkipsTheGamesOwnFoldersAndFindsModFoldersDepthFirstInPatternOrder)
{
    WriteInis("[Engine.Engine]\r\nCdPath=D:\\Veltra\\\r\n",
              "[Core.System]\r\nPaths=..\\Maps\\*.unr\r\nPaths=..\\System\\*.u\r\nPaths=..\\maps\\*.vl\r\n");
    FDefaultFolders Defaults;
    Defaults.Add(TEXT("..\\Stale"));
    LoadDefaultFolders(Defaults);
    EXPECT_EQ(Defaults.Num(), 3); // neither the stale one nor the entries themselves
    // Letter case does not count; the CD path is taken as written.
    for (const TCHAR* Folder : {TEXT("..\\MAPS"), TEXT("..\\System"), TEXT("D:\\Veltra\\")})
        EXPECT_TRUE(Defaults.Contains(Folder)) << Narrow(Folder);

    // A folder of 255 characters: room for its search for "\*.u", not for "\*.uax".
    FString Long = FString(TEXT("Long\\")) + std::wstring(255 - Temp().Len() - 6, 'x').c_str();
    for (const TCHAR* File : {
             TEXT("System\\Core.int"), TEXT("System\\Own\\Own.u"), // the base and below
             TEXT("Maps\\Entry.unr"), TEXT("Maps\\Hidden\\System\\Hidden.u"), // a default folder
             TEXT("MyMod\\System\\MyMod.utx"), TEXT("MyMod\\System\\MyMod.u"), TEXT("MyMod\\System\\MyMod.int"),
             TEXT("MyMod\\System\\Notes.txt"), TEXT("MyMod\\Help\\Readme.txt"), TEXT("MyMod\\Help\\Maps\\Tour.unr"),
             TEXT("Outer\\Outer.vl"), TEXT("Outer\\Inner\\Inner.uax"), TEXT("Outer\\Inner\\Deep\\Deep.umx"),
             TEXT("Odd\\Alias.intx"), TEXT("Odd\\Folder.u\\x.txt"), // no .int file, no package
             TEXT("Named.Dir\\Pack.u")}) // not listed for "*." on Windows
        Temp.Write(File, "");
    Temp.Write(*(Long + TEXT("\\Pack.u")), "");
    Temp.Write(*(Long + TEXT("\\Pack.uax")), "");

    FCollector Found;
    ScanDataFolders(*Temp(), *Temp(TEXT("System")), Defaults, Found);
    FTexts Sorted = Found.Entries;
    std::sort(Sorted.begin(), Sorted.end());
    EXPECT_EQ(Sorted, (FTexts{Narrow(FString(TEXT("..\\")) + Long + TEXT("\\*.u")), "..\\MyMod\\Help\\Maps\\*.unr",
                              "..\\MyMod\\System\\*.int", "..\\MyMod\\System\\*.u", "..\\MyMod\\System\\*.utx",
                              "..\\Outer\\*.vl", "..\\Outer\\Inner\\*.uax", "..\\Outer\\Inner\\Deep\\*.umx"}));
    // A folder's entries come together in pattern order, and after its subfolders'.
    size_t ModInt = Found.IndexOf("..\\MyMod\\System\\*.int");
    EXPECT_EQ(Found.IndexOf("..\\MyMod\\System\\*.u"), ModInt + 1);
    EXPECT_EQ(Found.IndexOf("..\\MyMod\\System\\*.utx"), ModInt + 2);
    EXPECT_LT(Found.IndexOf("..\\Outer\\Inner\\Deep\\*.umx"), Found.IndexOf("..\\Outer\\Inner\\*.uax"));
    EXPECT_LT(Found.IndexOf("..\\Outer\\Inner\\*.uax"), Found.IndexOf("..\\Outer\\*.vl"));

    FCollector None; // a folder that cannot be listed gives nothing
    ScanDataFolders(*Temp(TEXT("Missing")), *Temp(TEXT("System")), Defaults, None);
    EXPECT_TRUE(None.Entries.empty());

    // Without default.ini and with an empty CD path the game has no folders of its own.
    WriteInis("[Engine.Engine]\r\nCdPath=\r\n", "");
    LoadDefaultFolders(Defaults);
    EXPECT_EQ(Defaults.Num(), 0);
}
