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
    if (Length <= 0)
        return; // a negative length would copy without end
    const BYTE* Src = static_cast<const BYTE*>(V);
    Pos += Length;
    INT Free = INT(sizeof(Buffer)) - BufferCount;
    if (Length > Free)
    {
        appMemcpy(Buffer + BufferCount, Src, Free);
        BufferCount += Free;
        Src += Free;
        Length -= Free;
        Flush();
        // Whole buffers' worth of a large piece go to the file in one call, straight from
        // the caller's memory; the last 1 to 4096 bytes wait in the buffer as usual.
        INT Direct = (Length - 1) / INT(sizeof(Buffer)) * INT(sizeof(Buffer));
        if (Direct > 0)
        {
            WriteChecked(Src, Direct);
            Src += Direct;
            Length -= Direct;
        }
    }
    CopyPiece(Buffer + BufferCount, Src, Length);
    BufferCount += Length;
}

// A write that stops short (a full disk) has lost bytes just as a failed one has.
void FArchiveFileWriter::WriteChecked(const void* Src, INT Count)
{
    DWORD Done = 0;
    if (!WriteToFile(Src, DWORD(Count), Done) || Done != DWORD(Count))
    {
        ArIsError = 1;
        Error->Log(LocalizeError(TEXT("WriteFailed"), TEXT("Core")));
    }
}

void FArchiveFileWriter::Flush()
{
    if (BufferCount)
        WriteChecked(Buffer, BufferCount);
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
