// Archive.cpp: the behaviour every archive inherits unless it overrides it.
#include "CoreInternal.h"

FArchive::FArchive() : ArVer(0), ArIsLoading(0), ArIsSaving(0), ArIsPersistent(0), ArIsError(0) {}

void FArchive::SerializeBits(void* V, INT LengthBits)
{
    Serialize(V, (LengthBits + 7) / 8);
    if (IsLoading() && (LengthBits & 7))
        static_cast<BYTE*>(V)[LengthBits / 8] &= BYTE((1 << (LengthBits & 7)) - 1);
}

void FArchive::SerializeInt(DWORD& Value, DWORD Max)
{
    Serialize(&Value, sizeof(Value));
    if (IsLoading() && Max && Value >= Max)
        Value = Max - 1;
}

UBOOL FArchive::AtEnd()
{
    INT Pos = Tell();
    return Pos != INDEX_NONE && Pos >= TotalSize();
}
