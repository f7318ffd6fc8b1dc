// FileStrings.cpp: whole files as text, read and written through the file manager.
#include "CoreInternal.h"

namespace
{
const BYTE ByteOrderMark[2] = {0xFF, 0xFE}; // UTF-16, little end first

UBOOL NeedsWideEncoding(const TCHAR* Text, INT Len)
{
    for (INT i = 0; i < Len; i++)
        if (Text[i] >= 256)
            return 1;
    return 0;
}

void DecodeText(const BYTE* Bytes, INT Size, FString& Result)
{
    INT Count;
    TCHAR* Text;
    if (Size >= 2 && Bytes[0] == ByteOrderMark[0] && Bytes[1] == ByteOrderMark[1])
    {
        Count = (Size - 2) / 2; // a lone trailing byte is no character
        Text = static_cast<TCHAR*>(appMalloc(DWORD(Count) * sizeof(TCHAR) + sizeof(TCHAR), TEXT("LoadFileToString")));
        appMemcpy(Text, Bytes + 2, Count * sizeof(TCHAR));
    }
    else
    {
        Count = Size;
        Text = static_cast<TCHAR*>(appMalloc(DWORD(Count) * sizeof(TCHAR) + sizeof(TCHAR), TEXT("LoadFileToString")));
        for (INT i = 0; i < Count; i++)
            Text[i] = TCHAR(Bytes[i]);
    }
    TScopeExit FreeText([&] { appFree(Text); });
    Result = FString(Text, Count);
}

// Writes the text as bytes: 8-bit when it can, else UTF-16 with a byte-order mark.
void EncodeText(FArchive& Writer, const TCHAR* Text, INT Len)
{
    if (NeedsWideEncoding(Text, Len))
    {
        Writer.Serialize(const_cast<BYTE*>(ByteOrderMark), sizeof(ByteOrderMark));
        Writer.Serialize(const_cast<TCHAR*>(Text), Len * INT(sizeof(TCHAR)));
        return;
    }
    BYTE Chunk[4096];
    for (INT Done = 0; Done < Len;)
    {
        INT Count = Len - Done < INT(sizeof(Chunk)) ? Len - Done : INT(sizeof(Chunk));
        for (INT i = 0; i < Count; i++)
            Chunk[i] = BYTE(Text[Done + i]);
        Writer.Serialize(Chunk, Count);
        Done += Count;
    }
}
// A target that cannot be written (read-only, or held open by someone else) must stay as it
// is: the replacing move of a save would replace it regardless. Appending nothing to it asks
// the question without touching the contents; the open takes only a file that is already
// where writes go, so asking creates none (a documents mirror may hold no copy yet, and an
// empty one would hide the installation's file).
UBOOL CanReplace(FFileManager& FileManager, const TCHAR* Filename)
{
    FArchive* Probe = FileManager.CreateFileWriter(Filename, WRITEFLAG_Append | WRITEFLAG_ExistingOnly, GNull);
    if (!Probe)
    {
        DWORD Error = GetLastError();
        return Error == ERROR_FILE_NOT_FOUND || Error == ERROR_PATH_NOT_FOUND;
    }
    UBOOL Closed = Probe->Close();
    delete Probe;
    return Closed;
}
} // namespace

UBOOL appLoadFileToString(FString& Result, const TCHAR* Filename, FFileManager* FileManager)
{
    guard(appLoadFileToString);
    if (!FileManager)
        FileManager = GFileManager;
    FArchive* Reader = FileManager->CreateFileReader(Filename, 0, GNull);
    if (!Reader)
        return 0;
    TScopeExit DeleteReader([&] { delete Reader; });
    INT Size = Reader->TotalSize();
    if (Size < 0)
        return 0;
    BYTE* Bytes = static_cast<BYTE*>(appMalloc(DWORD(Size), TEXT("LoadFileToString")));
    TScopeExit FreeBytes([&] { appFree(Bytes); });
    Reader->Serialize(Bytes, Size);
    if (!Reader->Close())
        return 0;
    DecodeText(Bytes, Size, Result);
    return 1;
    unguard;
}

UBOOL appSaveStringToFile(const FString& String, const TCHAR* Filename, FFileManager* FileManager)
{
    guard(appSaveStringToFile);
    if (!FileManager)
        FileManager = GFileManager;
    if (!CanReplace(*FileManager, Filename))
        return 0;
    // Write beside the target first, so that a failed save leaves the old file whole.
    FString Temp = FString(Filename) + TEXT(".tmp");
    FArchive* Writer = FileManager->CreateFileWriter(*Temp, 0, GNull);
    if (!Writer)
        return 0;
    UBOOL Written;
    {
        TScopeExit DeleteWriter([&] { delete Writer; });
        EncodeText(*Writer, *String, String.Len());
        Written = Writer->Close();
    }
    if (!Written)
    {
        FileManager->Delete(*Temp);
        return 0;
    }
    if (!FileManager->Move(Filename, *Temp, 1, 1, 0))
    {
        // When the old file is already gone, the new text survives under the temporary name.
        if (FileManager->FileSize(Filename) >= 0)
            FileManager->Delete(*Temp);
        return 0;
    }
    return 1;
    unguard;
}
