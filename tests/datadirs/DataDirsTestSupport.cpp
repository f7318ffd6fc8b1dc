// DataDirsTestSupport.cpp: the temporary game installation of the data folder tests.
#include "DataDirsTestSupport.h"

FTexts Texts(const TArray<FString>& Strings)
{
    FTexts Result;
    for (const FString& Text : Strings)
        Result.push_back(Narrow(Text));
    return Result;
}

TArray<FString> Strings(std::initializer_list<const TCHAR*> Texts)
{
    TArray<FString> Result;
    for (const TCHAR* Text : Texts)
        Result.AddItem(FString(Text));
    return Result;
}

void FDataDirsTest::SetUp()
{
    WriteGame(TEXT("System\\Corvane.ini"), "");
    ASSERT_TRUE(SetCurrentDirectoryW(*Game(TEXT("System"))));
    SavedFileManager = GFileManager;
    SavedConfig = GConfig;
    SavedSys = GSys;
    GFileManager = &Files;
    GConfig = FConfigCacheIni::Factory();
    GConfig->Init(TEXT("Corvane.ini"), TEXT("User.ini"), 0);
    GSys = new (TEXT("USystem")) USystem;
}

void FDataDirsTest::TearDown()
{
    delete GSys;
    delete GConfig;
    GSys = SavedSys;
    GConfig = SavedConfig;
    GFileManager = SavedFileManager;
    delete &Files;
}

FString FDataDirsTest::Game(const TCHAR* Relative) const
{
    return *Relative ? Temp(*(FString(TEXT("Game\\")) + Relative)) : Temp(TEXT("Game"));
}

void FDataDirsTest::WriteGame(const TCHAR* Relative, const std::string& Bytes) const
{
    Temp.Write(*(FString(TEXT("Game\\")) + Relative), Bytes);
}

std::string FDataDirsTest::ReadGame(const TCHAR* Relative) const { return Temp.Read(*(FString(TEXT("Game\\")) + Relative)); }

void FDataDirsTest::WriteInis(const std::string& SystemIni, const std::string& DefaultIni)
{
    GConfig->Flush(1);
    WriteGame(TEXT("System\\Corvane.ini"), SystemIni);
    if (DefaultIni.empty())
        DeleteFileW(*Game(TEXT("System\\Default.ini")));
    else
        WriteGame(TEXT("System\\Default.ini"), DefaultIni);
}
