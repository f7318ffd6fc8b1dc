// Tests of the configuration cache: file names, typed reads and writes, sections, flushing,
// cancelling, saves that fail and the guards an error leaves.
#include "FConfigCacheIni.h"
#include "TestFiles.h"
#include <map>

namespace
{
class FConfigCacheIniTest : public FTempFolderTest
{
protected:
    FConfigCacheIniTest() { Cache->Init(TEXT("Sys.ini"), TEXT("Usr.ini"), 1); }
    ~FConfigCacheIniTest() override { delete Cache; }
    FString Get(const TCHAR* Key, const TCHAR* Filename = NULL) { return Cache->GetStr(TEXT("S"), Key, Filename); }
    UBOOL Dirty() { return Cache->Find(NULL, 0)->Dirty; }

    FConfigCacheIni* Cache = static_cast<FConfigCacheIni*>(FConfigCacheIni::Factory());
};

// Refuses to write a read-only file, as Windows does: Wine run by root writes them (and a
// move replaces them, so only the save's own check keeps them). With Throws, it fails with an
// exception that is no message, as a fault would.
class FFaultyFileManager : public FFileManagerWindows
{
public:
    bool Throws = false;
    FArchive* CreateFileWriter(const TCHAR* Filename, DWORD Flags, FOutputDevice* Error) override
    {
        if (Throws)
            throw 1;
        DWORD Attributes = GetFileAttributesW(Filename);
        if (Attributes != INVALID_FILE_ATTRIBUTES && (Attributes & FILE_ATTRIBUTE_READONLY))
            return SetLastError(ERROR_ACCESS_DENIED), nullptr;
        return FFileManagerWindows::CreateFileWriter(Filename, Flags, Error);
    }
};

// Gives every block pages of its own and decommits them when the block is freed, so that any
// use of freed memory is an access violation. Installed as GMalloc while it lives; blocks of
// the allocator it replaced go back there.
class FPoisoningMalloc : public FHeapMalloc
{
public:
    FPoisoningMalloc() { GMalloc = this; }
    ~FPoisoningMalloc()
    {
        GMalloc = Previous;
        for (auto& Block : Sizes)
            VirtualFree(Block.first, 0, MEM_RELEASE);
    }
    void* Malloc(DWORD Size, const TCHAR* Tag) override { return Realloc(NULL, Size, Tag); }
    void* Realloc(void* Old, DWORD Size, const TCHAR* Tag) override
    {
        if (Old && !Sizes.count(Old))
            return Previous->Realloc(Old, Size, Tag);
        void* New = Old && !Size ? NULL : VirtualAlloc(NULL, Size + 1, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
        if (New)
            Sizes[New] = Size;
        if (Old && New)
            memcpy(New, Old, std::min(Size, Sizes[Old]));
        Free(Old);
        return New;
    }
    void Free(void* Block) override
    {
        if (!Sizes.count(Block))
            return Previous->Free(Block);
        VirtualFree(Block, 0, MEM_DECOMMIT);
    }

private:
    FMalloc* Previous = GMalloc;
    std::map<void*, DWORD> Sizes;
};

} // namespace

TEST_F(FConfigCacheIniTest, NamesGainIniUnlessTheyHaveAnExtensionAndSystemAndUserMapToInit)
{
    const TCHAR* const Names[][2] = {
        {TEXT("Game"), TEXT("Game.ini")},     {TEXT("game.INI"), TEXT("Game.ini")}, {TEXT("Game.int"), TEXT("Game.int")},
        {TEXT("Game.abcd"), TEXT("Game.abcd")}, {TEXT("Game.ab"), TEXT("Game.ab.ini")}, {TEXT("x"), TEXT("x.ini")},
        {NULL, TEXT("Sys.ini")},              {TEXT("System"), TEXT("Sys.ini")},   {TEXT("SYSTEM.INI"), TEXT("Sys.ini")},
        {TEXT("User"), TEXT("Usr.ini")}};
    for (auto& Name : Names)
        Temp.Write(Name[1], std::string("[S]\nk=") + appToAnsi(Name[1]) + "\n");
    for (auto& Name : Names)
        EXPECT_STREQ(Name[1], *Get(TEXT("k"), Name[0])) << (Name[0] ? Name[0] : TEXT("NULL"));
    FCaptureDevice Out;
    Cache->Dump(Out);
    EXPECT_STREQ(TEXT("Files map: TMapBase: 7 items, 8 hash slots"), *(Out.Lines(0) + TEXT(" ") + Out.Lines(1)));

    // A name that does not fit the name buffer is refused rather than cut to another file.
    FString Long = FString::Printf(TEXT("%0300i"), 0);
    Cache->SetString(TEXT("S"), TEXT("k"), TEXT("v"), *Long);
    EXPECT_EQ(nullptr, Cache->GetSectionPrivate(TEXT("S"), 1, 0, *Long));
}

TEST_F(FConfigCacheIniTest, ReadsConvertTheTextAndLeaveTheOutValueWhenMissing)
{
    Temp.Write(TEXT("Sys.ini"), "[S]\na=TRUE\nb=true\nc=1\nd=2\ne=-1\nf=Yes\ng=\nn=42\nx=1.5\nk=value\nlong=" +
                                    std::string(5000, 'x') + "\n");
    for (const TCHAR* Key : {TEXT("a"), TEXT("b"), TEXT("c"), TEXT("d"), TEXT("e"), TEXT("f"), TEXT("g")})
    {
        UBOOL Value = 7;
        EXPECT_TRUE(Cache->GetBool(TEXT("S"), Key, Value) && Value == UBOOL(*Key <= 'c')) << Key; // TRUE, true and 1 only
    }
    UBOOL Bool = 7;
    INT Int = 7;
    FLOAT Float = 7.f;
    EXPECT_FALSE(Cache->GetBool(TEXT("S"), TEXT("none"), Bool) || Cache->GetInt(TEXT("S"), TEXT("n"), Int, TEXT("NoSuchFile")) ||
                 Cache->GetFloat(TEXT("Other"), TEXT("x"), Float));
    EXPECT_TRUE(Bool == 7 && Int == 7 && Float == 7.f);
    EXPECT_TRUE(Cache->GetInt(TEXT("S"), TEXT("n"), Int) && Int == 42 && Cache->GetFloat(TEXT("S"), TEXT("x"), Float) && Float == 1.5f);

    // Strings are cut to their buffer; a missing key empties the output.
    FString Value(TEXT("old"));
    EXPECT_FALSE(Cache->GetString(TEXT("S"), TEXT("none"), Value) || !Value.IsEmpty());
    EXPECT_TRUE(Cache->GetString(TEXT("S"), TEXT("long"), Value) && Value.Len() == 4095);
    TCHAR Buffer[4] = {'z', 'z', 'z', 'z'};
    EXPECT_TRUE(Cache->GetString(TEXT("S"), TEXT("k"), Buffer, 3));
    EXPECT_EQ(0, memcmp(TEXT("va\0z"), Buffer, sizeof(Buffer)));
    EXPECT_FALSE(Cache->GetString(TEXT("S"), TEXT("none"), Buffer, 3) || Buffer[0]);
    EXPECT_EQ(1023, Get(TEXT("long")).Len());
    EXPECT_STREQ(TEXT(""), *Get(TEXT("none")));
}

TEST_F(FConfigCacheIniTest, SectionsAreListedAsFarAsTheBufferHoldsAndOnlyRealChangesMarkTheFile)
{
    Temp.Write(TEXT("Sys.ini"), "[S]\na=1\nb=22\na=3\nName=Value\n[E]\n[C]\nc=1\n");
    TCHAR Buffer[20];
    // Buffer size, then what it must hold: entries, each ended by a zero, and one more zero.
    const struct { INT Size; const TCHAR* Expected; INT Len; } Cases[] = {
        {16, TEXT("a=1\0b=22\0a=3\0"), 14}, {10, TEXT("a=1\0b=22\0"), 10}, {9, TEXT("a=1\0"), 5}, {4, TEXT(""), 1}};
    for (const auto& Case : Cases)
    {
        std::fill(Buffer, Buffer + ARRAY_COUNT(Buffer), 'z');
        EXPECT_TRUE(Cache->GetSection(TEXT("S"), Buffer, Case.Size));
        EXPECT_EQ(0, memcmp(Case.Expected, Buffer, Case.Len * sizeof(TCHAR))) << Case.Size;
        EXPECT_EQ('z', Buffer[Case.Len]) << Case.Size; // nothing written beyond
    }
    EXPECT_TRUE(Cache->GetSection(TEXT("E"), Buffer, 16) && !Buffer[0]);
    EXPECT_FALSE(Cache->GetSection(TEXT("None"), Buffer, 16) || Cache->GetSection(TEXT("S"), Buffer, 16, TEXT("NoSuchFile")));
    EXPECT_STREQ(TEXT("3"), *Get(TEXT("a")));

    EXPECT_FALSE(Cache->GetSectionPrivate(TEXT("New"), 0, 0) || Cache->GetSectionPrivate(TEXT("S"), 0, 0, TEXT("NoSuchFile")));
    ASSERT_TRUE(Cache->GetSectionPrivate(TEXT("S"), 0, 1));
    Cache->SetString(TEXT("S"), TEXT("NAME"), TEXT("VALUE")); // letter case alone is no change
    Cache->EmptySection(TEXT("E"));                          // already empty
    Cache->EmptySection(TEXT("Missing"));
    EXPECT_FALSE(Dirty());
    Cache->GetSectionPrivate(TEXT("S"), 0, 0)->Add(TEXT("x"), TEXT("4"));
    EXPECT_TRUE(Dirty());
    Cache->SetString(TEXT("S"), TEXT("a"), TEXT("5")); // the last of the two
    Cache->SetBool(TEXT("S"), TEXT("t"), 1);
    Cache->SetBool(TEXT("S"), TEXT("f"), 0);
    Cache->SetInt(TEXT("S"), TEXT("i"), -12);
    Cache->SetFloat(TEXT("T"), TEXT("f"), 1.5f);
    Cache->EmptySection(TEXT("C"));
    Cache->GetSectionPrivate(TEXT("New"), 1, 1, TEXT("Other"))->Add(TEXT("n"), TEXT("1"));
    Cache->Flush(0);
    EXPECT_EQ("[S]\r\na=1\r\nb=22\r\na=5\r\nName=Value\r\nx=4\r\nt=True\r\nf=False\r\ni=-12\r\n\r\n[E]\r\n\r\n[C]\r\n\r\n"
              "[T]\r\nf=1.500000\r\n\r\n", Temp.Read(TEXT("Sys.ini")));
    EXPECT_EQ("[New]\r\nn=1\r\n\r\n", Temp.Read(TEXT("Other.ini")));
}

TEST_F(FConfigCacheIniTest, OnlyChangedFilesThatAreNotCancelledReachTheDiskAndReadingFlushesDropThem)
{
    const std::string Original = "[S]\nk=1\n"; // not canonical: any write would show
    for (const TCHAR* File : {TEXT("Sys.ini"), TEXT("A.ini"), TEXT("C.ini"), TEXT("R.ini")})
        Temp.Write(File, Original);
    Cache->SetString(TEXT("S"), TEXT("k"), TEXT("2"));
    Cache->SetString(TEXT("S"), TEXT("k"), TEXT("a"), TEXT("A"));
    Cache->Cancel(TEXT("C"));
    Cache->SetString(TEXT("S"), TEXT("k"), TEXT("c"), TEXT("C"));
    Cache->Cancel(TEXT("Gone")); // cached for nothing, never created on disk
    EXPECT_STREQ(TEXT("1"), *Get(TEXT("k"), TEXT("R")));
    Cache->Flush(0, TEXT("A")); // only the cached name counts: "A.ini"
    EXPECT_EQ(Original, Temp.Read(TEXT("A.ini")));
    Cache->Flush(0, TEXT("a.INI"));
    EXPECT_EQ(Original + "[S]\r\nk=a\r\n\r\n", Temp.Read(TEXT("Sys.ini")) + Temp.Read(TEXT("A.ini")));
    Cache->Flush(0);
    EXPECT_EQ("[S]\r\nk=2\r\n\r\n" + Original + Original + "<missing>",
              Temp.Read(TEXT("Sys.ini")) + Temp.Read(TEXT("C.ini")) + Temp.Read(TEXT("R.ini")) + Temp.Read(TEXT("Gone.ini")));
    EXPECT_STREQ(TEXT("c"), *Get(TEXT("k"), TEXT("C"))); // the cancelled change stays in memory

    // Without read, the files stay cached and a second flush writes nothing.
    Temp.Write(TEXT("Sys.ini"), "[S]\nk=disk\n");
    Cache->Flush(0);
    EXPECT_EQ("[S]\nk=disk\n", Temp.Read(TEXT("Sys.ini")));
    EXPECT_STREQ(TEXT("2"), *Get(TEXT("k")));

    // A reading flush of one file drops that file only; without a name, all of them.
    Temp.Write(TEXT("A.ini"), "[S]\nk=disk\n");
    Cache->Flush(1, TEXT("Sys.ini"));
    EXPECT_STREQ(TEXT("disk|a"), *(Get(TEXT("k")) + TEXT("|") + Get(TEXT("k"), TEXT("A"))));
    Cache->Flush(1);
    EXPECT_STREQ(TEXT("disk"), *Get(TEXT("k"), TEXT("A")));

    // Exit writes what changed; the destructor saves too, as the guard chain of an error inside
    // it shows.
    Cache->SetString(TEXT("S"), TEXT("k"), TEXT("3"));
    Cache->Exit();
    EXPECT_EQ("[S]\r\nk=3\r\n\r\n", Temp.Read(TEXT("Sys.ini")));
    FFaultyFileManager Throwing;
    Throwing.Throws = true;
    Cache->SetString(TEXT("S"), TEXT("k"), TEXT("4"));
    GFileManager = &Throwing;
    GErrorHist[0] = 0;
    EXPECT_THROW(delete Cache, int);
    EXPECT_STREQ(TEXT("appSaveStringToFile <- FConfigFile::Write <- FConfigCacheIni::Flush <- FConfigCacheIni::~FConfigCacheIni"),
                 GErrorHist);
    Cache = NULL;
    GFileManager = &Files;
}

TEST_F(FConfigCacheIniTest, AFailedSaveKeepsDiskAndMemoryUntilTheNextChangeIsSaved)
{
    // The target is read-only, or the disk is full. A full disk's message is localized from
    // Core.int, whose caching moves every file of a full cache, the one being saved too.
    Temp.Write(TEXT("Core.int"), "[Errors]\nWriteFailed=Cannot write\n");
    FFaultyFileManager ReadOnly;
    TDiskFull<FFileManagerWindows> Full;
    Full.Room = 0;
    FConfigCache* SavedConfig = GConfig;
    FOutputDevice* SavedLog = GLog;
    const std::string Original = "[S]\nk=1\n";
    INT Capacity = 1; // how many files a cache holds before caching one more moves them all
    {
        FConfigCacheIni Probe;
        const FConfigFile* First = Probe.Find(TEXT("F0"), 1);
        while (Probe.Find(*FString::Printf(TEXT("F%i"), Capacity), 1), Probe.Find(TEXT("F0"), 0) == First)
            Capacity++;
    }
    for (FFileManager* Failing : {static_cast<FFileManager*>(&ReadOnly), static_cast<FFileManager*>(&Full)})
    {
        SCOPED_TRACE(Failing == &Full ? "full disk" : "read-only");
        Temp.Write(TEXT("Sys.ini"), Original);
        if (Failing == &ReadOnly)
            SetFileAttributesW(*Temp(TEXT("Sys.ini")), FILE_ATTRIBUTE_READONLY); // the player protects it
        FPoisoningMalloc Poisoning;
        FCaptureDevice Log;
        GLog = &Log;
        FConfigCacheIni Saving;
        Saving.Init(TEXT("Sys.ini"), TEXT("Usr.ini"), 1);
        Saving.SetString(TEXT("S"), TEXT("k"), TEXT("2"));
        for (INT i = 1; i < Capacity; i++)
            Saving.Find(*FString::Printf(TEXT("F%i"), i), 1);
        GConfig = &Saving;
        GFileManager = Failing;
        Saving.Flush(0);
        EXPECT_STREQ(TEXT("Failed to save Sys.ini"), *Log.Lines.Last());
        Saving.Flush(1); // the change outlives a reading flush, which would otherwise drop it unsaved
        EXPECT_EQ(Original, Temp.Read(TEXT("Sys.ini")));
        EXPECT_STREQ(TEXT("2"), Saving.GetStr(TEXT("S"), TEXT("k")));
        GFileManager = &Files;
        SetFileAttributesW(*Temp(TEXT("Sys.ini")), FILE_ATTRIBUTE_NORMAL);
        Saving.Flush(0); // a failed save is not retried on its own
        EXPECT_EQ(Original, Temp.Read(TEXT("Sys.ini")));
        Saving.SetString(TEXT("S"), TEXT("j"), TEXT("3")); // the next change saves both
        Saving.Flush(1);
        EXPECT_EQ("[S]\r\nk=2\r\nj=3\r\n\r\n", Temp.Read(TEXT("Sys.ini")));
        GConfig = SavedConfig;
        GLog = SavedLog;
    }
}
