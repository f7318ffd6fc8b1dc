// ConfigCache.h: the engine's configuration interface (GConfig). The core library calls
// it by position, so the slot order binds. A missing file name means the system ini.
#pragma once
#include "CoreTypes.h"
#include "Memory.h"

class FString;
class FOutputDevice;
class FConfigSectionMap; // the cache's own section type

class CORE_API FConfigCache : public FGMallocObject
{
public:
    virtual UBOOL GetBool(const TCHAR* Section, const TCHAR* Key, UBOOL& Value, const TCHAR* Filename = NULL) = 0;
    virtual UBOOL GetInt(const TCHAR* Section, const TCHAR* Key, INT& Value, const TCHAR* Filename = NULL) = 0;
    virtual UBOOL GetFloat(const TCHAR* Section, const TCHAR* Key, FLOAT& Value, const TCHAR* Filename = NULL) = 0;
    virtual UBOOL GetString(const TCHAR* Section, const TCHAR* Key, FString& Value, const TCHAR* Filename = NULL) = 0;
    virtual UBOOL GetString(const TCHAR* Section, const TCHAR* Key, TCHAR* Value, INT Size, const TCHAR* Filename = NULL) = 0;
    virtual const TCHAR* GetStr(const TCHAR* Section, const TCHAR* Key, const TCHAR* Filename = NULL) = 0;
    virtual UBOOL GetSection(const TCHAR* Section, TCHAR* Value, INT Size, const TCHAR* Filename = NULL) = 0;
    virtual FConfigSectionMap* GetSectionPrivate(const TCHAR* Section, UBOOL Force, UBOOL Const, const TCHAR* Filename = NULL) = 0;
    virtual void EmptySection(const TCHAR* Section, const TCHAR* Filename = NULL) = 0;
    virtual void SetBool(const TCHAR* Section, const TCHAR* Key, UBOOL Value, const TCHAR* Filename = NULL) = 0;
    virtual void SetInt(const TCHAR* Section, const TCHAR* Key, INT Value, const TCHAR* Filename = NULL) = 0;
    virtual void SetFloat(const TCHAR* Section, const TCHAR* Key, FLOAT Value, const TCHAR* Filename = NULL) = 0;
    virtual void SetString(const TCHAR* Section, const TCHAR* Key, const TCHAR* Value, const TCHAR* Filename = NULL) = 0;
    virtual void Flush(UBOOL Read, const TCHAR* Filename = NULL) = 0;
    virtual void Cancel(const TCHAR* Filename = NULL) = 0;
    virtual void Init(const TCHAR* SystemIni, const TCHAR* UserIni, UBOOL RequireConfig) = 0;
    virtual void Exit() = 0;
    virtual void Dump(FOutputDevice& Ar) = 0;
    virtual ~FConfigCache() noexcept(false) {}
};

// Makes the configuration cache; handed to appInit by the program.
typedef FConfigCache* (*FConfigCacheFactory)();
