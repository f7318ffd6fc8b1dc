// Strings.h: the engine's character helpers, growable arrays (FArray/TArray) and FString.
#pragma once
#include "CoreTypes.h"
#include "Memory.h"
#include <utility>

// Character and string helpers. Case-insensitive comparisons fold the ASCII letters only,
// the same letters that the engine's key hash folds, so equal keys always share a hash.
inline TCHAR appToUpper(TCHAR C) { return (C >= 'a' && C <= 'z') ? TCHAR(C - ('a' - 'A')) : C; }
inline TCHAR appToLower(TCHAR C) { return (C >= 'A' && C <= 'Z') ? TCHAR(C + ('a' - 'A')) : C; }
inline UBOOL appIsAlpha(TCHAR C) { return (C >= 'a' && C <= 'z') || (C >= 'A' && C <= 'Z'); }
inline UBOOL appIsDigit(TCHAR C) { return C >= '0' && C <= '9'; }
inline UBOOL appIsAlnum(TCHAR C) { return appIsAlpha(C) || appIsDigit(C) || C == '_'; }
inline UBOOL appIsSpace(TCHAR C) { return C == ' ' || C == '\t' || C == '\r' || C == '\n'; }

CORE_API INT appStrlen(const TCHAR* String);
CORE_API INT appStrcmp(const TCHAR* A, const TCHAR* B);
CORE_API INT appStricmp(const TCHAR* A, const TCHAR* B);
CORE_API INT appStrnicmp(const TCHAR* A, const TCHAR* B, INT Count);
CORE_API const TCHAR* appStrchr(const TCHAR* String, TCHAR C);
CORE_API const TCHAR* appStrrchr(const TCHAR* String, TCHAR C);
CORE_API const TCHAR* appStrstr(const TCHAR* String, const TCHAR* Find);   // case-sensitive
CORE_API const TCHAR* appStrfind(const TCHAR* String, const TCHAR* Find);  // ignoring case
// Copies at most MaxLen - 1 characters and always terminates within MaxLen characters.
CORE_API TCHAR* appStrncpy(TCHAR* Dest, const TCHAR* Src, INT MaxLen);
// Appends to Dest, whose whole buffer holds MaxLen characters; always terminates.
CORE_API TCHAR* appStrncat(TCHAR* Dest, const TCHAR* Src, INT MaxLen);
// Unbounded copies exist only for arrays, whose size the compiler knows.
template<size_t N> inline TCHAR* appStrcpy(TCHAR (&Dest)[N], const TCHAR* Src) { return appStrncpy(Dest, Src, INT(N)); }
template<size_t N> inline TCHAR* appStrcat(TCHAR (&Dest)[N], const TCHAR* Src) { return appStrncat(Dest, Src, INT(N)); }
CORE_API INT appAtoi(const TCHAR* String);
CORE_API FLOAT appAtof(const TCHAR* String);

// Formatting follows the Microsoft runtime (%s is a wide string, %hs narrow, %Iu a size_t).
// The result always ends within Count characters; -1 means it was cut.
CORE_API INT appGetVarArgs(TCHAR* Dest, INT Count, const TCHAR* Fmt, va_list Args);
CORE_API INT appSnprintf(TCHAR* Dest, INT Count, const TCHAR* Fmt, ...);
template<size_t N> inline INT appSprintf(TCHAR (&Dest)[N], const TCHAR* Fmt, ...)
{
    va_list Args;
    va_start(Args, Fmt);
    INT Result = appGetVarArgs(Dest, INT(N), Fmt, Args);
    va_end(Args);
    return Result;
}
// One shared buffer of 1024 characters; its text stays valid until its next user.
CORE_API TCHAR* appStaticString1024();

