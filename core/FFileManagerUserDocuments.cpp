// FFileManagerUserDocuments.cpp: the documents mirror: where each path really lies, then
// the operations of FFileManagerWindows on that place.
#include "FFileManagerUserDocuments.h"
#include <shlobj.h>
#include <shlwapi.h>

namespace
{
// Whether Path lies in Folder (or is Folder); both fit a path buffer.
bool IsWithin(const TCHAR* Path, const TCHAR* Folder)
{
    TCHAR Prefix[FILE_PATH_MAX];
    PathCommonPrefixW(Path, Folder, Prefix);
    return _wcsicmp(Prefix, Folder) == 0;
}

bool IsReadMode(TCHAR Mode) { return Mode == 'r' || Mode == 'd'; }
} // namespace

FFileManagerUserDocuments::FFileManagerUserDocuments()
{
    TCHAR Documents[MAX_PATH] = TEXT("");
    if (FAILED(SHGetFolderPathW(NULL, CSIDL_PERSONAL, NULL, SHGFP_TYPE_CURRENT, Documents)))
        Documents[0] = 0;
    TCHAR Program[MAX_PATH];
    DWORD Len = GetModuleFileNameW(NULL, Program, ARRAY_COUNT(Program));
    if (Len == 0 || Len >= ARRAY_COUNT(Program))
        Program[0] = 0;
    else
        PathRemoveFileSpecW(Program);
    SetFolders(Documents, Program);
}

FFileManagerUserDocuments::FFileManagerUserDocuments(const TCHAR* Documents, const TCHAR* ProgramFolder)
{
    SetFolders(Documents, ProgramFolder);
}

void FFileManagerUserDocuments::SetFolders(const TCHAR* Documents, const TCHAR* ProgramFolder)
{
    DocumentsDir[0] = ModuleDir[0] = RootDir[0] = MirrorDir[0] = 0;
    NoMirrorReason = NULL;
    TCHAR Program[FILE_PATH_MAX];
    if (!CopyPath(Program, ProgramFolder) || !Program[0] || !PathCanonicalizeW(ModuleDir, Program))
        NoMirrorReason = TEXT("the program's folder is unknown");
    else if (!Documents || !Documents[0])
        NoMirrorReason = TEXT("the user has no documents folder");
    else if (!CopyPath(MirrorDir, Documents) || !PathAppendW(MirrorDir, TEXT("Veltra")) ||
             !CopyPath(DocumentsDir, MirrorDir) || !PathAppendW(DocumentsDir, TEXT("System")))
        NoMirrorReason = TEXT("the path of the documents folder is too long");
    if (NoMirrorReason)
    {
        DocumentsDir[0] = MirrorDir[0] = 0;
        return;
    }
    // Relative paths are worked out from the System folder; with a trailing backslash the
    // shell would make them relative to the drive's root.
    PathRemoveBackslashW(ModuleDir);
    PathCombineW(RootDir, ModuleDir, TEXT(".."));
}

FFileManagerUserDocuments::EMapping FFileManagerUserDocuments::MapToMirror(TCHAR (&Out)[FILE_PATH_MAX],
                                                                           const TCHAR* Path) const
{
    if (!CopyPath(Out, Path))
        return MAP_TooLong;
    if (!HasMirror())
        return MAP_Outside;
    TCHAR Relative[FILE_PATH_MAX];
    const TCHAR* Part = Path;
    if (!PathIsRelativeW(Path))
    {
        // Canonical forms are never longer than their path, save "C:" that becomes "C:\".
        TCHAR Canonical[FILE_PATH_MAX + 2];
        if (!PathCanonicalizeW(Canonical, Path) || !CopyPath(Out, Canonical))
            return MAP_TooLong;
        // A path in the mirror is where it belongs already (this matters when the documents
        // folder lies inside the installation).
        if (!IsWithin(Out, RootDir) || IsWithin(Out, MirrorDir))
            return MAP_Outside;
        // The target counts as a folder: as a file, its last component would be cut before
        // the comparison, and the installation folder itself would map to
        // Documents\<its own name> instead of Documents\Veltra.
        if (!PathRelativePathToW(Relative, ModuleDir, FILE_ATTRIBUTE_DIRECTORY, Out, FILE_ATTRIBUTE_DIRECTORY))
            return MAP_Outside;
        Part = Relative;
    }
    if (!PathCombineW(Out, DocumentsDir, Part))
    {
        Out[0] = 0;
        return MAP_TooLong;
    }
    return MAP_Mirror;
}

