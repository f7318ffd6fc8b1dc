// FArchiveFileReader.cpp: buffered reading of one open file.
#include "FFileManagerWindows.h"

FArchiveFileReader::FArchiveFileReader(HANDLE InHandle, FOutputDevice* InError, INT InSize)
    : Handle(InHandle), Error(InError ? InError : GNull), Size(InSize), Pos(0), BufferBase(0), BufferCount(0)
{
    ArIsLoading = ArIsPersistent = 1;
}

FArchiveFileReader::~FArchiveFileReader() noexcept(false)
{
    if (Handle)
        Close();
}

BOOL FArchiveFileReader::ReadFromFile(void* Dest, DWORD Count, DWORD& Done)
{
    return ::ReadFile(Handle, Dest, Count, &Done, NULL);
}

void FArchiveFileReader::Serialize(void* V, INT Length)
{
    BYTE* Dest = static_cast<BYTE*>(V);
    while (Length > 0)
    {
        INT Copy = BufferBase + BufferCount - Pos;
        if (Copy > Length)
            Copy = Length;
        if (Copy <= 0)
        {
            if (Length >= INT(sizeof(Buffer)))
            {
                DWORD Count = 0;
                if (!ReadFromFile(Dest, DWORD(Length), Count) || Count != DWORD(Length))
                {
                    ArIsError = 1;
                    Error->Logf(TEXT("ReadFile failed: Count=%i Length=%i Error=%s"), INT(Count), Length,
                                appGetSystemErrorMessage());
                }
                Pos += Length;
                BufferBase += Length;
                return;
            }
            Precache(0x7fffffff);
            Copy = BufferBase + BufferCount - Pos;
            if (Copy > Length)
                Copy = Length;
            if (Copy <= 0)
            {
                ArIsError = 1;
                Error->Logf(TEXT("ReadFile beyond EOF %i+%i/%i"), Pos, Length, Size);
            }
            if (ArIsError)
                return;
        }
        CopyPiece(Dest, Buffer + (Pos - BufferBase), Copy);
        Pos += Copy;
        Dest += Copy;
        Length -= Copy;
    }
}

void FArchiveFileReader::Precache(INT HintCount)
{
    // The engine may ask while buffered bytes remain; the file pointer then stands after
    // them, not at Pos, and must come back before the refill.
    if (Pos != BufferBase + BufferCount && !MoveFilePointer(Pos))
    {
        BufferBase = Pos;
        BufferCount = 0;
        return;
    }
    BufferBase = Pos;
    INT Count = INT(sizeof(Buffer)) - (Pos & (INT(sizeof(Buffer)) - 1));
    if (HintCount < Count)
        Count = HintCount;
    if (Size - Pos < Count)
        Count = Size - Pos;
    // At or past the end (after a direct read beyond it) there is nothing to read.
    BufferCount = Count > 0 ? Count : 0;
    if (BufferCount == 0)
        return;
    DWORD Done = 0;
    if (!ReadFromFile(Buffer, DWORD(BufferCount), Done) || Done != DWORD(BufferCount))
    {
        ArIsError = 1;
        Error->Logf(TEXT("ReadFile failed: Count=%i BufferCount=%i Error=%s"), INT(Done), BufferCount,
                    appGetSystemErrorMessage());
    }
}

bool FArchiveFileReader::MoveFilePointer(INT InPos)
{
    if (SetFilePointer(Handle, InPos, NULL, FILE_BEGIN) != INVALID_SET_FILE_POINTER)
        return true;
    ArIsError = 1;
    Error->Logf(TEXT("SetFilePointer Failed %i/%i: %i %s"), InPos, Size, Pos, appGetSystemErrorMessage());
    return false;
}

UBOOL FArchiveFileReader::Close()
{
    if (Handle)
        CloseHandle(Handle);
    Handle = NULL;
    return !ArIsError;
}
