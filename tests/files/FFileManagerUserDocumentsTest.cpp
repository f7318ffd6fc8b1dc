// FFileManagerUserDocumentsTest.cpp: the documents mirror, with an installation (Game) and a
// documents folder (Docs) side by side in a temporary folder, and the core's whole-file text
// functions through it.
#include "TestFiles.h"
#include <algorithm>

namespace
{
using FNames = std::vector<std::string>;

struct FUserDocumentsTest : FMirroredGameTest
{
    // Translates Path, and again with one buffer for the path and the result, which must give
    // the same: the mapping writes its result before it has read the whole path.
    FString Translated(const TCHAR* Path, TCHAR Mode, bool Expected)
    {
        TCHAR Out[FILE_PATH_MAX], Shared[FILE_PATH_MAX];
        appStrcpy(Shared, Path);
        EXPECT_EQ(Mirror.TranslatePath(Out, Path, Mode), Expected) << Narrow(Path);
        EXPECT_TRUE(Mirror.TranslatePath(Shared, Shared, Mode) == Expected && !appStrcmp(Shared, Out)) << char(Mode);
        return FString(Out);
    }
};
} // namespace

TEST_F(FUserDocumentsTest, WritesGoToTheMirrorAndReadsDeletesMovesAndListingsTakeBothPlaces)
{
    EXPECT_TRUE(WriteThrough(Mirror, TEXT("User.ini"), "mine"));
    EXPECT_EQ(Temp.Read(TEXT("Docs\\Veltra\\System\\User.ini")), "mine");

    // Only in the installation: read from there, until a write puts a copy in the mirror.
    EXPECT_EQ(ReadThrough(Mirror, TEXT("Default.ini")), "stock");
    EXPECT_EQ(Translated(TEXT("Default.ini"), 'r', false), Temp(TEXT("Docs\\Veltra\\System\\Default.ini")));
    EXPECT_TRUE(WriteThrough(Mirror, TEXT("Default.ini"), "changed"));
    EXPECT_EQ(ReadThrough(Mirror, TEXT("Default.ini")), "changed");
    EXPECT_EQ(Temp.Read(TEXT("Game\\System\\Default.ini")), "stock");
    EXPECT_EQ(Mirror.FileSize(TEXT("Default.ini")), 7);

    // A delete takes the mirror's copy, then the installation's.
    EXPECT_TRUE(Mirror.Delete(TEXT("Default.ini"), 1));
    EXPECT_EQ(ReadThrough(Mirror, TEXT("Default.ini")), "stock");
    EXPECT_TRUE(Mirror.Delete(TEXT("Default.ini"), 1));
    EXPECT_FALSE(Temp.Exists(TEXT("Game\\System\\Default.ini")));

    // Folders on the way are made in the mirror.
    EXPECT_TRUE(WriteThrough(Mirror, TEXT("..\\Save\\Game1\\Data"), "saved"));
    EXPECT_EQ(Temp.Read(TEXT("Docs\\Veltra\\Save\\Game1\\Data")), "saved");
    EXPECT_TRUE(Mirror.Move(TEXT("..\\Save\\Moved.ini"), TEXT("User.ini")));
    EXPECT_EQ(Temp.Read(TEXT("Docs\\Veltra\\Save\\Moved.ini")), "mine");

    // Listings merge both places, the installation's names first.
    for (const TCHAR* File : {TEXT("Game\\Save\\Slot1\\a"), TEXT("Game\\Save\\Slot2\\a"), TEXT("Game\\Save\\Slot1.bak"),
                              TEXT("Docs\\Veltra\\Save\\SLOT2\\a")})
        Temp.Write(File, "");
    FNames Names = Narrow(Mirror.FindFiles(TEXT("..\\Save\\*."), 1, 1));
    ASSERT_EQ(Names.size(), 3u);
    std::sort(Names.begin(), Names.begin() + 2); // the installation's, in the system's order
    EXPECT_EQ(Names, (FNames{"Slot1", "Slot2", "Game1"}));
    EXPECT_TRUE(Mirror.DeleteDirectory(TEXT("..\\Save"), 1, 1));
    EXPECT_FALSE(Temp.Exists(TEXT("Docs\\Veltra\\Save")));
}

