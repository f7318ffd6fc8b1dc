// BenchGame.cpp: game copies and timed processes for the benchmarks.
#include "BenchGame.h"
#include <shlwapi.h>
#include <stdio.h>

namespace
{
void CopyTree(const std::wstring& From, const std::wstring& To)
{
    CreateDirectoryW(To.c_str(), NULL);
    WIN32_FIND_DATAW Found;
    HANDLE Find = FindFirstFileW((From + L"\\*").c_str(), &Found);
    if (Find == INVALID_HANDLE_VALUE)
        return;
    do
    {
        const std::wstring Name = Found.cFileName;
        if (!(Found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            CopyFileW((From + L"\\" + Name).c_str(), (To + L"\\" + Name).c_str(), FALSE);
        else if (Name != L"." && Name != L"..")
            CopyTree(From + L"\\" + Name, To + L"\\" + Name);
    } while (FindNextFileW(Find, &Found));
    FindClose(Find);
}

void RemoveTree(const std::wstring& Dir)
{
    WIN32_FIND_DATAW Found;
    HANDLE Find = FindFirstFileW((Dir + L"\\*").c_str(), &Found);
    if (Find != INVALID_HANDLE_VALUE)
    {
        do
        {
            const std::wstring Name = Found.cFileName, Path = Dir + L"\\" + Name;
            if (!(Found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                DeleteFileW(Path.c_str());
            else if (Name != L"." && Name != L"..")
                RemoveTree(Path);
        } while (FindNextFileW(Find, &Found));
        FindClose(Find);
    }
    RemoveDirectoryW(Dir.c_str());
}
} // namespace

std::wstring BenchDir()
{
    wchar_t Path[MAX_PATH];
    GetModuleFileNameW(NULL, Path, MAX_PATH);
    PathRemoveFileSpecW(Path);
    return std::wstring(Path) + L"\\";
}

double BenchNow()
{
    static LARGE_INTEGER Frequency = {};
    if (!Frequency.QuadPart)
        QueryPerformanceFrequency(&Frequency);
    LARGE_INTEGER Counter;
    QueryPerformanceCounter(&Counter);
    return double(Counter.QuadPart) / double(Frequency.QuadPart);
}

FGameCopy::FGameCopy()
{
    wchar_t Temp[MAX_PATH], Name[MAX_PATH];
    GetTempPathW(MAX_PATH, Temp);
    GetTempFileNameW(Temp, L"cgm", 0, Name); // a unique name, made a folder below
    DeleteFileW(Name);
    RootDir = Name;
    CopyTree(BenchDir() + L"..\\game", RootDir);
}

FGameCopy::~FGameCopy() { RemoveTree(RootDir); }

void FGameCopy::SetIni(const wchar_t* File, const wchar_t* Section, const wchar_t* Key, const wchar_t* Value) const
{
    WritePrivateProfileStringW(Section, Key, Value, (System() + L"\\" + File).c_str());
}

void FGameCopy::SetFirstRunDone(int FPSLimit) const
{
    wchar_t Number[16];
    SetIni(L"Corvane.ini", L"FirstRun", L"FirstRun", L"1100");
    SetIni(L"Corvane.ini", L"Engine.Engine", L"GameRenderDevice", L"D3DDrv.D3DRenderDevice");
    SetIni(L"Corvane.ini", L"WinDrv.WindowsClient", L"FullscreenColorBits", L"32");
    _itow_s(GetSystemMetrics(SM_CXSCREEN), Number, 16, 10);
    SetIni(L"Corvane.ini", L"WinDrv.WindowsClient", L"FullscreenViewportX", Number);
    _itow_s(GetSystemMetrics(SM_CYSCREEN), Number, 16, 10);
    SetIni(L"Corvane.ini", L"WinDrv.WindowsClient", L"FullscreenViewportY", Number);
    _itow_s(FPSLimit, Number, 16, 10);
    SetIni(L"Corvane.ini", L"Corvane", L"FPSLimit", Number);
    SetIni(L"Corvane.ini", L"Corvane", L"RawInput", L"True");
    SetIni(L"Corvane.ini", L"Corvane", L"UseAutoFOV", L"True");
    SetIni(L"Corvane.ini", L"Corvane", L"BorderlessFullscreenWindow", L"False");
    SetIni(L"Corvane.ini", L"Corvane", L"UseSingleCPU", L"False");
}

void FGameCopy::WriteFile(const wchar_t* File, const std::string& Text) const
{
    FILE* Out = _wfopen((System() + L"\\" + File).c_str(), L"wb");
    if (!Out)
        return;
    fwrite(Text.data(), 1, Text.size(), Out);
    fclose(Out);
}

std::string FGameCopy::ReadFile(const wchar_t* File) const
{
    std::string Text;
    FILE* In = _wfopen((System() + L"\\" + File).c_str(), L"rb");
    if (!In)
        return Text;
    char Buffer[4096];
    for (size_t Got; (Got = fread(Buffer, 1, sizeof(Buffer), In)) > 0;)
        Text.append(Buffer, Got);
    fclose(In);
    return Text;
}

DWORD RunTimed(const std::wstring& Program, const std::wstring& Args, const std::wstring& Dir, double Limit,
               double& Seconds)
{
    std::wstring CommandLine = L"\"" + Program + L"\" " + Args;
    STARTUPINFOW Startup = {};
    Startup.cb = sizeof(Startup);
    PROCESS_INFORMATION Process = {};
    fflush(stdout);
    const double Start = BenchNow();
    if (!CreateProcessW(Program.c_str(), &CommandLine[0], NULL, NULL, FALSE, 0, NULL, Dir.c_str(), &Startup, &Process))
        return ~0u;
    DWORD Code = ~0u;
    if (WaitForSingleObject(Process.hProcess, DWORD(Limit * 1000)) == WAIT_OBJECT_0)
        GetExitCodeProcess(Process.hProcess, &Code);
    else
        TerminateProcess(Process.hProcess, ~0u);
    Seconds = BenchNow() - Start;
    CloseHandle(Process.hThread);
    CloseHandle(Process.hProcess);
    return Code;
}
