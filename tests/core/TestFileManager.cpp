// TestFileManager.cpp: the core tests' file manager and temporary files.
#include "TestFileManager.h"

namespace
{
class FTestFileWriter : public FArchive
{
public:
    explicit FTestFileWriter(HANDLE InFile) : File(InFile) { ArIsSaving = 1; }
    ~FTestFileWriter() { CloseHandle(File); }
    void Serialize(void* Data, INT Length) override
    {
        DWORD Written = 0;
        if (!WriteFile(File, Data, DWORD(Length), &Written, NULL) || Written != DWORD(Length))
            ArIsError = 1;
    }

private:
    HANDLE File;
};
} // namespace

FArchive* FTestFileManager::CreateFileWriter(const TCHAR* Filename, DWORD WriteFlags, FOutputDevice*)
{
    WriterFlags.AddItem(WriteFlags);
    DWORD Share = (WriteFlags & WRITEFLAG_ShareRead) ? FILE_SHARE_READ : 0;
    DWORD Creation = (WriteFlags & WRITEFLAG_Append) ? OPEN_ALWAYS : CREATE_ALWAYS;
    HANDLE File = CreateFileW(Filename, GENERIC_WRITE, Share, NULL, Creation, FILE_ATTRIBUTE_NORMAL, NULL);
    if (File == INVALID_HANDLE_VALUE)
        return NULL;
    if (WriteFlags & WRITEFLAG_Append)
        SetFilePointer(File, 0, NULL, FILE_END);
    return new (TEXT("TestFileWriter")) FTestFileWriter(File);
}
