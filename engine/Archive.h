// Archive.h: the engine's archive, the serialisation interface of every file reader and
// writer. The core library calls it by position, so the slot order binds.
#pragma once
#include "CoreTypes.h"
#include "Memory.h"

class UObject;
class FName;

class CORE_API FArchive : public FGMallocObject
{
public:
    FArchive();
    virtual ~FArchive() noexcept(false) {}
    virtual void Serialize(void* /*V*/, INT /*Length*/) {}
    virtual void SerializeBits(void* V, INT LengthBits);
    virtual void SerializeInt(DWORD& Value, DWORD Max);
    virtual void Preload(UObject* /*Object*/) {}
    virtual void CountBytes(SIZE_T /*InNum*/, SIZE_T /*InMax*/) {}
    virtual FArchive& operator<<(UObject*& /*Object*/) { return *this; }
    virtual FArchive& operator<<(FName& /*Name*/) { return *this; }
    virtual INT MapName(FName* /*Name*/) { return 0; }
    virtual INT MapObject(UObject* /*Object*/) { return 0; }
    virtual INT Tell() { return INDEX_NONE; }
    virtual INT TotalSize() { return INDEX_NONE; }
    virtual UBOOL AtEnd();
    virtual void Seek(INT /*InPos*/) {}
    virtual void AttachLazyLoader(void* /*LazyLoader*/) {}
    virtual void DetachLazyLoader(void* /*LazyLoader*/) {}
    virtual void Precache(INT /*HintCount*/) {}
    virtual void Flush() {}
    virtual UBOOL Close() { return !ArIsError; }
    virtual UBOOL GetError() { return ArIsError; }

    UBOOL IsLoading() const { return ArIsLoading; }
    UBOOL IsSaving() const { return ArIsSaving; }
    UBOOL IsPersistent() const { return ArIsPersistent; }

    enum { INDEX_NONE = -1 };

protected:
    INT ArVer;
    UBOOL ArIsLoading;
    UBOOL ArIsSaving;
    UBOOL ArIsPersistent;
    UBOOL ArIsError;
};
