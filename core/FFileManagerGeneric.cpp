// FFileManagerGeneric.cpp: the copy through this manager's own archives, with progress.
#include "FFileManagerGeneric.h"

namespace
{
UBOOL CopyThroughArchives(FFileManagerGeneric& Manager, const TCHAR* Dest, const TCHAR* Src, UBOOL Replace,
                          UBOOL EvenIfReadOnly, FCopyProgress Progress)
{
    FArchive* Reader = Manager.CreateFileReader(Src, 0, GNull);
    if (!Reader)
        return 0;
    INT Size = Reader->TotalSize();
    DWORD WriteFlags = (Replace ? 0 : WRITEFLAG_KeepExisting) | (EvenIfReadOnly ? WRITEFLAG_OverrideReadOnly : 0);
    FArchive* Writer = Manager.CreateFileWriter(Dest, WriteFlags, GNull);
    if (!Writer)
    {
        delete Reader;
        return 0;
    }
    BYTE Chunk[4096];
    for (INT Offset = 0; Offset < Size; Offset += INT(sizeof(Chunk)))
    {
        INT Count = Size - Offset < INT(sizeof(Chunk)) ? Size - Offset : INT(sizeof(Chunk));
        Reader->Serialize(Chunk, Count);
        if (Reader->GetError())
            break;
        Writer->Serialize(Chunk, Count);
        if (Writer->GetError())
            break;
        if (Progress)
            Progress(FLOAT(Offset) / FLOAT(Size));
    }
    UBOOL Result;
    if (!Writer->Close())
    {
        Manager.Delete(Dest, 0, 0);
        Result = 0;
    }
    else
        Result = Reader->Close();
    delete Writer;
    delete Reader;
    return Result;
}
} // namespace

UBOOL FFileManagerGeneric::Copy(const TCHAR* Dest, const TCHAR* Src, UBOOL Replace, UBOOL EvenIfReadOnly,
                                UBOOL /*Attributes*/, FCopyProgress Progress)
{
    guard(FFileManagerGeneric::Copy);
    if (Progress)
        Progress(0.f);
    UBOOL Result = CopyThroughArchives(*this, Dest, Src, Replace, EvenIfReadOnly, Progress);
    if (Progress)
        Progress(1.f);
    return Result;
    unguard;
}
