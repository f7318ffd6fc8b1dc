// bench_ini: loads a 2 MB ini of 50,000 keys in 500 sections into the configuration cache,
// then answers 1,000,000 lookups of existing and missing keys; GetPrivateProfileStringW
// answers a sample of the same lookups on the same file as the baseline. The last line is
// "ratio: N": how many times more lookups per second the cache answers.
#include "FConfigCacheIni.h"
#include "FFileManagerWindows.h"
#include "FMallocWindows.h"
#include <windows.h>
#include <stdio.h>
#include <algorithm>
#include <vector>
#include <string>

namespace
{
const int Sections = 500;
const int KeysPerSection = 100;
const int Lookups = 1000000;
const int BaselineLookups = 500;

double Now()
{
    static LARGE_INTEGER Frequency = {};
    if (!Frequency.QuadPart)
        QueryPerformanceFrequency(&Frequency);
    LARGE_INTEGER Counter;
    QueryPerformanceCounter(&Counter);
    return double(Counter.QuadPart) / double(Frequency.QuadPart);
}

std::wstring ValueOf(int Section, int Key)
{
    wchar_t Text[64];
    _snwprintf(Text, 64, L"value %05d of section %03d here", Section * KeysPerSection + Key, Section);
    return Text;
}

// The ini as 8-bit text, about 40 bytes a line.
std::string MakeIni()
{
    std::string Text;
    for (int Section = 0; Section < Sections; Section++)
    {
        char Line[128];
        snprintf(Line, sizeof(Line), "[Section%03d]\r\n", Section);
        Text += Line;
        for (int Key = 0; Key < KeysPerSection; Key++)
        {
            std::wstring Value = ValueOf(Section, Key);
            snprintf(Line, sizeof(Line), "Key%05d=%ls\r\n", Section * KeysPerSection + Key, Value.c_str());
            Text += Line;
        }
        Text += "\r\n";
    }
    return Text;
}

struct FLookup
{
    std::wstring Section, Key, Expected; // Expected is empty for a missing key
};

// Every other lookup misses: a key absent from its section, or a section absent from the file.
std::vector<FLookup> MakeLookups(int Count)
{
    std::vector<FLookup> Result;
    unsigned Seed = 12345;
    auto Next = [&] { return (Seed = Seed * 1103515245u + 12345u) >> 8; };
    wchar_t Section[32], Key[32];
    for (int i = 0; i < Count; i++)
    {
        int S = int(Next() % Sections), K = int(Next() % KeysPerSection);
        _snwprintf(Section, 32, (i % 4 == 3) ? L"Missing%03d" : L"Section%03d", S);
        _snwprintf(Key, 32, L"Key%05d", (i % 2) ? 900000 + K : S * KeysPerSection + K);
        Result.push_back({Section, Key, (i % 2) ? L"" : ValueOf(S, K)});
    }
    return Result;
}

bool WriteWholeFile(const wchar_t* Path, const std::string& Bytes)
{
    HANDLE File = CreateFileW(Path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    if (File == INVALID_HANDLE_VALUE)
        return false;
    DWORD Written = 0;
    bool Ok = WriteFile(File, Bytes.data(), DWORD(Bytes.size()), &Written, NULL) && Written == Bytes.size();
    return CloseHandle(File) && Ok;
}
} // namespace

int main()
{
    // The program's own allocator and file manager, as the cache meets them in the game.
    FMallocWindows* Malloc = new FMallocWindows;
    Malloc->Init();
    GMalloc = Malloc;
    GFileManager = new FFileManagerWindows;
    wchar_t Folder[MAX_PATH], Path[MAX_PATH];
    GetTempPathW(MAX_PATH, Folder);
    GFileManager->SetDefaultDirectory(Folder);
    _snwprintf(Path, MAX_PATH, L"%lsbench_ini.ini", Folder);
    std::string Bytes = MakeIni();
    if (!WriteWholeFile(Path, Bytes))
    {
        printf("cannot write %ls\n", Path);
        return 1;
    }

    FConfigCacheIni* Cache = static_cast<FConfigCacheIni*>(FConfigCacheIni::Factory());
    Cache->Init(TEXT("bench_ini.ini"), TEXT("User.ini"), 0);
    const int Loads = 10;
    double Best = 1e9;
    for (int i = 0; i < Loads; i++)
    {
        Cache->Flush(1);
        double Start = Now();
        FConfigFile* File = Cache->Find(TEXT("bench_ini.ini"), 0);
        Best = std::min(Best, Now() - Start);
        if (!File || File->Num() != Sections)
        {
            printf("load failed\n");
            return 1;
        }
    }
    double MBPerSecond = double(Bytes.size()) / (1024.0 * 1024.0) / Best;
    printf("load: %.2f MB (%d keys in %d sections) in %.1f ms (best of %d), %.1f MB/s\n",
           double(Bytes.size()) / (1024.0 * 1024.0), Sections * KeysPerSection, Sections, Best * 1000.0, Loads, MBPerSecond);

    std::vector<FLookup> Work = MakeLookups(Lookups);
    TCHAR Buffer[256];
    int Found = 0;
    double Start = Now();
    for (const FLookup& Lookup : Work)
        Found += Cache->GetString(Lookup.Section.c_str(), Lookup.Key.c_str(), Buffer, 256, TEXT("bench_ini.ini"));
    double CacheSeconds = Now() - Start;
    int Wrong = Found != Lookups / 2;
    for (int i = 0; i < 10000; i++)
    {
        Cache->GetString(Work[i].Section.c_str(), Work[i].Key.c_str(), Buffer, 256, TEXT("bench_ini.ini"));
        Wrong += Work[i].Expected != Buffer;
    }
    double CachePerSecond = Lookups / CacheSeconds;
    printf("cache: %d lookups in %.1f ms, %.0f lookups per second\n", Lookups, CacheSeconds * 1000.0, CachePerSecond);

    Start = Now();
    for (int i = 0; i < BaselineLookups; i++)
    {
        const FLookup& Lookup = Work[i];
        GetPrivateProfileStringW(Lookup.Section.c_str(), Lookup.Key.c_str(), L"", Buffer, 256, Path);
        if (Lookup.Expected != Buffer)
            Wrong++;
    }
    double BaselineSeconds = Now() - Start;
    double BaselinePerSecond = BaselineLookups / BaselineSeconds;
    printf("GetPrivateProfileStringW: %d lookups in %.1f ms, %.0f lookups per second\n", BaselineLookups,
           BaselineSeconds * 1000.0, BaselinePerSecond);

    delete Cache;
    delete GFileManager;
    DeleteFileW(Path);
    if (Wrong)
    {
        printf("%d lookups gave the wrong answer\n", Wrong);
        return 1;
    }
    printf("ratio: %.0f\n", CachePerSecond / BaselinePerSecond);
    return 0;
}
