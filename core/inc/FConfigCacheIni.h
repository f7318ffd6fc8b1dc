// FConfigCacheIni.h: the engine's configuration cache (GConfig). Every ini file touched is
// kept in memory and written back only when it changed.
#pragma once
#include "FConfigFile.h"

class FConfigCacheIni : public FConfigCache
{
public:
    // Handed to appInit, which keeps the cache in GConfig.
    static FConfigCache* Factory();

    ~FConfigCacheIni() noexcept(false) override;

    // The cached file under Filename (the system ini when NULL): "Game" means "Game.ini",
    // "User.ini" and "System.ini" the names given to Init. A file not yet cached is loaded
    // when it exists on disk or CreateIfNotFound is set; otherwise NULL.
    FConfigFile* Find(const TCHAR* Filename, UBOOL CreateIfNotFound);

    UBOOL GetBool(const TCHAR* Section, const TCHAR* Key, UBOOL& Value, const TCHAR* Filename = NULL) override;
    UBOOL GetInt(const TCHAR* Section, const TCHAR* Key, INT& Value, const TCHAR* Filename = NULL) override;
    UBOOL GetFloat(const TCHAR* Section, const TCHAR* Key, FLOAT& Value, const TCHAR* Filename = NULL) override;
    UBOOL GetString(const TCHAR* Section, const TCHAR* Key, FString& Value, const TCHAR* Filename = NULL) override;
    UBOOL GetString(const TCHAR* Section, const TCHAR* Key, TCHAR* Value, INT Size, const TCHAR* Filename = NULL) override;
    const TCHAR* GetStr(const TCHAR* Section, const TCHAR* Key, const TCHAR* Filename = NULL) override;
    UBOOL GetSection(const TCHAR* Section, TCHAR* Value, INT Size, const TCHAR* Filename = NULL) override;
    // The section stays valid until a section is added to its file, or the file is read
    // again or leaves the cache.
    FConfigSectionMap* GetSectionPrivate(const TCHAR* Section, UBOOL Force, UBOOL Const, const TCHAR* Filename = NULL) override;
    void EmptySection(const TCHAR* Section, const TCHAR* Filename = NULL) override;
    void SetBool(const TCHAR* Section, const TCHAR* Key, UBOOL Value, const TCHAR* Filename = NULL) override;
    void SetInt(const TCHAR* Section, const TCHAR* Key, INT Value, const TCHAR* Filename = NULL) override;
    void SetFloat(const TCHAR* Section, const TCHAR* Key, FLOAT Value, const TCHAR* Filename = NULL) override;
    void SetString(const TCHAR* Section, const TCHAR* Key, const TCHAR* Value, const TCHAR* Filename = NULL) override;
    void Flush(UBOOL Read, const TCHAR* Filename = NULL) override;
    // A reading flush of every cached file whose name passes Matches: they are read again
    // where the file manager finds them next.
    void FlushMatching(bool (*Matches)(const TCHAR* Filename));
    void Cancel(const TCHAR* Filename = NULL) override;
    void Init(const TCHAR* InSystemIni, const TCHAR* InUserIni, UBOOL RequireConfig) override;
    void Exit() override;
    void Dump(FOutputDevice& Ar) override;

    // The file names given to Init.
    const FString& GetSystemIni() const { return SystemIni; }
    const FString& GetUserIni() const { return UserIni; }

protected:
    TMap<FString, FConfigFile> Files; // in the order first loaded or created
    FString SystemIni;
    FString UserIni;

private:
    const FString* FindValue(const TCHAR* Section, const TCHAR* Key, const TCHAR* Filename);
    void DropFromCache(const TCHAR* Filename);
};
