// bench_soak: plays the sample game for ten minutes (or the seconds given as argument) on a
// fresh copy of the game, through the program's whole launch sequence and main loop, while
// a script does what players do: random console commands of the program and the game,
// window resizes, focus changes, and a thread that injects mouse motion and side-button
// clicks. The game must not crash. Twice, after the first minute and at the end, the script
// brings the game to rest (closes the windows it opened) and reads the allocator's live
// bytes; the last line, "ratio: N", is the end's live bytes over the first minute's.
//
// The program needs a game's System folder as its folder: the benchmark copies the game,
// runs a copy of itself inside it, and prints what that copy wrote.
#include "BenchGame.h"
#include "FConfigCacheIni.h"
#include "FFeedbackContextWindows.h"
#include "FFileManagerWindows.h"
#include "FGameLauncher.h"
#include "FMallocWindows.h"
#include "FOutputDeviceErrorWindows.h"
#include "FOutputDeviceLogFile.h"
#include "ProgramHeap.h"
#include "StartupChoices.h"
#include "Extension.h"
#include <mmsystem.h>
#include <stdio.h>
#include <stdlib.h>
#include <atomic>
#include <string>
#include <vector>

namespace
{
const wchar_t ResultsFile[] = L"bench_soak.txt";
FMallocWindows* SoakMalloc = NULL;
double SoakSeconds = 600.0;

const TCHAR* const Commands[] = {
    TEXT("ShowLog"), TEXT("HideLog"), TEXT("TakeFocus"), TEXT("EditActor Class=Prop"),
    TEXT("EditActor Class=VeltraPlayer"), TEXT("EditActor Class=NoSuchClass"), TEXT("Preferences"),
    TEXT("ToggleFullScreen"), TEXT("SetRes 800x600"), TEXT("SetRes 1024x768"), TEXT("fov 90"), TEXT("zoom 40"),
    TEXT("endzoom"), TEXT("status"), TEXT("conversation"), TEXT("openwindow Veltra.InfoWindow 0"),
    TEXT("closewindow"), TEXT("savemenu"), TEXT("echo soak"), TEXT("bogus command"),
};

struct FRandom
{
    unsigned long long State = 0x9E3779B97F4A7C15ull;
    unsigned Next(unsigned Below)
    {
        State ^= State << 13;
        State ^= State >> 7;
        State ^= State << 17;
        return unsigned(State >> 20) % Below;
    }
};

// A player's mouse: about 1000 reports a second, small moves that cancel out, and now and
// then a click of the fourth or fifth button.
struct FMouse
{
    std::atomic<bool> Stop{false};
    std::atomic<long long> Sent{0};

    static DWORD WINAPI Run(void* Param)
    {
        FMouse& Self = *static_cast<FMouse*>(Param);
        FRandom Random;
        timeBeginPeriod(1);
        while (!Self.Stop)
        {
            INPUT Batch[4] = {};
            const LONG Step = LONG(Random.Next(7)) - 3;
            for (INPUT& Input : Batch)
                Input.type = INPUT_MOUSE;
            Batch[0].mi.dwFlags = Batch[1].mi.dwFlags = MOUSEEVENTF_MOVE;
            Batch[0].mi.dx = Step;
            Batch[1].mi.dx = -Step;
            UINT Count = 2;
            if (Random.Next(500) == 0)
            {
                Batch[2].mi.dwFlags = MOUSEEVENTF_XDOWN;
                Batch[3].mi.dwFlags = MOUSEEVENTF_XUP;
                Batch[2].mi.mouseData = Batch[3].mi.mouseData = Random.Next(2) ? XBUTTON1 : XBUTTON2;
                Count = 4;
            }
            Self.Sent += SendInput(Count, Batch, sizeof(INPUT));
            Sleep(2);
        }
        timeEndPeriod(1);
        return 0;
    }
};

BOOL CALLBACK CountOwned(HWND Window, LPARAM Param)
{
    auto& Search = *reinterpret_cast<std::pair<HWND, int>*>(Param);
    Search.second += GetWindow(Window, GW_OWNER) == Search.first;
    return TRUE;
}

// Every window that an owner window of this thread owns.
BOOL CALLBACK CloseOwned(HWND Window, LPARAM Owner)
{
    if (GetWindow(Window, GW_OWNER) == HWND(Owner))
        SendMessageW(Window, WM_CLOSE, 0, 0);
    return TRUE;
}

} // namespace

