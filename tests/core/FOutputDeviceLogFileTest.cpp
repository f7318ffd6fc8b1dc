// Tests of the log file device: naming, opening, the line format and what reaches the hook.
#include "FOutputDeviceLogFile.h"
#include "FFileManagerWindows.h"
#include "TestFiles.h"
#include <gtest/gtest.h>

namespace
{
// The real file manager, noting the flags of every writer asked for.
class FRecordingFileManager : public FFileManagerWindows
{
public:
    TArray<DWORD> WriterFlags;

    ~FRecordingFileManager() noexcept override {}
    FArchive* CreateFileWriter(const TCHAR* Filename, DWORD Flags, FOutputDevice* Error) override
    {
        WriterFlags.AddItem(Flags);
        return FFileManagerWindows::CreateFileWriter(Filename, Flags, Error);
    }
};

class FThrowingHook : public FOutputDevice
{
public:
    void Serialize(const TCHAR*, EName) override { throw TEXT("hook failed"); }
};

class LogFile : public testing::Test
{
protected:
    FTempFolder Folder;
    FRecordingFileManager FileManager;
    FCaptureDevice Hook;
    FOutputDeviceLogFile Log;

    void SetUp() override
    {
        GFileManager = &FileManager;
        GLogHook = &Hook;
        appStrcpy(Log.LogFileName, *Folder.File(TEXT("Test.log")));
    }
    void TearDown() override
    {
        GLogHook = NULL;
        GIsCriticalError = 0;
        Log.Close();
        GFileManager = NULL;
    }
    // The file's lines once the device has closed it (the writer buffers until then).
    TArray<FString> ClosedLines()
    {
        Log.Close();
        return ReadLogLines(Log.LogFileName);
    }
};

bool StartsWith(const FString& Text, const TCHAR* Prefix) { return appStrncmp(*Text, Prefix, appStrlen(Prefix)) == 0; }
} // namespace

TEST(LogFileName, FollowsTheCommandLineSwitches)
{
    TCHAR Name[FOutputDeviceLogFile::MAX_NAME];
    MakeLogFileName(Name, TEXT("C:\\Game\\System\\"), TEXT("-nosound"), TEXT("Corvane"));
    EXPECT_STREQ(TEXT("C:\\Game\\System\\Corvane.log"), Name); // neither switch
    MakeLogFileName(Name, TEXT("C:\\Game\\System\\"), TEXT("LOG=..\\Logs\\Run.log"), TEXT("Corvane"));
    EXPECT_STREQ(TEXT("C:\\Game\\System\\..\\Logs\\Run.log"), Name); // relative to the folder
    MakeLogFileName(Name, TEXT("C:\\Game\\System\\"), TEXT("ABSLOG=D:\\Run.log"), TEXT("Corvane"));
    EXPECT_STREQ(TEXT("D:\\Run.log"), Name);
    MakeLogFileName(Name, TEXT("C:\\Game\\System\\"), TEXT("ABSLOG=D:\\Abs.log LOG=Rel.log"), TEXT("Corvane"));
    EXPECT_STREQ(TEXT("C:\\Game\\System\\Rel.log"), Name); // LOG= wins, wherever it stands
}

TEST(LogFileName, StaysWithinItsBuffer)
{
    struct
    {
        TCHAR Name[FOutputDeviceLogFile::MAX_NAME];
        TCHAR Guard[8];
    } Buffer;
    appStrcpy(Buffer.Guard, TEXT("guard"));
    FString Dir = FString(TEXT("C:\\")) + FString::Printf(TEXT("%01000i"), 7) + TEXT("\\");
    FString CmdLine = FString(TEXT("LOG=")) + FString::Printf(TEXT("%0100i"), 1);
    MakeLogFileName(Buffer.Name, *Dir, *CmdLine, TEXT("Corvane"));
    EXPECT_EQ(FOutputDeviceLogFile::MAX_NAME - 1, appStrlen(Buffer.Name));
    EXPECT_STREQ(TEXT("guard"), Buffer.Guard);
}

TEST_F(LogFile, OpensOnTheFirstMessageAndWritesOneLinePerMessage)
{
    EXPECT_EQ(NULL, Log.LogArchive);
    Log.Log(TEXT("Hello"));
    Log.Log(NAME_Warning, TEXT("Careful"));
    TArray<FString> Written = ClosedLines();
    ASSERT_EQ(4, Written.Num());
    EXPECT_TRUE(StartsWith(Written(0), TEXT("Log: Log file open, ")));
    EXPECT_STREQ(TEXT("Log: Hello"), *Written(1));
    EXPECT_STREQ(TEXT("Warning: Careful"), *Written(2));
    ASSERT_EQ(1, FileManager.WriterFlags.Num());
    EXPECT_EQ(0x28u, FileManager.WriterFlags(0)); // shared for reading, unbuffered
    EXPECT_TRUE(StartsWith(Written(3), TEXT("Log: Log file closed, ")));
    ASSERT_EQ(4, Hook.Lines.Num()); // the hook hears the open and close lines too
    EXPECT_STREQ(TEXT("Careful"), *Hook.Lines(2));
    EXPECT_EQ(NAME_Warning, Hook.Events(2));
}

