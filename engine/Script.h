// Script.h: the byte code of script functions, the frame that natives read their parameters
// from, the table of natives (GNatives) and a builder for code.
//
// A call of native N in a script is its token (N < 0x70: one byte; otherwise the two bytes
// 0x60 + N / 256, N % 256), one expression per parameter, and EX_EndFunctionParms. A
// parameter that the script leaves out is EX_Nothing, which writes nothing: the native's
// default stays. A native reads its parameters with FFrame::Step, in order, and then steps
// over the one-byte end token itself (P_FINISH).
#pragma once
#include "Objects.h"
#include "OutputDevices.h"

enum EExprToken
{
    EX_LocalInt          = 0x00, // + slot byte: an integer parameter of the running function
    EX_LocalObject       = 0x01, // + slot byte: an object parameter
    EX_Return            = 0x04, // + expression: the function's result; ends the function
    EX_Nothing           = 0x0B, // a parameter left out
    EX_EndFunctionParms  = 0x16,
    EX_Self              = 0x17,
    EX_IntConst          = 0x1D, // + 4 bytes, little end first
    EX_ObjectConst       = 0x20, // + 4 bytes: the object's index in GObjObjects
    EX_IntZero           = 0x25,
    EX_IntOne            = 0x26,
    EX_NoObject          = 0x2A,
    EX_ExtendedNative    = 0x60, // 0x60 to 0x6F, + 1 byte: natives 0x70 and above
    EX_FirstNative       = 0x70,
};

// A native: a method of the object the script runs on.
typedef void (UObject::*Native)(FFrame& Stack, void* Result);

enum { MAX_NATIVES = 4096 };
// Every native by number; the byte-code tokens are natives too. Empty entries are NULL.
CORE_API extern Native GNatives[MAX_NATIVES];
// Puts Func into GNatives[Index]; used by the modules' static registrations.
CORE_API BYTE GRegisterNative(INT Index, Native Func);

// In a module's source: makes TClass::Func native number Index.
#define IMPLEMENT_FUNCTION(TClass, Index, Func) \
    static BYTE TClass##Func##Registered = GRegisterNative(Index, static_cast<Native>(&TClass::Func));

// Where a running script stands: the object it runs on, the next byte of code, and the
// parameters of the running function. Its output is the log, marked with the function.
class CORE_API FFrame : public FOutputDevice
{
public:
    FFrame(UObject* InObject, UFunction* InNode, const BYTE* InCode, BYTE* InLocals = NULL);

    UFunction* Node;
    UObject* Object;
    const BYTE* Code;
    BYTE* Locals;

    // Runs the expression at Code on Context, writing its value into Result (nothing for a
    // left-out parameter), and moves Code past it.
    void Step(UObject* Context, void* Result);
    BYTE ReadByte() { return *Code++; }
    INT ReadInt();
    UObject* ReadObject();
    void Serialize(const TCHAR* Text, EName Event) override;
};

// Reading parameters inside a native, in their order, then stepping over the end token.
#define P_GET_INT(Var) INT Var = 0; Stack.Step(Stack.Object, &Var);
#define P_GET_INT_OPTX(Var, Default) INT Var = (Default); Stack.Step(Stack.Object, &Var);
#define P_GET_OBJECT(TClass, Var) TClass* Var = NULL; Stack.Step(Stack.Object, &Var);
#define P_FINISH Stack.Code++;

// Builds byte code, for script packages and for callers that run natives as scripts do.
class CORE_API FScriptBuilder
{
public:
    TArray<BYTE> Code;

    FScriptBuilder& Token(BYTE Token);
    FScriptBuilder& CallNative(INT Index);
    FScriptBuilder& Int(INT Value);
    FScriptBuilder& Object(UObject* Value); // NULL gives EX_NoObject
    FScriptBuilder& Local(BYTE Token, INT Slot);
    FScriptBuilder& Nothing() { return Token(EX_Nothing); }
    FScriptBuilder& Self() { return Token(EX_Self); }
    FScriptBuilder& EndParms() { return Token(EX_EndFunctionParms); }
    FScriptBuilder& Return() { return Token(EX_Return); }
    const BYTE* GetData() const { return Code.GetTypedData(); }
};
