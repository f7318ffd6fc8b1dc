// Tests of the configuration cache: file names, typed reads and writes, sections, flushing,
// cancelling, dumping and saves that fail.
#include "IniTestSupport.h"

namespace
{
class FConfigCacheIniTest : public FIniTest
{
protected:
    void SetUp() override
    {
        FIniTest::SetUp();
        Cache = static_cast<FConfigCacheIni*>(FConfigCacheIni::Factory());
        Cache->Init(TEXT("Sys.ini"), TEXT("Usr.ini"), 1);
    }
    void TearDown() override
    {
        delete Cache;
        FIniTest::TearDown();
    }
    FString Get(const TCHAR* Key, const TCHAR* Filename = NULL, const TCHAR* Section = TEXT("S"))
    {
        return FString(Cache->GetStr(Section, Key, Filename));
    }
    // What the cache's Dump says about its file map.
    FString FilesLine()
    {
        FCaptureDevice Out;
        Cache->Dump(Out);
        EXPECT_STREQ(TEXT("Files map:"), *Out.Lines(0));
        return Out.Lines(1);
    }

    FConfigCacheIni* Cache = NULL;
};
} // namespace

TEST_F(FConfigCacheIniTest, NamesGainIniUnlessTheyHaveAnExtensionAndSystemAndUserMapToInit)
{
    const TCHAR* const Files[] = {TEXT("Game.ini"), TEXT("Game.int"), TEXT("Game.abcd"), TEXT("Game.ab.ini"),
                                  TEXT("Sys.ini"), TEXT("Usr.ini"), TEXT("x.ini")};
    for (const TCHAR* File : Files)
        WriteBytes(File, std::string("[S]\nk=") + appToAnsi(File) + "\n");

    EXPECT_STREQ(TEXT("Game.ini"), *Get(TEXT("k"), TEXT("Game")));
    EXPECT_STREQ(TEXT("Game.ini"), *Get(TEXT("k"), TEXT("game.INI")));
    EXPECT_STREQ(TEXT("Game.int"), *Get(TEXT("k"), TEXT("Game.int")));
    EXPECT_STREQ(TEXT("Game.abcd"), *Get(TEXT("k"), TEXT("Game.abcd")));
    EXPECT_STREQ(TEXT("Game.ab.ini"), *Get(TEXT("k"), TEXT("Game.ab")));
    EXPECT_STREQ(TEXT("x.ini"), *Get(TEXT("k"), TEXT("x"))); // shorter than five characters
    for (const TCHAR* Name : {(const TCHAR*)NULL, TEXT("System"), TEXT("SYSTEM.INI"), TEXT("Sys.ini")})
        EXPECT_STREQ(TEXT("Sys.ini"), *Get(TEXT("k"), Name));
    EXPECT_STREQ(TEXT("Usr.ini"), *Get(TEXT("k"), TEXT("User")));
    EXPECT_STREQ(TEXT("TMapBase: 7 items, 8 hash slots"), *FilesLine());

    // A missing file is cached only for writing, and reaches the disk once it changed.
    EXPECT_EQ(nullptr, Cache->Find(TEXT("New"), 0));
    ASSERT_TRUE(Cache->Find(TEXT("New"), 1));
    Cache->Flush(0);
    EXPECT_FALSE(Exists(TEXT("New.ini")));
    Cache->SetString(TEXT("S"), TEXT("k"), TEXT("v"), TEXT("New"));
    Cache->Flush(0);
    EXPECT_EQ("[S]\r\nk=v\r\n\r\n", ReadBytes(TEXT("New.ini")));

    // A name that does not fit the name buffer is refused rather than cut to another file.
    FString Long = FString::Printf(TEXT("%0300i"), 0);
    EXPECT_EQ(nullptr, Cache->Find(*Long, 1));
    Cache->SetString(TEXT("S"), TEXT("k"), TEXT("v"), *Long);
    EXPECT_EQ(nullptr, Cache->GetSectionPrivate(TEXT("S"), 1, 0, *Long));
}

