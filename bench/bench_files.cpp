// bench_files: writes and then reads a file in pieces of 1 byte, 16 bytes, 4 KiB and 1 MiB,
// through the file manager's archives and through WriteFile/ReadFile straight on the handle,
// in the same run, and prints MB/s for each. Both kinds move the same volume for a piece size;
// the small sizes move less, as a direct call per piece is a system call each. The line
// "1 MiB pieces against direct calls: N" compares the two where buffering cannot help; the
// last line, "ratio: N", is the archives' throughput with 16-byte pieces (writing and reading
// together) divided by that of direct calls with 16-byte pieces: what buffering is for.
#include "FFileManagerWindows.h"
#include "FMallocWindows.h"
#include <stdio.h>
#include <string.h>
#include <vector>

namespace
{
const INT ChunkBytes = 1 << 20; // the source of every write
const INT Rounds = 15;          // the best of these counts, against a busy machine

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
    INT Volume;    // bytes written, then read
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

// The moves of one subject over an open file: the archives, or the handle itself.
struct FArchiveCalls
{
    FFileManagerWindows& Files;
    FArchive* Ar = NULL;
    bool OpenWrite(const TCHAR* Path) { return (Ar = Files.CreateFileWriter(Path)) != NULL; }
    bool OpenRead(const TCHAR* Path) { return (Ar = Files.CreateFileReader(Path)) != NULL; }
    bool Write(const BYTE* Src, INT Count) { Ar->Serialize(const_cast<BYTE*>(Src), Count); return true; }
    bool Read(BYTE* Dest, INT Count) { Ar->Serialize(Dest, Count); return true; }
    bool Close()
    {
        bool Closed = Ar->Close();
        delete Ar;
        return Closed;
    }
};

struct FDirectCalls
{
    HANDLE File = INVALID_HANDLE_VALUE;
    bool OpenWrite(const TCHAR* Path)
    {
        File = CreateFileW(Path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
        return File != INVALID_HANDLE_VALUE;
    }
    bool OpenRead(const TCHAR* Path)
    {
        File = CreateFileW(Path, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
        return File != INVALID_HANDLE_VALUE;
    }
    bool Write(const BYTE* Src, INT Count)
    {
        DWORD Done = 0;
        return WriteFile(File, Src, DWORD(Count), &Done, NULL) && Done == DWORD(Count);
    }
    bool Read(BYTE* Dest, INT Count)
    {
        DWORD Done = 0;
        return ReadFile(File, Dest, DWORD(Count), &Done, NULL) && Done == DWORD(Count);
    }
    bool Close() { return CloseHandle(File) != 0; }
};

template<class FCalls> FTiming Measure(FCalls Calls, const TCHAR* Path, const FSubject& Subject, const BYTE* Source, BYTE* Dest)
{
    // Opening a file costs the same either way and is left out; closing a writer writes its
    // last buffer, so the time runs until the file is closed.
    FTiming Time;
    bool Ok = Calls.OpenWrite(Path);
    double Start = Seconds();
    for (INT Done = 0; Ok && Done < Subject.Volume; Done += Subject.Piece)
        Ok &= Calls.Write(Source + Done % ChunkBytes, Subject.Piece);
    Ok = Ok && Calls.Close();
    Time.Write = Seconds() - Start;
    memset(Dest, 0, ChunkBytes); // so that only this read can pass the check
    Ok = Ok && Calls.OpenRead(Path);
    Start = Seconds();
    for (INT Done = 0; Ok && Done < Subject.Volume; Done += Subject.Piece)
        Ok &= Calls.Read(Dest + Done % ChunkBytes, Subject.Piece);
    Ok = Ok && Calls.Close();
    Time.Read = Seconds() - Start;
    INT Checked = Subject.Volume < ChunkBytes ? Subject.Volume : ChunkBytes;
    if (!Ok || Checksum(Dest, Checked) != Checksum(Source, Checked))
        Time.Write = Time.Read = 1e30;
    return Time;
}

double MegabytesPerSecond(INT Bytes, double Seconds) { return double(Bytes) / (1 << 20) / Seconds; }
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

    // The two subjects of a size differ only in how the pieces reach the file.
    const INT Big = 32 << 20, Small = 1 << 20, Tiny = 64 << 10;
    FSubject Subjects[] = {
        {"archives, 1 B", 1, Tiny, true, {}},       {"direct, 1 B", 1, Tiny, false, {}},
        {"archives, 16 B", 16, Small, true, {}},    {"direct, 16 B", 16, Small, false, {}},
        {"archives, 4 KiB", 4096, Big, true, {}},   {"direct, 4 KiB", 4096, Big, false, {}},
        {"archives, 1 MiB", ChunkBytes, Big, true, {}}, {"direct, 1 MiB", ChunkBytes, Big, false, {}},
    };
    // Rounds interleave the subjects, so that a busy moment does not land on one of them.
    for (INT Round = 0; Round < Rounds; Round++)
        for (FSubject& Subject : Subjects)
        {
            FTiming Time = Subject.Archives ? Measure(FArchiveCalls{*Files}, Path, Subject, Source.data(), Dest.data())
                                            : Measure(FDirectCalls{}, Path, Subject, Source.data(), Dest.data());
            if (Time.Total() < Subject.Best.Total())
                Subject.Best = Time;
        }
    Files->Delete(Path);
    delete Files;

    auto BothWays = [](const FSubject& Subject) { return MegabytesPerSecond(2 * Subject.Volume, Subject.Best.Total()); };
    printf("written, then read; best of %d rounds\n", Rounds);
    printf("%-18s %10s %12s %12s %12s\n", "pieces", "volume", "write MB/s", "read MB/s", "both MB/s");
    for (const FSubject& Subject : Subjects)
        printf("%-18s %8i K %12.1f %12.1f %12.1f\n", Subject.Name, Subject.Volume >> 10,
               MegabytesPerSecond(Subject.Volume, Subject.Best.Write), MegabytesPerSecond(Subject.Volume, Subject.Best.Read),
               BothWays(Subject));
    printf("1 MiB pieces against direct calls: %.2f\n", BothWays(Subjects[6]) / BothWays(Subjects[7]));
    printf("ratio: %.2f\n", BothWays(Subjects[2]) / BothWays(Subjects[3]));
    return 0;
}