TEST_F(FUserDocumentsTest, TranslatePathMapsTheInstallationOnly)
{
    EXPECT_EQ(Translated(TEXT("..\\..\\x"), 'r', true), Temp(TEXT("Docs\\x"))); // relative: always mapped
    EXPECT_EQ(Translated(*Temp(TEXT("Game")), 'w', true), Temp(TEXT("Docs\\Veltra")));
    EXPECT_EQ(Translated(*Temp(TEXT("Game\\.\\System\\..\\Save\\a")), 'd', true),
              Temp(TEXT("Docs\\Veltra\\Save\\a")));
    EXPECT_EQ(Translated(*Temp(TEXT("Gamer\\a")), 'r', false), Temp(TEXT("Gamer\\a")));
    EXPECT_EQ(Translated(*Temp(TEXT("Game\\..\\Other")), 'w', false), Temp(TEXT("Other")));

    // 'w' makes the mirror folder a file goes to, but nothing for an existing folder.
    Temp.Write(TEXT("Game\\Maps\\Entry.unr"), "");
    EXPECT_EQ(Translated(TEXT("..\\Maps"), 'w', true), Temp(TEXT("Docs\\Veltra\\Maps")));
    EXPECT_FALSE(Temp.Exists(TEXT("Docs\\Veltra")));
    EXPECT_EQ(Translated(TEXT("..\\Maps\\New.unr"), 'w', true), Temp(TEXT("Docs\\Veltra\\Maps\\New.unr")));
    EXPECT_TRUE(Temp.Exists(TEXT("Docs\\Veltra\\Maps")));
    EXPECT_TRUE(Mirror.MakeDirectory(TEXT("..\\Save\\New\\"), 1));
    EXPECT_TRUE(Temp.Exists(TEXT("Docs\\Veltra\\Save\\New")));
    EXPECT_FALSE(Temp.Exists(TEXT("Docs\\Veltra\\Save\\New\\New")));
}

TEST_F(FUserDocumentsTest, WithoutADocumentsFolderFilesStayInTheInstallation)
{
    FString LongDocs = LongPath(Temp(TEXT("Docs")), 250);
    for (const TCHAR* Documents : {TEXT(""), *LongDocs})
    {
        FFileManagerUserDocuments Local(Documents, *Temp(TEXT("Game\\System")));
        GTestLog.Clear();
        Local.Init();
        ASSERT_EQ(GTestLog.Lines.Num(), 2); // after the line that names the manager
        EXPECT_EQ(GTestLog.Events(1), NAME_Warning);
        EXPECT_EQ(Narrow(GTestLog.Lines(1)).rfind("Corvane: Files stay in the installation folder: ", 0), 0u);
        EXPECT_TRUE(WriteThrough(Local, TEXT("Local.ini"), "here"));
        EXPECT_EQ(Temp.Read(TEXT("Game\\System\\Local.ini")), "here");
    }
}

TEST_F(FUserDocumentsTest, TextLoadsFromEightBitAndUtf16FilesIsSavedAsUtf16AndAFailedSaveChangesNothing)
{
    FString Loaded;
    Temp.Write(TEXT("Game\\System\\Latin.txt"), "caf\xe9");
    Temp.Write(TEXT("Game\\System\\Wide.txt"), std::string("\xff\xfe\xa9\x03!\0", 6));
    EXPECT_TRUE(appLoadFileToString(Loaded, TEXT("Latin.txt"), &Mirror));
    EXPECT_EQ(Loaded, FString(TEXT("caf\x00e9")));
    EXPECT_TRUE(appLoadFileToString(Loaded, TEXT("Wide.txt"), &Mirror));
    EXPECT_EQ(Loaded, FString(TEXT("\x03a9!")));

    // Saved into the mirror, through a temporary file that does not stay.
    EXPECT_TRUE(appSaveStringToFile(FString(TEXT("caf\x00e9 \x03a9")), TEXT("Default.ini"), &Mirror));
    EXPECT_EQ(Temp.Read(TEXT("Docs\\Veltra\\System\\Default.ini")), std::string("\xff\xfe" "c\0a\0f\0\xe9\0 \0\xa9\x03", 14));
    EXPECT_FALSE(Temp.Exists(TEXT("Docs\\Veltra\\System\\Default.ini.tmp")));
    EXPECT_TRUE(Mirror.Delete(TEXT("Default.ini"), 1)); // the installation's copy is left

    // A failed save leaves every file as it was. The file lies in the installation only;
    // through the mirror the save would go beside it.
    TDiskFull<FFileManagerWindows> Plain;
    TDiskFull<FFileManagerUserDocuments> Mirrored(*Temp(TEXT("Docs")), *Temp(TEXT("Game\\System")));
    for (FFileManagerWindows* Full : std::initializer_list<FFileManagerWindows*>{&Plain, &Mirrored})
    {
        EXPECT_FALSE(appSaveStringToFile(FString(std::wstring(10000, L'n').c_str()), TEXT("Default.ini"), Full));
        EXPECT_EQ(ReadThrough(*Full, TEXT("Default.ini")), "stock");
        for (const TCHAR* Made : {TEXT("Game\\System\\Default.ini.tmp"), TEXT("Docs\\Veltra\\System\\Default.ini"),
                                  TEXT("Docs\\Veltra\\System\\Default.ini.tmp")})
            EXPECT_FALSE(Temp.Exists(Made)) << Narrow(Made);
    }
}
