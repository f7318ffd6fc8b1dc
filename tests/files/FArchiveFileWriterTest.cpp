// FArchiveFileWriterTest.cpp: the writer's buffer, its system writes and its failures.
#include "FileTestSupport.h"
#include <gtest/gtest.h>

namespace
{
// Records every system write and close; writes stop short once Room bytes are used up.
class FCountingWriter : public FArchiveFileWriter
{
public:
    using FArchiveFileWriter::FArchiveFileWriter;
    std::string Writes;
    INT Closes = 0;
    INT Room = 0x7fffffff;

protected:
    BOOL WriteToFile(const void* Src, DWORD Count, DWORD& Done) override
    {
        Writes += std::to_string(Count) + " ";
        DWORD Allowed = Count < DWORD(Room) ? Count : DWORD(Room);
        Room -= INT(Allowed);
        return FArchiveFileWriter::WriteToFile(Src, Allowed, Done);
    }
    BOOL CloseFile() override
    {
        Closes++;
        return FArchiveFileWriter::CloseFile();
    }
};

struct FWriterTest : testing::Test
{
    FTempDir Temp;
    FCaptureDevice Errors;

    FCountingWriter* Open()
    {
        HANDLE File = CreateFileW(*Temp(TEXT("Out.bin")), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
        return new FCountingWriter(File, &Errors, 0);
    }
};
} // namespace

TEST_F(FWriterTest, WritesReachTheFileInFullBuffersAndOnClose)
{
    FCountingWriter* Writer = Open();
    std::string Piece(1000, 'x');
    for (INT i = 0; i < 5; i++)
        Writer->Serialize(&Piece[0], 1000);
    EXPECT_EQ(Writer->Writes, "4096 ");
    EXPECT_EQ(Writer->Tell(), 5000);
    EXPECT_EQ(Writer->Close(), 1u);
    EXPECT_EQ(Writer->Writes, "4096 904 ");
    delete Writer; // closed already: the file is closed once
    EXPECT_EQ(Temp.Read(TEXT("Out.bin")), std::string(5000, 'x'));

    // A large piece tops the buffer up, then goes to the file in one call but for its tail.
    Writer = Open();
    std::string Small(100, 's'), Large(20000, 'y');
    Writer->Serialize(&Small[0], 100);
    Writer->Serialize(&Large[0], 20000);
    EXPECT_EQ(Writer->Writes, "4096 12288 ");
    delete Writer; // the last 3716 bytes reach the file here
    EXPECT_EQ(Temp.Read(TEXT("Out.bin")), Small + Large);
}

TEST_F(FWriterTest, ClosingThenDeletingClosesTheFileOnce)
{
    HANDLE File = CreateFileW(*Temp(TEXT("Out.bin")), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    FCountingWriter* Writer = new FCountingWriter(File, &Errors, 0);
    Writer->Close();
    Writer->Close();
    EXPECT_EQ(Writer->Closes, 1);
    // The system hands the freed handle value out again; a second close would take it.
    HANDLE Other = CreateFileW(*Temp(TEXT("Other.bin")), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    ASSERT_EQ(Other, File);
    delete Writer;
    DWORD Done = 0;
    EXPECT_TRUE(WriteFile(Other, "still open", 10, &Done, NULL));
    CloseHandle(Other);
}

TEST_F(FWriterTest, SeekFlushesAndMovesTheWritePosition)
{
    FCountingWriter* Writer = Open();
    Writer->Serialize(const_cast<char*>("abcdef"), 6);
    Writer->Seek(2);
    EXPECT_EQ(Writer->Tell(), 2);
    Writer->Serialize(const_cast<char*>("XY"), 2);
    EXPECT_EQ(Writer->Close(), 1u);
    delete Writer;
    EXPECT_EQ(Temp.Read(TEXT("Out.bin")), "abXYef");
}

TEST_F(FWriterTest, AWriteThatStopsShortIsAFailure)
{
    FCountingWriter* Writer = Open();
    Writer->Room = 100; // a full disk
    std::string Piece(5000, 'z');
    Writer->Serialize(&Piece[0], 5000);
    EXPECT_TRUE(Writer->GetError());
    EXPECT_EQ(Writer->Close(), 0u);
    EXPECT_EQ(Errors.Lines.Num(), 2); // the full buffer, then the rest on close
    EXPECT_STREQ(*Errors.Lines(0), LocalizeError(TEXT("WriteFailed"), TEXT("Core")));
    delete Writer;
}