// The sample game's engine, with the script of the soak run on every tick; the launch
// sequence makes it by name ([Engine.Engine] GameEngine=BenchSoak.SoakEngine).
class USoakEngine : public UGameEngine
{
    DECLARE_CLASS(USoakEngine, UGameEngine)
public:
    void Tick(FLOAT DeltaSeconds) override;

private:
    double Start = 0, NextAction = 0, FirstSampleAt = 60;
    int Phase = 0;
    long long FirstBytes = 0, FirstBlocks = 0;
    long long Actions[5] = {};
    FRandom Random;
    HWND Other = NULL; // another program's window, for focus changes
    FMouse Mouse;
    HANDLE MouseThread = NULL;

    HWND ViewportWindow() { return Client && Client->Viewports.Num() ? HWND(Client->Viewports(0)->GetWindow()) : NULL; }
    void RandomAction();
    static bool OpensAWindow(const TCHAR* Command)
    {
        for (const TCHAR* Opener : {TEXT("EditActor"), TEXT("conversation"), TEXT("openwindow"), TEXT("savemenu")})
            if (appStrstr(Command, Opener) == Command)
                return true;
        return false;
    }
    int GuiWindows()
    {
        AGuiPlayer* Gui = Cast<AGuiPlayer>(Player);
        int Count = 0;
        for (XWindow* Child = Gui && Gui->RootWindow ? Gui->RootWindow->BottomChild : NULL; Child;
             Child = Child->HigherSibling)
            Count++;
        return Count;
    }
    int PropertyWindows()
    {
        std::pair<HWND, int> Search(ViewportWindow(), 0);
        EnumThreadWindows(GetCurrentThreadId(), &CountOwned, LPARAM(&Search));
        return Search.second;
    }
    void Rest();
    void Finish();
};
IMPLEMENT_CLASS(USoakEngine, BenchSoak, SoakEngine, 0)


void USoakEngine::Tick(FLOAT DeltaSeconds)
{
    Super::Tick(DeltaSeconds);
    const double Now = BenchNow();
    if (Start == 0)
    {
        Start = NextAction = Now;
        if (SoakSeconds < 180)
            FirstSampleAt = SoakSeconds / 5;
        Other = CreateWindowExW(0, L"STATIC", L"Other program", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 300, 200, NULL,
                                NULL, NULL, NULL);
        MouseThread = CreateThread(NULL, 0, &FMouse::Run, &Mouse, 0, NULL);
    }
    if (Phase == 0 && Now - Start >= FirstSampleAt)
    {
        Rest();
        FirstBytes = SoakMalloc->UsedBytesCurrent;
        FirstBlocks = SoakMalloc->LiveAllocations;
        Phase = 1;
    }
    else if (Phase == 1 && Now - Start >= SoakSeconds)
    {
        Finish();
        Phase = 2;
    }
    else if (Phase < 2 && Now >= NextAction)
    {
        RandomAction();
        NextAction = Now + 0.02 + 0.001 * Random.Next(300);
    }
}

