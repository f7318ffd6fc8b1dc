// AppFunctions.h: starting and stopping the core, process facts, command-line parsing,
// localized texts, files as strings and character-set conversion.
#pragma once
#include "CoreTypes.h"
#include "Strings.h"
#include "ConfigCache.h"

class FMalloc;
class FOutputDevice;
class FOutputDeviceError;
class FFeedbackContext;
class FFileManager;

// Starts the core with the program's platform services. Afterwards GMalloc, GLog, GError,
// GWarn, GFileManager and GConfig hold them, the working folder is the program's folder
// and GSys has read its configuration.
CORE_API void appInit(const TCHAR* Package, const TCHAR* CmdLine, FMalloc* Malloc, FOutputDevice* Log,
                      FOutputDeviceError* Error, FFeedbackContext* Warn, FFileManager* FileManager,
                      FConfigCacheFactory ConfigFactory, UBOOL RequireConfig);
CORE_API void appPreExit();
CORE_API void appExit();
// With Force the process ends at once; otherwise the main loop is asked to stop.
CORE_API void appRequestExit(UBOOL Force);

CORE_API const TCHAR* appPackage();   // the executable's base name
CORE_API const TCHAR* appCmdLine();   // the command line after the program name
CORE_API const TCHAR* appBaseDir();   // the executable's folder, with a trailing backslash
CORE_API const TCHAR* appTimestamp(); // the local time as text
CORE_API const TCHAR* appGetSystemErrorMessage(INT Error = 0); // 0: the last error

// The value of Match (such as "LOG=") in Stream; a quoted value may hold blanks.
// Match counts only at the start of a word. The value is cut to MaxLen - 1 characters.
CORE_API UBOOL Parse(const TCHAR* Stream, const TCHAR* Match, TCHAR* Value, INT MaxLen);
CORE_API UBOOL Parse(const TCHAR* Stream, const TCHAR* Match, FString& Value);
CORE_API UBOOL Parse(const TCHAR* Stream, const TCHAR* Match, INT& Value);
CORE_API UBOOL Parse(const TCHAR* Stream, const TCHAR* Match, FLOAT& Value);
// A switch: Param after '-' or '/' at the start of a word, as a whole word, any letter case.
CORE_API UBOOL ParseParam(const TCHAR* Stream, const TCHAR* Param);
// When Stream starts with the word Match, moves Stream past it and the blanks after it.
CORE_API UBOOL ParseCommand(const TCHAR** Stream, const TCHAR* Match);

// Texts from the localization files (Package.<language>, else Package.int). A missing
// entry gives "<?ext?Package.Section.Key?>", or the empty text when Optional.
CORE_API const TCHAR* Localize(const TCHAR* Section, const TCHAR* Key, const TCHAR* Package = NULL,
                               const TCHAR* LangExt = NULL, UBOOL Optional = 0);
CORE_API const TCHAR* LocalizeError(const TCHAR* Key, const TCHAR* Package = NULL);
CORE_API const TCHAR* LocalizeGeneral(const TCHAR* Key, const TCHAR* Package = NULL);

// Whole files as text, through the file manager. Reading accepts UTF-16 LE with a byte-order
// mark or 8-bit text; writing uses 8-bit text when every character is below 256 and UTF-16 LE
// with a byte-order mark otherwise. A save goes to a file beside the target first, so a
// failed save leaves the old file as it was; a target that cannot be written (read-only,
// or open elsewhere) is refused.
CORE_API UBOOL appLoadFileToString(FString& Result, const TCHAR* Filename, FFileManager* FileManager = NULL);
CORE_API UBOOL appSaveStringToFile(const FString& String, const TCHAR* Filename, FFileManager* FileManager = NULL);

// Character-set conversion with the system's code page. Count is the size of the
// destination buffer; the result always ends within it.
CORE_API ANSICHAR* winToANSI(ANSICHAR* Dest, const TCHAR* Src, INT Count);
CORE_API TCHAR* winToUNICODE(TCHAR* Dest, const ANSICHAR* Src, INT Count);
CORE_API INT winGetSizeANSI(const TCHAR* Src);       // bytes, with the terminator
// Conversions into one of a few rotating buffers of 1024 characters.
CORE_API const TCHAR* appFromAnsi(const ANSICHAR* Src);
CORE_API const ANSICHAR* appToAnsi(const TCHAR* Src);
