// FOutputDeviceLogFile.cpp: the log file device.
#include "FOutputDeviceLogFile.h"

namespace
{
// Set while the device logs on behalf of a critical error, so that the nested call takes
// the ordinary path and a failure in it cannot raise a second error.
UBOOL GLogFileReentered = 0;

const DWORD LogWriteFlags = WRITEFLAG_ShareRead | WRITEFLAG_Unbuffered;

// The bytes of one line ("<event>: <text>" and CR LF), at most MAX_LINE - 1 of them: a
// longer line is cut before its line end, which it keeps. Characters from 256 up become
// 0x7F. Returns the number of bytes.
INT FormatLogLine(ANSICHAR (&Bytes)[FOutputDeviceLogFile::MAX_LINE], const TCHAR* Text, EName Event)
{
    static const TCHAR LineEnd[] = TEXT("\r\n");
    TCHAR Line[FOutputDeviceLogFile::MAX_LINE];
    appSnprintf(Line, ARRAY_COUNT(Line) - (ARRAY_COUNT(LineEnd) - 1), TEXT("%s: %s"), FName::SafeString(Event), Text);
    appStrcat(Line, LineEnd);
    INT Len = 0;
    for (; Line[Len]; Len++)
        Bytes[Len] = Line[Len] < 256 ? ANSICHAR(Line[Len]) : ANSICHAR(0x7F);
    return Len;
}
} // namespace

FOutputDeviceLogFile::FOutputDeviceLogFile() : LogArchive(NULL), OpenedOnce(0), Disabled(0)
{
    LogFileName[0] = 0;
}

FOutputDeviceLogFile::~FOutputDeviceLogFile()
{
    // The program closes the device itself; this only keeps an abandoned device from
    // leaking its file.
    try
    {
        Close();
    }
    catch (...)
    {
    }
}

void FOutputDeviceLogFile::Serialize(const TCHAR* Text, EName Event)
{
    guard(FOutputDeviceLogFile::Serialize);
    if (GIsCriticalError && !GLogFileReentered)
    {
        GLogFileReentered = 1;
        try
        {
            Serialize(Text, Event);
        }
        catch (...)
        {
        }
        GLogFileReentered = 0;
        return;
    }
    if (FName::SafeSuppressed(Event))
        return;
    // Without a file manager (before start-up has made one) the message only reaches the hook.
    if (!LogArchive && !Disabled && GFileManager)
        Open();
    if (LogArchive && Event != NAME_Console)
        WriteLine(Text, Event);
    if (GLogHook)
        GLogHook->Serialize(Text, Event);
    unguard;
}

void FOutputDeviceLogFile::Close()
{
    guard(FOutputDeviceLogFile::Close);
    if (!LogArchive)
        return;
    Logf(NAME_Log, TEXT("Log file closed, %s"), appTimestamp());
    FArchive* Archive = LogArchive;
    LogArchive = NULL;
    delete Archive;
    unguard;
}

void MakeLogFileName(TCHAR (&Name)[FOutputDeviceLogFile::MAX_NAME], const TCHAR* BaseDir, const TCHAR* CmdLine,
                     const TCHAR* Package)
{
    appStrcpy(Name, BaseDir);
    INT DirLen = appStrlen(Name);
    if (Parse(CmdLine, TEXT("LOG="), Name + DirLen, INT(ARRAY_COUNT(Name)) - DirLen))
        return;
    if (Parse(CmdLine, TEXT("ABSLOG="), Name, INT(ARRAY_COUNT(Name))))
        return;
    appStrcat(Name, Package);
    appStrcat(Name, TEXT(".log"));
}

void FOutputDeviceLogFile::Open()
{
    if (!LogFileName[0])
        MakeLogFileName(LogFileName, appBaseDir(), appCmdLine(), appPackage());
    DWORD Flags = LogWriteFlags | (OpenedOnce ? WRITEFLAG_Append : 0);
    // GNull: a failed write of a log line is dropped without a word, since reporting it would
    // log again; only a file that cannot be made at all disables the log.
    LogArchive = GFileManager->CreateFileWriter(LogFileName, Flags, GNull);
    if (!LogArchive)
    {
        Disabled = 1;
        return;
    }
    OpenedOnce = 1;
    Logf(NAME_Log, TEXT("Log file open, %s"), appTimestamp());
}

void FOutputDeviceLogFile::WriteLine(const TCHAR* Text, EName Event)
{
    ANSICHAR Bytes[MAX_LINE];
    INT Len = FormatLogLine(Bytes, Text, Event);
    LogArchive->Serialize(Bytes, Len);
    // A critical error may end the process before the file is closed: its lines, and those
    // that led to it, must not stay in the writer's buffer.
    if (GIsCriticalError)
        LogArchive->Flush();
}
