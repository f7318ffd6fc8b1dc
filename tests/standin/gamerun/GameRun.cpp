// GameRun.cpp: plays the staged game the way the program will, with the program's platform
// services: starts the core, makes the engine named by the ini, ticks it with a message pump
// until it asks to exit, and shuts down. The stand-in's end-to-end test runs it from a game's
// System folder with EXEC= and reads its log (GameRun.log). Exit codes: 0 a clean run,
// 2 no engine, 3 still running after a minute.
#include "FConfigCacheIni.h"
#include "FFeedbackContextWindows.h"
#include "FFileManagerWindows.h"
#include "FMallocWindows.h"
#include "FOutputDeviceErrorWindows.h"
#include "FOutputDeviceLogFile.h"
#include "StartupChoices.h"
#include "Engine.h"
#include "Window.h"

namespace
{
// Ticks the engine and the window manager and pumps messages until exit is asked for;
// false when that takes longer than Limit seconds.
bool RunGame(UEngine* Engine, DOUBLE Limit)
{
    LARGE_INTEGER Frequency, Start, Last, Now;
    QueryPerformanceFrequency(&Frequency);
    QueryPerformanceCounter(&Start);
    Last = Start;
    while (!GIsRequestingExit)
    {
        QueryPerformanceCounter(&Now);
        FLOAT Delta = FLOAT(DOUBLE(Now.QuadPart - Last.QuadPart) / DOUBLE(Frequency.QuadPart));
        Last = Now;
        Engine->Tick(Delta);
        if (GWindowManager)
            GWindowManager->Tick(Delta);
        MSG Message;
        while (PeekMessageW(&Message, NULL, 0, 0, PM_REMOVE))
        {
            if (Message.message == WM_QUIT)
                GIsRequestingExit = 1;
            TranslateMessage(&Message);
            DispatchMessageW(&Message);
        }
        if (DOUBLE(Now.QuadPart - Start.QuadPart) / DOUBLE(Frequency.QuadPart) > Limit)
            return false;
        Sleep(5);
    }
    return true;
}
} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int)
{
    FMallocWindows Malloc;
    FOutputDeviceLogFile Log;
    FOutputDeviceErrorWindows Error;
    FFeedbackContextWindows Warn;
    FFileManagerWindows* FileManager = new FFileManagerWindows;
    // The game's own configuration: Corvane.ini and User.ini beside this program.
    appInit(TEXT("Corvane"), GetCommandLineW(), &Malloc, &Log, &Error, &Warn, FileManager, FConfigCacheIni::Factory, 1);
    FileManager->Init();
    SetRoleFlags(appCmdLine());
    FileManager->LoadIntPaths();

    InitWindowing();
    UClass* EngineClass = UObject::StaticLoadClass(UGameEngine::StaticClass(), NULL, TEXT("ini:Engine.Engine.GameEngine"),
                                                   NULL, LOAD_NoFail, NULL);
    UEngine* Engine = ConstructObject<UEngine>(EngineClass, UObject::GetTransientPackage());
    int Result = 2;
    if (Engine)
    {
        Engine->Init();
        GIsRunning = 1;
        Result = RunGame(Engine, 60.0) ? 0 : 3;
        GIsRunning = 0;
    }
    GLog->Logf(TEXT("GameRun: ended with %i"), Result);

    appPreExit();
    appExit();
    GIsStarted = 0;
    delete FileManager;
    GFileManager = NULL;
    Log.Close();
    return Result;
}