TEST_F(FConfigCacheIniTest, TypedReadsParseTheTextAndLeaveTheOutValueWhenMissing)
{
    WriteBytes(TEXT("Sys.ini"), "[S]\na=TRUE\nb=true\nc=1\nd=2\ne=-1\nf=Yes\ng=\nn=42\nx=1.5\n");
    struct { const TCHAR* Key; UBOOL Expected; } const Bools[] = {
        {TEXT("a"), 1}, {TEXT("b"), 1}, {TEXT("c"), 1}, {TEXT("d"), 0}, {TEXT("e"), 0}, {TEXT("f"), 0}, {TEXT("g"), 0}};
    for (const auto& Case : Bools)
    {
        UBOOL Value = 7;
        EXPECT_TRUE(Cache->GetBool(TEXT("S"), Case.Key, Value)) << Case.Key;
        EXPECT_EQ(Case.Expected, Value) << Case.Key;
    }
    UBOOL Bool = 7;
    INT Int = 7;
    FLOAT Float = 7.f;
    EXPECT_FALSE(Cache->GetBool(TEXT("S"), TEXT("none"), Bool));
    EXPECT_FALSE(Cache->GetInt(TEXT("S"), TEXT("none"), Int));
    EXPECT_FALSE(Cache->GetFloat(TEXT("Other"), TEXT("x"), Float));
    EXPECT_EQ(7u, Bool);
    EXPECT_EQ(7, Int);
    EXPECT_EQ(7.f, Float);
    EXPECT_TRUE(Cache->GetInt(TEXT("S"), TEXT("n"), Int));
    EXPECT_TRUE(Cache->GetFloat(TEXT("S"), TEXT("x"), Float));
    EXPECT_EQ(42, Int);
    EXPECT_EQ(1.5f, Float);
    EXPECT_FALSE(Cache->GetInt(TEXT("S"), TEXT("n"), Int, TEXT("NoSuchFile")));
}

TEST_F(FConfigCacheIniTest, StringReadsCutToTheirBufferAndEmptyTheOutputWhenMissing)
{
    WriteBytes(TEXT("Sys.ini"), "[S]\nk=value\nlong=" + std::string(5000, 'x') + "\n");
    FString Value(TEXT("old"));
    EXPECT_FALSE(Cache->GetString(TEXT("S"), TEXT("none"), Value));
    EXPECT_TRUE(Value.IsEmpty());
    EXPECT_TRUE(Cache->GetString(TEXT("S"), TEXT("long"), Value));
    EXPECT_EQ(4095, Value.Len());

    TCHAR Buffer[4] = {'z', 'z', 'z', 'z'};
    EXPECT_TRUE(Cache->GetString(TEXT("S"), TEXT("k"), Buffer, 3));
    EXPECT_STREQ(TEXT("va"), Buffer);
    EXPECT_EQ('z', Buffer[3]);
    EXPECT_FALSE(Cache->GetString(TEXT("S"), TEXT("none"), Buffer, 3));
    EXPECT_STREQ(TEXT(""), Buffer);

    EXPECT_STREQ(TEXT("value"), Cache->GetStr(TEXT("S"), TEXT("k")));
    EXPECT_EQ(1023, appStrlen(Cache->GetStr(TEXT("S"), TEXT("long"))));
    EXPECT_STREQ(TEXT(""), Cache->GetStr(TEXT("S"), TEXT("none")));
}

TEST_F(FConfigCacheIniTest, SetStringStoresRealChangesOnlyAndReplacesTheLastOfEqualKeys)
{
    WriteBytes(TEXT("Sys.ini"), "[S]\nk=1\nk=2\nName=Value\n");
    Cache->SetString(TEXT("S"), TEXT("NAME"), TEXT("VALUE")); // letter case alone is no change
    EXPECT_STREQ(TEXT("Value"), *Get(TEXT("Name")));
    EXPECT_FALSE(Cache->Find(NULL, 0)->Dirty);

    Cache->SetString(TEXT("S"), TEXT("k"), TEXT("3"));
    Cache->SetBool(TEXT("S"), TEXT("b"), 1);
    Cache->SetBool(TEXT("S"), TEXT("c"), 0);
    Cache->SetInt(TEXT("S"), TEXT("i"), -12);
    Cache->SetFloat(TEXT("T"), TEXT("f"), 1.5f);
    EXPECT_TRUE(Cache->Find(NULL, 0)->Dirty);
    Cache->Flush(0);
    EXPECT_EQ("[S]\r\nk=1\r\nk=3\r\nName=Value\r\nb=True\r\nc=False\r\ni=-12\r\n\r\n[T]\r\nf=1.500000\r\n\r\n",
              ReadBytes(TEXT("Sys.ini")));
}

