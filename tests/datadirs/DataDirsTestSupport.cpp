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
    Temp.Write(TEXT("System\\Corvane.ini"), "");
    ASSERT_TRUE(SetCurrentDirectoryW(*Temp(TEXT("System"))));
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

void FDataDirsTest::WriteInis(const std::string& SystemIni, const std::string& DefaultIni)
{
    GConfig->Flush(1);
    Temp.Write(TEXT("System\\Corvane.ini"), SystemIni);
    DeleteFileW(*Temp(TEXT("System\\Default.ini")));
    if (!DefaultIni.empty())
        Temp.Write(TEXT("System\\Default.ini"), DefaultIni);
}
