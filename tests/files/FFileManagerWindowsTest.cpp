// FFileManagerWindowsTest.cpp: the Win32 file manager on real files in a temporary folder.
#include "TestFiles.h"
#include <algorithm>

namespace
{
using FNames = std::vector<std::string>;
using FWindowsManagerTest = FTempFolderTest;

FNames Sorted(const TArray<FString>& Names)
{
    FNames Result = Narrow(Names);
    std::sort(Result.begin(), Result.end());
    return Result;
}
} // namespace

TEST_F(FWindowsManagerTest, FlagsDecideHowAFileOpens)
{
    Temp.Write(TEXT("A.txt"), "old");
    EXPECT_EQ(Files.CreateFileWriter(TEXT("A.txt"), WRITEFLAG_KeepExisting), nullptr);
    FArchive* Writer = Files.CreateFileWriter(TEXT("A.txt"), WRITEFLAG_Append);
    EXPECT_EQ(Writer->Tell(), 3); // appending starts at the old size
    Writer->Serialize(const_cast<char*>("+new"), 4);
    delete Writer;
    EXPECT_EQ(Temp.Read(TEXT("A.txt")), "old+new");
    // (Wine lets root write read-only files, so only the cleared mark can be checked.)
    SetFileAttributesW(TEXT("A.txt"), FILE_ATTRIBUTE_READONLY);
    EXPECT_TRUE(WriteThrough(Files, TEXT("A.txt"), "y", WRITEFLAG_OverrideReadOnly));
    EXPECT_FALSE(GetFileAttributesW(TEXT("A.txt")) & FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(ReadThrough(Files, TEXT("A.txt")), "y"); // no flags: replaced
}

TEST_F(FWindowsManagerTest, DeleteMoveAndCopy)
{
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
    EXPECT_FALSE(Files.Copy(New, Target, 0));
    EXPECT_TRUE(Files.Copy(Missing, Target, 1, 0, 1));
    EXPECT_TRUE(GetFileAttributesW(Missing) & FILE_ATTRIBUTE_READONLY);
    EXPECT_TRUE(Files.Delete(Target, 1, 1));
    EXPECT_FALSE(Temp.Exists(TEXT("Target.txt")));
}

TEST_F(FWindowsManagerTest, DirectoriesListingsAndTheDefaultDirectory)
{
    FString Sub = Temp(TEXT("Sub"));
    EXPECT_TRUE(Files.MakeDirectory(*Sub));
    EXPECT_TRUE(Files.MakeDirectory(*Sub)); // existing already
    EXPECT_FALSE(Files.MakeDirectory(*Temp(TEXT("No\\Parent"))));
    Temp.Write(TEXT("a.txt"), "");
    Temp.Write(TEXT("noext"), "");
    EXPECT_EQ(Sorted(Files.FindFiles(*Temp(TEXT("*")), 1, 0)), (FNames{"a.txt", "noext"}));
    EXPECT_EQ(Sorted(Files.FindFiles(*Temp(TEXT("*")), 0, 1)), (FNames{"Sub"})); // never "." or ".."
    EXPECT_EQ(Sorted(Files.FindFiles(*Temp(TEXT("*.")), 1, 1)), (FNames{"Sub", "noext"}));
    EXPECT_TRUE(Files.SetDefaultDirectory(*Sub));
    EXPECT_EQ(Files.GetDefaultDirectory(), Sub);
    EXPECT_TRUE(Files.SetDefaultDirectory(*Temp()));
    EXPECT_TRUE(Files.DeleteDirectory(*Sub, 1));
    EXPECT_TRUE(Files.DeleteDirectory(*Sub, 0)); // missing, not required
    EXPECT_FALSE(Files.DeleteDirectory(*Sub, 1));
}
