// StagedGame.cpp: copies of the staged game, and runs of Corvane.exe on them.
#include "StagedGame.h"
#include <memory>
#include <shlobj.h>

namespace
{
FString DocumentsMirror()
{
    TCHAR Documents[MAX_PATH];
    SHGetFolderPathW(NULL, CSIDL_PERSONAL, NULL, SHGFP_TYPE_CURRENT, Documents);
    return FString(Documents) * TEXT("Veltra");
}

// The text of a running game's log window, read from the test's process; empty without one.
FString LogWindowText(DWORD ProcessId)
{
    HWND Log = FindProcessWindow(ProcessId, TEXT("VeltraWindow"), TEXT("GameLog - "), false);
    for (HWND Edit = FindWindowExW(Log, NULL, TEXT("Edit"), NULL); Log && Edit;
         Edit = FindWindowExW(Log, Edit, TEXT("Edit"), NULL))
        if (GetWindowLongW(Edit, GWL_STYLE) & ES_MULTILINE) // the display, not the command line
        {
            DWORD_PTR Length = 0;
            if (!SendMessageTimeoutW(Edit, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 2000, &Length))
                return FString();
            TArray<TCHAR> Text;
            Text.Add(INT(Length) + 1);
            DWORD_PTR Copied = 0;
            SendMessageTimeoutW(Edit, WM_GETTEXT, Length + 1, reinterpret_cast<LPARAM>(&Text(0)), SMTO_ABORTIFHUNG, 2000,
                                &Copied);
            Text(INT(Copied)) = 0;
            return FString(&Text(0));
        }
    return FString();
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

void FStagedGame::EditIni(const std::string& From, const std::string& To)
{
    std::string Ini = Temp.Read(TEXT("Game\\System\\Corvane.ini"));
    size_t At = Ini.find(From);
    if (At != std::string::npos)
        Temp.Write(TEXT("Game\\System\\Corvane.ini"), Ini.replace(At, From.size(), To));
}

void FStagedGame::Write(const TCHAR* Relative, const std::string& Text) const
{
    Temp.Write(*(FString(TEXT("Game\\System\\")) + Relative), Text);
}

void FStagedGame::WriteMirror(const TCHAR* Relative, const std::string& Text) const { WriteWholeFile(Mirror(Relative), Text); }

FWatchedRun FStagedGame::Run(const TCHAR* Args, INT Answer) { return std::unique_ptr<FWatchedProcess>(Start(Args, Answer))->Wait(); }

FWatchedProcess* FStagedGame::Start(const TCHAR* Args, INT Answer)
{
    return new FWatchedProcess(System(TEXT("Corvane.exe")), FString(TEXT(" -skipdialog")) + Args, *System(), Answer);
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

bool WaitForLogWindow(const FWatchedProcess& Game, const TCHAR* Text, DWORD Milliseconds)
{
    DWORD Begin = GetTickCount();
    do
    {
        if (LogWindowText(Game.Id()).InStr(Text) >= 0)
            return true;
        Sleep(50);
    } while (Game.Running() && GetTickCount() - Begin < Milliseconds);
    return false;
}
