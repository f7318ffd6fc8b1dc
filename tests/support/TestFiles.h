// TestFiles.h: temporary folders and whole files for the tests of code that reads and writes
// files. The helpers use Win32 directly, never the file managers under test.
#pragma once
#include "TestSupport.h"
#include "FFileManagerUserDocuments.h"
#include <algorithm>
#include <functional>
#include <initializer_list>
#include <ostream>
#include <string>
#include <vector>

// The bytes of a file that others may still be writing; "<missing>" when it cannot be read.
std::string ReadWholeFile(const TCHAR* Path);
// Writes Bytes to Path, making its missing folders first.
void WriteWholeFile(const FString& Path, const std::string& Bytes);

// A new folder in the system's temporary folder. At the end the current folder is set back
// (a test may move into the folder) and the folder goes with its contents.
class FTempDir
{
public:
    FTempDir();
    ~FTempDir();
    // The folder joined with Relative.
    FString operator()(const TCHAR* Relative = TEXT("")) const { return *Relative ? Root * Relative : Root; }
    // Writes Bytes to Relative, making its folders first.
    void Write(const TCHAR* Relative, const std::string& Bytes) const { WriteWholeFile((*this)(Relative), Bytes); }
    // The bytes of Relative; "<missing>" when it cannot be read.
    std::string Read(const TCHAR* Relative) const { return ReadWholeFile(*(*this)(Relative)); }
    bool Exists(const TCHAR* Relative) const { return GetFileAttributesW(*(*this)(Relative)) != INVALID_FILE_ATTRIBUTES; }

private:
    FString Root;
    TCHAR SavedCurrent[MAX_PATH];
};

// A test in a temporary folder that is the current one, with the Win32 file manager (made
// with malloc, as every file manager) as GFileManager.
class FTempFolderTest : public testing::Test
{
protected:
    FTempFolderTest();
    ~FTempFolderTest() override;
    // The engine's configuration as start-up leaves it, until the test ends: a cache over
    // SystemIni and User.ini of the current folder as GConfig, and the system object as GSys.
    // Called again, it starts anew over the files as they are then.
    void StartConfig(const TCHAR* SystemIni);

    FTempDir Temp;
    FFileManagerWindows& Files = *new FFileManagerWindows;

private:
    void EndConfig();

    FFileManager* SavedFileManager = GFileManager;
    FConfigCache* SavedConfig = GConfig;
    USystem* SavedSys = GSys;
};

// A game installation (Temp\Game, with Default.ini in its System folder, the current one)
// beside a documents folder (Temp\Docs), and the user-documents manager over them.
class FMirroredGameTest : public FTempFolderTest
{
protected:
    FMirroredGameTest();
    ~FMirroredGameTest() override { delete &Mirror; }

    FFileManagerUserDocuments& Mirror;
};

// A path buffer followed by guard characters that no call may touch.
struct FGuardedPath
{
    TCHAR Out[FILE_PATH_MAX];
    TCHAR Guard[8];

    FGuardedPath() { std::fill(std::begin(Guard), std::end(Guard), TCHAR(0xABCD)); }
    bool Intact() const { return std::count(std::begin(Guard), std::end(Guard), TCHAR(0xABCD)) == 8; }
};

// A file writer that records its system writes and closes; writes stop short once Room bytes
// are used up, as on a full disk.
class FCountingWriter : public FArchiveFileWriter
{
public:
    using FArchiveFileWriter::FArchiveFileWriter;
    std::string Writes;
    INT Closes = 0;
    INT Room = 0x7fffffff;

protected:
    BOOL WriteToFile(const void* Src, DWORD Count, DWORD& Done) override;
    BOOL CloseFile() override { Closes++; return FArchiveFileWriter::CloseFile(); }
};

// A file manager (TBase) on a disk that fills up after Room bytes written to new files (the
// saves' temporary files: writers opened without flags); other writers are the base's own.
template<class TBase> class TDiskFull : public TBase
{
public:
    using TBase::TBase;
    INT Room = 100;

    FArchive* CreateFileWriter(const TCHAR* Filename, DWORD Flags, FOutputDevice* Error) override
    {
        TCHAR Path[FILE_PATH_MAX];
        if (Flags != 0 || !this->TranslatePath(Path, Filename, 'w'))
            return TBase::CreateFileWriter(Filename, Flags, Error);
        HANDLE File = CreateFileW(Path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
        FCountingWriter* Writer = new (TEXT("WindowsFileWriter")) FCountingWriter(File, Error, 0);
        Writer->Room = Room;
        return Writer;
    }
};

// Removes a folder with everything in it; copies a folder's tree into To.
void RemoveTree(const FString& Dir);
void CopyTree(const FString& From, const FString& To);
// The lines of a file that others may still be writing (8-bit text split at CR LF, without
// the line ends); none when it cannot be read.
TArray<FString> ReadLogLines(const TCHAR* Filename);
// A path of Length characters inside Dir (single-letter folders, then a long name).
FString LongPath(const FString& Dir, INT Length);
std::string Narrow(const FString& Text);
std::vector<std::string> Narrow(const TArray<FString>& Texts);
TArray<FString> Strings(std::initializer_list<FString> Texts);
// The message of the critical error that Action raises, or "" when it raises none.
FString ThrownBy(const std::function<void()>& Action);
// Reads a whole file through a file manager; "<missing>" when it cannot be opened.
std::string ReadThrough(FFileManager& Files, const FString& Path);
// Writes Text through a file manager; false when the file cannot be created or closed.
bool WriteThrough(FFileManager& Files, const FString& Path, const std::string& Text, DWORD Flags = 0);
// Lets test failures show FString values as text.
void PrintTo(const FString& Text, std::ostream* Stream);