// Growable untyped storage behind every TArray. Elements are moved with memmove, so an
// element type must not keep pointers into itself.
class CORE_API FArray
{
public:
    void* GetData() { return Data; }
    const void* GetData() const { return Data; }
    INT Num() const { return ArrayNum; }
    INT Max() const { return ArrayMax; }
    UBOOL IsValidIndex(INT Index) const { return Index >= 0 && Index < ArrayNum; }
    // Each returns the index of the first new element; new storage is not initialised.
    INT Add(INT Count, INT ElementSize);
    void Insert(INT Index, INT Count, INT ElementSize);
    void Remove(INT Index, INT Count, INT ElementSize);
    // Drops every element and keeps room for Slack elements.
    void Empty(INT ElementSize, INT Slack = 0);

protected:
    FArray() : Data(NULL), ArrayNum(0), ArrayMax(0) {}
    ~FArray() { if (Data) appFree(Data); }
    void Realloc(INT ElementSize);

    void* Data;
    INT ArrayNum;
    INT ArrayMax;
};

// A typed array; it constructs, copies and destroys its elements.
template<class T> class TArray : public FArray
{
public:
    TArray() {}
    explicit TArray(INT Count) { Add(Count); }
    TArray(const TArray& Other) { CopyFrom(Other); }
    TArray(TArray&& Other) noexcept { Steal(Other); }
    ~TArray() { DestructRange(0, ArrayNum); }
    TArray& operator=(const TArray& Other)
    {
        if (this != &Other)
        {
            Empty(Other.ArrayNum);
            CopyFrom(Other);
        }
        return *this;
    }
    TArray& operator=(TArray&& Other) noexcept
    {
        if (this != &Other)
        {
            Empty();
            if (Data)
                appFree(Data);
            Data = NULL;
            ArrayMax = 0;
            Steal(Other);
        }
        return *this;
    }

    T* GetTypedData() { return static_cast<T*>(Data); }
    const T* GetTypedData() const { return static_cast<const T*>(Data); }
    T& operator()(INT Index) { return GetTypedData()[CheckIndex(Index)]; }
    const T& operator()(INT Index) const { return GetTypedData()[CheckIndex(Index)]; }
    T& operator[](INT Index) { return GetTypedData()[CheckIndex(Index)]; }
    const T& operator[](INT Index) const { return GetTypedData()[CheckIndex(Index)]; }
    T& Last() { return (*this)(ArrayNum - 1); }
    const T& Last() const { return (*this)(ArrayNum - 1); }
    T* begin() { return GetTypedData(); }
    T* end() { return GetTypedData() + ArrayNum; }
    const T* begin() const { return GetTypedData(); }
    const T* end() const { return GetTypedData() + ArrayNum; }

    // Appends Count value-initialised elements; returns the index of the first.
    INT Add(INT Count = 1)
    {
        INT Index = FArray::Add(Count, sizeof(T));
        for (INT i = Index; i < Index + Count; i++)
            new (GetTypedData() + i) T();
        return Index;
    }
    INT AddItem(const T& Item)
    {
        T Copy(Item); // Item may live inside this array, which Add can move
        INT Index = FArray::Add(1, sizeof(T));
        new (GetTypedData() + Index) T(std::move(Copy));
        return Index;
    }
    INT AddUniqueItem(const T& Item)
    {
        INT Index;
        return FindItem(Item, Index) ? Index : AddItem(Item);
    }
    void InsertItem(const T& Item, INT Index)
    {
        T Copy(Item);
        FArray::Insert(Index, 1, sizeof(T));
        new (GetTypedData() + Index) T(std::move(Copy));
    }
    void Remove(INT Index, INT Count = 1)
    {
        if (Count <= 0)
            return;
        CheckIndex(Index);
        CheckIndex(Index + Count - 1);
        DestructRange(Index, Count);
        FArray::Remove(Index, Count, sizeof(T));
    }
    // Removes every element equal to Item; returns how many went.
    INT RemoveItem(const T& Item)
    {
        INT Removed = 0;
        for (INT i = ArrayNum - 1; i >= 0; i--)
            if (GetTypedData()[i] == Item)
            {
                Remove(i);
                Removed++;
            }
        return Removed;
    }
    UBOOL FindItem(const T& Item, INT& Index) const
    {
        for (Index = 0; Index < ArrayNum; Index++)
            if (GetTypedData()[Index] == Item)
                return 1;
        Index = -1;
        return 0;
    }
    void Empty(INT Slack = 0)
    {
        DestructRange(0, ArrayNum);
        FArray::Empty(sizeof(T), Slack);
    }

private:
    INT CheckIndex(INT Index) const;
    void DestructRange(INT Index, INT Count)
    {
        for (INT i = Index; i < Index + Count; i++)
            GetTypedData()[i].~T();
    }
    void CopyFrom(const TArray& Other)
    {
        INT Index = FArray::Add(Other.ArrayNum, sizeof(T));
        for (INT i = 0; i < Other.ArrayNum; i++)
            new (GetTypedData() + Index + i) T(Other.GetTypedData()[i]);
    }
    void Steal(TArray& Other)
    {
        Data = Other.Data;
        ArrayNum = Other.ArrayNum;
        ArrayMax = Other.ArrayMax;
        Other.Data = NULL;
        Other.ArrayNum = Other.ArrayMax = 0;
    }
};

