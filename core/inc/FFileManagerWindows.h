// FFileManagerWindows.h: the file manager over the Win32 file functions, and the two
// buffered archives through which it reads and writes files.
#pragma once
#include "FFileManagerGeneric.h"
#include "WinFileCalls.h"

// Reads a file through a 1024-byte buffer that never crosses a 1024-byte boundary of the
// file, so small reads cost one system read per kilobyte at most. A read is served from
// the buffer while it holds bytes; when it is empty, a request of 1024 bytes or more goes
// straight to the file in one system read, and a smaller one refills the buffer first.
// Reading 100 and then 3000 bytes from the start thus reads 1024 bytes into the buffer,
// copies 100, then copies the other 924 and reads the last 2076 directly.
//
// Failures set the error flag and are reported to the device the caller chose:
// "ReadFile failed: ..." when the system returns fewer bytes than asked, "ReadFile beyond
// EOF %i+%i/%i" (position, length, size) when a small read finds nothing left, and
// "SetFilePointer Failed ..." for a failed seek. Close returns 0 once the flag is set.
class FArchiveFileReader : public FArchive
{
public:
    // Owns the open handle from here on; Size is the file's size when it was opened.
    FArchiveFileReader(HANDLE InHandle, FOutputDevice* InError, INT InSize);
    ~FArchiveFileReader() noexcept(false) override;

    void Serialize(void* V, INT Length) override;
    INT Tell() override { return Pos; }
    INT TotalSize() override { return Size; }
    // 0 <= InPos <= Size, or the assertion fails.
    void Seek(INT InPos) override;
    // Refills the buffer from Pos with at most HintCount bytes, up to the next boundary.
    void Precache(INT HintCount) override;
    UBOOL Close() override;

protected:
    // The one place that reads the file, so that a test can watch the system reads.
    virtual BOOL ReadFromFile(void* Dest, DWORD Count, DWORD& Done);

private:
    HANDLE Handle;         // null once closed
    FOutputDevice* Error;
    INT Size;
    INT Pos;               // where the next read starts
    INT BufferBase;        // file position of Buffer[0]
    INT BufferCount;       // valid bytes in Buffer; the file pointer stands after them
    BYTE Buffer[1024];

    // Moves the system's file pointer; false (with the reason reported) when it cannot.
    bool MoveFilePointer(INT InPos);
};

// Defined in this header: the assertion reports of its checks name this file and these
// lines, which are part of the behaviour and must not move.
inline void FArchiveFileReader::Seek(INT InPos)
{
    guard(FArchiveFileReader::Seek);
    check(InPos>=0);
    check(InPos<=Size);
    MoveFilePointer(InPos);
    Pos = BufferBase = InPos;
    BufferCount = 0;
    unguard;
}

// Collects writes in a 4096-byte buffer; they reach the file when it is full, and on
// Flush, Seek, Close or deletion. A piece larger than the free space fills the buffer,
// which is written; the rest of the piece goes to the file in one call, but for its last
// 1 to 4096 bytes, which are buffered. Failures set the error flag and report the core's
// "WriteFailed" or "SeekFailed" text to the device the caller chose.
class FArchiveFileWriter : public FArchive
{
public:
    // Owns the open handle from here on; InPos is where the file pointer stands.
    FArchiveFileWriter(HANDLE InHandle, FOutputDevice* InError, INT InPos);
    ~FArchiveFileWriter() noexcept(false) override;

    void Serialize(void* V, INT Length) override;
    INT Tell() override { return Pos; }
    void Seek(INT InPos) override;
    void Flush() override;
    UBOOL Close() override;

protected:
    // The two places that touch the file, so that a test can watch or fail them.
    virtual BOOL WriteToFile(const void* Src, DWORD Count, DWORD& Done);
    virtual BOOL CloseFile();

private:
    HANDLE Handle;         // null once closed
    FOutputDevice* Error;
    INT Pos;               // bytes written or buffered so far
    INT BufferCount;       // bytes waiting in Buffer
    BYTE Buffer[4096];

    // Writes Count bytes with one system call; a failed or short write sets the error flag.
    void WriteChecked(const void* Src, INT Count);
};

// The engine's file manager (GFileManager) over the Win32 file functions. It exists before
// the engine's allocator, so it is made with malloc and released with free; the archives
// it hands out come from GMalloc and belong to the caller.
//
// Every call that takes a path uses the wide system call, or the narrow one with the path
// converted when GUnicodeOS is 0. A path longer than 259 characters is refused: the
// operation fails as it would for a path the system cannot reach.
class FFileManagerWindows : public FFileManagerGeneric
{
public:
    FFileManagerWindows();
    static void* operator new(size_t Size);
    static void operator delete(void* Ptr);

