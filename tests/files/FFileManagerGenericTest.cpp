// FFileManagerGenericTest.cpp: drive roots, directory trees and the copy with progress.
#include "TestFiles.h"
#include <vector>

namespace
{
using FGenericTest = FTempFolderTest;

std::vector<float> Reports;
void Record(FLOAT Fraction) { Reports.push_back(Fraction); }
} // namespace

TEST_F(FGenericTest, DrivesAreRootsThatCannotBeMade)
{
    for (const TCHAR* Root : {TEXT(""), TEXT("z:"), TEXT("\\"), TEXT("\\\\"), TEXT("\\\\server"), TEXT("\\\\server\\share")})
        EXPECT_TRUE(Files.IsDrive(Root)) << Narrow(Root);
    for (const TCHAR* Other : {TEXT("C:\\"), TEXT("1:"), TEXT("C:a"), TEXT("\\\\server\\share\\dir"),
                               TEXT("\\\\server\\"), TEXT("\\\\\\share"), TEXT("\\Games")})
        EXPECT_FALSE(Files.IsDrive(Other)) << Narrow(Other);
}

TEST_F(FGenericTest, TreesAreMadeFromTheSecondComponentOnAndDeletedWhole)
{
    Temp.Write(TEXT("System\\x"), "");
    SetCurrentDirectoryW(*Temp(TEXT("System")));
    EXPECT_TRUE(Files.MakeDirectory(TEXT("..\\A\\B"), 1));
    EXPECT_TRUE(Temp.Exists(TEXT("A\\B")));
    EXPECT_FALSE(Files.MakeDirectory(TEXT("C"), 1)); // one component: nothing made
    EXPECT_FALSE(Temp.Exists(TEXT("System\\C")));

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

TEST_F(FGenericTest, ACopyWithProgressReportsFromZeroToOne)
{
    Temp.Write(TEXT("Src.bin"), std::string(10000, 's'));
    EXPECT_TRUE(Files.Copy(*Temp(TEXT("Dest.bin")), *Temp(TEXT("Src.bin")), 1, 0, 0, Record));
    EXPECT_EQ(Temp.Read(TEXT("Dest.bin")), std::string(10000, 's'));
    EXPECT_EQ(Reports, (std::vector<float>{0.f, 0.f, 4096.f / 10000.f, 8192.f / 10000.f, 1.f}));

    // Failures still start at 0 and end at 1; an existing destination is kept when asked.
    Reports.clear();
    EXPECT_FALSE(Files.Copy(*Temp(TEXT("Dest.bin")), *Temp(TEXT("Missing.bin")), 1, 0, 0, Record));
    Temp.Write(TEXT("Src.bin"), "new");
    EXPECT_FALSE(Files.Copy(*Temp(TEXT("Dest.bin")), *Temp(TEXT("Src.bin")), 0, 0, 0, Record));
    EXPECT_EQ(Reports, (std::vector<float>{0.f, 1.f, 0.f, 1.f}));
    EXPECT_EQ(Temp.Read(TEXT("Dest.bin")).size(), 10000u);
}
