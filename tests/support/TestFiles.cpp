// TestFiles.cpp: temporary folders and reading files back.
#include "TestFiles.h"

FTempFolder::FTempFolder()
{
    TCHAR Base[MAX_PATH], Name[MAX_PATH];
    GetTempPathW(ARRAY_COUNT(Base), Base);
    GetTempFileNameW(Base, TEXT("cvt"), 0, Name); // reserves a unique name as a file
    DeleteFileW(Name);
    CreateDirectoryW(Name, NULL);
    Path = Name;
}

FTempFolder::~FTempFolder()
{
    WIN32_FIND_DATAW Found;
    HANDLE Find = FindFirstFileW(*(Path * TEXT("*")), &Found);
    if (Find != INVALID_HANDLE_VALUE)
    {
        do
            DeleteFileW(*(Path * Found.cFileName));
        while (FindNextFileW(Find, &Found));
        FindClose(Find);
    }
    RemoveDirectoryW(*Path);
}

// The whole file as bytes; empty when it cannot be read. Others may write it meanwhile.
static TArray<BYTE> ReadFileBytes(const TCHAR* Filename)
{
    TArray<BYTE> Bytes;
    HANDLE File = CreateFileW(Filename, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING, 0, NULL);
    if (File == INVALID_HANDLE_VALUE)
        return Bytes;
    DWORD Size = GetFileSize(File, NULL);
    Bytes.Add(INT(Size));
    DWORD Read = 0;
    if (Size && !ReadFile(File, Bytes.GetTypedData(), Size, &Read, NULL))
        Bytes.Empty();
    CloseHandle(File);
    return Bytes;
}

TArray<FString> ReadLogLines(const TCHAR* Filename)
{
    TArray<BYTE> Bytes = ReadFileBytes(Filename);
    TArray<FString> Lines;
    FString Line;
    for (INT i = 0; i < Bytes.Num(); i++)
    {
        if (Bytes(i) == '\r' && i + 1 < Bytes.Num() && Bytes(i + 1) == '\n')
        {
            Lines.AddItem(Line);
            Line.Empty();
            i++;
        }
        else
            Line += TCHAR(Bytes(i));
    }
    if (Line.Len())
        Lines.AddItem(Line);
    return Lines;
}