TEST_F(FConfigCacheIniTest, GetSectionListsEveryPairAsFarAsTheBufferHolds)
{
    WriteBytes(TEXT("Sys.ini"), "[S]\na=1\nb=22\na=3\n[E]\n");
    TCHAR Buffer[32];
    auto Fill = [&] { for (TCHAR& C : Buffer) C = 'z'; };
    Fill();
    EXPECT_TRUE(Cache->GetSection(TEXT("S"), Buffer, 32));
    EXPECT_EQ(0, memcmp(TEXT("a=1\0b=22\0a=3\0"), Buffer, 14 * sizeof(TCHAR)));
    Fill();
    EXPECT_TRUE(Cache->GetSection(TEXT("S"), Buffer, 10)); // "a=1", "b=22", their zeros and the last
    EXPECT_EQ(0, memcmp(TEXT("a=1\0b=22\0"), Buffer, 10 * sizeof(TCHAR)));
    Fill();
    EXPECT_TRUE(Cache->GetSection(TEXT("S"), Buffer, 9));
    EXPECT_EQ(0, memcmp(TEXT("a=1\0"), Buffer, 5 * sizeof(TCHAR)));
    EXPECT_EQ('z', Buffer[5]);
    Fill();
    EXPECT_TRUE(Cache->GetSection(TEXT("S"), Buffer, 4)); // not even the first entry fits
    EXPECT_EQ(0, Buffer[0]);
    EXPECT_EQ('z', Buffer[1]);
    EXPECT_TRUE(Cache->GetSection(TEXT("E"), Buffer, 32));
    EXPECT_EQ(0, Buffer[0]);
    EXPECT_FALSE(Cache->GetSection(TEXT("None"), Buffer, 32));
    EXPECT_FALSE(Cache->GetSection(TEXT("S"), Buffer, 32, TEXT("NoSuchFile")));
}

TEST_F(FConfigCacheIniTest, PrivateSectionsAreCreatedOnForceAndMarkTheFileUnlessConst)
{
    WriteBytes(TEXT("Sys.ini"), "[S]\na=1\n");
    EXPECT_EQ(nullptr, Cache->GetSectionPrivate(TEXT("New"), 0, 0));
    EXPECT_EQ(nullptr, Cache->GetSectionPrivate(TEXT("S"), 0, 0, TEXT("NoSuchFile")));
    ASSERT_TRUE(Cache->GetSectionPrivate(TEXT("S"), 0, 1));
    EXPECT_FALSE(Cache->Find(NULL, 0)->Dirty);
    FConfigSectionMap* Section = Cache->GetSectionPrivate(TEXT("S"), 0, 0);
    ASSERT_TRUE(Section);
    EXPECT_TRUE(Cache->Find(NULL, 0)->Dirty);
    Section->Add(TEXT("a"), TEXT("2"));
    Section = Cache->GetSectionPrivate(TEXT("New"), 1, 1, TEXT("Other"));
    ASSERT_TRUE(Section);
    Section->Add(TEXT("n"), TEXT("1"));
    Cache->Flush(0);
    EXPECT_EQ("[S]\r\na=1\r\na=2\r\n\r\n", ReadBytes(TEXT("Sys.ini")));
    EXPECT_EQ("[New]\r\nn=1\r\n\r\n", ReadBytes(TEXT("Other.ini")));
}

TEST_F(FConfigCacheIniTest, EmptySectionKeepsTheSectionInPlace)
{
    WriteBytes(TEXT("Sys.ini"), "[A]\na=1\n[B]\n[C]\nc=1\n");
    Cache->EmptySection(TEXT("B")); // already empty: no change
    Cache->EmptySection(TEXT("Missing"));
    EXPECT_FALSE(Cache->Find(NULL, 0)->Dirty);
    Cache->EmptySection(TEXT("A"));
    Cache->Flush(0);
    EXPECT_EQ("[A]\r\n\r\n[B]\r\n\r\n[C]\r\nc=1\r\n\r\n", ReadBytes(TEXT("Sys.ini")));
    Cache->EmptySection(TEXT("A"), TEXT("NoSuchFile"));
    EXPECT_FALSE(Exists(TEXT("NoSuchFile.ini")));
}

