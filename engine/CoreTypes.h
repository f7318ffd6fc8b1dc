// CoreTypes.h: the engine's basic types and the export macro of the core library.
// The engine is a Windows engine: its integer and character types are those of windows.h.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef UNICODE
#define UNICODE
#endif
#ifndef _UNICODE
#define _UNICODE
#endif
#include <windows.h>
#include <stddef.h>
#include <stdarg.h>
#include <string.h>
#include <wchar.h>
#include <new>

typedef signed char        SBYTE;
typedef signed short       SWORD;
typedef unsigned long long QWORD;
typedef signed long long   SQWORD;
typedef char               ANSICHAR;
typedef wchar_t            UNICHAR;
typedef DWORD              UBOOL;  // the engine's 32-bit boolean
typedef INT_PTR            PTRINT;
typedef UINT_PTR           UPTRINT;
typedef double             DOUBLE;

#define ARRAY_COUNT(Array) (sizeof(Array) / sizeof((Array)[0]))

#ifdef CORE_EXPORTS
#define CORE_API __declspec(dllexport)
#else
#define CORE_API __declspec(dllimport)
#endif

enum { MAX_SPRINTF = 4096 }; // room for one formatted message
