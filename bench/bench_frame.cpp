// bench_frame: runs the game's main loop (FGameLauncher::RunMainLoop) on a fresh copy of
// the sample game with raw input on: four seconds each at FPSLimit 60 and 120, printing the
// achieved tick rate and the loop's own cost per iteration (the time outside the engine's
// ticks over the iterations); then four seconds at 60 while a thread injects 8000 mouse
// reports a second (or the number given as argument) with SendInput into the focused
// viewport, printing the rate and the share of reports that reached the engine as axis
// events. The last line, "ratio: N", is the achieved rate over the cap of 60 without input.
//
// The loop needs a game's System folder as its program folder: the benchmark copies the
// game, runs a copy of itself inside it, and prints what that copy wrote.
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
#include <mmsystem.h>
#include <stdio.h>
#include <stdlib.h>
#include <atomic>
#include <string>

namespace
{
const double PhaseSeconds = 4.0;
int ReportsPerSecond = 8000;
const wchar_t ResultsFile[] = L"bench_frame.txt";

// The sample game's engine, counting what the loop asks of it: each iteration asks for the
// maximum tick rate once; a phase ends (as a player's "exit" would) after its time.
class UFrameEngine : public UGameEngine
{
    DECLARE_CLASS(UFrameEngine, UGameEngine)
public:
    double PhaseEnd = 0, FirstTick = 0, LastTick = 0, TickSeconds = 0;
    long long Iterations = 0, Ticks = 0, AxisEvents = 0;

    void StartPhase(double Seconds)
    {
        PhaseEnd = BenchNow() + Seconds;
        FirstTick = LastTick = TickSeconds = 0;
        Iterations = Ticks = AxisEvents = 0;
        GIsRequestingExit = 0;
    }
    FLOAT GetMaxTickRate() override
    {
        Iterations++;
        if (BenchNow() >= PhaseEnd)
            GIsRequestingExit = 1;
        return Super::GetMaxTickRate();
    }
    void Tick(FLOAT DeltaSeconds) override
    {
        const double Start = BenchNow();
        Super::Tick(DeltaSeconds);
        LastTick = BenchNow();
        TickSeconds += LastTick - Start;
        if (Ticks++ == 0)
            FirstTick = Start;
    }
    UBOOL InputEvent(UViewport* Viewport, EInputKey Key, EInputAction Action, FLOAT Delta) override
    {
        if (Key == IK_MouseX && Action == IST_Axis)
            AxisEvents++;
        return Super::InputEvent(Viewport, Key, Action, Delta);
    }
    double Rate() const { return Ticks > 1 ? double(Ticks - 1) / (LastTick - FirstTick) : 0.0; }
    // Microseconds of the loop's own work per iteration.
    double LoopCost(double Elapsed) const { return Iterations ? (Elapsed - TickSeconds) * 1e6 / double(Iterations) : 0; }
};
IMPLEMENT_CLASS(UFrameEngine, BenchFrame, FrameEngine, 0)

// Sends reports at the given rate, in batches due so far, sleeping about a millisecond
// between batches (a busy injector would take one of the machine's cores from the loop).
struct FInjector
{
    std::atomic<bool> Stop{false};
    std::atomic<long long> Sent{0};

    static DWORD WINAPI Run(void* Param)
    {
        FInjector& Self = *static_cast<FInjector*>(Param);
        timeBeginPeriod(1);
        const double Start = BenchNow();
        INPUT Batch[256] = {};
        while (!Self.Stop)
        {
            long long Due = (long long)((BenchNow() - Start) * ReportsPerSecond) - Self.Sent;
            while (Due > 0)
            {
                UINT Count = UINT(Due < 256 ? Due : 256);
                for (UINT i = 0; i < Count; i++)
                {
                    Batch[i].type = INPUT_MOUSE;
                    Batch[i].mi.dwFlags = MOUSEEVENTF_MOVE;
                    Batch[i].mi.dx = ((Self.Sent + i) & 1) ? -1 : 1; // the cursor stays where it is
                    Batch[i].mi.dy = 0;
                }
                UINT Done = SendInput(Count, Batch, sizeof(INPUT));
                Self.Sent += Done;
                Due -= Count;
                if (Done < Count)
                    break;
            }
            Sleep(1);
        }
        timeEndPeriod(1);
        return 0;
    }

