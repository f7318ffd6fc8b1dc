// FArchiveFileWriterTest.cpp: the writer's buffer, its system writes and its failures.
#include "TestFiles.h"

namespace
{
struct FWriterTest : testing::Test
{
    FTempDir Temp;
    FCaptureDevice Errors;
    HANDLE File = CreateFileW(*Temp(TEXT("Out.bin")), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    FCountingWriter* Writer = new FCountingWriter(File, &Errors, 0);
    std::string Bytes; // a piece copied from or to the wrong place shows

    FWriterTest()
    {
        for (INT i = 0; i < 20002; i++)
            Bytes += char(i % 251);
    }

    void Write(INT Start, INT Length) { Writer->Serialize(&Bytes[Start], Length); }
};
} // namespace

TEST_F(FWriterTest, WritesReachTheFileInFullBuffersAndOnClose)
{
    for (INT i = 0; i < 5; i++)
        Write(0, 1000);
    EXPECT_EQ(Writer->Writes, "4096 ");
    EXPECT_EQ(Writer->Tell(), 5000);
    Writer->Seek(2); // flushes, then writes over
    Write(0, 2);
    // A large piece tops the buffer up, then goes to the file in one call but for its tail.
    Write(2, 20000);
    EXPECT_EQ(Writer->Writes, "4096 904 4096 12288 ");
    EXPECT_EQ(Writer->Close(), 1u);
    EXPECT_EQ(Writer->Writes, "4096 904 4096 12288 3618 ");
    EXPECT_EQ(Temp.Read(TEXT("Out.bin")), Bytes.substr(0, 2) + Bytes);

    // Closing again, then deleting, closes the file once: the system hands the freed handle
    // value out again, and a second close would take it.
    Writer->Close();
    EXPECT_EQ(Writer->Closes, 1);
    HANDLE Other = CreateFileW(*Temp(TEXT("Other.bin")), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    ASSERT_EQ(Other, File);
    delete Writer;
    DWORD Done = 0;
    EXPECT_TRUE(WriteFile(Other, "still open", 10, &Done, NULL));
    CloseHandle(Other);
}

TEST_F(FWriterTest, AWriteThatStopsShortIsAFailure)
{
    Writer->Room = 100; // a full disk
    Write(0, 5000);
    EXPECT_EQ(Writer->Close(), 0u);
    EXPECT_EQ(Errors.Lines.Num(), 2); // the full buffer, then the rest on close
    EXPECT_STREQ(*Errors.Lines(0), LocalizeError(TEXT("WriteFailed"), TEXT("Core")));
    delete Writer;
}

TEST_F(FWriterTest, PiecesOfEverySmallSizeComeBackWhole)
{
    // Small pieces are copied word by word: sizes 1 to 20 in turn.
    for (INT Size = 1, Start = 0; Size <= 20; Start += Size++)
        Write(Start, Size);
    delete Writer;
    EXPECT_EQ(Temp.Read(TEXT("Out.bin")), Bytes.substr(0, 210));
}
