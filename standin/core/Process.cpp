// Process.cpp: starting and stopping the core, and the facts about the running process.
#include "CoreInternal.h"

namespace
{
TCHAR CmdLine[16384] = TEXT("");

// The module's own path, or an empty text when it does not fit.
const TCHAR* ModulePath()
{
    static TCHAR Path[1024];
    DWORD Len = GetModuleFileNameW(NULL, Path, ARRAY_COUNT(Path));
    if (Len == 0 || Len >= ARRAY_COUNT(Path))
        Path[0] = 0;
    return Path;
}

// The command line without the program's name (which may be quoted).
const TCHAR* SkipProgramName(const TCHAR* Line)
{
    while (appIsSpace(*Line))
        Line++;
    if (*Line == '"')
    {
        Line++;
        while (*Line && *Line != '"')
            Line++;
        if (*Line == '"')
            Line++;
    }
    else
    {
        while (*Line && !appIsSpace(*Line))
            Line++;
    }
    while (appIsSpace(*Line))
        Line++;
    return Line;
}
} // namespace

const TCHAR* appPackage()
{
    static TCHAR Package[256];
    const TCHAR* Path = ModulePath();
    const TCHAR* Name = Path;
    for (const TCHAR* At = Path; *At; At++)
        if (*At == '\\' || *At == '/')
            Name = At + 1;
    appStrcpy(Package, Name);
    if (TCHAR* Dot = const_cast<TCHAR*>(appStrrchr(Package, '.')))
        *Dot = 0;
    return Package;
}

const TCHAR* appCmdLine() { return CmdLine; }

const TCHAR* appBaseDir()
{
    static TCHAR BaseDir[1024];
    appStrcpy(BaseDir, ModulePath());
    INT Len = appStrlen(BaseDir);
    while (Len > 0 && BaseDir[Len - 1] != '\\' && BaseDir[Len - 1] != '/')
        Len--;
    BaseDir[Len] = 0;
    return BaseDir;
}

const TCHAR* appTimestamp()
{
    static TCHAR Result[64];
    SYSTEMTIME Time;
    GetLocalTime(&Time);
    appSprintf(Result, TEXT("%04u-%02u-%02u %02u:%02u:%02u"), Time.wYear, Time.wMonth, Time.wDay, Time.wHour,
               Time.wMinute, Time.wSecond);
    return Result;
}

const TCHAR* appGetSystemErrorMessage(INT Error)
{
    static TCHAR Message[1024];
    if (Error == 0)
        Error = INT(GetLastError());
    Message[0] = 0;
    DWORD Len = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, NULL, DWORD(Error),
                               MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), Message, ARRAY_COUNT(Message), NULL);
    if (Len == 0)
        appSprintf(Message, TEXT("Unknown error %i"), Error);
    for (INT End = appStrlen(Message); End > 0 && appIsSpace(Message[End - 1]); End--)
        Message[End - 1] = 0;
    return Message;
}

void appRequestExit(UBOOL Force)
{
    if (Force)
        ExitProcess(1);
    PostQuitMessage(0);
    GIsRequestingExit = 1;
}

void appInit(const TCHAR* Package, const TCHAR* InCmdLine, FMalloc* Malloc, FOutputDevice* Log,
             FOutputDeviceError* Error, FFeedbackContext* Warn, FFileManager* FileManager,
             FConfigCacheFactory ConfigFactory, UBOOL RequireConfig)
{
    guard(appInit);
    GMalloc = Malloc;
    GLog = Log;
    GError = Error;
    GWarn = Warn;
    GFileManager = FileManager;
    GUnicodeOS = (GetVersion() & 0x80000000) == 0;
    appStrcpy(CmdLine, SkipProgramName(InCmdLine ? InCmdLine : TEXT("")));

    GMalloc->Init();

    // Relative paths of the engine are relative to the program's folder.
    GFileManager->SetDefaultDirectory(appBaseDir());

    TCHAR SystemIni[256], UserIni[256];
    if (!Parse(appCmdLine(), TEXT("INI="), SystemIni, ARRAY_COUNT(SystemIni)))
        appSprintf(SystemIni, TEXT("%s.ini"), Package);
    if (!Parse(appCmdLine(), TEXT("USERINI="), UserIni, ARRAY_COUNT(UserIni)))
        appStrcpy(UserIni, TEXT("User.ini"));
    GConfig = ConfigFactory();
    GConfig->Init(SystemIni, UserIni, RequireConfig);

    TCHAR Language[64] = TEXT("");
    if (GConfig->GetString(TEXT("Engine.Engine"), TEXT("Language"), Language, ARRAY_COUNT(Language)) && Language[0])
        UObject::SetLanguage(Language);

    GSys = ConstructObject<USystem>(USystem::StaticClass(), NULL, FName(TEXT("System")));
    GSys->LoadConfig();
    unguard;
}

void appPreExit()
{
    guard(appPreExit);
    UObject::StaticExit();
    GSys = NULL;
    unguard;
}

void appExit()
{
    guard(appExit);
    if (GConfig)
    {
        GConfig->Exit();
        delete GConfig;
        GConfig = NULL;
    }
    if (GMalloc)
        GMalloc->Exit();
    unguard;
}