FFileManagerUserDocuments::ETranslation FFileManagerUserDocuments::Translate(TCHAR (&Out)[FILE_PATH_MAX],
                                                                             const TCHAR* Path, TCHAR Mode)
{
    EMapping Mapping = MapToMirror(Out, Path);
    if (Mapping == MAP_Outside)
        return TRANSLATE_UseGiven;
    if (Mapping == MAP_TooLong)
    {
        Out[0] = 0;
        return TRANSLATE_Refused;
    }
    if (IsReadMode(Mode) && !PathFileExistsW(Out) && PathFileExistsW(Path))
        return TRANSLATE_UseGiven;
    if (Mode == 'w' && !PathIsDirectoryW(Path))
    {
        // A trailing backslash would make the folder's own name the file name.
        PathRemoveBackslashW(Out);
        TCHAR Name[FILE_PATH_MAX];
        appStrcpy(Name, PathFindFileNameW(Out));
        PathRemoveFileSpecW(Out);
        if (!PathFileExistsW(Out))
            FFileManagerWindows::MakeDirectory(Out, 1);
        PathAppendW(Out, Name);
    }
    return TRANSLATE_UseOut;
}

bool FFileManagerUserDocuments::ReadPath(TCHAR (&Out)[FILE_PATH_MAX], const TCHAR* Path) const
{
    switch (MapToMirror(Out, Path))
    {
    case MAP_Outside:
        return CopyPath(Out, Path);
    case MAP_Mirror:
        return PathFileExistsW(Out) || !PathFileExistsW(Path) || CopyPath(Out, Path);
    default:
        // No copy can lie at a mirror path that does not fit; the installation's may exist.
        return FitsPathBuffer(Path) && PathFileExistsW(Path) && CopyPath(Out, Path);
    }
}

bool FFileManagerUserDocuments::WritePath(TCHAR (&Out)[FILE_PATH_MAX], const TCHAR* Path, bool MakeFolders)
{
    // Without folders made on the way, the place is the mapping alone: a file that exists
    // only in the installation has no copy where writes go.
    if (!MakeFolders)
    {
        EMapping Mapping = MapToMirror(Out, Path);
        return Mapping == MAP_Mirror || (Mapping == MAP_Outside && CopyPath(Out, Path));
    }
    switch (Translate(Out, Path, 'w'))
    {
    case TRANSLATE_UseOut:
        return true;
    case TRANSLATE_UseGiven:
        return CopyPath(Out, Path);
    default:
        return false;
    }
}

FArchive* FFileManagerUserDocuments::CreateFileReader(const TCHAR* Filename, DWORD ReadFlags, FOutputDevice* Error)
{
    guard(FFileManagerUserDocuments::CreateFileReader);
    TCHAR Path[FILE_PATH_MAX];
    if (FindLocalizedFile(Path, Filename) || ReadPath(Path, Filename))
        return OpenReader(Path, ReadFlags, Error);
    return FailReader(Filename, ReadFlags);
    unguard;
}

FArchive* FFileManagerUserDocuments::CreateFileWriter(const TCHAR* Filename, DWORD WriteFlags, FOutputDevice* Error)
{
    guard(FFileManagerUserDocuments::CreateFileWriter);
    TCHAR Path[FILE_PATH_MAX];
    if (WritePath(Path, Filename, !(WriteFlags & WRITEFLAG_ExistingOnly)))
        return OpenWriter(Path, WriteFlags, Error);
    return FailWriter(Filename, WriteFlags);
    unguard;
}

INT FFileManagerUserDocuments::FileSize(const TCHAR* Filename)
{
    guard(FFileManagerUserDocuments::FileSize);
    TCHAR Path[FILE_PATH_MAX];
    return FindLocalizedFile(Path, Filename) || ReadPath(Path, Filename) ? SizeOf(Path) : -1;
    unguard;
}

