// Tests of the log file device: naming, opening, the line format and what reaches the hook.
#include "FOutputDeviceLogFile.h"
#include "FFileManagerWindows.h"
#include "TestFiles.h"

namespace
{
class LogFile : public testing::Test
{
protected:
    FTempDir Folder;
    FFileManagerWindows FileManager;
    FCaptureDevice Hook;
    FOutputDeviceLogFile Log;

    ~LogFile() noexcept override {} // the file manager's own destructor may throw
    void SetUp() override
    {
        GFileManager = &FileManager;
        GLogHook = &Hook;
        appStrcpy(Log.LogFileName, *Folder(TEXT("Test.log")));
    }
    void TearDown() override
    {
        GLogHook = NULL;
        GIsCriticalError = 0;
        GFileManager = NULL; // the device closes its file as it goes
    }
    // The lines on the file (the writer buffers until Close), the open and close lines up to
    // the comma before their time.
    std::vector<std::string> Written()
    {
        std::vector<std::string> Lines = Narrow(ReadLogLines(Log.LogFileName));
        for (std::string& Line : Lines)
            if (Line.rfind("Log: Log file ", 0) == 0)
                Line.resize(Line.find(',') + 1);
        return Lines;
    }
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

TEST_F(LogFile, WritesOneLinePerMessageAppendsOnReopeningAndPassesEveryMessageOnWhole)
{
    FName::SetSuppressed(NAME_Warning, 1);
    Log.Log(NAME_Warning, TEXT("Hidden")); // leaves no trace, does not even open the file
    FName::SetSuppressed(NAME_Warning, 0);
    EXPECT_EQ(NULL, Log.LogArchive);
    EXPECT_EQ(0, Hook.Lines.Num());
    Log.Log(NAME_Console, TEXT("For the window")); // opens the file, but only the hook gets it
    const TCHAR Wide[] = {'C', 'a', 'f', 0xE9, ' ', 0x20AC, 0};
    Log.Log(NAME_Warning, Wide);
    FString Long = FString::Printf(TEXT("%03000i"), 5);
    Log.Log(*Long);
    Log.Close();
    Log.Log(TEXT("Two"));
    // The log window may drop the archive; the next message reopens the file.
    delete Log.LogArchive;
    Log.LogArchive = NULL;
    Log.Log(TEXT("Three"));
    Log.Close();
    // Characters from 256 up are one marker byte; a long line is cut to leave room in its
    // buffer for the line end and the terminator.
    EXPECT_EQ(Written(), (std::vector<std::string>{"Log: Log file open,", "Warning: Caf\xE9 \x7F",
                                                   "Log: " + Narrow(Long.Left(FOutputDeviceLogFile::MAX_LINE - 8)),
                                                   "Log: Log file closed,", "Log: Log file open,", "Log: Two",
                                                   "Log: Log file open,", "Log: Three", "Log: Log file closed,"}));
    // A file that cannot be made is tried once; the hook still hears everything, as it was.
    appStrcpy(Log.LogFileName, *Folder(TEXT("Missing\\Test.log")));
    Log.Log(TEXT("Lost"));
    CreateDirectoryW(*Folder(TEXT("Missing")), NULL); // the file could be made now
    Log.Log(TEXT("Lost too"));
    EXPECT_FALSE(Folder.Exists(TEXT("Missing\\Test.log")));
    ASSERT_EQ(12, Hook.Lines.Num());
    EXPECT_EQ(NAME_Console, Hook.Events(1));
    EXPECT_STREQ(Wide, *Hook.Lines(2));
    EXPECT_STREQ(*Long, *Hook.Lines(3));
}

TEST_F(LogFile, DuringACriticalErrorSwallowsFailuresAndWritesThrough)
{
    struct FThrowingHook : FOutputDevice
    {
        void Serialize(const TCHAR*, EName) override { throw TEXT("hook failed"); }
    } Throwing;
    GLogHook = &Throwing;
    EXPECT_THROW(Log.Log(TEXT("Ordinary")), const TCHAR*); // already at the open line
    GIsCriticalError = 1;
    EXPECT_NO_THROW(Log.Log(TEXT("During the error")));
    EXPECT_NO_THROW(Log.Log(TEXT("And after it")));
    // On the file at once, for others to read: the process may end before the file is closed.
    EXPECT_EQ(Written(), (std::vector<std::string>{"Log: Log file open,", "Log: During the error", "Log: And after it"}));
}
