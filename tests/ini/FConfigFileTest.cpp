// Tests of one ini file: the grammar read and the canonical text written.
#include "IniTestSupport.h"
#include "IniSamples.h"

TEST_F(FIniTest, LinesEndAtCrOrLfAndOnlyHeadedLinesCount)
{
    EXPECT_EQ("", Rewritten("a=1\r\nb=2\r\n")); // no header: no sections
    EXPECT_EQ("[S]\r\ny=2\r\n\r\n", Rewritten("x=1\n[S]\ny=2\n"));
    // CR, LF, CR LF and LF CR all end lines; blank lines vanish; the last line needs no end.
    EXPECT_EQ("[S]\r\na=1\r\nb=2\r\nc=3\r\nd=4\r\n\r\n", Rewritten("\n\n[S]\ra=1\nb=2\r\n\r\n\n\rc=3\n\rd=4"));
    // A zero character ends a line too, and the lines after it still count.
    EXPECT_EQ("[S]\r\na=1\r\nb=2\r\n\r\n", Rewritten(std::string("[S]\na=1\0junk\nb=2", 16)));
}

TEST_F(FIniTest, HeadersAreTakenUnchangedAndRepeatedOnesMerge)
{
    EXPECT_EQ("[A]\r\na=1\r\na=2\r\n\r\n[B]\r\nb=1\r\n\r\n", Rewritten("[A]\na=1\n[B]\nb=1\n[A]\na=2\n"));
    EXPECT_EQ("[]\r\na=1\r\n\r\n[a]b]\r\n\r\n[ S ]\r\n\r\n", Rewritten("[]\na=1\n[a]b]\n[ S ]\n"));
    // With a blank after the bracket the line is no header: a pair when it holds '=', else dropped.
    EXPECT_EQ("[S]\r\n[Sec] x=1\r\n[a=b] \r\n\r\n", Rewritten("[S]\n[Sec] \n[Sec] x=1\n[a=b] \n["));
}

TEST_F(FIniTest, TheFirstEqualsSplitsWithoutTrimmingOrComments)
{
    WriteBytes(TEXT("S.ini"), "[S]\n Key = Value \nk=a=b\n=v\nempty=\n;note=1\nnovalue\n#x\n");
    FConfigFile File;
    File.Read(TEXT("S.ini"));
    FConfigSectionMap* Section = File.Find(TEXT("S"));
    ASSERT_TRUE(Section);
    ASSERT_TRUE(Section->Find(TEXT(" Key ")));
    EXPECT_STREQ(TEXT(" Value "), **Section->Find(TEXT(" Key ")));
    EXPECT_EQ(nullptr, Section->Find(TEXT("Key")));
    EXPECT_STREQ(TEXT("a=b"), **Section->Find(TEXT("k")));
    EXPECT_STREQ(TEXT("v"), **Section->Find(TEXT("")));
    EXPECT_STREQ(TEXT(""), **Section->Find(TEXT("empty")));
    EXPECT_STREQ(TEXT("1"), **Section->Find(TEXT(";note")));
    EXPECT_EQ(5, Section->Num());
}

TEST_F(FIniTest, OnePairOfSurroundingQuotesGoes)
{
    EXPECT_EQ("[S]\r\nk1=a b\r\nk2=\r\nk3=\r\nk4=\"a\r\nk5=\"x\"\r\nk6=a\"\r\n\r\n",
              Rewritten("[S]\nk1=\"a b\"\nk2=\"\"\nk3=\"\nk4=\"a\nk5=\"\"x\"\"\nk6=a\"\n"));
}

TEST_F(FIniTest, RepeatedKeysAllStayAndTheLastAnswers)
{
    WriteBytes(TEXT("S.ini"), "[Sec]\na=1\na=2\n");
    FConfigFile File;
    File.Read(TEXT("S.ini"));
    ASSERT_TRUE(File.Find(TEXT("Sec")));
    EXPECT_STREQ(TEXT("2"), **File.Find(TEXT("Sec"))->Find(TEXT("a")));
    File.Dirty = 1;
    EXPECT_TRUE(File.Write(TEXT("Out.ini")));
    EXPECT_EQ("[Sec]\r\na=1\r\na=2\r\n\r\n", ReadBytes(TEXT("Out.ini")));
}

TEST_F(FIniTest, WriteGivesEachSectionItsPairsAndABlankLine)
{
    FConfigFile File;
    FConfigSectionMap& Engine = File.Set(TEXT("Engine"), FConfigSectionMap());
    Engine.Add(TEXT("A"), TEXT("1"));
    Engine.Add(TEXT("B"), TEXT("x"));
    File.Set(TEXT("Spare"), FConfigSectionMap());
    File.Dirty = 1;
    EXPECT_TRUE(File.Write(TEXT("Out.ini")));
    EXPECT_EQ("[Engine]\r\nA=1\r\nB=x\r\n\r\n[Spare]\r\n\r\n", ReadBytes(TEXT("Out.ini")));
    EXPECT_FALSE(File.Dirty);
}

TEST_F(FIniTest, OnlyAChangedSavableFileIsWritten)
{
    WriteBytes(TEXT("S.ini"), "[S]\na=1\n");
    FConfigFile File;
    File.Read(TEXT("S.ini"));
    EXPECT_TRUE(File.Write(TEXT("Out.ini"))); // unchanged: success, nothing written
    EXPECT_FALSE(Exists(TEXT("Out.ini")));
    File.Dirty = 1;
    File.NoSave = 1;
    EXPECT_TRUE(File.Write(TEXT("Out.ini")));
    EXPECT_FALSE(Exists(TEXT("Out.ini")));
    File.NoSave = 0;
    EXPECT_TRUE(File.Write(TEXT("Out.ini")));
    ASSERT_TRUE(FileManager.Delete(TEXT("Out.ini")));
    EXPECT_TRUE(File.Write(TEXT("Out.ini"))); // the first write cleared Dirty
    EXPECT_FALSE(Exists(TEXT("Out.ini")));

    // Reading again replaces the sections and keeps the flags; a missing file reads empty.
    File.Dirty = 1;
    File.Read(TEXT("S.ini"));
    EXPECT_EQ(1, File.Num());
    EXPECT_EQ(1, File.Find(TEXT("S"))->Num());
    EXPECT_TRUE(File.Dirty);
    File.Read(TEXT("Missing.ini"));
    EXPECT_EQ(0, File.Num());
}

TEST_F(FIniTest, CanonicalFilesSurviveAChangeAndAChangeBackByteForByte)
{
    for (bool Wide : {false, true})
    {
        std::string Original = EncodeIni(SampleIni(Wide));
        WriteBytes(TEXT("Sample.ini"), Original);
        FConfigCacheIni Cache;
        Cache.Init(TEXT("Sample.ini"), TEXT("User.ini"), 0);
        FString Value;
        ASSERT_TRUE(Cache.GetString(TEXT("Section7"), TEXT("Key3"), Value));
        Cache.SetString(TEXT("Section7"), TEXT("Key3"), TEXT("changed"));
        Cache.SetString(TEXT("Section7"), TEXT("Key3"), *Value);
        Cache.Flush(0);
        EXPECT_EQ(Original, ReadBytes(TEXT("Sample.ini"))) << "wide " << Wide;
    }
}

TEST_F(FIniTest, OtherLineEndsBlankLinesAndQuotesComeOutCanonical)
{
    std::wstring Canonical = SampleIni(false);
    EXPECT_EQ(EncodeIni(Canonical), Rewritten(EncodeIni(Uncanonical(Canonical))));
}
