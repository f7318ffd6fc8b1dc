// TestFiles.cpp: temporary folders and whole files for the tests.
#include "TestFiles.h"
#include "FConfigCacheIni.h"
#include <shellapi.h>

void RemoveTree(const FString& Dir)
{
    WIN32_FIND_DATAW Found;
    HANDLE Find = FindFirstFileW(*(Dir * TEXT("*")), &Found);
    for (BOOL More = Find != INVALID_HANDLE_VALUE; More; More = FindNextFileW(Find, &Found))
        if (appStrcmp(Found.cFileName, TEXT(".")) && appStrcmp(Found.cFileName, TEXT("..")))
        {
            FString Path = Dir * Found.cFileName;
            SetFileAttributesW(*Path, FILE_ATTRIBUTE_NORMAL);
            (Found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? RemoveTree(Path) : void(DeleteFileW(*Path));
        }
    if (Find != INVALID_HANDLE_VALUE)
        FindClose(Find);
    RemoveDirectoryW(*Dir);
}

// The shell copies the staged game's tree in one call (its paths are short: the shell's limit).
void CopyTree(const FString& From, const FString& To)
{
    std::wstring FromList = std::wstring(*(From * TEXT("*"))) + L'\0', ToList = std::wstring(*To) + L'\0'; // lists end with an empty path
    SHFILEOPSTRUCTW Copy = {NULL, FO_COPY, FromList.c_str(), ToList.c_str(), FOF_NO_UI, FALSE, NULL, NULL};
    SHFileOperationW(&Copy);
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

std::string ReadWholeFile(const TCHAR* Path)
{
    HANDLE File = CreateFileW(Path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING, 0, NULL);
    if (File == INVALID_HANDLE_VALUE)
        return "<missing>";
    std::string Bytes(GetFileSize(File, NULL), '\0');
    DWORD Done = 0;
    BOOL Read = Bytes.empty() || ReadFile(File, &Bytes[0], DWORD(Bytes.size()), &Done, NULL);
    CloseHandle(File);
    return Read && Done == Bytes.size() ? Bytes : "<missing>";
}

FTempFolderTest::FTempFolderTest()
{
    SetCurrentDirectoryW(*Temp());
    GFileManager = &Files;
}

FTempFolderTest::~FTempFolderTest()
{
    EndConfig(); // the cache writes what changed while the files are still there
    GFileManager = SavedFileManager;
    delete &Files;
}

void FTempFolderTest::StartConfig(const TCHAR* SystemIni)
{
    EndConfig();
    GConfig = FConfigCacheIni::Factory();
    GConfig->Init(SystemIni, TEXT("User.ini"), 0);
    GSys = new (TEXT("USystem")) USystem;
}

void FTempFolderTest::EndConfig()
{
    if (GConfig != SavedConfig)
    {
        delete GSys;
        delete GConfig;
    }
    GSys = SavedSys;
    GConfig = SavedConfig;
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
    DWORD Allowed = std::min(Count, DWORD(Room));
    Room -= INT(Allowed);
    return FArchiveFileWriter::WriteToFile(Src, Allowed, Done);
}

TArray<FString> ReadLogLines(const TCHAR* Filename)
{
    std::string Bytes = ReadWholeFile(Filename);
    TArray<FString> Lines;
    for (size_t Start = 0, End = 0; Bytes != "<missing>" && Start < Bytes.size(); Start = End + 2)
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
    delete Reader; // not a unique_ptr: the file managers' archives may throw on closing
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
