// FFileManagerWindowsTest.cpp: the Win32 file manager, with the generic operations it inherits,
// on real files in a temporary folder.
#include "TestFiles.h"

namespace
{
using FNames = std::vector<std::string>;
using FWindowsManagerTest = FTempFolderTest;

std::vector<float> Reports;
void Record(FLOAT Fraction) { Reports.push_back(Fraction); }
} // namespace

TEST_F(FWindowsManagerTest, DirectoriesAreMadeBelowTheRootsListedAndDeletedWhole)
{
    for (const TCHAR* Root : {TEXT(""), TEXT("z:"), TEXT("\\"), TEXT("\\\\"), TEXT("\\\\server"), TEXT("\\\\server\\share")})
        EXPECT_TRUE(Files.IsDrive(Root)) << Narrow(Root);
    for (const TCHAR* Other : {TEXT("C:\\"), TEXT("1:"), TEXT("C:a"), TEXT("\\\\server\\share\\dir"),
                               TEXT("\\\\server\\"), TEXT("\\\\\\share"), TEXT("\\Games")})
        EXPECT_FALSE(Files.IsDrive(Other)) << Narrow(Other);

    // A tree is made from its second component on.
    Temp.Write(TEXT("System\\x"), "");
    SetCurrentDirectoryW(*Temp(TEXT("System")));
    EXPECT_TRUE(Files.MakeDirectory(TEXT("..\\A\\B"), 1));
    EXPECT_TRUE(Temp.Exists(TEXT("A\\B")));
    EXPECT_FALSE(Files.MakeDirectory(TEXT("C"), 1));
    EXPECT_FALSE(Temp.Exists(TEXT("System\\C")));
    Temp.Write(TEXT("a.txt"), "");
    EXPECT_EQ(Narrow(Files.FindFiles(TEXT("..\\*"), 1, 0)), FNames{"a.txt"});
    EXPECT_EQ(Narrow(Files.FindFiles(TEXT("..\\A\\*"), 0, 1)), FNames{"B"}); // never "." or ".."

    // The working copy holds 255 characters and a terminator; longer paths make nothing.
    FString Longest = LongPath(Temp(TEXT("L")), 255), TooLong = LongPath(Temp(TEXT("M")), 256);
    EXPECT_TRUE(Files.MakeDirectory(*Longest, 1));
    EXPECT_NE(GetFileAttributesW(*Longest), INVALID_FILE_ATTRIBUTES);
    EXPECT_FALSE(Files.MakeDirectory(*TooLong, 1));
    EXPECT_FALSE(Temp.Exists(TEXT("M")));

    Temp.Write(TEXT("A\\B\\Deeper\\b.txt"), "b");
    SetFileAttributesW(*Temp(TEXT("A\\B\\Deeper\\b.txt")), FILE_ATTRIBUTE_READONLY);
    EXPECT_TRUE(Files.DeleteDirectory(TEXT("..\\A"), 1, 1));
    EXPECT_FALSE(Temp.Exists(TEXT("A")));
    EXPECT_TRUE(Files.DeleteDirectory(TEXT("..\\A"), 0, 1));
    EXPECT_FALSE(Files.DeleteDirectory(TEXT("..\\A"), 1, 1));
    EXPECT_FALSE(Files.DeleteDirectory(TEXT(""), 0, 1)); // never the root of the drive
}

TEST_F(FWindowsManagerTest, FilesOpenDeleteMoveAndCopyAsTheFlagsSay)
{
    Temp.Write(TEXT("A.txt"), "old");
    EXPECT_EQ(Files.CreateFileWriter(TEXT("A.txt"), WRITEFLAG_KeepExisting), nullptr);
    FArchive* Writer = Files.CreateFileWriter(TEXT("A.txt"), WRITEFLAG_Append);
    EXPECT_EQ(Writer->Tell(), 3); // appending starts at the old size
    Writer->Serialize(const_cast<char*>("+new"), 4);
    delete Writer;
    EXPECT_EQ(Temp.Read(TEXT("A.txt")), "old+new");

    const TCHAR *Missing = TEXT("Missing.txt"), *Target = TEXT("Target.txt"), *New = TEXT("New.txt");
    EXPECT_TRUE(Files.Delete(Missing, 0));
    EXPECT_FALSE(Files.Delete(Missing, 1));
    Temp.Write(TEXT("Target.txt"), "keep");
    Temp.Write(TEXT("New.txt"), "new");
    SetFileAttributesW(Target, FILE_ATTRIBUTE_READONLY);
    EXPECT_FALSE(Files.Delete(Target, 1, 0));
    // A move replaces a destination, read-only or not, whatever the replace flag says; one
    // that fails leaves it as it was, and says so as a warning.
    EXPECT_TRUE(Files.Move(Target, New, 0));
    EXPECT_FALSE(Temp.Exists(TEXT("New.txt")));
    GTestLog.Clear();
    EXPECT_FALSE(Files.Move(Target, Missing));
    EXPECT_EQ(Temp.Read(TEXT("Target.txt")), "new");
    ASSERT_EQ(GTestLog.Lines.Num(), 1);
    EXPECT_EQ(GTestLog.Lines(0), FString(TEXT("Error moving file 'Missing.txt' to 'Target.txt'")));
    EXPECT_EQ(GTestLog.Events(0), NAME_Warning);
    // A copied read-only file is writable unless the caller keeps its attributes.
    SetFileAttributesW(Target, FILE_ATTRIBUTE_READONLY);
    EXPECT_TRUE(Files.Copy(New, Target));
    EXPECT_FALSE(GetFileAttributesW(New) & FILE_ATTRIBUTE_READONLY);
    EXPECT_TRUE(Files.Delete(Target, 1, 1));
    EXPECT_FALSE(Temp.Exists(TEXT("Target.txt")));

    // A copy with progress reports 0 first and 1 last, also when it fails; an existing
    // destination is kept when asked.
    Temp.Write(TEXT("Src.bin"), std::string(10000, 's'));
    EXPECT_TRUE(Files.Copy(TEXT("Dest.bin"), TEXT("Src.bin"), 1, 0, 0, Record));
    EXPECT_EQ(Temp.Read(TEXT("Dest.bin")), std::string(10000, 's'));
    EXPECT_FALSE(Files.Copy(TEXT("Dest.bin"), TEXT("Missing.bin"), 1, 0, 0, Record));
    EXPECT_FALSE(Files.Copy(TEXT("Dest.bin"), TEXT("Src.bin"), 0, 0, 0, Record));
    EXPECT_EQ(Reports, (std::vector<float>{0.f, 0.f, 4096.f / 10000.f, 8192.f / 10000.f, 1.f, 0.f, 1.f, 0.f, 1.f}));
}
