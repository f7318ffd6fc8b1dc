// BenchGame.h: what the game benchmarks share: a fresh copy of the staged game to run in,
// its settings, and whole processes timed from start to exit.
#pragma once
#include <windows.h>
#include <string>

// The running benchmark's own folder, with a trailing backslash.
std::wstring BenchDir();
// Seconds on the performance counter.
double BenchNow();

// A fresh copy of the staged game (the build's game folder) in a new temporary folder;
// removed again when the object goes.
class FGameCopy
{
public:
    FGameCopy();
    ~FGameCopy();
    FGameCopy(const FGameCopy&) = delete;
    FGameCopy& operator=(const FGameCopy&) = delete;

    const std::wstring& Root() const { return RootDir; }
    std::wstring System() const { return RootDir + L"\\System"; }
    // Sets a key of an ini file of the System folder.
    void SetIni(const wchar_t* File, const wchar_t* Section, const wchar_t* Key, const wchar_t* Value) const;
    // The settings a player has after the first run: the first-run values and what the
    // configuration dialog presets, with FPSLimit given.
    void SetFirstRunDone(int FPSLimit) const;
    void WriteFile(const wchar_t* File, const std::string& Text) const;
    std::string ReadFile(const wchar_t* File) const;

private:
    std::wstring RootDir;
};

// Runs Program with Args in Dir, with this process's standard output, and waits at most
// Limit seconds for it. Seconds is the time from CreateProcess to its end; the result is its
// exit code, or ~0u when it did not start or did not end (then it is killed).
DWORD RunTimed(const std::wstring& Program, const std::wstring& Args, const std::wstring& Dir, double Limit,
               double& Seconds);