UBOOL FFileManagerUserDocuments::Delete(const TCHAR* Filename, UBOOL RequireExists, UBOOL EvenReadOnly)
{
    guard(FFileManagerUserDocuments::Delete);
    TCHAR Path[FILE_PATH_MAX];
    return ReadPath(Path, Filename) && FFileManagerWindows::Delete(Path, RequireExists, EvenReadOnly);
    unguard;
}

UBOOL FFileManagerUserDocuments::Copy(const TCHAR* Dest, const TCHAR* Src, UBOOL Replace, UBOOL EvenIfReadOnly,
                                      UBOOL Attributes, FCopyProgress Progress)
{
    guard(FFileManagerUserDocuments::Copy);
    TCHAR SrcPath[FILE_PATH_MAX], DestPath[FILE_PATH_MAX];
    if (ReadPath(SrcPath, Src) && WritePath(DestPath, Dest))
        return FFileManagerWindows::Copy(DestPath, SrcPath, Replace, EvenIfReadOnly, Attributes, Progress);
    if (Progress)
    {
        Progress(0.f);
        Progress(1.f);
    }
    return 0;
    unguard;
}

UBOOL FFileManagerUserDocuments::Move(const TCHAR* Dest, const TCHAR* Src, UBOOL Replace, UBOOL EvenIfReadOnly,
                                      UBOOL Attributes)
{
    guard(FFileManagerUserDocuments::Move);
    TCHAR SrcPath[FILE_PATH_MAX], DestPath[FILE_PATH_MAX];
    if (ReadPath(SrcPath, Src) && WritePath(DestPath, Dest))
        return FFileManagerWindows::Move(DestPath, SrcPath, Replace, EvenIfReadOnly, Attributes);
    ReportMoveFailure(Dest, Src);
    return 0;
    unguard;
}

UBOOL FFileManagerUserDocuments::MakeDirectory(const TCHAR* Path, UBOOL Tree)
{
    guard(FFileManagerUserDocuments::MakeDirectory);
    TCHAR Target[FILE_PATH_MAX];
    return WritePath(Target, Path) && FFileManagerWindows::MakeDirectory(Target, Tree);
    unguard;
}

UBOOL FFileManagerUserDocuments::DeleteDirectory(const TCHAR* Path, UBOOL RequireExists, UBOOL Tree)
{
    guard(FFileManagerUserDocuments::DeleteDirectory);
    TCHAR Target[FILE_PATH_MAX];
    return ReadPath(Target, Path) && FFileManagerWindows::DeleteDirectory(Target, RequireExists, Tree);
    unguard;
}

TArray<FString> FFileManagerUserDocuments::FindFiles(const TCHAR* Pattern, UBOOL Files, UBOOL Directories)
{
    guard(FFileManagerUserDocuments::FindFiles);
    TArray<FString> Names = FFileManagerWindows::FindFiles(Pattern, Files, Directories);
    TCHAR Mirror[FILE_PATH_MAX];
    if (MapToMirror(Mirror, Pattern) != MAP_Mirror)
        return Names;
    // A pattern that names one file of the installation only lists that file.
    if (!PathFileExistsW(Mirror) && PathFileExistsW(Pattern))
        return Names;
    for (const FString& Name : FFileManagerWindows::FindFiles(Mirror, Files, Directories))
        Names.AddUniqueItem(Name);
    return Names;
    unguard;
}

void FFileManagerUserDocuments::Init()
{
    GLog->Log(TEXT("Corvane: Using User Documents File Manager."));
    if (NoMirrorReason)
        GLog->Logf(NAME_Warning, TEXT("Corvane: Files stay in the installation folder: %s."), NoMirrorReason);
}

bool FFileManagerUserDocuments::TranslatePath(TCHAR (&Out)[FILE_PATH_MAX], const TCHAR* Path, TCHAR Mode)
{
    guard(FFileManagerUserDocuments::TranslatePath);
    if (!HasMirror())
        return FFileManagerWindows::TranslatePath(Out, Path, Mode);
    // Out is written before Path is read to its end, and a caller may pass one buffer for both.
    TCHAR Given[FILE_PATH_MAX];
    if (!CopyPath(Given, Path))
    {
        Out[0] = 0;
        return false;
    }
    return Translate(Out, Given, Mode) == TRANSLATE_UseOut;
    unguard;
}
