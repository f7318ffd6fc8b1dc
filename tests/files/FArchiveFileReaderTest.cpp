// FArchiveFileReaderTest.cpp: the reader's buffer, its system reads and its failures.
#include "TestFiles.h"
#include <memory>

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
    std::unique_ptr<FCountingReader> Reader;

    void SetUp() override
    {
        for (INT i = 0; i < 5000; i++)
            Bytes += char(i % 251);
        Temp.Write(TEXT("Data.bin"), Bytes);
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
};
} // namespace

TEST_F(FReaderTest, LargeReadsGoStraightToTheFileAndSmallOnesFillTheBuffer)
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
    EXPECT_TRUE(Reader->IsLoading() && Reader->IsPersistent());
    EXPECT_EQ(Reader->Close(), 1u);
    EXPECT_EQ(Errors.Lines.Num(), 0);
}

TEST_F(FReaderTest, FailuresSetTheErrorFlagAndAreReported)
{
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

    for (INT Outside : {-1, 5001})
        EXPECT_EQ(Narrow(ThrownBy([&] { Reader->Seek(Outside); })).rfind("Assertion failed: InPos", 0), 0u);
}
