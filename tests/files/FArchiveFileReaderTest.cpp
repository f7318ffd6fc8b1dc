// FArchiveFileReaderTest.cpp: the reader's buffer, its system reads and its failures.
#include "FileTestSupport.h"
#include <gtest/gtest.h>

namespace
{
// Records the size of every system read.
class FCountingReader : public FArchiveFileReader
{
public:
    using FArchiveFileReader::FArchiveFileReader;
    std::string Reads;

protected:
    BOOL ReadFromFile(void* Dest, DWORD Count, DWORD& Done) override
    {
        Reads += std::to_string(Count) + " ";
        return FArchiveFileReader::ReadFromFile(Dest, Count, Done);
    }
};

struct FReaderTest : testing::Test
{
    FTempDir Temp;
    std::string Bytes;
    FCaptureDevice Errors;

    void SetUp() override
    {
        for (INT i = 0; i < 5000; i++)
            Bytes += char(i % 251);
        Temp.Write(TEXT("Data.bin"), Bytes);
    }
    FCountingReader* Open()
    {
        HANDLE File = CreateFileW(*Temp(TEXT("Data.bin")), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
        return new FCountingReader(File, &Errors, 5000);
    }
    std::string Read(FArchive& Reader, INT Length)
    {
        std::string Result(Length, '\0');
        Reader.Serialize(&Result[0], Length);
        return Result;
    }
};
} // namespace

TEST_F(FReaderTest, LargeReadsGoStraightToTheFileAndSmallOnesFillTheBuffer)
{
    FCountingReader* Reader = Open();
    EXPECT_EQ(Read(*Reader, 3000), Bytes.substr(0, 3000));
    EXPECT_EQ(Reader->Reads, "3000 "); // one direct read into an empty buffer
    delete Reader;

    Reader = Open();
    EXPECT_EQ(Read(*Reader, 100), Bytes.substr(0, 100));
    EXPECT_EQ(Read(*Reader, 3000), Bytes.substr(100, 3000));
    EXPECT_EQ(Reader->Reads, "1024 2076 "); // 924 come from the buffer
    EXPECT_EQ(Reader->Tell(), 3100);

    // The buffer stops at the next 1024-byte boundary of the file.
    Reader->Seek(1000);
    EXPECT_EQ(Read(*Reader, 100), Bytes.substr(1000, 100));
    EXPECT_EQ(Reader->Reads, "1024 2076 24 1024 ");
    EXPECT_TRUE(Reader->IsLoading() && Reader->IsPersistent());
    EXPECT_EQ(Reader->Close(), 1u);
    delete Reader;
}

TEST_F(FReaderTest, APrecacheWhileBytesRemainKeepsTheBytesInOrder)
{
    FCountingReader* Reader = Open();
    Read(*Reader, 10);
    Reader->Precache(100);
    EXPECT_EQ(Read(*Reader, 20), Bytes.substr(10, 20));
    EXPECT_EQ(Read(*Reader, 200), Bytes.substr(30, 200));
    EXPECT_EQ(Errors.Lines.Num(), 0);
    delete Reader;
}

TEST_F(FReaderTest, ReadingPastTheEndSetsTheErrorFlag)
{
    FCountingReader* Reader = Open();
    Reader->Seek(5000); // the end itself is a valid position
    EXPECT_FALSE(Reader->GetError());
    char Byte;
    Reader->Serialize(&Byte, 1);
    EXPECT_TRUE(Reader->GetError());
    ASSERT_EQ(Errors.Lines.Num(), 1);
    EXPECT_STREQ(*Errors.Lines(0), TEXT("ReadFile beyond EOF 5000+1/5000"));
    EXPECT_EQ(Reader->Close(), 0u);
    delete Reader;

    // A direct read that comes back short says how much it got.
    Reader = Open();
    Reader->Seek(4000);
    Read(*Reader, 2000);
    EXPECT_TRUE(Reader->GetError());
    EXPECT_EQ(Narrow(Errors.Lines.Last()).rfind("ReadFile failed: Count=1000 Length=2000 Error=", 0), 0u);
    delete Reader;

    // After a close there is no file to seek in.
    Reader = Open();
    Reader->Close();
    Reader->Seek(10);
    EXPECT_EQ(Narrow(Errors.Lines.Last()).rfind("SetFilePointer Failed 10/5000: 0 ", 0), 0u);
    delete Reader;
}

TEST_F(FReaderTest, SeekingOutsideTheFileFailsAnAssertion)
{
    FCountingReader* Reader = Open();
    const TCHAR* Thrown = NULL;
    try { Reader->Seek(-1); } catch (const TCHAR* Message) { Thrown = Message; }
    EXPECT_STREQ(Thrown, TEXT("Assertion failed: InPos>=0 [File:core/inc/FFileManagerWindows.h] [Line: 56]"));
    Thrown = NULL;
    try { Reader->Seek(5001); } catch (const TCHAR* Message) { Thrown = Message; }
    EXPECT_STREQ(Thrown, TEXT("Assertion failed: InPos<=Size [File:core/inc/FFileManagerWindows.h] [Line: 57]"));
    delete Reader;
}
