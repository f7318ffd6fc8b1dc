// ExitGlobals.h: what the engine's globals point at once the entry has returned.
#pragma once
#include "Core.h"

// The entry's allocator, log, error device and feedback context are about to go, but the
// libraries still run static destructors and detach code after that. From here on GMalloc
// ignores frees (the process takes its memory with it) and takes a request for memory as a
// fatal error; GLog and GWarn swallow everything; GError shows its message box as before.
// None of these objects is ever destroyed. Also drops the file manager, the exec hook and
// the log hook, whose objects go with the entry too.
void ReleaseEngineGlobals();
