// Strings.cpp: character helpers, formatting, FArray storage and FString.
#include "CoreInternal.h"

INT appStrlen(const TCHAR* String) { return INT(wcslen(String)); }
INT appStrcmp(const TCHAR* A, const TCHAR* B) { return wcscmp(A, B); }

INT appStrnicmp(const TCHAR* A, const TCHAR* B, INT Count)
{
    for (INT i = 0; i < Count; i++)
    {
        TCHAR CA = appToLower(A[i]), CB = appToLower(B[i]);
        if (CA != CB)
            return INT(CA) - INT(CB);
        if (!CA)
            break;
    }
    return 0;
}

INT appStricmp(const TCHAR* A, const TCHAR* B) { return appStrnicmp(A, B, 0x7fffffff); }

const TCHAR* appStrchr(const TCHAR* String, TCHAR C) { return wcschr(String, C); }
const TCHAR* appStrrchr(const TCHAR* String, TCHAR C) { return wcsrchr(String, C); }
const TCHAR* appStrstr(const TCHAR* String, const TCHAR* Find) { return wcsstr(String, Find); }

const TCHAR* appStrfind(const TCHAR* String, const TCHAR* Find)
{
    INT FindLen = appStrlen(Find);
    for (; *String; String++)
        if (appStrnicmp(String, Find, FindLen) == 0)
            return String;
    return FindLen == 0 ? String : NULL;
}

TCHAR* appStrncpy(TCHAR* Dest, const TCHAR* Src, INT MaxLen)
{
    if (MaxLen <= 0)
        return Dest;
    INT i = 0;
    for (; i < MaxLen - 1 && Src[i]; i++)
        Dest[i] = Src[i];
    Dest[i] = 0;
    return Dest;
}

TCHAR* appStrncat(TCHAR* Dest, const TCHAR* Src, INT MaxLen)
{
    INT Len = 0;
    while (Len < MaxLen && Dest[Len])
        Len++;
    if (Len < MaxLen)
        appStrncpy(Dest + Len, Src, MaxLen - Len);
    return Dest;
}

INT appAtoi(const TCHAR* String) { return _wtoi(String); }
FLOAT appAtof(const TCHAR* String) { return FLOAT(_wtof(String)); }

INT appGetVarArgs(TCHAR* Dest, INT Count, const TCHAR* Fmt, va_list Args)
{
    if (Count <= 0)
        return -1;
    // The Microsoft runtime's own formatter: %s is wide here, whatever MinGW's C99 mode says.
    INT Result = _vsnwprintf(Dest, Count, Fmt, Args);
    if (Result < 0 || Result >= Count)
    {
        Dest[Count - 1] = 0;
        return -1;
    }
    return Result;
}

INT appSnprintf(TCHAR* Dest, INT Count, const TCHAR* Fmt, ...)
{
    va_list Args;
    va_start(Args, Fmt);
    INT Result = appGetVarArgs(Dest, Count, Fmt, Args);
    va_end(Args);
    return Result;
}

TCHAR* appStaticString1024()
{
    static TCHAR Buffer[1024];
    return Buffer;
}

TCHAR* appNextStaticBuffer(INT& Size)
{
    static TCHAR Buffers[8][1024];
    static INT Next = 0;
    Size = ARRAY_COUNT(Buffers[0]);
    Next = (Next + 1) % ARRAY_COUNT(Buffers);
    return Buffers[Next];
}

//
// FArray.
//

// Byte sizes go to a 32-bit allocator; an array that cannot be addressed is a fault.
static DWORD ArrayBytes(INT Count, INT ElementSize)
{
    if (Count < 0 || ElementSize <= 0 || QWORD(Count) * QWORD(ElementSize) > 0x7fffffffULL)
        appErrorf(TEXT("Array of %i elements of %i bytes is too large"), Count, ElementSize);
    return DWORD(Count) * DWORD(ElementSize);
}

void FArray::Realloc(INT ElementSize)
{
    Data = appRealloc(Data, ArrayBytes(ArrayMax, ElementSize), TEXT("FArray"));
}

INT FArray::Add(INT Count, INT ElementSize)
{
    check(Count >= 0);
    INT Index = ArrayNum;
    if (Count > 0x7fffffff - ArrayNum)
        appErrorf(TEXT("Array of %i elements cannot grow by %i"), ArrayNum, Count);
    ArrayNum += Count;
    if (ArrayNum > ArrayMax)
    {
        // Grow by three eighths plus a little, so that repeated adds cost amortised O(1).
        QWORD Wanted = QWORD(ArrayNum) + QWORD(ArrayNum) * 3 / 8 + 32;
        ArrayMax = INT(Wanted > 0x7fffffffULL ? 0x7fffffff : Wanted);
        Realloc(ElementSize);
    }
    return Index;
}

