// TestFiles.cpp: temporary folders and whole files for the tests.
#include "TestFiles.h"
#include "FConfigCacheIni.h"
#include <shlwapi.h>

namespace
{
// Calls Visit with the name of each entry of Dir but "." and "..", and whether it is a folder.
void ForEachEntry(const FString& Dir, const std::function<void(const TCHAR*, bool)>& Visit)
{
    WIN32_FIND_DATAW Found;
    HANDLE Find = FindFirstFileW(*(Dir * TEXT("*")), &Found);
    if (Find == INVALID_HANDLE_VALUE)
        return;
    do
        if (appStrcmp(Found.cFileName, TEXT(".")) && appStrcmp(Found.cFileName, TEXT("..")))
            Visit(Found.cFileName, (Found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0);
    while (FindNextFileW(Find, &Found));
    FindClose(Find);
}

// The whole file, which others may be writing meanwhile; false when it cannot be read.
bool ReadBytes(const TCHAR* Path, std::string& Bytes)
{
    HANDLE File = CreateFileW(Path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING, 0, NULL);
    if (File == INVALID_HANDLE_VALUE)
        return false;
    Bytes.assign(GetFileSize(File, NULL), '\0');
    DWORD Done = 0;
    BOOL Read = Bytes.empty() || ReadFile(File, &Bytes[0], DWORD(Bytes.size()), &Done, NULL);
    CloseHandle(File);
    return Read && Done == Bytes.size();
}
} // namespace

void RemoveTree(const FString& Dir)
{
    ForEachEntry(Dir, [&](const TCHAR* Name, bool Folder) {
        SetFileAttributesW(*(Dir * Name), FILE_ATTRIBUTE_NORMAL);
        Folder ? RemoveTree(Dir * Name) : void(DeleteFileW(*(Dir * Name)));
    });
    RemoveDirectoryW(*Dir);
}

void CopyTree(const FString& From, const FString& To)
{
    CreateDirectoryW(*To, NULL);
    ForEachEntry(From, [&](const TCHAR* Name, bool Folder) {
        Folder ? CopyTree(From * Name, To * Name) : void(CopyFileW(*(From * Name), *(To * Name), FALSE));
    });
}

FTempDir::FTempDir()
{
    static INT Count = 0;
    TCHAR Base[MAX_PATH];
    GetTempPathW(MAX_PATH, Base);
    GetCurrentDirectoryW(MAX_PATH, SavedCurrent);
    Root = FString::Printf(TEXT("%scvt-%u-%i"), Base, unsigned(GetCurrentProcessId()), ++Count);
    RemoveTree(Root);
    CreateDirectoryW(*Root, NULL);
}

FTempDir::~FTempDir()
{
    SetCurrentDirectoryW(SavedCurrent);
    RemoveTree(Root);
}

FString FTempDir::operator()(const TCHAR* Relative) const { return *Relative ? Root * Relative : Root; }

void FTempDir::Write(const TCHAR* Relative, const std::string& Bytes) const { WriteWholeFile((*this)(Relative), Bytes); }

void WriteWholeFile(const FString& Path, const std::string& Bytes)
{
    for (INT i = 3; i < Path.Len(); i++) // after the drive's "C:\"
        if (Path[i] == '\\')
            CreateDirectoryW(*Path.Left(i), NULL);
    HANDLE File = CreateFileW(*Path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    DWORD Done;
    WriteFile(File, Bytes.data(), DWORD(Bytes.size()), &Done, NULL);
    CloseHandle(File);
}

std::string FTempDir::Read(const TCHAR* Relative) const { return ReadWholeFile(*(*this)(Relative)); }

std::string ReadWholeFile(const TCHAR* Path)
{
    std::string Bytes;
    return ReadBytes(Path, Bytes) ? Bytes : "<missing>";
}

bool FTempDir::Exists(const TCHAR* Relative) const { return PathFileExistsW(*(*this)(Relative)) != 0; }

FTempFolderTest::FTempFolderTest()
{
    SetCurrentDirectoryW(*Temp());
    GFileManager = &Files;
}

FTempFolderTest::~FTempFolderTest()
{
    if (GConfig != SavedConfig) // the cache writes what changed while the files are still there
    {
        delete GSys;
        delete GConfig;
    }
    GSys = SavedSys;
    GConfig = SavedConfig;
    GFileManager = SavedFileManager;
    delete &Files;
}

void FTempFolderTest::StartConfig(const TCHAR* SystemIni)
{
    if (GConfig != SavedConfig)
    {
        delete GSys;
        delete GConfig;
    }
    GConfig = FConfigCacheIni::Factory();
    GConfig->Init(SystemIni, TEXT("User.ini"), 0);
    GSys = new (TEXT("USystem")) USystem;
}

FMirroredGameTest::FMirroredGameTest()
    : Mirror(*new FFileManagerUserDocuments(*Temp(TEXT("Docs")), *Temp(TEXT("Game\\System"))))
{
    Temp.Write(TEXT("Game\\System\\Default.ini"), "stock");
    CreateDirectoryW(*Temp(TEXT("Docs")), NULL);
    SetCurrentDirectoryW(*Temp(TEXT("Game\\System"))); // the engine's working folder
}

BOOL FCountingWriter::WriteToFile(const void* Src, DWORD Count, DWORD& Done)
{
    Writes += std::to_string(Count) + " ";
    DWORD Allowed = Count < DWORD(Room) ? Count : DWORD(Room);
    Room -= INT(Allowed);
    return FArchiveFileWriter::WriteToFile(Src, Allowed, Done);
}

BOOL FCountingWriter::CloseFile()
{
    Closes++;
    return FArchiveFileWriter::CloseFile();
}

TArray<FString> ReadLogLines(const TCHAR* Filename)
{
    std::string Bytes;
    TArray<FString> Lines;
    if (!ReadBytes(Filename, Bytes))
        return Lines;
    for (size_t Start = 0, End = 0; Start < Bytes.size(); Start = End + 2)
    {
        End = std::min(Bytes.find("\r\n", Start), Bytes.size());
        Lines.AddItem(FString());
        for (size_t i = Start; i < End; i++)
            Lines.Last() += TCHAR(BYTE(Bytes[i]));
    }
    return Lines;
}

FString LongPath(const FString& Dir, INT Length)
{
    FString Path = Dir;
    while (Path.Len() < Length)
        Path += Path.Len() + 2 < Length ? TEXT("\\a") : TEXT("b");
    return Path.Left(Length);
}

std::string Narrow(const FString& Text) { return appToAnsi(*Text); }

std::vector<std::string> Narrow(const TArray<FString>& Texts)
{
    std::vector<std::string> Result;
    for (const FString& Text : Texts)
        Result.push_back(Narrow(Text));
    return Result;
}

TArray<FString> Strings(std::initializer_list<FString> Texts)
{
    TArray<FString> Result;
    for (const FString& Text : Texts)
        Result.AddItem(Text);
    return Result;
}

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
