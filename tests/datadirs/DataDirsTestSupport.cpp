// DataDirsTestSupport.cpp: the temporary game installation of the data folder tests.
#include "DataDirsTestSupport.h"

FDataDirsTest::FDataDirsTest()
{
    Temp.Write(TEXT("System\\Corvane.ini"), "");
    SetCurrentDirectoryW(*Temp(TEXT("System")));
    StartConfig(TEXT("Corvane.ini"));
}

void FDataDirsTest::WriteInis(const std::string& SystemIni, const std::string& DefaultIni)
{
    GConfig->Flush(1);
    Temp.Write(TEXT("System\\Corvane.ini"), SystemIni);
    DeleteFileW(*Temp(TEXT("System\\Default.ini")));
    if (!DefaultIni.empty())
        Temp.Write(TEXT("System\\Default.ini"), DefaultIni);
}
