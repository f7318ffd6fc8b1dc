// FArchiveFileTest.cpp: the archives' buffers, their system reads and writes, and their failures.
#include "TestFiles.h"
#include <memory>

namespace
{
// Records the size of every system read.
struct FCountingReader : FArchiveFileReader
{
    using FArchiveFileReader::FArchiveFileReader;
    std::string Reads;

    BOOL ReadFromFile(void* Dest, DWORD Count, DWORD& Done) override
    {
        Reads += std::to_string(Count) + " ";
        return FArchiveFileReader::ReadFromFile(Dest, Count, Done);
    }
};

// A reader over Data.bin, the first 5000 of Bytes, and a writer to Out.bin. The bytes are
// distinct, so a piece copied from or to the wrong place shows.
struct FArchiveTest : testing::Test
{
    FTempDir Temp;
    FCaptureDevice Errors;
    std::string Bytes;
    std::unique_ptr<FCountingReader> Reader;
    HANDLE Out = CreateFileW(*Temp(TEXT("Out.bin")), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    std::unique_ptr<FCountingWriter> Writer{new FCountingWriter(Out, &Errors, 0)};

    FArchiveTest()
    {
        for (INT i = 0; i < 20002; i++)
            Bytes += char(i % 251);
        Temp.Write(TEXT("Data.bin"), Bytes.substr(0, 5000));
        Reopen();
    }
    void Reopen()
    {
        HANDLE File = CreateFileW(*Temp(TEXT("Data.bin")), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
        Reader.reset(new FCountingReader(File, &Errors, 5000));
    }
    // Reads Length bytes and says whether they are the file's bytes from Start on.
    bool Reads(INT Start, INT Length)
    {
        std::string Result(Length, '\0');
        Reader->Serialize(&Result[0], Length);
        return Result == Bytes.substr(Start, Length);
    }
    void Write(INT Start, INT Length) { Writer->Serialize(&Bytes[Start], Length); }
};
} // namespace

TEST_F(FArchiveTest, LargeReadsGoStraightToTheFileSmallOnesFillTheBufferAndFailuresAreReported)
{
    EXPECT_TRUE(Reads(0, 3000));
    EXPECT_EQ(Reader->Reads, "3000 "); // one direct read into an empty buffer
    Reopen();
    EXPECT_TRUE(Reads(0, 100));
    EXPECT_TRUE(Reads(100, 3000));
    EXPECT_EQ(Reader->Reads, "1024 2076 "); // 924 came from the buffer
    EXPECT_EQ(Reader->Tell(), 3100);

    Reader->Seek(1000); // the buffer stops at the next 1024-byte boundary of the file
    EXPECT_TRUE(Reads(1000, 100));
    EXPECT_EQ(Reader->Reads, "1024 2076 24 1024 ");
    Reader->Precache(100); // asked while bytes remain: they still come in order
    EXPECT_TRUE(Reads(1100, 300));
    EXPECT_EQ(Reader->Close(), 1u);

    // Failures set the error flag and are reported.
    Reopen();
    Reader->Seek(5000); // the end itself is a valid position
    EXPECT_FALSE(Reader->GetError());
    Reads(5000, 1);
    EXPECT_TRUE(Reader->GetError());
    ASSERT_EQ(Errors.Lines.Num(), 1);
    EXPECT_STREQ(*Errors.Lines(0), TEXT("ReadFile beyond EOF 5000+1/5000"));
    EXPECT_EQ(Reader->Close(), 0u);

    Reopen(); // a direct read that comes back short says how much it got
    Reader->Seek(4000);
    Reads(4000, 2000);
    EXPECT_EQ(Narrow(Errors.Lines.Last()).rfind("ReadFile failed: Count=1000 Length=2000 Error=", 0), 0u);
    EXPECT_EQ(Reader->Close(), 0u);
}

TEST_F(FArchiveTest, WritesReachTheFileInFullBuffersAndOnClose)
{
    for (INT Size = 1, Start = 0; Size <= 20; Start += Size++) // small pieces are copied word by word
        Write(Start, Size);
    Write(210, 4790);
    EXPECT_EQ(Writer->Writes, "4096 ");
    EXPECT_EQ(Writer->Tell(), 5000);
    Writer->Seek(210); // flushes, then writes over
    Write(210, 2);
    // A large piece tops the buffer up, then goes to the file in one call but for its tail.
    Write(212, 19790);
    EXPECT_EQ(Writer->Writes, "4096 904 4096 12288 ");
    EXPECT_EQ(Writer->Close(), 1u);
    EXPECT_EQ(Writer->Writes, "4096 904 4096 12288 3408 ");
    EXPECT_EQ(Temp.Read(TEXT("Out.bin")), Bytes);

    // Closing again, then deleting, closes the file once: the system hands the freed handle
    // value out again, and a second close would take it.
    Writer->Close();
    EXPECT_EQ(Writer->Closes, 1);
    HANDLE Other = CreateFileW(*Temp(TEXT("Other.bin")), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    ASSERT_EQ(Other, Out);
    Writer.reset();
    DWORD Done = 0;
    EXPECT_TRUE(WriteFile(Other, "still open", 10, &Done, NULL));
    CloseHandle(Other);
}

TEST_F(FArchiveTest, AWriteThatStopsShortIsAFailure)
{
    Writer->Room = 100; // a full disk
    Write(0, 5000);
    EXPECT_EQ(Writer->Close(), 0u);
    EXPECT_EQ(Errors.Lines.Num(), 2); // the full buffer, then the rest on close
    EXPECT_STREQ(*Errors.Lines(0), LocalizeError(TEXT("WriteFailed"), TEXT("Core")));
}
