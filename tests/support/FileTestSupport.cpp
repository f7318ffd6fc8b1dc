// FileTestSupport.cpp: temporary folders and whole-file helpers for the file tests.
#include "FileTestSupport.h"
#include <shlwapi.h>

namespace
{
void RemoveTree(const FString& Dir)
{
    WIN32_FIND_DATAW Data;
    HANDLE Find = FindFirstFileW(*(Dir * TEXT("*")), &Data);
    if (Find != INVALID_HANDLE_VALUE)
    {
        do
        {
            FString Path = Dir * Data.cFileName;
            if (!(Data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            {
                SetFileAttributesW(*Path, FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(*Path);
            }
            else if (appStrcmp(Data.cFileName, TEXT(".")) && appStrcmp(Data.cFileName, TEXT("..")))
                RemoveTree(Path);
        } while (FindNextFileW(Find, &Data));
        FindClose(Find);
    }
    RemoveDirectoryW(*Dir);
}
} // namespace

FTempDir::FTempDir()
{
    static INT Count = 0;
    TCHAR Base[MAX_PATH];
    GetTempPathW(MAX_PATH, Base);
    Root = FString::Printf(TEXT("%sfiles-%u-%i"), Base, unsigned(GetCurrentProcessId()), ++Count);
    RemoveTree(Root);
    CreateDirectoryW(*Root, NULL);
}

FTempDir::~FTempDir() { RemoveTree(Root); }

FString FTempDir::operator()(const TCHAR* Relative) const { return *Relative ? Root * Relative : Root; }

void FTempDir::Write(const TCHAR* Relative, const std::string& Bytes) const
{
    FString Path = (*this)(Relative);
    for (INT i = Root.Len() + 1; i < Path.Len(); i++)
        if (Path[i] == '\\')
            CreateDirectoryW(*Path.Left(i), NULL);
    HANDLE File = CreateFileW(*Path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    DWORD Done;
    WriteFile(File, Bytes.data(), DWORD(Bytes.size()), &Done, NULL);
    CloseHandle(File);
}

std::string FTempDir::Read(const TCHAR* Relative) const
{
    HANDLE File = CreateFileW(*(*this)(Relative), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    if (File == INVALID_HANDLE_VALUE)
        return "<missing>";
    std::string Bytes(GetFileSize(File, NULL), '\0');
    DWORD Done = 0;
    ReadFile(File, &Bytes[0], DWORD(Bytes.size()), &Done, NULL);
    CloseHandle(File);
    return Bytes;
}

bool FTempDir::Exists(const TCHAR* Relative) const { return PathFileExistsW(*(*this)(Relative)) != 0; }

FScopedCurrentDir::FScopedCurrentDir(const FString& Dir)
{
    GetCurrentDirectoryW(MAX_PATH, Saved);
    SetCurrentDirectoryW(*Dir);
}

FScopedCurrentDir::~FScopedCurrentDir() { SetCurrentDirectoryW(Saved); }

FString LongPath(const FString& Dir, INT Length)
{
    FString Path = Dir;
    while (Path.Len() < Length)
        Path += Path.Len() + 2 < Length ? TEXT("\\a") : TEXT("b");
    return Path.Left(Length);
}

std::string Narrow(const FString& Text) { return appToAnsi(*Text); }

FString ThrownBy(const std::function<void()>& Action)
{
    try
    {
        Action();
    }
    catch (const TCHAR* Message)
    {
        return FString(Message);
    }
    return FString();
}

std::string ReadThrough(FFileManager& Files, const FString& Path)
{
    FArchive* Reader = Files.CreateFileReader(*Path);
    if (!Reader)
        return "<missing>";
    std::string Bytes(Reader->TotalSize(), '\0');
    Reader->Serialize(&Bytes[0], INT(Bytes.size()));
    delete Reader;
    return Bytes;
}

bool WriteThrough(FFileManager& Files, const FString& Path, const std::string& Text, DWORD Flags)
{
    FArchive* Writer = Files.CreateFileWriter(*Path, Flags);
    if (!Writer)
        return false;
    Writer->Serialize(const_cast<char*>(Text.data()), INT(Text.size()));
    UBOOL Closed = Writer->Close();
    delete Writer;
    return Closed != 0;
}

void PrintTo(const FString& Text, std::ostream* Stream) { *Stream << '"' << Narrow(Text) << '"'; }
