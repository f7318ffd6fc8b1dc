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

    void Write(const std::string& Bytes) { Writer->Serialize(const_cast<char*>(Bytes.data()), INT(Bytes.size())); }
};
} // namespace

TEST_F(FWriterTest, WritesReachTheFileInFullBuffersAndOnClose)
{
    for (INT i = 0; i < 5; i++)
        Write(std::string(1000, 'x'));
    EXPECT_EQ(Writer->Writes, "4096 ");
    EXPECT_EQ(Writer->Tell(), 5000);
    Writer->Seek(2); // flushes, then writes over
    Write("XY");
    // A large piece tops the buffer up, then goes to the file in one call but for its tail.
    Write(std::string(20000, 'y'));
    EXPECT_EQ(Writer->Writes, "4096 904 4096 12288 ");
    EXPECT_EQ(Writer->Close(), 1u);
    EXPECT_EQ(Writer->Writes, "4096 904 4096 12288 3618 ");
    EXPECT_EQ(Temp.Read(TEXT("Out.bin")), "xxXY" + std::string(20000, 'y'));

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
    Write(std::string(5000, 'z'));
    EXPECT_TRUE(Writer->GetError());
    EXPECT_EQ(Writer->Close(), 0u);
    EXPECT_EQ(Errors.Lines.Num(), 2); // the full buffer, then the rest on close
    EXPECT_STREQ(*Errors.Lines(0), LocalizeError(TEXT("WriteFailed"), TEXT("Core")));
    delete Writer;
}

TEST_F(FWriterTest, PiecesOfEverySmallSizeComeBackWhole)
{
    // Sizes 1 to 20 in turn, written and read back in the same pieces.
    std::string Expected;
    for (INT i = 0; i < 210; i++)
        Expected += char(i);
    for (INT Size = 1, Start = 0; Size <= 20; Start += Size++)
        Write(Expected.substr(Start, Size));
    delete Writer;
    HANDLE In = CreateFileW(*Temp(TEXT("Out.bin")), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    FArchiveFileReader Reader(In, &Errors, 210);
    std::string Read(210, '\0');
    for (INT Size = 1, Start = 0; Size <= 20; Start += Size++)
        Reader.Serialize(&Read[Start], Size);
    EXPECT_EQ(Read, Expected);
    EXPECT_TRUE(Reader.Close());
}