TEST_F(FConfigCacheIniTest, FlushWritesChangedFilesOnceAndReadingFlushesDropThem)
{
    WriteBytes(TEXT("Sys.ini"), "[S]\nk=1\n");
    WriteBytes(TEXT("A.ini"), "[S]\nk=a\n");
    Cache->SetString(TEXT("S"), TEXT("k"), TEXT("2"));
    Cache->SetString(TEXT("S"), TEXT("k"), TEXT("b"), TEXT("A"));
    Cache->Flush(0, TEXT("A")); // only the cached name counts: "A.ini"
    EXPECT_EQ("[S]\nk=a\n", ReadBytes(TEXT("A.ini")));
    Cache->Flush(0, TEXT("a.INI"));
    EXPECT_EQ("[S]\r\nk=b\r\n\r\n", ReadBytes(TEXT("A.ini")));
    EXPECT_EQ("[S]\nk=1\n", ReadBytes(TEXT("Sys.ini")));

    // Without read, the files stay cached and a second flush writes nothing.
    Cache->Flush(0);
    WriteBytes(TEXT("Sys.ini"), "[S]\nk=disk\n");
    Cache->Flush(0);
    EXPECT_EQ("[S]\nk=disk\n", ReadBytes(TEXT("Sys.ini")));
    EXPECT_STREQ(TEXT("2"), *Get(TEXT("k")));

    // A reading flush of one file drops that file only; without a name, all of them.
    WriteBytes(TEXT("A.ini"), "[S]\nk=disk\n");
    Cache->Flush(1, TEXT("Sys.ini"));
    EXPECT_STREQ(TEXT("disk"), *Get(TEXT("k")));
    EXPECT_STREQ(TEXT("b"), *Get(TEXT("k"), TEXT("A")));
    for (INT i = 0; i < 30; i++)
        Cache->Find(*FString::Printf(TEXT("F%i"), i), 1);
    EXPECT_STREQ(TEXT("TMapBase: 32 items, 16 hash slots"), *FilesLine());
    Cache->Flush(1);
    EXPECT_STREQ(TEXT("TMapBase: 0 items, 8 hash slots"), *FilesLine());
    EXPECT_STREQ(TEXT("disk"), *Get(TEXT("k"), TEXT("A")));
}

TEST_F(FConfigCacheIniTest, UnchangedAndCancelledFilesAreNeverWritten)
{
    const std::string Original = "[S]\nk=1\n"; // not canonical: any write would show
    WriteBytes(TEXT("Sys.ini"), Original);
    WriteBytes(TEXT("C.ini"), Original);
    EXPECT_STREQ(TEXT("1"), *Get(TEXT("k")));
    Cache->Cancel(TEXT("C"));
    Cache->SetString(TEXT("S"), TEXT("k"), TEXT("2"), TEXT("C"));
    Cache->Cancel(TEXT("Gone")); // cached for nothing, never created on disk
    Cache->Flush(0);
    EXPECT_STREQ(TEXT("2"), *Get(TEXT("k"), TEXT("C"))); // the change stays in memory
    Cache->Exit();
    EXPECT_EQ(Original, ReadBytes(TEXT("Sys.ini")));
    EXPECT_EQ(Original, ReadBytes(TEXT("C.ini")));
    EXPECT_FALSE(Exists(TEXT("Gone.ini")));
    EXPECT_STREQ(TEXT("TMapBase: 0 items, 8 hash slots"), *FilesLine());

    // Exit and the destructor write what changed.
    Cache->SetString(TEXT("S"), TEXT("k"), TEXT("3"));
    Cache->Exit();
    EXPECT_EQ("[S]\r\nk=3\r\n\r\n", ReadBytes(TEXT("Sys.ini")));
    Cache->SetString(TEXT("S"), TEXT("k"), TEXT("4"));
    delete Cache;
    Cache = NULL;
    EXPECT_EQ("[S]\r\nk=4\r\n\r\n", ReadBytes(TEXT("Sys.ini")));
}

TEST_F(FConfigCacheIniTest, DumpNamesTheFilesMapAndItsChains)
{
    Cache->Find(TEXT("A"), 1);
    FCaptureDevice Out;
    Cache->Dump(Out);
    ASSERT_EQ(10, Out.Lines.Num());
    EXPECT_STREQ(TEXT("Files map:"), *Out.Lines(0));
    EXPECT_STREQ(TEXT("TMapBase: 1 items, 8 hash slots"), *Out.Lines(1));
    INT Total = 0;
    for (INT i = 0; i < 8; i++)
    {
        INT Slot = -1, Length = -1;
        EXPECT_EQ(2, swscanf(*Out.Lines(i + 2), TEXT("   Hash[%i] = %i"), &Slot, &Length));
        EXPECT_EQ(i, Slot);
        Total += Length;
    }
    EXPECT_EQ(1, Total);
}