    // The engine calls these by position: their order binds.
    FArchive* CreateFileReader(const TCHAR* Filename, DWORD ReadFlags = 0, FOutputDevice* Error = NULL) override;
    FArchive* CreateFileWriter(const TCHAR* Filename, DWORD WriteFlags = 0, FOutputDevice* Error = NULL) override;
    INT FileSize(const TCHAR* Filename) override;
    UBOOL Delete(const TCHAR* Filename, UBOOL RequireExists = 0, UBOOL EvenReadOnly = 0) override;
    UBOOL Copy(const TCHAR* Dest, const TCHAR* Src, UBOOL Replace = 1, UBOOL EvenIfReadOnly = 0,
               UBOOL Attributes = 0, FCopyProgress Progress = NULL) override;
    // Replaces an existing destination whatever the flags say.
    UBOOL Move(const TCHAR* Dest, const TCHAR* Src, UBOOL Replace = 1, UBOOL EvenIfReadOnly = 0,
               UBOOL Attributes = 0) override;
    SQWORD GetTimestamp(const TCHAR* Filename) override;
    UBOOL SetTimestamp(const TCHAR* Filename) override;
    UBOOL MakeDirectory(const TCHAR* Path, UBOOL Tree = 0) override;
    UBOOL DeleteDirectory(const TCHAR* Path, UBOOL RequireExists = 0, UBOOL Tree = 0) override;
    // Names only, never "." or "..", in the system's order.
    TArray<FString> FindFiles(const TCHAR* Pattern, UBOOL Files, UBOOL Directories) override;
    UBOOL SetDefaultDirectory(const TCHAR* Path) override;
    FString GetDefaultDirectory() override;
    ~FFileManagerWindows() noexcept(false) override;

    // Called once by start-up, right after appInit.
    virtual void Init();
    // Where Path really lies, for a reading ('r'), deleting ('d') or writing ('w') caller:
    // the result says whether to use Out. Here Out is Path itself, or empty when Path does
    // not fit (then the result is 0). Out and Path may be one buffer.
    virtual bool TranslatePath(TCHAR (&Out)[FILE_PATH_MAX], const TCHAR* Path, TCHAR Mode);

    // Whether a localization file (extension "int", or the current language's) named
    // Filename lies in one of the localization folders; Out then holds its path. For a
    // language file, each folder is asked for the language file and then for the .int.
    bool FindLocalizedFile(TCHAR (&Out)[FILE_PATH_MAX], const TCHAR* Filename);
    // Whether Filename names a localization file: extension "int" or the current language's.
    static bool IsLocalizedName(const TCHAR* Filename);
    // Replaces the localization folders (each ending in a backslash, highest priority
    // first); the manager keeps its own copy.
    void SetIntPaths(const TArray<FString>& Folders);
    // Takes the localization folders from the system ini's [Corvane] IntPaths entries, in
    // the order of the file; without that section the list is empty. Start-up calls it once
    // the player has chosen to play: later changes of the ini count from the next launch.
    void LoadIntPaths();

protected:
    // Open a file without looking for a localized copy; a path that the user-documents
    // manager has mapped goes straight here.
    FArchive* OpenReader(const TCHAR* Filename, DWORD ReadFlags, FOutputDevice* Error);
    FArchive* OpenWriter(const TCHAR* Filename, DWORD WriteFlags, FOutputDevice* Error);
    // The size of the file, -1 when it cannot be opened for reading; no localized copy.
    static INT SizeOf(const TCHAR* Filename);
    // What an open that cannot happen does: a critical error with the report flag, else null.
    static FArchive* FailReader(const TCHAR* Filename, DWORD ReadFlags);
    static FArchive* FailWriter(const TCHAR* Filename, DWORD WriteFlags);
    static void ReportMoveFailure(const TCHAR* Dest, const TCHAR* Src);

    // The localization folders; null until they are loaded. Owned.
    TArray<FString>* IntPaths;
};

// Copies one piece between an archive's buffer and the caller. The engine serializes mostly
// pieces of a few bytes, for which calling the runtime's memcpy costs more than the copy
// itself: those move as at most two overlapping words.
inline void CopyPiece(BYTE* Dest, const BYTE* Src, INT Count)
{
    if (Count > 16)
        return appMemcpy(Dest, Src, Count);
    if (Count >= 8)
    {
        QWORD First, Last;
        memcpy(&First, Src, 8);
        memcpy(&Last, Src + Count - 8, 8);
        memcpy(Dest, &First, 8);
        memcpy(Dest + Count - 8, &Last, 8);
    }
    else if (Count >= 4)
    {
        DWORD First, Last;
        memcpy(&First, Src, 4);
        memcpy(&Last, Src + Count - 4, 4);
        memcpy(Dest, &First, 4);
        memcpy(Dest + Count - 4, &Last, 4);
    }
    else
        for (INT i = 0; i < Count; i++)
            Dest[i] = Src[i];
}
