// bench_files: writes and then reads a 64 MiB file through the file manager's archives in
// pieces of 1 byte, 16 bytes, 4 KiB and 1 MiB, and through WriteFile/ReadFile straight on
// the handle in pieces of 1 MiB, in the same run, and prints MB/s for each. The last line,
// "ratio: N", is the archives' throughput with 4 KiB pieces (writing and reading together)
// divided by that of the direct calls.
#include "FFileManagerWindows.h"
#include "FMallocWindows.h"
#include <stdio.h>
#include <vector>

namespace
{
const INT FileBytes = 64 << 20;
const INT ChunkBytes = 1 << 20; // the source of every write, and the direct calls' piece
const INT Rounds = 5;           // the best of these counts, against a busy machine

double Seconds()
{
    static LARGE_INTEGER Frequency = {};
    if (!Frequency.QuadPart)
        QueryPerformanceFrequency(&Frequency);
    LARGE_INTEGER Now;
    QueryPerformanceCounter(&Now);
    return double(Now.QuadPart) / double(Frequency.QuadPart);
}

struct FTiming
{
    double Write = 1e30, Read = 1e30;
    double Total() const { return Write + Read; }
};

struct FSubject
{
    const char* Name;
    INT Piece;     // bytes per call
    bool Archives; // through the file manager's archives, or straight on the handle
    FTiming Best;
};

// Every byte written is Source[offset % ChunkBytes]; reading checks a sum of what came back.
DWORD Checksum(const BYTE* Bytes, INT Count)
{
    DWORD Sum = 0;
    for (INT i = 0; i < Count; i += 4093)
        Sum = Sum * 31 + Bytes[i];
    return Sum;
}

FTiming ThroughArchives(FFileManagerWindows& Files, const TCHAR* Path, INT Piece, const BYTE* Source, BYTE* Dest)
{
    FTiming Time;
    double Start = Seconds();
    FArchive* Writer = Files.CreateFileWriter(Path);
    for (INT Done = 0; Done < FileBytes; Done += Piece)
        Writer->Serialize(const_cast<BYTE*>(Source) + Done % ChunkBytes, Piece);
    bool Written = Writer->Close();
    delete Writer;
    double Middle = Seconds();
    FArchive* Reader = Files.CreateFileReader(Path);
    for (INT Done = 0; Done < FileBytes; Done += Piece)
        Reader->Serialize(Dest + Done % ChunkBytes, Piece);
    bool Read = Reader->Close();
    delete Reader;
    Time.Write = Middle - Start;
    Time.Read = Seconds() - Middle;
    if (!Written || !Read || Checksum(Dest, ChunkBytes) != Checksum(Source, ChunkBytes))
        Time.Write = Time.Read = 1e30;
    return Time;
}

FTiming Direct(const TCHAR* Path, const BYTE* Source, BYTE* Dest)
{
    FTiming Time;
    DWORD Done = 0;
    bool Ok = true;
    double Start = Seconds();
    HANDLE File = CreateFileW(Path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    for (INT Offset = 0; Offset < FileBytes; Offset += ChunkBytes)
        Ok &= WriteFile(File, Source, ChunkBytes, &Done, NULL) && Done == DWORD(ChunkBytes);
    Ok &= CloseHandle(File) != 0;
    double Middle = Seconds();
    File = CreateFileW(Path, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    for (INT Offset = 0; Offset < FileBytes; Offset += ChunkBytes)
        Ok &= ReadFile(File, Dest, ChunkBytes, &Done, NULL) && Done == DWORD(ChunkBytes);
    Ok &= CloseHandle(File) != 0;
    Time.Write = Middle - Start;
    Time.Read = Seconds() - Middle;
    if (!Ok || Checksum(Dest, ChunkBytes) != Checksum(Source, ChunkBytes))
        Time.Write = Time.Read = 1e30;
    return Time;
}

double MegabytesPerSecond(double Seconds) { return double(FileBytes) / (1 << 20) / Seconds; }
} // namespace

int main()
{
    // The archives come from the program's own allocator, as in the game.
    FMallocWindows Malloc;
    GMalloc = &Malloc;
    Malloc.Init();
    FFileManagerWindows* Files = new FFileManagerWindows;

    TCHAR Path[MAX_PATH];
    GetTempPathW(MAX_PATH, Path);
    appStrcat(Path, TEXT("bench_files.bin"));
    std::vector<BYTE> Source(ChunkBytes), Dest(ChunkBytes);
    for (INT i = 0; i < ChunkBytes; i++)
        Source[i] = BYTE(i * 7 + i / 251);

    FSubject Subjects[] = {{"archives, 1 B", 1, true, {}},     {"archives, 16 B", 16, true, {}},
                           {"archives, 4 KiB", 4096, true, {}}, {"archives, 1 MiB", ChunkBytes, true, {}},
                           {"direct, 1 MiB", ChunkBytes, false, {}}};
    // Rounds interleave the subjects, so that a busy moment does not land on one of them.
    for (INT Round = 0; Round < Rounds; Round++)
        for (FSubject& Subject : Subjects)
        {
            FTiming Time = Subject.Archives ? ThroughArchives(*Files, Path, Subject.Piece, Source.data(), Dest.data())
                                            : Direct(Path, Source.data(), Dest.data());
            if (Time.Total() < Subject.Best.Total())
                Subject.Best = Time;
        }
    Files->Delete(Path);
    delete Files;

    printf("64 MiB written, then read; best of %d rounds\n", Rounds);
    printf("%-18s %12s %12s %12s\n", "pieces", "write MB/s", "read MB/s", "both MB/s");
    for (const FSubject& Subject : Subjects)
        printf("%-18s %12.0f %12.0f %12.0f\n", Subject.Name, MegabytesPerSecond(Subject.Best.Write),
               MegabytesPerSecond(Subject.Best.Read), 2 * MegabytesPerSecond(Subject.Best.Total()));
    const FTiming& DirectTime = Subjects[4].Best;
    printf("1 MiB pieces against direct calls: %.2f\n", DirectTime.Total() / Subjects[3].Best.Total());
    printf("ratio: %.2f\n", DirectTime.Total() / Subjects[2].Best.Total());
    return 0;
}
