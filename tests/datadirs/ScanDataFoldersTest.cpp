// ScanDataFoldersTest.cpp: data folders discovered in a game installation on disk.
#include "DataDirsTestSupport.h"
#include "ScanDataFolders.h"
#include <algorithm>
#include <string>

namespace
{
struct FCollector : FDataEntryReceiver
{
    FTexts Entries;
    void InsertEntry(const TCHAR* Entry) override { Entries.push_back(Narrow(Entry)); }
    INT IndexOf(const std::string& Entry) const
    {
        return INT(std::find(Entries.begin(), Entries.end(), Entry) - Entries.begin());
    }
};
} // namespace

TEST_F(FDataDirsTest, ScanFindsModFoldersDepthFirstInPatternOrder)
{
    const TCHAR* Files[] = {
        TEXT("System\\Core.int"), TEXT("System\\Own\\Own.u"),           // the base and below: never offered
        TEXT("Maps\\Entry.unr"), TEXT("Maps\\Hidden\\System\\Hidden.u"), // a default folder and a mod inside it
        TEXT("MyMod\\System\\MyMod.utx"), TEXT("MyMod\\System\\MyMod.u"), TEXT("MyMod\\System\\MyMod.int"),
        TEXT("MyMod\\System\\Notes.txt"),
        TEXT("MyMod\\Help\\Readme.txt"), TEXT("MyMod\\Help\\Maps\\Tour.unr"), // no data files, but a subfolder
        TEXT("Outer\\Outer.vl"), TEXT("Outer\\Inner\\Inner.uax"), TEXT("Outer\\Inner\\Deep\\Deep.umx"),
        TEXT("Odd\\Alias.intx"), TEXT("Odd\\Folder.u\\x.txt"), // no .int file, and a folder is no package
        TEXT("Named.Dir\\Pack.u"),                              // Windows does not list it for "*."
    };
    for (const TCHAR* File : Files)
        WriteGame(File, "");
    // A folder of 255 characters: room for its search for "\*.u", not for "\*.uax".
    FString Long = FString(TEXT("Long\\")) + std::wstring(255 - Game().Len() - 6, 'x').c_str();
    WriteGame(*(Long + TEXT("\\Pack.u")), "");
    WriteGame(*(Long + TEXT("\\Pack.uax")), "");

    FDefaultFolders Defaults;
    Defaults.Add(TEXT("..\\MAPS"));
    // The base as the current folder gives it, or with a trailing backslash: the same scan.
    for (const FString& Base : {Game(TEXT("System")), Game(TEXT("System\\"))})
    {
        FCollector Found;
        ScanDataFolders(*Game(), *Base, Defaults, Found);
        FTexts Sorted = Found.Entries;
        std::sort(Sorted.begin(), Sorted.end());
        std::string LongEntry = Narrow(FString(TEXT("..\\")) + Long + TEXT("\\*.u"));
        EXPECT_EQ(Sorted, (FTexts{LongEntry, "..\\MyMod\\Help\\Maps\\*.unr", "..\\MyMod\\System\\*.int",
                                  "..\\MyMod\\System\\*.u", "..\\MyMod\\System\\*.utx", "..\\Outer\\*.vl",
                                  "..\\Outer\\Inner\\*.uax", "..\\Outer\\Inner\\Deep\\*.umx"}))
            << Narrow(Base);
        // A folder's entries together in pattern order; subfolders before their parents.
        INT ModInt = Found.IndexOf("..\\MyMod\\System\\*.int");
        EXPECT_EQ(Found.IndexOf("..\\MyMod\\System\\*.u"), ModInt + 1);
        EXPECT_EQ(Found.IndexOf("..\\MyMod\\System\\*.utx"), ModInt + 2);
        EXPECT_LT(Found.IndexOf("..\\Outer\\Inner\\Deep\\*.umx"), Found.IndexOf("..\\Outer\\Inner\\*.uax"));
        EXPECT_LT(Found.IndexOf("..\\Outer\\Inner\\*.uax"), Found.IndexOf("..\\Outer\\*.vl"));
    }

    // Folders that cannot be listed give nothing.
    FCollector None;
    ScanDataFolders(*Game(TEXT("Missing")), *Game(TEXT("System")), Defaults, None);
    EXPECT_TRUE(None.Entries.empty());
}
