// FOutputDeviceLogFile.h: the log file, opened on the first message and written one line
// per message; every message is also passed on to GLogHook. The file is made through
// GFileManager: with the user-documents manager, a name in the program's folder lands in its
// mirror under the player's documents, never in the installation.
#pragma once
#include "Core.h"

class FOutputDeviceLogFile : public FOutputDevice
{
public:
    enum { MAX_NAME = 1024, MAX_LINE = 1024 };

    // The open file; the log window may clear it, which counts as closed.
    FArchive* LogArchive;
    // Fixed by the first opening, so a reopened file is the same file.
    TCHAR LogFileName[MAX_NAME];
    UBOOL OpenedOnce;
    UBOOL Disabled;

    FOutputDeviceLogFile();
    ~FOutputDeviceLogFile();
    FOutputDeviceLogFile(const FOutputDeviceLogFile&) = delete;
    FOutputDeviceLogFile& operator=(const FOutputDeviceLogFile&) = delete;

    void Serialize(const TCHAR* Text, EName Event) override;
    // Writes the closing line and releases the file; a later message reopens it, appending.
    void Close();

private:
    void Open();
    void WriteLine(const TCHAR* Text, EName Event);
};

// The log file's name as GFileManager is asked for it (which may map it elsewhere, see
// above): "LOG=" names it relative to BaseDir (the program's folder), "ABSLOG=" anywhere; without either it is BaseDir, Package and ".log". "LOG=" wins.
// Name holds MAX_NAME characters; a longer name is cut.
void MakeLogFileName(TCHAR (&Name)[FOutputDeviceLogFile::MAX_NAME], const TCHAR* BaseDir, const TCHAR* CmdLine,
                     const TCHAR* Package);
