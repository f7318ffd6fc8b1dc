// Globals.h: the engine's global objects and flags.
#pragma once
#include "CoreTypes.h"
#include "Strings.h"

class FMalloc;
class FOutputDevice;
class FOutputDeviceError;
class FFeedbackContext;
class FFileManager;
class FConfigCache;
class FExec;
class USystem;
class USubsystem;

CORE_API extern FOutputDevice* GLog;          // the log device the program hands to appInit
CORE_API extern FOutputDevice* GNull;         // swallows everything
CORE_API extern FOutputDevice* GLogHook;      // receives every logged line when set
CORE_API extern FOutputDeviceError* GError;   // critical errors
CORE_API extern FFeedbackContext* GWarn;      // warnings and questions to the user
CORE_API extern FFileManager* GFileManager;
CORE_API extern FConfigCache* GConfig;
CORE_API extern FExec* GExec;                 // offered every console command first
CORE_API extern USystem* GSys;
CORE_API extern USubsystem* GWindowManager; // the window library's, ticked once per frame; NULL without windows

CORE_API extern UBOOL GIsStarted;
CORE_API extern UBOOL GIsServer;
CORE_API extern UBOOL GIsClient;
CORE_API extern UBOOL GIsEditor;
CORE_API extern UBOOL GIsScriptable;
CORE_API extern UBOOL GLazyLoad;
CORE_API extern UBOOL GIsRunning;
CORE_API extern UBOOL GIsRequestingExit;
CORE_API extern UBOOL GIsCriticalError;
CORE_API extern UBOOL GIsGuarded;
CORE_API extern UBOOL GIsSlowTask;
CORE_API extern UBOOL GExitPurge;            // objects are being destroyed at shut-down: none may touch another
CORE_API extern UBOOL GUnicodeOS;             // wide-character system calls are available

CORE_API extern TCHAR GErrorHist[4096];       // the text of the critical error being handled
CORE_API extern DWORD GPageSize;              // set by the allocator's Init
CORE_API extern DWORD GCRCTable[256];         // the standard CRC-32 table