TEST_F(LogFile, SuppressedEventsLeaveNoTrace)
{
    FName::SetSuppressed(NAME_Warning, 1);
    Log.Log(NAME_Warning, TEXT("Hidden"));
    FName::SetSuppressed(NAME_Warning, 0);
    EXPECT_EQ(NULL, Log.LogArchive); // not even opened
    EXPECT_EQ(0, FileManager.WriterFlags.Num());
    EXPECT_EQ(0, Hook.Lines.Num());
}

TEST_F(LogFile, ConsoleLinesOpenTheFileButOnlyReachTheHook)
{
    Log.Log(NAME_Console, TEXT("For the window"));
    TArray<FString> Written = ClosedLines();
    ASSERT_EQ(2, Written.Num());
    EXPECT_TRUE(StartsWith(Written(0), TEXT("Log: Log file open, ")));
    ASSERT_EQ(3, Hook.Lines.Num());
    EXPECT_STREQ(TEXT("For the window"), *Hook.Lines(1));
    EXPECT_EQ(NAME_Console, Hook.Events(1));
}

TEST_F(LogFile, WritesWideCharactersAsOneMarkerByte)
{
    const TCHAR Text[] = {'C', 'a', 'f', 0xE9, ' ', 0x20AC, 0};
    Log.Log(Text);
    INT Start = ClosedLines()(0).Len() + 2; // after the open line
    TArray<BYTE> Bytes = ReadFileBytes(Log.LogFileName);
    const BYTE Expected[] = {'L', 'o', 'g', ':', ' ', 'C', 'a', 'f', 0xE9, ' ', 0x7F, '\r', '\n'};
    ASSERT_GE(Bytes.Num(), Start + INT(sizeof(Expected)));
    EXPECT_EQ(0, memcmp(Bytes.GetTypedData() + Start, Expected, sizeof(Expected)));
    EXPECT_STREQ(Text, *Hook.Lines(1)); // the hook gets the text as it was
}

TEST_F(LogFile, ReopensTheSameFileAppending)
{
    Log.Log(TEXT("One"));
    Log.Close();
    EXPECT_EQ(NULL, Log.LogArchive);
    Log.Log(TEXT("Two"));
    // The log window may drop the archive; the next message reopens the file.
    delete Log.LogArchive;
    Log.LogArchive = NULL;
    Log.Log(TEXT("Three"));
    TArray<FString> Written = ClosedLines();
    ASSERT_EQ(8, Written.Num());
    EXPECT_STREQ(TEXT("Log: One"), *Written(1));
    EXPECT_TRUE(StartsWith(Written(2), TEXT("Log: Log file closed, ")));
    EXPECT_TRUE(StartsWith(Written(3), TEXT("Log: Log file open, ")));
    EXPECT_STREQ(TEXT("Log: Two"), *Written(4));
    EXPECT_TRUE(StartsWith(Written(5), TEXT("Log: Log file open, ")));
    EXPECT_STREQ(TEXT("Log: Three"), *Written(6));
    ASSERT_EQ(3, FileManager.WriterFlags.Num());
    EXPECT_EQ(0x38u, FileManager.WriterFlags(1)); // append from the second opening on
    EXPECT_EQ(0x38u, FileManager.WriterFlags(2));
}

TEST_F(LogFile, FileThatCannotBeCreatedDisablesFileLoggingOnly)
{
    appStrcpy(Log.LogFileName, *Folder.File(TEXT("Missing\\Test.log")));
    Log.Log(TEXT("First"));
    Log.Log(TEXT("Second"));
    EXPECT_TRUE(Log.Disabled);
    EXPECT_EQ(1, FileManager.WriterFlags.Num()); // no second attempt
    ASSERT_EQ(2, Hook.Lines.Num());
    EXPECT_STREQ(TEXT("Second"), *Hook.Lines(1));
}

TEST_F(LogFile, CutsALongLineCleanly)
{
    FString Long = FString::Printf(TEXT("%03000i"), 5);
    Log.Log(*Long);
    Log.Log(TEXT("After"));
    TArray<FString> Written = ClosedLines();
    ASSERT_EQ(4, Written.Num());
    EXPECT_EQ(FOutputDeviceLogFile::MAX_LINE - 3, Written(1).Len()); // room kept for CR LF and the end
    EXPECT_TRUE(StartsWith(Written(1), TEXT("Log: 000")));
    EXPECT_STREQ(TEXT("Log: After"), *Written(2));
    EXPECT_EQ(Long.Len(), Hook.Lines(1).Len()); // the hook gets all of it
}

TEST_F(LogFile, DuringACriticalErrorSwallowsFailuresAndWritesThrough)
{
    FThrowingHook Throwing;
    GLogHook = &Throwing;
    EXPECT_THROW(Log.Log(TEXT("Ordinary")), const TCHAR*); // already at the open line
    GIsCriticalError = 1;
    EXPECT_NO_THROW(Log.Log(TEXT("During the error")));
    EXPECT_NO_THROW(Log.Log(TEXT("And after it")));
    // On the file at once: the process may end before the file is closed.
    TArray<FString> Written = ReadLogLines(Log.LogFileName);
    ASSERT_EQ(3, Written.Num());
    EXPECT_STREQ(TEXT("Log: During the error"), *Written(1));
    EXPECT_STREQ(TEXT("Log: And after it"), *Written(2));
}
