// Tests of one ini file: the grammar read and the canonical text written.
#include "FConfigCacheIni.h"
#include "TestFiles.h"

namespace
{
using FConfigFileTest = FTempFolderTest;

// What FConfigFile writes after reading Bytes.
std::string Rewritten(const FTempDir& Temp, const std::string& Bytes)
{
    Temp.Write(TEXT("In.ini"), Bytes);
    FConfigFile File;
    File.Read(TEXT("In.ini"));
    File.Dirty = 1;
    EXPECT_TRUE(File.Write(TEXT("Out.ini")));
    return Temp.Read(TEXT("Out.ini"));
}

// The bytes of a canonical ini of a few hundred keys, some sections empty; a wide one holds
// characters above 255, so it is stored as UTF-16 with a byte-order mark.
std::string SampleIni(bool Wide)
{
    std::wstring Text;
    for (int Section = 0; Section < 30; Section++)
    {
        Text += L"[Section" + std::to_wstring(Section) + L"]\r\n";
        for (int Key = 0; Key < 12 && Section % 11 != 10; Key++)
        {
            const std::wstring Values[] = {std::to_wstring(Section * 100 + Key), L"True", L"..\\Maps\\*.unr",
                                           L"blanks = and an equals sign", L"", Wide ? L"\x03A9 \x4E2D" : L"caf\x00E9", L"  padded  "};
            Text += L"Key" + std::to_wstring(Key) + L"=" + Values[Key % 7] + L"\r\n";
        }
        if (Section % 11 != 10)
            Text += L"Paths=..\\System\\*.u\r\n Spaced Key =1\r\nPaths=..\\Textures\\*.utx\r\n";
        Text += L"\r\n";
    }
    std::string Bytes = Wide ? "\xFF\xFE" : "";
    for (wchar_t C : Text)
        Bytes += Wide ? std::string{char(C), char(C >> 8)} : std::string(1, char(C));
    return Bytes;
}
} // namespace

TEST_F(FConfigFileTest, ReadingFollowsTheGrammarAndWritingIsCanonical)
{
    const struct { std::string In, Out; } Cases[] = {
        // No header, no sections; lines before the first header go.
        {"a=1\r\nb=2\r\n", ""},
        {"x=1\n[S]\ny=2\n", "[S]\r\ny=2\r\n\r\n"},
        // CR, LF, CR LF and LF CR end lines, blank lines vanish, the last line needs no end,
        // and a zero character ends a line without ending the file.
        {"\n\n[S]\ra=1\nb=2\r\n\r\n\n\rc=3\n\rd=4", "[S]\r\na=1\r\nb=2\r\nc=3\r\nd=4\r\n\r\n"},
        {std::string("[S]\na=1\0junk\nb=2", 16), "[S]\r\na=1\r\nb=2\r\n\r\n"},
        // Repeated keys stay in order; a repeated header merges where it first stood.
        {"[A]\na=1\n[B]\nb=1\n[A]\na=2\n", "[A]\r\na=1\r\na=2\r\n\r\n[B]\r\nb=1\r\n\r\n"},
        // Header names are taken unchanged; a blank after the bracket makes a pair or nothing.
        {"[]\na=1\n[a]b]\n[ S ]\n", "[]\r\na=1\r\n\r\n[a]b]\r\n\r\n[ S ]\r\n\r\n"},
        {"[S]\n[Sec] \n[Sec] x=1\n[a=b] \n[", "[S]\r\n[Sec] x=1\r\n[a=b] \r\n\r\n"},
        // The first '=' splits, nothing is trimmed, there are no comments.
        {"[S]\n Key = Value \nk=a=b\n=v\nempty=\n;note=1\nnovalue\n", "[S]\r\n Key = Value \r\nk=a=b\r\n=v\r\nempty=\r\n;note=1\r\n\r\n"},
        // One pair of surrounding quotes goes; a lone quote is both the first and the last.
        {"[S]\nk1=\"a b\"\nk2=\"\"\nk3=\"\nk4=\"a\nk5=\"\"x\"\"\nk6=a\"\n",
         "[S]\r\nk1=a b\r\nk2=\r\nk3=\r\nk4=\"a\r\nk5=\"x\"\r\nk6=a\"\r\n\r\n"},
    };
    for (const auto& Case : Cases)
        EXPECT_EQ(Case.Out, Rewritten(Temp, Case.In)) << Case.In;
}

TEST_F(FConfigFileTest, CanonicalFilesSurviveAChangeAndAChangeBackByteForByte)
{
    for (bool Wide : {false, true})
    {
        const std::string Original = SampleIni(Wide);
        Temp.Write(TEXT("Sample.ini"), Original);
        FConfigCacheIni Cache;
        Cache.Init(TEXT("Sample.ini"), TEXT("User.ini"), 0);
        const FString Value = Cache.GetStr(TEXT("Section7"), TEXT("Key3"));
        Cache.SetString(TEXT("Section7"), TEXT("Key3"), TEXT("changed"));
        Cache.SetString(TEXT("Section7"), TEXT("Key3"), *Value);
        Cache.Flush(0);
        EXPECT_EQ(Original, Temp.Read(TEXT("Sample.ini"))) << "wide " << Wide;
    }
}
