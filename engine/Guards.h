// Guards.h: guarded blocks, assertions and the error history they write.
//
// guard(Name) ... unguard; wraps a block. A wide-character message thrown through it passes
// unchanged; any other exception adds Name to GErrorHist (appUnwindf) and passes on, so the
// history lists the guards an error left, innermost first.
#pragma once
#include "CoreTypes.h"

CORE_API void appUnwindf(const TCHAR* Fmt, ...);
// Both report to GError and do not return.
[[noreturn]] CORE_API void appFailAssert(const ANSICHAR* Expr, const ANSICHAR* File, INT Line);
// Formats a message for GError.
[[noreturn]] CORE_API void appErrorf(const TCHAR* Fmt, ...);

#define guard(Func) { static const TCHAR GuardName__[] = TEXT(#Func); try {
#define unguard } catch (const TCHAR*) { throw; } catch (...) { appUnwindf(TEXT("%s"), GuardName__); throw; } }
#define unguardf(Msg) } catch (const TCHAR*) { throw; } catch (...) { appUnwindf(TEXT("%s"), GuardName__); appUnwindf Msg; throw; } }

#define check(Expr) do { if (!(Expr)) appFailAssert(#Expr, __FILE__, __LINE__); } while (0)
