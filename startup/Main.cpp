// Main.cpp: the process entry. Builds the engine's platform services, starts the core with
// them, and after the game shuts everything down again in a fixed order.
#include "ExitGlobals.h"
#include "FGameLauncher.h"
#include "FConfigCacheIni.h"
#include "FFeedbackContextWindows.h"
#include "FFileManagerUserDocuments.h"
#include "FMallocWindows.h"
#include "FOutputDeviceErrorWindows.h"
#include "FOutputDeviceLogFile.h"
#include "Package.h"
#include "ProgramHeap.h"
#include "ProgramVersion.h"
#include "StartupChoices.h"
#include <commctrl.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int)
{
    INITCOMMONCONTROLSEX Controls = {sizeof(Controls), ICC_LINK_CLASS | ICC_TREEVIEW_CLASSES};
    if (!InitCommonControlsEx(&Controls))
        return 1;
    appStrcpy(GPackage, appPackage());

    // The platform services live as long as this function.
    FMallocWindows Malloc;
    FOutputDeviceLogFile Log;
    FOutputDeviceErrorWindows Error;
    FFeedbackContextWindows Warn;

    const TCHAR* CmdLine = GetCommandLineW();
    FFileManagerWindows* FileManager = CreateFileManager(CmdLine);
    if (!FileManager) // the error device shows the error and ends the process
        Error.Serialize(TEXT("Out of memory: the file manager could not be created."), NAME_Critical);
    appInit(GPackage, CmdLine, &Malloc, &Log, &Error, &Warn, FileManager, FConfigCacheIni::Factory, 1);
    GLog->Logf(TEXT("Corvane: version %s."), GetProgramVersion());
    FileManager->Init();
    SetRoleFlags(appCmdLine());

    // Its construction is the game. It stays GExec until the entry returns.
    FGameLauncher Launcher;

    appPreExit();
    appExit();
    GIsStarted = 0;
    delete FileManager;
    GFileManager = NULL; // a late message must not reach the released manager
    Log.Close();
    // The platform services go with this function; the libraries' exit code may still run.
    ReleaseEngineGlobals();
    GProgramHeap.Close();
    return 0;
}
