// StartupChoices.h: what the entry decides from the command line before the game starts.
#pragma once
#include "Core.h"

class FFileManagerWindows;

// " -localdata" anywhere in the full process command line (program path included) keeps
// every file in the installation. A plain, case-sensitive text search: also the start of a
// longer word, but not in capitals and not directly after a quotation mark.
UBOOL WantsLocalData(const TCHAR* FullCmdLine);

// The file manager for that command line: FFileManagerWindows with " -localdata", else the
// user-documents manager. It comes from the C runtime's heap, as the engine's allocator does
// not run yet, and goes back with delete. NULL when there is no memory for it.
FFileManagerWindows* CreateFileManager(const TCHAR* FullCmdLine);

// The engine's role flags: always a server, a client unless "SERVER" is given, and lazy
// loading exactly for a dedicated server. Marks the engine as started.
void SetRoleFlags(const TCHAR* CmdLine);