    // Stops the injection half a second before the phase ends, so that the loop takes in
    // the last reports before it does.
    static DWORD WINAPI StopBeforeTheEnd(void* Param)
    {
        Sleep(DWORD((PhaseSeconds - 0.5) * 1000));
        static_cast<FInjector*>(Param)->Stop = true;
        return 0;
    }
};

void Report(FILE* Out, const char* Format, double A, double B = 0, double C = 0)
{
    fprintf(Out, Format, A, B, C);
    fflush(Out);
}

// Inside the game copy: the program's platform services and engine, as the entry and the
// launcher make them, and the loop in its three phases.
int RunInside()
{
    FMallocWindows Malloc;
    FOutputDeviceLogFile Log;
    FOutputDeviceErrorWindows Error;
    FFeedbackContextWindows Warn;
    FFileManagerWindows* FileManager = CreateFileManager(L" -localdata");
    appInit(TEXT("Corvane"), GetCommandLineW(), &Malloc, &Log, &Error, &Warn, FileManager, FConfigCacheIni::Factory, 1);
    FileManager->Init();
    SetRoleFlags(appCmdLine());
    FileManager->LoadIntPaths();
    InitWindowing();

    FGameLauncher Launcher(FGameLauncher::NoLaunch);
    Launcher.ReadLauncherSettings();
    GConfig->SetBool(TEXT("WinDrv.WindowsClient"), TEXT("UseDirectInput"), 0);
    LARGE_INTEGER Frequency;
    QueryPerformanceFrequency(&Frequency);
    Launcher.CounterFrequency = Frequency.QuadPart;
    GExec = &Launcher;
    UFrameEngine* Engine = static_cast<UFrameEngine*>(ConstructObject<UGameEngine>(
        UFrameEngine::StaticClass(), UObject::GetTransientPackage()));
    Engine->Init();
    if (!Engine->Client || !Engine->Client->Viewports.Num())
        return 2;
    Launcher.Viewport = Engine->Client->Viewports(0);
    Launcher.ViewportWindow = static_cast<HWND>(Launcher.Viewport->GetWindow());
    RAWINPUTDEVICE Mouse = {1, 2, 0, Launcher.ViewportWindow};
    if (!Launcher.RawInput || !RegisterRawInputDevices(&Mouse, 1, sizeof(Mouse)))
        return 3;

    FILE* Out = _wfopen(ResultsFile, L"w");
    if (!Out)
        return 4;
    double Ratio = 0;
    for (FLOAT Cap : {60.f, 120.f})
    {
        Launcher.FPSLimit = Cap;
        Engine->StartPhase(PhaseSeconds);
        const double Start = BenchNow();
        GIsRunning = 1;
        Launcher.RunMainLoop(Engine);
        GIsRunning = 0;
        const double Elapsed = BenchNow() - Start;
        Report(Out, "cap %.0f: %.2f ticks/s; loop cost %.2f us per iteration\n", Cap, Engine->Rate(),
               Engine->LoopCost(Elapsed));
        if (Cap == 60.f)
            Ratio = Engine->Rate() / Cap;
    }

    // The player's mouse: 8000 reports a second into the focused viewport.
    Launcher.FPSLimit = 60.f;
    SetForegroundWindow(Launcher.ViewportWindow);
    SetFocus(Launcher.ViewportWindow);
    RECT Area;
    GetWindowRect(Launcher.ViewportWindow, &Area);
    // The cursor stays on one point, as in a game that holds it: Wine makes raw input of its
    // own from the cursor's moves on the display, which would count twice.
    const POINT Center = {(Area.left + Area.right) / 2, (Area.top + Area.bottom) / 2};
    SetCursorPos(Center.x, Center.y);
    const RECT Hold = {Center.x, Center.y, Center.x + 1, Center.y + 1};
    ClipCursor(&Hold);
    FInjector Injector;
    Engine->StartPhase(PhaseSeconds);
    HANDLE Thread = CreateThread(NULL, 0, &FInjector::Run, &Injector, 0, NULL);
    const double Start = BenchNow();
    GIsRunning = 1;
    HANDLE Timer = CreateThread(NULL, 0, &FInjector::StopBeforeTheEnd, &Injector, 0, NULL);
    Launcher.RunMainLoop(Engine);
    GIsRunning = 0;
    const double Elapsed = BenchNow() - Start;
    ClipCursor(NULL);
    WaitForSingleObject(Timer, INFINITE);
    WaitForSingleObject(Thread, INFINITE);
    CloseHandle(Timer);
    CloseHandle(Thread);
    const double Sent = double(Injector.Sent.load());
    Report(Out, "cap 60 with %.0f mouse reports/s: %.2f ticks/s; loop cost %.2f us per iteration\n",
           Sent / (PhaseSeconds - 0.5), Engine->Rate(), Engine->LoopCost(Elapsed));
    Report(Out, "reports sent %.0f, reached the engine as axis events %.0f (%.2f %%)\n", Sent,
           double(Engine->AxisEvents), Sent ? 100.0 * double(Engine->AxisEvents) / Sent : 0.0);
    Report(Out, "ratio: %.3f\n", Ratio);
    fclose(Out);

    appPreExit();
    appExit();
    GIsStarted = 0;
    delete FileManager;
    GFileManager = NULL;
    Log.Close();
    GProgramHeap.Close();
    return 0;
}
} // namespace

int main(int argc, char** argv)
{
    if (argc > 2 && std::string(argv[1]) == "-inside")
    {
        ReportsPerSecond = atoi(argv[2]);
        return RunInside();
    }
    if (argc > 1)
        ReportsPerSecond = atoi(argv[1]);
    FGameCopy Game;
    Game.SetFirstRunDone(60);
    const std::wstring Copy = Game.System() + L"\\bench_frame.exe";
    CopyFileW((BenchDir() + L"bench_frame.exe").c_str(), Copy.c_str(), FALSE);
    double Seconds = 0;
    DWORD Code = RunTimed(Copy, L"-inside " + std::to_wstring(ReportsPerSecond), Game.System(), 120.0, Seconds);
    const std::string Results = Game.ReadFile(ResultsFile);
    fputs(Results.c_str(), stdout);
    if (Code != 0 || Results.find("ratio:") == std::string::npos)
    {
        printf("failed: the run inside the game copy ended with %lu\n", (unsigned long)Code);
        return 1;
    }
    return 0;
}
