// IniTestSupport.cpp: the ini tests' folder, file manager and byte helpers.
#include "IniTestSupport.h"

FArchive* FIniTestFileManager::CreateFileWriter(const TCHAR* Filename, DWORD WriteFlags, FOutputDevice* Error)
{
    DWORD Attributes = GetFileAttributesW(Filename);
    if (!(WriteFlags & WRITEFLAG_OverrideReadOnly) && Attributes != INVALID_FILE_ATTRIBUTES &&
        (Attributes & FILE_ATTRIBUTE_READONLY))
        return NULL;
    return FFileManagerWindows::CreateFileWriter(Filename, WriteFlags, Error);
}

void FIniTest::SetUp()
{
    static INT Counter = 0;
    TCHAR Temp[MAX_PATH];
    GetTempPathW(ARRAY_COUNT(Temp), Temp);
    Folder = FString::Printf(TEXT("%sini-tests-%u-%i"), Temp, unsigned(GetCurrentProcessId()), ++Counter);
    FileManager.DeleteDirectory(*Folder, 0, 1);
    ASSERT_TRUE(FileManager.MakeDirectory(*Folder, 1));
    SavedDirectory = FileManager.GetDefaultDirectory();
    ASSERT_TRUE(FileManager.SetDefaultDirectory(*Folder));
    SavedFileManager = GFileManager;
    GFileManager = &FileManager;
}

void FIniTest::TearDown()
{
    GFileManager = SavedFileManager;
    FileManager.SetDefaultDirectory(*SavedDirectory); // the folder cannot go while it is current
    FileManager.DeleteDirectory(*Folder, 0, 1);
    delete &FileManager;
}

void FIniTest::WriteBytes(const TCHAR* Filename, const std::string& Bytes)
{
    FArchive* Writer = FileManager.CreateFileWriter(Filename);
    ASSERT_TRUE(Writer != NULL);
    Writer->Serialize(const_cast<char*>(Bytes.data()), INT(Bytes.size()));
    EXPECT_TRUE(Writer->Close());
    delete Writer;
}

std::string FIniTest::ReadBytes(const TCHAR* Filename)
{
    FArchive* Reader = FileManager.CreateFileReader(Filename);
    if (!Reader)
        return "<missing>";
    std::string Bytes(size_t(Reader->TotalSize()), '\0');
    Reader->Serialize(&Bytes[0], INT(Bytes.size()));
    delete Reader;
    return Bytes;
}

bool FIniTest::Exists(const TCHAR* Filename) { return FileManager.FileSize(Filename) >= 0; }

std::string FIniTest::Rewritten(const std::string& Bytes)
{
    WriteBytes(TEXT("In.ini"), Bytes);
    FConfigFile File;
    File.Read(TEXT("In.ini"));
    File.Dirty = 1;
    EXPECT_TRUE(File.Write(TEXT("Out.ini")));
    return ReadBytes(TEXT("Out.ini"));
}
