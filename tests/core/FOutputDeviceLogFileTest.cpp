// Tests of the log file device: naming, opening, the line format and what reaches the hook.
#include "FOutputDeviceLogFile.h"
#include "TestFiles.h"

namespace
{
class LogFile : public FTempFolderTest
{
protected:
    FCaptureDevice Hook;
    FOutputDeviceLogFile Log;

    void SetUp() override
    {
        GLogHook = &Hook;
        appStrcpy(Log.LogFileName, *Temp(TEXT("Test.log")));
    }
    void TearDown() override { GLogHook = NULL, GIsCriticalError = 0; }
};
} // namespace

TEST(LogFileName, FollowsTheCommandLineSwitches)
{
    const TCHAR* Cases[][2] = {
        {TEXT("-nosound"), TEXT("C:\\Game\\System\\Corvane.log")},
        {TEXT("LOG=..\\Logs\\Run.log"), TEXT("C:\\Game\\System\\..\\Logs\\Run.log")}, // relative to the folder
        {TEXT("ABSLOG=D:\\Run.log"), TEXT("D:\\Run.log")},
        {TEXT("ABSLOG=D:\\Abs.log LOG=Rel.log"), TEXT("C:\\Game\\System\\Rel.log")}, // LOG= wins
    };
    struct { TCHAR Name[FOutputDeviceLogFile::MAX_NAME]; TCHAR Guard[8]; } Buffer;
    for (const auto& Case : Cases)
    {
        MakeLogFileName(Buffer.Name, TEXT("C:\\Game\\System\\"), Case[0], TEXT("Corvane"));
        EXPECT_STREQ(Case[1], Buffer.Name) << Case[0];
    }
    // A name too long for the buffer is cut inside it.
    appStrcpy(Buffer.Guard, TEXT("guard"));
    MakeLogFileName(Buffer.Name, *(LongPath(TEXT("C:"), 1100) + TEXT("\\")), TEXT("LOG=Run.log"), TEXT("Corvane"));
    EXPECT_EQ(FOutputDeviceLogFile::MAX_NAME - 1, appStrlen(Buffer.Name));
    EXPECT_STREQ(TEXT("guard"), Buffer.Guard);
}

TEST_F(LogFile, WritesLinesAppendsOnReopeningWritesThroughDuringAnErrorAndTriesAFileOnce)
{
    FName::SetSuppressed(NAME_Warning, 1);
    Log.Log(NAME_Warning, TEXT("Hidden")); // leaves no trace, does not even open the file
    FName::SetSuppressed(NAME_Warning, 0);
    EXPECT_EQ(NULL, Log.LogArchive);
    Log.Log(NAME_Console, TEXT("For the window")); // opens the file, but only the hook gets it
    const TCHAR Wide[] = {'C', 'a', 'f', 0xE9, ' ', 0x20AC, 0};
    Log.Log(NAME_Warning, Wide);
    FString Long = FString::Printf(TEXT("%03000i"), 5);
    Log.Log(*Long);
    Log.Close();
    Log.Log(TEXT("Two")); // reopens the file, appending

    // During a critical error a failing hook is swallowed, and every line goes to the file at
    // once, for others to read: the process may end before the file is closed.
    struct FThrowingHook : FOutputDevice
    {
        void Serialize(const TCHAR*, EName) override { throw TEXT("hook failed"); }
    } Throwing;
    GLogHook = &Throwing;
    EXPECT_THROW(Log.Log(TEXT("Ordinary")), const TCHAR*);
    GIsCriticalError = 1;
    EXPECT_NO_THROW(Log.Log(TEXT("During the error")));
    EXPECT_NO_THROW(Log.Log(TEXT("And after it")));
    // Characters from 256 up are one marker byte; a long line is cut to leave room in its
    // buffer for the line end and the terminator. The open and close lines end at the time.
    std::vector<std::string> Lines = Narrow(ReadLogLines(Log.LogFileName));
    for (std::string& Line : Lines)
        if (Line.rfind("Log: Log file ", 0) == 0)
            Line.resize(Line.find(',') + 1);
    EXPECT_EQ(Lines, (std::vector<std::string>{"Log: Log file open,", "Warning: Caf\xE9 \x7F",
                                               "Log: " + Narrow(Long.Left(FOutputDeviceLogFile::MAX_LINE - 8)),
                                               "Log: Log file closed,", "Log: Log file open,", "Log: Two", "Log: Ordinary",
                                               "Log: During the error", "Log: And after it"}));

    // A file that cannot be made is tried once; the hook still hears everything, as it was.
    GLogHook = &Hook, GIsCriticalError = 0;
    Log.Close();
    appStrcpy(Log.LogFileName, *Temp(TEXT("Missing\\Test.log")));
    Log.Log(TEXT("Lost"));
    CreateDirectoryW(*Temp(TEXT("Missing")), NULL); // the file could be made now
    Log.Log(TEXT("Lost too"));
    EXPECT_FALSE(Temp.Exists(TEXT("Missing\\Test.log")));
    ASSERT_EQ(10, Hook.Lines.Num());
    EXPECT_STREQ(Wide, *Hook.Lines(2));
    EXPECT_STREQ(*Long, *Hook.Lines(3));
}