void USoakEngine::RandomAction()
{
    const unsigned Pick = Random.Next(100);
    HWND Viewport = ViewportWindow();
    if (Pick < 70)
    {
        // A player closes what piles up: at most a few game GUI and property windows.
        const TCHAR* Command = Commands[Random.Next(ARRAY_COUNT(Commands))];
        if (OpensAWindow(Command) && (GuiWindows() >= 3 || PropertyWindows() >= 3))
            Command = GuiWindows() >= 3 ? TEXT("closewindow") : NULL;
        if (Command)
            Exec(Command, *GLog);
        else
            EnumThreadWindows(GetCurrentThreadId(), &CloseOwned, LPARAM(Viewport));
        Actions[Command ? 0 : 3]++;
    }
    else if (Pick < 82 && Viewport)
    {
        SetWindowPos(Viewport, NULL, 0, 0, 400 + Random.Next(900), 300 + Random.Next(700),
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        Actions[1]++;
    }
    else if (Pick < 94)
    {
        SetForegroundWindow(Random.Next(2) && Viewport ? Viewport : Other);
        Actions[2]++;
    }
    else if (Viewport)
    {
        // The player closes the property windows of "EditActor".
        EnumThreadWindows(GetCurrentThreadId(), &CloseOwned, LPARAM(Viewport));
        Actions[3]++;
    }
}

// What the player opened goes: property windows, the game GUI's windows, a zoom, full screen.
void USoakEngine::Rest()
{
    if (HWND Viewport = ViewportWindow())
        EnumThreadWindows(GetCurrentThreadId(), &CloseOwned, LPARAM(Viewport));
    if (AGuiPlayer* Gui = Cast<AGuiPlayer>(Player))
        for (int i = 0; i < 100 && Gui->RootWindow && Gui->RootWindow->TopChild; i++)
            Exec(TEXT("closewindow"), *GNull);
    Exec(TEXT("endzoom"), *GNull);
    if (Client && Client->Viewports.Num() && Client->Viewports(0)->IsFullscreen())
        Exec(TEXT("ToggleFullScreen"), *GNull);
    Exec(TEXT("SetRes 1024x768"), *GNull);
}

void USoakEngine::Finish()
{
    Mouse.Stop = true;
    WaitForSingleObject(MouseThread, INFINITE);
    CloseHandle(MouseThread);
    Rest();
    const long long EndBytes = SoakMalloc->UsedBytesCurrent, EndBlocks = SoakMalloc->LiveAllocations;
    if (FILE* Out = _wfopen(ResultsFile, L"w"))
    {
        fprintf(Out, "%.0f s played: %lld console commands, %lld resizes, %lld focus changes, %lld closings of "
                     "property windows, %lld mouse reports\n",
                BenchNow() - Start, Actions[0], Actions[1], Actions[2], Actions[3], Mouse.Sent.load());
        fprintf(Out, "live after %.0f s: %lld bytes in %lld blocks; at the end: %lld bytes in %lld blocks\n",
                FirstSampleAt, FirstBytes, FirstBlocks, EndBytes, EndBlocks);
        fprintf(Out, "ratio: %.4f\n", FirstBytes ? double(EndBytes) / double(FirstBytes) : 0.0);
        fclose(Out);
    }
    DestroyWindow(Other);
    Exec(TEXT("exit"), *GLog);
}

// Inside the game copy: the entry's platform services around the whole launch sequence.
static int RunInside()
{
    FMallocWindows Malloc;
    SoakMalloc = &Malloc;
    FOutputDeviceLogFile Log;
    FOutputDeviceErrorWindows Error;
    FFeedbackContextWindows Warn;
    FFileManagerWindows* FileManager = CreateFileManager(GetCommandLineW());
    appInit(TEXT("Corvane"), GetCommandLineW(), &Malloc, &Log, &Error, &Warn, FileManager, FConfigCacheIni::Factory, 1);
    FileManager->Init();
    SetRoleFlags(appCmdLine());
    {
        FGameLauncher Launcher;
    }
    appPreExit();
    appExit();
    GIsStarted = 0;
    delete FileManager;
    GFileManager = NULL;
    Log.Close();
    GProgramHeap.Close();
    return 0;
}

int main(int argc, char** argv)
{
    if (argc > 1)
        SoakSeconds = atof(argv[argc - 1]);
    if (argc > 2 && std::string(argv[1]) == "-inside")
        return RunInside();
    if (SoakSeconds < 10)
        SoakSeconds = 600;
    FGameCopy Game;
    Game.SetFirstRunDone(120);
    Game.SetIni(L"Corvane.ini", L"Engine.Engine", L"GameEngine", L"BenchSoak.SoakEngine");
    const std::wstring Copy = Game.System() + L"\\bench_soak.exe";
    CopyFileW((BenchDir() + L"bench_soak.exe").c_str(), Copy.c_str(), FALSE);
    wchar_t Args[64];
    _snwprintf(Args, 64, L"-inside -skipdialog -localdata %.0f", SoakSeconds);
    double Seconds = 0;
    const DWORD Code = RunTimed(Copy, Args, Game.System(), SoakSeconds + 120, Seconds);
    const std::string Results = Game.ReadFile(ResultsFile), Log = Game.ReadFile(L"bench_soak.log");
    fputs(Results.c_str(), stdout);
    const bool CleanEnd = Log.find("Log file closed") != std::string::npos;
    if (Code != 0 || !CleanEnd || Results.find("ratio:") == std::string::npos)
    {
        printf("failed: the game ended with %lu%s\n", (unsigned long)Code, CleanEnd ? "" : ", its log unfinished");
        return 1;
    }
    return 0;
}