void FArray::Insert(INT Index, INT Count, INT ElementSize)
{
    check(Index >= 0 && Index <= ArrayNum);
    INT OldNum = ArrayNum;
    Add(Count, ElementSize);
    BYTE* Bytes = static_cast<BYTE*>(Data);
    appMemmove(Bytes + SIZE_T(Index + Count) * ElementSize, Bytes + SIZE_T(Index) * ElementSize,
               SIZE_T(OldNum - Index) * ElementSize);
}

void FArray::Remove(INT Index, INT Count, INT ElementSize)
{
    if (Count <= 0)
        return;
    check(Index >= 0 && Count <= ArrayNum - Index);
    BYTE* Bytes = static_cast<BYTE*>(Data);
    appMemmove(Bytes + SIZE_T(Index) * ElementSize, Bytes + SIZE_T(Index + Count) * ElementSize,
               SIZE_T(ArrayNum - Index - Count) * ElementSize);
    ArrayNum -= Count;
    // Give memory back once most of the room is unused, but not for small savings.
    INT Slack = ArrayMax - ArrayNum;
    if (ArrayNum == 0 || (Slack > 64 && 2 * ArrayNum < ArrayMax))
    {
        ArrayMax = ArrayNum;
        Realloc(ElementSize);
    }
}

void FArray::Empty(INT ElementSize, INT Slack)
{
    ArrayNum = 0;
    if (ArrayMax != Slack)
    {
        ArrayMax = Slack > 0 ? Slack : 0;
        Realloc(ElementSize);
    }
}

//
// FString.
//

void FString::Assign(const TCHAR* Text, INT Count)
{
    TArray<TCHAR>::Empty(Count > 0 ? Count + 1 : 0);
    if (Count > 0)
    {
        FArray::Add(Count + 1, sizeof(TCHAR));
        appMemcpy(GetTypedData(), Text, Count * sizeof(TCHAR));
        GetTypedData()[Count] = 0;
    }
}

FString& FString::operator=(const TCHAR* Text)
{
    if (Text != **this)
    {
        FString Copy(Text); // Text may point into this string
        *this = std::move(Copy);
    }
    return *this;
}

FString& FString::operator=(const FString& Other)
{
    if (this != &Other)
        Assign(*Other, Other.Len());
    return *this;
}

FString& FString::operator+=(const TCHAR* Text)
{
    INT Add = Text ? appStrlen(Text) : 0;
    if (Add)
    {
        FString Copy(Text, Add); // Text may point into this string
        INT OldLen = Len();
        FArray::Add(Num() ? Add : Add + 1, sizeof(TCHAR));
        appMemcpy(GetTypedData() + OldLen, *Copy, Add * sizeof(TCHAR));
        GetTypedData()[OldLen + Add] = 0;
    }
    return *this;
}

FString& FString::operator+=(TCHAR C)
{
    TCHAR Text[2] = {C, 0};
    return *this += Text;
}

FString FString::operator*(const TCHAR* Part) const
{
    FString Result(*this);
    if (Len() == 0 || ((*this)[Len() - 1] != '\\' && (*this)[Len() - 1] != '/'))
        Result += TEXT("\\");
    Result += Part;
    return Result;
}

FString FString::Left(INT Count) const
{
    return FString(**this, Count < 0 ? 0 : (Count > Len() ? Len() : Count));
}

FString FString::Mid(INT Start, INT Count) const
{
    if (Start < 0)
        Start = 0;
    if (Start > Len())
        Start = Len();
    if (Count < 0)
        Count = 0;
    if (Count > Len() - Start)
        Count = Len() - Start;
    return FString(**this + Start, Count);
}

INT FString::InStr(const TCHAR* Sub) const
{
    const TCHAR* Found = appStrstr(**this, Sub);
    return Found ? INT(Found - **this) : -1;
}

UBOOL FString::Split(const TCHAR* Separator, FString* LeftPart, FString* RightPart) const
{
    INT Pos = InStr(Separator);
    if (Pos < 0)
        return 0;
    if (LeftPart)
        *LeftPart = Left(Pos);
    if (RightPart)
        *RightPart = Mid(Pos + appStrlen(Separator));
    return 1;
}

FString FString::Printf(const TCHAR* Fmt, ...)
{
    TCHAR Text[MAX_SPRINTF];
    va_list Args;
    va_start(Args, Fmt);
    appGetVarArgs(Text, ARRAY_COUNT(Text), Fmt, Args);
    va_end(Args);
    return FString(Text);
}