TEST_F(FConfigCacheIniTest, AFailedSaveKeepsDiskAndMemoryUntilTheNextChangeIsSaved)
{
    const std::string Original = "[S]\nk=1\n";
    const FString Path = FileManager.FullPath(TEXT("Sys.ini"));
    for (bool Locked : {false, true})
    {
        WriteBytes(TEXT("Sys.ini"), Original);
        Cache->SetString(TEXT("S"), TEXT("k"), TEXT("2"));
        HANDLE Lock = INVALID_HANDLE_VALUE;
        if (Locked)
            Lock = CreateFileW(*Path, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
        else
            ASSERT_TRUE(SetFileAttributesW(*Path, FILE_ATTRIBUTE_READONLY));
        ASSERT_TRUE(!Locked || Lock != INVALID_HANDLE_VALUE);

        GTestLog.Clear();
        EXPECT_FALSE(Cache->Find(NULL, 0)->Write(TEXT("Sys.ini")));
        EXPECT_STREQ(TEXT("Failed to save Sys.ini"), *GTestLog.Lines.Last());
        // The change outlives a reading flush, which would otherwise drop it unsaved.
        Cache->Flush(1);
        EXPECT_EQ(Original, ReadBytes(TEXT("Sys.ini"))) << "locked " << Locked;
        EXPECT_STREQ(TEXT("2"), *Get(TEXT("k")));

        if (Locked)
            CloseHandle(Lock);
        else
            ASSERT_TRUE(SetFileAttributesW(*Path, FILE_ATTRIBUTE_NORMAL));
        Cache->Flush(0); // a failed save is not retried on its own
        EXPECT_EQ(Original, ReadBytes(TEXT("Sys.ini")));
        Cache->SetString(TEXT("S"), TEXT("j"), TEXT("3")); // the next change saves both
        Cache->Flush(1);
        EXPECT_EQ("[S]\r\nk=2\r\nj=3\r\n\r\n", ReadBytes(TEXT("Sys.ini")));
        EXPECT_STREQ(TEXT("TMapBase: 0 items, 8 hash slots"), *FilesLine());
    }
}

namespace
{
// Fails inside the file manager with an exception that is no message, as a fault would.
class FThrowingFileManager : public FIniTestFileManager
{
public:
    INT FileSize(const TCHAR*) override { throw 1; }
    FArchive* CreateFileWriter(const TCHAR*, DWORD, FOutputDevice*) override { throw 1; }
};

// The guards an exception left, innermost first.
FString GuardsLeftBy(void (*Operation)(FConfigCacheIni&), FConfigCacheIni& Cache)
{
    GErrorHist[0] = 0;
    EXPECT_THROW(Operation(Cache), int);
    return FString(GErrorHist);
}
} // namespace

TEST_F(FConfigCacheIniTest, AnErrorInsideAnOperationNamesItsGuards)
{
    FThrowingFileManager Throwing;
    Throwing.SetDefaultDirectory(*Folder);
    Cache->SetString(TEXT("S"), TEXT("k"), TEXT("v")); // cached before the faults start
    GFileManager = &Throwing;
    EXPECT_STREQ(TEXT("FConfigCacheIni::Find <- FConfigCacheIni::GetString <- FConfigCacheIni::GetBool"),
                 *GuardsLeftBy([](FConfigCacheIni& C) { UBOOL B; C.GetBool(TEXT("S"), TEXT("k"), B, TEXT("Other")); }, *Cache));
    EXPECT_STREQ(TEXT("FConfigCacheIni::Find <- FConfigCacheIni::GetSectionPrivate"),
                 *GuardsLeftBy([](FConfigCacheIni& C) { C.GetSectionPrivate(TEXT("S"), 0, 0, TEXT("Other")); }, *Cache));
    EXPECT_STREQ(TEXT("appSaveStringToFile <- FConfigFile::Write <- FConfigCacheIni::Flush <- FConfigCacheIni::Exit"),
                 *GuardsLeftBy([](FConfigCacheIni& C) { C.Exit(); }, *Cache));
    Cache->SetString(TEXT("S"), TEXT("k"), TEXT("w"));
    EXPECT_STREQ(TEXT("appSaveStringToFile <- FConfigFile::Write <- FConfigCacheIni::Flush <- FConfigCacheIni::~FConfigCacheIni"),
                 *GuardsLeftBy([](FConfigCacheIni& C) { delete &C; }, *Cache));
    Cache = NULL;
    GFileManager = &FileManager;
}
