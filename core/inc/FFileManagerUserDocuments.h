// FFileManagerUserDocuments.h: the file manager that keeps the game's writes out of its
// installation folder. Every file written under the installation goes to a mirror of it
// in the user's documents folder (Documents\Veltra, the System folder being
// Documents\Veltra\System); reads take the mirror's copy when there is one, and listings
// merge both places. Relative paths count from the System folder, the engine's working
// folder. Opening, buffering, flags and messages are those of FFileManagerWindows.
#pragma once
#include "FFileManagerWindows.h"

class FFileManagerUserDocuments : public FFileManagerWindows
{
public:
    // The user's documents folder and the folder of the running program.
    FFileManagerUserDocuments();
    // A documents folder and a program (System) folder of the caller's choosing; null or
    // empty Documents means that the user has none. Without a documents folder, or when
    // its mirror path does not fit, every file stays in the installation, as with
    // FFileManagerWindows, and Init says why.
    FFileManagerUserDocuments(const TCHAR* Documents, const TCHAR* ProgramFolder);

    FArchive* CreateFileReader(const TCHAR* Filename, DWORD ReadFlags = 0, FOutputDevice* Error = NULL) override;
    FArchive* CreateFileWriter(const TCHAR* Filename, DWORD WriteFlags = 0, FOutputDevice* Error = NULL) override;
    INT FileSize(const TCHAR* Filename) override;
    UBOOL Delete(const TCHAR* Filename, UBOOL RequireExists = 0, UBOOL EvenReadOnly = 0) override;
    UBOOL Copy(const TCHAR* Dest, const TCHAR* Src, UBOOL Replace = 1, UBOOL EvenIfReadOnly = 0,
               UBOOL Attributes = 0, FCopyProgress Progress = NULL) override;
    UBOOL Move(const TCHAR* Dest, const TCHAR* Src, UBOOL Replace = 1, UBOOL EvenIfReadOnly = 0,
               UBOOL Attributes = 0) override;
    UBOOL MakeDirectory(const TCHAR* Path, UBOOL Tree = 0) override;
    UBOOL DeleteDirectory(const TCHAR* Path, UBOOL RequireExists = 0, UBOOL Tree = 0) override;
    // The installation's names first, in the system's order, then those only in the mirror.
    TArray<FString> FindFiles(const TCHAR* Pattern, UBOOL Files, UBOOL Directories) override;

    void Init() override;
    // Out gets Path's place in the mirror; the result says whether to use it. 0 for a path
    // outside the installation (Out: the path made canonical) and, with 'r' or 'd', for a
    // file that exists only in the installation (Out: its mirror path). 'w' also creates
    // the mirror folder that the file will go to. Out is empty when a path does not fit.
    bool TranslatePath(TCHAR (&Out)[FILE_PATH_MAX], const TCHAR* Path, TCHAR Mode) override;

private:
    TCHAR DocumentsDir[FILE_PATH_MAX]; // the mirror of the System folder; empty: no mirror
    TCHAR ModuleDir[FILE_PATH_MAX];    // the System folder
    TCHAR RootDir[FILE_PATH_MAX];      // the installation folder
    TCHAR MirrorDir[FILE_PATH_MAX];    // the mirror of the installation folder
    const TCHAR* NoMirrorReason;       // why there is no mirror, for Init's log

    enum EMapping { MAP_Outside, MAP_Mirror, MAP_TooLong };
    enum ETranslation { TRANSLATE_UseOut, TRANSLATE_UseGiven, TRANSLATE_Refused };

    void SetFolders(const TCHAR* Documents, const TCHAR* ProgramFolder);
    bool HasMirror() const { return DocumentsDir[0] != 0; }
    EMapping MapToMirror(TCHAR (&Out)[FILE_PATH_MAX], const TCHAR* Path) const;
    ETranslation Translate(TCHAR (&Out)[FILE_PATH_MAX], const TCHAR* Path, TCHAR Mode);
    // The path to read or delete, and the path to write (making the mirror folders it needs
    // unless told not to); false when the path is refused.
    bool ReadPath(TCHAR (&Out)[FILE_PATH_MAX], const TCHAR* Path) const;
    bool WritePath(TCHAR (&Out)[FILE_PATH_MAX], const TCHAR* Path, bool MakeFolders = true);
};
