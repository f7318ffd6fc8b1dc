// FFileManagerUserDocumentsTest.cpp: the documents mirror, with an installation (Game) and a
// documents folder (Docs) side by side in a temporary folder.
#include "TestFiles.h"
#include <algorithm>

namespace
{
using FNames = std::vector<std::string>;

struct FUserDocumentsTest : FMirroredGameTest
{
    TCHAR Out[FILE_PATH_MAX];

    FString Translated(const TCHAR* Path, TCHAR Mode, bool Expected)
    {
        EXPECT_EQ(Mirror.TranslatePath(Out, Path, Mode), Expected) << Narrow(Path);
        return FString(Out);
    }
};
} // namespace

TEST_F(FUserDocumentsTest, WritesGoToTheMirrorAndReadsPreferIt)
{
    EXPECT_TRUE(WriteThrough(Mirror, TEXT("User.ini"), "mine"));
    EXPECT_EQ(Temp.Read(TEXT("Docs\\Veltra\\System\\User.ini")), "mine");
    EXPECT_FALSE(Temp.Exists(TEXT("Game\\System\\User.ini")));
    EXPECT_EQ(ReadThrough(Mirror, TEXT("User.ini")), "mine");

    // Only in the installation: read from there, until a write puts a copy in the mirror.
    EXPECT_EQ(ReadThrough(Mirror, TEXT("Default.ini")), "stock");
    EXPECT_EQ(Translated(TEXT("Default.ini"), 'r', false), Temp(TEXT("Docs\\Veltra\\System\\Default.ini")));
    EXPECT_TRUE(WriteThrough(Mirror, TEXT("Default.ini"), "changed"));
    EXPECT_EQ(ReadThrough(Mirror, TEXT("Default.ini")), "changed");
    EXPECT_EQ(Temp.Read(TEXT("Game\\System\\Default.ini")), "stock");
    EXPECT_EQ(ReadThrough(Mirror, TEXT("Missing.ini")), "<missing>");

    // Folders on the way are made in the mirror.
    EXPECT_TRUE(WriteThrough(Mirror, TEXT("..\\Save\\Game1\\Data"), "saved"));
    EXPECT_EQ(Temp.Read(TEXT("Docs\\Veltra\\Save\\Game1\\Data")), "saved");
    EXPECT_TRUE(WriteThrough(Mirror, Temp(TEXT("Game\\Maps\\Entry.unr")), "map"));
    EXPECT_EQ(Temp.Read(TEXT("Docs\\Veltra\\Maps\\Entry.unr")), "map");
    EXPECT_TRUE(WriteThrough(Mirror, Temp(TEXT("Elsewhere\\..\\Notes.txt")), "notes"));
    EXPECT_EQ(Temp.Read(TEXT("Notes.txt")), "notes"); // outside the installation: as given
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

TEST_F(FUserDocumentsTest, TranslatePathGivesTheSameWithOneBufferForPathAndResult)
{
    Temp.Write(TEXT("Docs\\Veltra\\System\\User.ini"), "");
    const FString Paths[] = {TEXT("Default.ini"), TEXT("User.ini"), TEXT("..\\Save\\Slot1\\Data"),
                             Temp(TEXT("Game\\System\\Default.ini")), Temp(TEXT("Game\\Maps\\New.unr")),
                             Temp(TEXT("Elsewhere\\..\\Notes.txt"))};
    for (const FString& Path : Paths)
        for (TCHAR Mode : {'r', 'd', 'w'})
        {
            bool Expected = Mirror.TranslatePath(Out, *Path, Mode);
            TCHAR Shared[FILE_PATH_MAX];
            appStrcpy(Shared, *Path);
            EXPECT_EQ(Mirror.TranslatePath(Shared, Shared, Mode), Expected) << Narrow(Path) << " " << char(Mode);
            EXPECT_STREQ(Shared, Out) << char(Mode);
        }
}

TEST_F(FUserDocumentsTest, DeletingAndMovingWorkOnTheCopyThatIsRead)
{
    Temp.Write(TEXT("Game\\System\\Both.ini"), "stock");
    Temp.Write(TEXT("Docs\\Veltra\\System\\Both.ini"), "mine");
    EXPECT_EQ(Mirror.FileSize(TEXT("Both.ini")), 4);
    EXPECT_TRUE(Mirror.Delete(TEXT("Both.ini"), 1));
    EXPECT_FALSE(Temp.Exists(TEXT("Docs\\Veltra\\System\\Both.ini")));
    EXPECT_TRUE(Temp.Exists(TEXT("Game\\System\\Both.ini")));
    EXPECT_TRUE(Mirror.Delete(TEXT("Both.ini"), 1)); // now the installation's
    EXPECT_FALSE(Temp.Exists(TEXT("Game\\System\\Both.ini")));

    // A copy or move reads from where the file is and writes into the mirror.
    EXPECT_TRUE(Mirror.Copy(TEXT("Copy.ini"), TEXT("Default.ini")));
    EXPECT_EQ(Temp.Read(TEXT("Docs\\Veltra\\System\\Copy.ini")), "stock");
    EXPECT_TRUE(Mirror.Move(TEXT("..\\Save\\Moved.ini"), TEXT("Copy.ini")));
    EXPECT_EQ(Temp.Read(TEXT("Docs\\Veltra\\Save\\Moved.ini")), "stock");
    EXPECT_TRUE(Mirror.DeleteDirectory(TEXT("..\\Save"), 1, 1));
    EXPECT_FALSE(Temp.Exists(TEXT("Docs\\Veltra\\Save")));
}

TEST_F(FUserDocumentsTest, ListingsMergeTheInstallationAndTheMirror)
{
    Temp.Write(TEXT("Game\\Save\\Slot1\\a"), "");
    Temp.Write(TEXT("Game\\Save\\Slot2\\a"), "");
    Temp.Write(TEXT("Game\\Save\\Slot1.bak"), "");
    Temp.Write(TEXT("Docs\\Veltra\\Save\\SLOT2\\a"), "");
    Temp.Write(TEXT("Docs\\Veltra\\Save\\Slot3\\a"), "");
    FNames Names = Narrow(Mirror.FindFiles(TEXT("..\\Save\\*."), 1, 1));
    ASSERT_EQ(Names.size(), 3u);
    std::sort(Names.begin(), Names.begin() + 2); // the installation's, in the system's order
    EXPECT_EQ(Names, (FNames{"Slot1", "Slot2", "Slot3"}));

    // A pattern naming one file of the installation lists that file alone.
    Temp.Write(TEXT("Docs\\Veltra\\System\\Other.ini"), "");
    EXPECT_EQ(Narrow(Mirror.FindFiles(TEXT("Default.ini"), 1, 0)), FNames{"Default.ini"});
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
        EXPECT_TRUE(Local.TranslatePath(Out, TEXT("Local.ini"), 'r'));
        EXPECT_STREQ(Out, TEXT("Local.ini"));
    }
}
