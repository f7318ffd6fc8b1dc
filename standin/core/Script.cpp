// Script.cpp: running byte code: the frame, the table of natives and the natives of the
// byte-code tokens, script functions, and the code builder.
#include "CoreInternal.h"

// Zero-initialised static storage: modules fill their entries while they load, in any order.
CORE_API Native GNatives[MAX_NATIVES];

BYTE GRegisterNative(INT Index, Native Func)
{
    if (Index >= 0 && Index < MAX_NATIVES)
        GNatives[Index] = Func;
    return 0;
}

FFrame::FFrame(UObject* InObject, UFunction* InNode, const BYTE* InCode, BYTE* InLocals)
    : Node(InNode), Object(InObject), Code(InCode), Locals(InLocals)
{
}

void FFrame::Step(UObject* Context, void* Result)
{
    INT Token = *Code++;
    if ((Token & 0xF0) == EX_ExtendedNative)
        Token = ((Token & 0x0F) << 8) + *Code++;
    Native Func = GNatives[Token];
    if (!Func)
        appErrorf(TEXT("Unknown code token or native %i in %s"), Token, Node ? Node->GetFullName() : TEXT("a native call"));
    (Context->*Func)(*this, Result);
}

INT FFrame::ReadInt()
{
    INT Value;
    appMemcpy(&Value, Code, sizeof(Value));
    Code += sizeof(Value);
    return Value;
}

UObject* FFrame::ReadObject()
{
    INT Index = ReadInt();
    return GObjObjects.IsValidIndex(Index) ? GObjObjects(Index) : NULL;
}

void FFrame::Serialize(const TCHAR* Text, EName Event)
{
    if (GLog)
        GLog->Logf(Event, TEXT("%s (%s): %s"), Object ? Object->GetFullName() : TEXT("None"),
                   Node ? Node->GetName() : TEXT("native call"), Text);
}

//
// The token natives.
//

static FScriptSlot& LocalSlot(FFrame& Stack)
{
    BYTE Slot = Stack.ReadByte();
    return reinterpret_cast<FScriptSlot*>(Stack.Locals)[Slot];
}

void UObject::execLocalInt(FFrame& Stack, void* Result) { *static_cast<INT*>(Result) = LocalSlot(Stack).Int; }
void UObject::execLocalObject(FFrame& Stack, void* Result) { *static_cast<UObject**>(Result) = LocalSlot(Stack).Object; }
void UObject::execNothing(FFrame&, void*) {}
void UObject::execSelf(FFrame&, void* Result) { *static_cast<UObject**>(Result) = this; }
void UObject::execIntConst(FFrame& Stack, void* Result) { *static_cast<INT*>(Result) = Stack.ReadInt(); }
void UObject::execObjectConst(FFrame& Stack, void* Result) { *static_cast<UObject**>(Result) = Stack.ReadObject(); }
void UObject::execIntZero(FFrame&, void* Result) { *static_cast<INT*>(Result) = 0; }
void UObject::execIntOne(FFrame&, void* Result) { *static_cast<INT*>(Result) = 1; }
void UObject::execNoObject(FFrame&, void* Result) { *static_cast<UObject**>(Result) = NULL; }

IMPLEMENT_FUNCTION(UObject, EX_LocalInt, execLocalInt)
IMPLEMENT_FUNCTION(UObject, EX_LocalObject, execLocalObject)
IMPLEMENT_FUNCTION(UObject, EX_Nothing, execNothing)
IMPLEMENT_FUNCTION(UObject, EX_Self, execSelf)
IMPLEMENT_FUNCTION(UObject, EX_IntConst, execIntConst)
IMPLEMENT_FUNCTION(UObject, EX_ObjectConst, execObjectConst)
IMPLEMENT_FUNCTION(UObject, EX_IntZero, execIntZero)
IMPLEMENT_FUNCTION(UObject, EX_IntOne, execIntOne)
IMPLEMENT_FUNCTION(UObject, EX_NoObject, execNoObject)

void UObject::ProcessEvent(UFunction* Function, void* Parms, void* Result)
{
    guard(UObject::ProcessEvent);
    if (!Function || !Function->Script.Num())
        return;
    FFrame Stack(this, Function, Function->Script.GetTypedData(), static_cast<BYTE*>(Parms));
    QWORD Scratch[2] = {0, 0}; // the value of a statement, which nobody reads
    while (*Stack.Code != EX_Return)
        Stack.Step(this, Scratch);
    Stack.Code++;
    Stack.Step(this, Result ? Result : Scratch);
    unguard;
}

//
// Building code.
//

FScriptBuilder& FScriptBuilder::Token(BYTE Value)
{
    Code.AddItem(Value);
    return *this;
}

FScriptBuilder& FScriptBuilder::CallNative(INT Index)
{
    check(Index >= EX_FirstNative && Index < MAX_NATIVES);
    if (Index < 0x100)
        return Token(BYTE(Index));
    return Token(BYTE(EX_ExtendedNative + (Index >> 8))).Token(BYTE(Index & 0xFF));
}

FScriptBuilder& FScriptBuilder::Int(INT Value)
{
    Token(EX_IntConst);
    for (INT Shift = 0; Shift < 32; Shift += 8)
        Token(BYTE(DWORD(Value) >> Shift));
    return *this;
}

FScriptBuilder& FScriptBuilder::Object(UObject* Value)
{
    if (!Value)
        return Token(EX_NoObject);
    Token(EX_ObjectConst);
    INT Index = Value->GetIndex();
    for (INT Shift = 0; Shift < 32; Shift += 8)
        Token(BYTE(DWORD(Index) >> Shift));
    return *this;
}

FScriptBuilder& FScriptBuilder::Local(BYTE LocalToken, INT Slot)
{
    check(Slot >= 0 && Slot < 256);
    return Token(LocalToken).Token(BYTE(Slot));
}
