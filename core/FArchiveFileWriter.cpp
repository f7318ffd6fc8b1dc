// FArchiveFileWriter.cpp: buffered writing of one open file.
#include "FFileManagerWindows.h"

FArchiveFileWriter::FArchiveFileWriter(HANDLE InHandle, FOutputDevice* InError, INT InPos)
    : Handle(InHandle), Error(InError ? InError : GNull), Pos(InPos), BufferCount(0)
{
}

FArchiveFileWriter::~FArchiveFileWriter() noexcept(false)
{
    guard(FArchiveFileWriter::~FArchiveFileWriter);
    if (Handle)
        Close();
    unguard;
}

BOOL FArchiveFileWriter::WriteToFile(const void* Src, DWORD Count, DWORD& Done)
{
    return ::WriteFile(Handle, Src, Count, &Done, NULL);
}

BOOL FArchiveFileWriter::CloseFile() { return CloseHandle(Handle); }

void FArchiveFileWriter::Serialize(void* V, INT Length)
{
    const BYTE* Src = static_cast<const BYTE*>(V);
    Pos += Length;
    INT Free;
    while (Length > (Free = INT(sizeof(Buffer)) - BufferCount))
    {
        appMemcpy(Buffer + BufferCount, Src, Free);
        BufferCount += Free;
        Src += Free;
        Length -= Free;
        Flush();
    }
    if (Length > 0)
    {
        appMemcpy(Buffer + BufferCount, Src, Length);
        BufferCount += Length;
    }
}

void FArchiveFileWriter::Flush()
{
    if (BufferCount)
    {
        // A write that stops short (a full disk) has lost bytes just as a failed one has.
        DWORD Done = 0;
        if (!WriteToFile(Buffer, DWORD(BufferCount), Done) || Done != DWORD(BufferCount))
        {
            ArIsError = 1;
            Error->Log(LocalizeError(TEXT("WriteFailed"), TEXT("Core")));
        }
    }
    BufferCount = 0;
}

void FArchiveFileWriter::Seek(INT InPos)
{
    Flush();
    if (SetFilePointer(Handle, InPos, NULL, FILE_BEGIN) == INVALID_SET_FILE_POINTER)
    {
        ArIsError = 1;
        Error->Log(LocalizeError(TEXT("SeekFailed"), TEXT("Core")));
    }
    Pos = InPos;
}

UBOOL FArchiveFileWriter::Close()
{
    Flush();
    if (Handle)
    {
        if (!CloseFile())
        {
            ArIsError = 1;
            Error->Log(LocalizeError(TEXT("WriteFailed"), TEXT("Core")));
        }
        Handle = NULL;
    }
    return !ArIsError;
}
