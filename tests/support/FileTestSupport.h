// FileTestSupport.h: temporary folders and whole-file helpers for the tests of file code. They use
// Win32 directly, never the file managers under test.
#pragma once
#include "TestSupport.h"
#include "FFileManagerWindows.h"
#include <functional>
#include <ostream>
#include <string>

// A new folder in the system's temporary folder, removed with its contents at the end.
class FTempDir
{
public:
    FTempDir();
    ~FTempDir();
    // The folder joined with Relative.
    FString operator()(const TCHAR* Relative = TEXT("")) const;
    // Writes Bytes to Relative, making its folders first.
    void Write(const TCHAR* Relative, const std::string& Bytes) const;
    // The bytes of Relative; "<missing>" when it cannot be read.
    std::string Read(const TCHAR* Relative) const;
    bool Exists(const TCHAR* Relative) const;

private:
    FString Root;
};

// Makes a folder the current one for a scope.
class FScopedCurrentDir
{
public:
    explicit FScopedCurrentDir(const FString& Dir);
    ~FScopedCurrentDir();

private:
    TCHAR Saved[MAX_PATH];
};

// A path of Length characters inside Dir (single-letter folders, then a long name).
FString LongPath(const FString& Dir, INT Length);
std::string Narrow(const FString& Text);

// The message of the critical error that Action raises, or "" when it raises none.
FString ThrownBy(const std::function<void()>& Action);
// Reads a whole file through a file manager; "<missing>" when it cannot be opened.
std::string ReadThrough(FFileManager& Files, const FString& Path);
// Writes Text through a file manager; false when the file cannot be created.
bool WriteThrough(FFileManager& Files, const FString& Path, const std::string& Text, DWORD Flags = 0);
// Lets test failures show FString values as text.
void PrintTo(const FString& Text, std::ostream* Stream);
