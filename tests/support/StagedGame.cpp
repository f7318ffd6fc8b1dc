// StagedGame.cpp: copies of the staged game, and runs of Corvane.exe on them.
#include "StagedGame.h"
#include <memory>
#include <shlobj.h>

namespace
{
const TCHAR* const SystemIni = TEXT("Game\\System\\Corvane.ini");

FString DocumentsMirror()
{
    TCHAR Documents[MAX_PATH];
    SHGetFolderPathW(NULL, CSIDL_PERSONAL, NULL, SHGFP_TYPE_CURRENT, Documents);
    return FString(Documents) * TEXT("Veltra");
}

FString Inside(const FString& Dir, const TCHAR* Relative) { return *Relative ? Dir * Relative : Dir; }

// Whether a running game's log window shows Text in its display (the multi-line edit, not the
// command line), read from the test's process.
bool LogWindowShows(DWORD ProcessId, const TCHAR* Text)
{
    HWND Log = FindProcessWindow(ProcessId, TEXT("VeltraWindow"), TEXT("GameLog - "), false), Edit = NULL;
    while (Log && (Edit = FindWindowExW(Log, Edit, TEXT("Edit"), NULL)) && !(GetWindowLongW(Edit, GWL_STYLE) & ES_MULTILINE))
        ;
    DWORD_PTR Length = 0;
    if (!Edit || !SendMessageTimeoutW(Edit, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 2000, &Length))
        return false;
    std::wstring Shown(Length + 1, 0);
    SendMessageTimeoutW(Edit, WM_GETTEXT, Length + 1, reinterpret_cast<LPARAM>(&Shown[0]), SMTO_ABORTIFHUNG, 2000, &Length);
    return wcsstr(Shown.c_str(), Text) != NULL;
}
} // namespace

FStagedGame::FStagedGame()
{
    RemoveTree(DocumentsMirror());
    CopyTree(FString(appBaseDir()) + TEXT("..\\game"), Temp(TEXT("Game")));
}

FStagedGame::~FStagedGame() { RemoveTree(DocumentsMirror()); }

FString FStagedGame::System(const TCHAR* Relative) const { return Inside(Temp(TEXT("Game\\System")), Relative); }

FString FStagedGame::Mirror(const TCHAR* Relative) const { return Inside(DocumentsMirror() * TEXT("System"), Relative); }

void FStagedGame::Configure(const std::string& Lines, bool FirstRunDone)
{
    const char* FirstRun = FirstRunDone ? "\r\n[FirstRun]\r\nFirstRun=1100\r\n" : "";
    Temp.Write(SystemIni, Temp.Read(SystemIni) + FirstRun + "\r\n" + Lines);
}

void FStagedGame::EditIni(const std::string& From, const std::string& To)
{
    std::string Ini = Temp.Read(SystemIni);
    size_t At = Ini.find(From);
    if (At != std::string::npos)
        Temp.Write(SystemIni, Ini.replace(At, From.size(), To));
}

FWatchedRun FStagedGame::Run(const TCHAR* Args, INT Answer) { return std::unique_ptr<FWatchedProcess>(Start(Args, Answer))->Wait(); }

FWatchedProcess* FStagedGame::Start(const TCHAR* Args, INT Answer)
{
    return new FWatchedProcess(System(TEXT("Corvane.exe")), FString(TEXT(" -skipdialog")) + Args, *System(), Answer);
}

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
        if ((At = FindLineFrom(Lines, Line, At) + 1) == 0)
            return testing::AssertionFailure() << "missing in order: " << Narrow(FString(Line)) << " (of " << Lines.Num() << " lines)";
    return testing::AssertionSuccess();
}

bool WaitForLogWindow(const FWatchedProcess& Game, const TCHAR* Text, DWORD Milliseconds)
{
    return Game.WaitUntil([&] { return LogWindowShows(Game.Id(), Text); }, Milliseconds);
}
