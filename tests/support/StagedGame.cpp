// StagedGame.cpp: copies of the staged game, and runs of Corvane.exe on them.
#include "StagedGame.h"
#include <shlobj.h>

namespace
{
FString DocumentsMirror()
{
    TCHAR Documents[MAX_PATH];
    SHGetFolderPathW(NULL, CSIDL_PERSONAL, NULL, SHGFP_TYPE_CURRENT, Documents);
    return FString(Documents) * TEXT("Veltra");
}
} // namespace

FStagedGame::FStagedGame()
{
    RemoveTree(DocumentsMirror());
    CopyTree(FString(appBaseDir()) + TEXT("..\\game"), Temp(TEXT("Game")));
}

FStagedGame::~FStagedGame() { RemoveTree(DocumentsMirror()); }

FString FStagedGame::System(const TCHAR* Relative) const
{
    return *Relative ? Temp(TEXT("Game\\System")) * Relative : Temp(TEXT("Game\\System"));
}

FString FStagedGame::Mirror(const TCHAR* Relative) const
{
    FString Dir = DocumentsMirror() * TEXT("System");
    return *Relative ? Dir * Relative : Dir;
}

void FStagedGame::Configure(const std::string& Lines, bool FirstRunDone)
{
    std::string Ini = Temp.Read(TEXT("Game\\System\\Corvane.ini"));
    if (FirstRunDone)
        Ini += "\r\n[FirstRun]\r\nFirstRun=1100\r\n";
    Temp.Write(TEXT("Game\\System\\Corvane.ini"), Ini + "\r\n" + Lines);
}

void FStagedGame::Write(const TCHAR* Relative, const std::string& Text) const
{
    Temp.Write(*(FString(TEXT("Game\\System\\")) + Relative), Text);
}

FWatchedRun FStagedGame::Run(const TCHAR* Args)
{
    FWatchedProcess* Process = Start(Args);
    FWatchedRun Result = Process->Wait();
    delete Process;
    return Result;
}

FWatchedProcess* FStagedGame::Start(const TCHAR* Args)
{
    return new FWatchedProcess(System(TEXT("Corvane.exe")), FString(TEXT(" skipdialog")) + Args, *System(), IDOK);
}

TArray<FString> FStagedGame::Log() const { return ReadLogLines(*Mirror(TEXT("Corvane.log"))); }

INT FindLineFrom(const TArray<FString>& Lines, const TCHAR* Start, INT From)
{
    for (INT i = From; i < Lines.Num(); i++)
        if (Lines(i).InStr(Start) == 0)
            return i;
    return -1;
}

testing::AssertionResult LinesInOrder(const TArray<FString>& Lines, std::initializer_list<const TCHAR*> Expected)
{
    INT At = 0;
    for (const TCHAR* Line : Expected)
    {
        INT Found = FindLineFrom(Lines, Line, At);
        if (Found < 0)
            return testing::AssertionFailure() << "missing in order: " << Narrow(FString(Line)) << " (after line " << At
                                               << " of " << Lines.Num() << ")";
        At = Found + 1;
    }
    return testing::AssertionSuccess();
}

bool WaitForLogLine(const FString& Log, const TCHAR* Start, DWORD Milliseconds)
{
    DWORD Begin = GetTickCount();
    do
    {
        if (FindLineFrom(ReadLogLines(*Log), Start) >= 0)
            return true;
        Sleep(50);
    } while (GetTickCount() - Begin < Milliseconds);
    return false;
}
