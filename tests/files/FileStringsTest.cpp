// FileStringsTest.cpp: the core's whole-file text functions through the program's file managers.
#include "TestFiles.h"

namespace
{
using FFileStringsTest = FMirroredGameTest;
} // namespace

TEST_F(FFileStringsTest, TextLoadsFromEightBitAndUtf16FilesAndWideTextIsSavedAsUtf16)
{
    FString Loaded;
    Temp.Write(TEXT("Game\\System\\Latin.txt"), "caf\xe9");
    Temp.Write(TEXT("Game\\System\\Wide.txt"), std::string("\xff\xfe\xa9\x03!\0", 6));
    EXPECT_TRUE(appLoadFileToString(Loaded, TEXT("Latin.txt"), &Mirror));
    EXPECT_EQ(Loaded, FString(TEXT("caf\x00e9")));
    EXPECT_TRUE(appLoadFileToString(Loaded, TEXT("Wide.txt"), &Mirror));
    EXPECT_EQ(Loaded, FString(TEXT("\x03a9!")));
    EXPECT_FALSE(appLoadFileToString(Loaded, TEXT("Missing.txt"), &Mirror));

    // Saved into the mirror, the installation's copy staying as it was.
    EXPECT_TRUE(appSaveStringToFile(FString(TEXT("caf\x00e9 \x03a9")), TEXT("Default.ini"), &Mirror));
    EXPECT_EQ(Temp.Read(TEXT("Docs\\Veltra\\System\\Default.ini")), std::string("\xff\xfe" "c\0a\0f\0\xe9\0 \0\xa9\x03", 14));
    EXPECT_FALSE(Temp.Exists(TEXT("Docs\\Veltra\\System\\Default.ini.tmp")));
    EXPECT_EQ(Temp.Read(TEXT("Game\\System\\Default.ini")), "stock");
}

TEST_F(FFileStringsTest, AFailedSaveLeavesEveryFileAsItWas)
{
    // The file lies in the installation only; through the mirror the save would go beside it.
    TDiskFull<FFileManagerWindows> Plain;
    TDiskFull<FFileManagerUserDocuments> Mirrored(*Temp(TEXT("Docs")), *Temp(TEXT("Game\\System")));
    FFileManagerWindows* Managers[] = {&Plain, &Mirrored};
    for (FFileManagerWindows* Full : Managers)
    {
        EXPECT_FALSE(appSaveStringToFile(FString(std::wstring(10000, L'n').c_str()), TEXT("Default.ini"), Full));
        EXPECT_EQ(ReadThrough(*Full, TEXT("Default.ini")), "stock");
        EXPECT_EQ(Temp.Read(TEXT("Game\\System\\Default.ini")), "stock");
        for (const TCHAR* Made : {TEXT("Game\\System\\Default.ini.tmp"), TEXT("Docs\\Veltra\\System\\Default.ini"),
                                  TEXT("Docs\\Veltra\\System\\Default.ini.tmp")})
            EXPECT_FALSE(Temp.Exists(Made)) << Narrow(Made);
    }
}
