// FileManager.h: the engine's file manager interface (GFileManager). The core library
// calls the first thirteen operations and the destructor by position; the order binds.
#pragma once
#include "CoreTypes.h"
#include "Strings.h"

class FArchive;
class FOutputDevice;

enum EFileReadFlags
{
    READFLAG_None          = 0x00,
    READFLAG_ReportFailure = 0x01, // a file that cannot be opened is a critical error
};

enum EFileWriteFlags
{
    WRITEFLAG_None             = 0x00,
    WRITEFLAG_ReportFailure    = 0x01, // a file that cannot be created is a critical error
    WRITEFLAG_KeepExisting     = 0x02, // create new files only
    WRITEFLAG_OverrideReadOnly = 0x04, // clear a read-only attribute first
    WRITEFLAG_Unbuffered       = 0x08, // no effect on Windows file managers
    WRITEFLAG_Append           = 0x10, // keep the contents and write at the end
    WRITEFLAG_ShareRead        = 0x20, // others may read while the file is open
    WRITEFLAG_ExistingOnly     = 0x40, // open a file that is already where writes go; create none
};

// Told the fraction of a copy that is done, from 0.0 to 1.0.
typedef void (*FCopyProgress)(FLOAT Fraction);

class CORE_API FFileManager
{
public:
    virtual FArchive* CreateFileReader(const TCHAR* Filename, DWORD ReadFlags = 0, FOutputDevice* Error = NULL) = 0;
    virtual FArchive* CreateFileWriter(const TCHAR* Filename, DWORD WriteFlags = 0, FOutputDevice* Error = NULL) = 0;
    virtual INT FileSize(const TCHAR* Filename) = 0;
    virtual UBOOL Delete(const TCHAR* Filename, UBOOL RequireExists = 0, UBOOL EvenReadOnly = 0) = 0;
    virtual UBOOL Copy(const TCHAR* Dest, const TCHAR* Src, UBOOL Replace = 1, UBOOL EvenIfReadOnly = 0, UBOOL Attributes = 0, FCopyProgress Progress = NULL) = 0;
    virtual UBOOL Move(const TCHAR* Dest, const TCHAR* Src, UBOOL Replace = 1, UBOOL EvenIfReadOnly = 0, UBOOL Attributes = 0) = 0;
    virtual SQWORD GetTimestamp(const TCHAR* Filename) = 0;
    virtual UBOOL SetTimestamp(const TCHAR* Filename) = 0;
    virtual UBOOL MakeDirectory(const TCHAR* Path, UBOOL Tree = 0) = 0;
    virtual UBOOL DeleteDirectory(const TCHAR* Path, UBOOL RequireExists = 0, UBOOL Tree = 0) = 0;
    virtual TArray<FString> FindFiles(const TCHAR* Pattern, UBOOL Files, UBOOL Directories) = 0;
    virtual UBOOL SetDefaultDirectory(const TCHAR* Path) = 0;
    virtual FString GetDefaultDirectory() = 0;
    virtual ~FFileManager() noexcept(false) {}
};