// An index outside the array is an engine fault, reported like a failed assertion.
[[noreturn]] CORE_API void appFailIndex(INT Index, INT Num);
template<class T> INT TArray<T>::CheckIndex(INT Index) const
{
    if (Index < 0 || Index >= ArrayNum)
        appFailIndex(Index, ArrayNum);
    return Index;
}

// A wide string: its characters and a terminator, or no storage at all when empty.
class CORE_API FString : protected TArray<TCHAR>
{
public:
    FString() {}
    FString(const TCHAR* Text) { Assign(Text, Text ? appStrlen(Text) : 0); }
    FString(const TCHAR* Text, INT Count) { Assign(Text, Count); }
    FString(const FString& Other) : TArray<TCHAR>(Other) {}
    FString(FString&& Other) noexcept : TArray<TCHAR>(std::move(Other)) {}
    FString& operator=(const TCHAR* Text);
    FString& operator=(const FString& Other);
    FString& operator=(FString&& Other) noexcept
    {
        TArray<TCHAR>::operator=(std::move(Other));
        return *this;
    }

    const TCHAR* operator*() const { return Num() ? GetTypedData() : TEXT(""); }
    TCHAR* GetCharArray() { return Num() ? GetTypedData() : NULL; }
    INT Len() const { return Num() ? Num() - 1 : 0; }
    UBOOL IsEmpty() const { return Len() == 0; }
    TCHAR operator[](INT Index) const { return GetTypedData()[Index]; }
    void Empty() { TArray<TCHAR>::Empty(); }

    FString& operator+=(const TCHAR* Text);
    FString& operator+=(const FString& Other) { return *this += *Other; }
    FString& operator+=(TCHAR C);
    FString operator+(const TCHAR* Text) const { return FString(*this) += Text; }
    FString operator+(const FString& Other) const { return FString(*this) += *Other; }
    // Joins two parts of a path with one backslash between them.
    FString operator*(const TCHAR* Part) const;
    FString operator*(const FString& Part) const { return *this * *Part; }

    // Equality and ordering ignore the letter case of ASCII letters.
    bool operator==(const TCHAR* Other) const { return appStricmp(**this, Other ? Other : TEXT("")) == 0; }
    bool operator==(const FString& Other) const { return appStricmp(**this, *Other) == 0; }
    bool operator!=(const TCHAR* Other) const { return !(*this == Other); }
    bool operator!=(const FString& Other) const { return !(*this == Other); }
    bool operator<(const FString& Other) const { return appStricmp(**this, *Other) < 0; }

    FString Left(INT Count) const;
    FString Mid(INT Start, INT Count = 0x7fffffff) const;
    // Position of the first occurrence of Sub, or -1.
    INT InStr(const TCHAR* Sub) const;
    // Splits at the first occurrence of Separator; false when there is none.
    UBOOL Split(const TCHAR* Separator, FString* LeftPart, FString* RightPart) const;

    static FString Printf(const TCHAR* Fmt, ...);

private:
    void Assign(const TCHAR* Text, INT Count);
};
inline FString operator+(const TCHAR* Text, const FString& String) { return FString(Text) + String; }
