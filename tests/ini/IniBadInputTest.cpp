// Randomized bad input: thousands of damaged, odd or hostile ini files go through reading,
// lookups, changes and writing. Nothing may crash or overrun, and what is written must read
// back to the same sections and pairs, except where the format itself cannot say it.
#include "IniTestSupport.h"
#include "IniSamples.h"
#include <algorithm>
#include <random>
#include <vector>

namespace
{
typedef std::vector<std::pair<std::wstring, std::wstring>> FPairs;
typedef std::vector<std::pair<std::wstring, FPairs>> FSections;

class FIniGenerator
{
public:
    explicit FIniGenerator(unsigned Seed) : Random(Seed) {}

    int Uniform(int Count) { return std::uniform_int_distribution<int>(0, Count - 1)(Random); }

    // Characters that matter to the grammar turn up often; Wide adds any UTF-16 code unit.
    wchar_t Char(bool Wide, bool LineEnds)
    {
        static const wchar_t Special[] = {'[', ']', '=', '"', ' ', ';', '\r', '\n', 0};
        switch (Uniform(4))
        {
        case 0: return Special[Uniform(LineEnds ? 9 : 6)];
        case 1: return wchar_t(Wide ? 1 + Uniform(0xFFFF) : 1 + Uniform(255));
        default: return wchar_t((Uniform(2) ? 'a' : 'A') + Uniform(26));
        }
    }

    std::wstring Text(int MaxLen, bool Wide, bool LineEnds)
    {
        std::wstring Result;
        for (int Len = Uniform(MaxLen + 1); Len > 0; Len--)
        {
            wchar_t C = Char(Wide, LineEnds);
            if (LineEnds || (C != '\r' && C != '\n' && C != 0))
                Result += C;
        }
        return Result;
    }

    // A file: plain random bytes, or lines that look like an ini with damage of every kind.
    std::string File()
    {
        if (Uniform(8) == 0)
        {
            std::string Bytes;
            for (int Len = Uniform(3000); Len > 0; Len--)
                Bytes += char(Uniform(256));
            return Bytes;
        }
        bool Wide = Uniform(3) == 0;
        static const std::wstring Ends[] = {L"\r\n", L"\n", L"\r", L"\n\r", L"\r\r\n", std::wstring(1, 0)};
        std::wstring Text;
        for (int Lines = Uniform(60); Lines > 0; Lines--)
        {
            switch (Uniform(6))
            {
            case 0: Text += L"[" + this->Text(12, Wide, false) + (Uniform(4) ? L"]" : L"] "); break;
            case 1: Text += this->Text(12, Wide, false) + L"=\"" + this->Text(20, Wide, false) + L"\""; break;
            case 2: Text += this->Text(40, Wide, true); break;
            default: Text += this->Text(12, Wide, false) + L"=" + this->Text(30, Wide, false); break;
            }
            if (Uniform(200) == 0)
                Text += L"Long=" + std::wstring(100000, wchar_t('a' + Uniform(26)));
            if (Lines > 1 || Uniform(2))
                Text += Ends[Uniform(6)];
        }
        std::string Bytes = EncodeIni(Text);
        if (Wide && Uniform(2))
            Bytes = "\xFF\xFE" + Bytes.substr(Bytes.compare(0, 2, "\xFF\xFE") == 0 ? 2 : 0);
        if (Uniform(10) == 0)
            Bytes += char(Uniform(256)); // a lone trailing byte
        return Bytes;
    }

private:
    std::mt19937 Random;
};

FSections Contents(FConfigFile& File)
{
    FSections Result;
    for (FConfigFile::TIterator Section(File); Section; ++Section)
    {
        Result.push_back({*Section.Key(), {}});
        for (FConfigSectionMap::TIterator Pair(Section.Value()); Pair; ++Pair)
            Result.back().second.push_back({*Pair.Key(), *Pair.Value()});
    }
    return Result;
}

FPairs& SectionNamed(FSections& Sections, const std::wstring& Name)
{
    for (auto& Section : Sections)
        if (appStricmp(Section.first.c_str(), Name.c_str()) == 0) // names merge as the cache's do
            return Section.second;
    Sections.push_back({Name, {}});
    return Sections.back().second;
}

// What reading the written file must give: the same, except that a value still quoted loses
// its quotes, and a pair "[...=...]" reads as the header of the section its text names.
FSections ReadBack(const FSections& Written)
{
    FSections Result;
    for (const auto& Section : Written)
    {
        FPairs* Current = &SectionNamed(Result, Section.first);
        for (auto Pair : Section.second)
        {
            std::wstring Line = Pair.first + L"=" + Pair.second;
            if (Line[0] == '[' && Line.back() == ']')
            {
                Current = &SectionNamed(Result, Line.substr(1, Line.size() - 2));
                continue;
            }
            std::wstring& Value = Pair.second;
            if (!Value.empty() && Value[0] == '"' && Value.back() == '"')
                Value = Value.size() > 1 ? Value.substr(1, Value.size() - 2) : L"";
            Current->push_back(Pair);
        }
    }
    return Result;
}

// Reads every pair back through the cache's lookups into buffers that must not overrun.
void LookUpEverything(FConfigCacheIni& Cache, const FSections& Sections, FIniGenerator& Generator)
{
    const INT Guard = 16;
    TCHAR Buffer[64 + Guard];
    for (const auto& Section : Sections)
    {
        INT Size = Generator.Uniform(64);
        for (TCHAR& C : Buffer)
            C = 'z';
        UBOOL Found = Cache.GetSection(Section.first.c_str(), Buffer, Size);
        EXPECT_TRUE(Found);
        for (INT i = Size; i < Size + Guard; i++)
            ASSERT_EQ('z', Buffer[i]) << "GetSection wrote past its buffer";
        for (const auto& Pair : Section.second)
        {
            FString Value;
            EXPECT_TRUE(Cache.GetString(Section.first.c_str(), Pair.first.c_str(), Value));
            Size = Generator.Uniform(64);
            for (TCHAR& C : Buffer)
                C = 'z';
            EXPECT_TRUE(Cache.GetString(Section.first.c_str(), Pair.first.c_str(), Buffer, Size));
            for (INT i = Size; i < Size + Guard; i++)
                ASSERT_EQ('z', Buffer[i]) << "GetString wrote past its buffer";
            UBOOL Bool;
            INT Int;
            FLOAT Float;
            EXPECT_TRUE(Cache.GetBool(Section.first.c_str(), Pair.first.c_str(), Bool));
            EXPECT_TRUE(Cache.GetInt(Section.first.c_str(), Pair.first.c_str(), Int));
            EXPECT_TRUE(Cache.GetFloat(Section.first.c_str(), Pair.first.c_str(), Float));
            EXPECT_LE(appStrlen(Cache.GetStr(Section.first.c_str(), Pair.first.c_str())), 1023);
        }
    }
}

// Changes values, adds pairs and sections, and empties a section now and then.
void ChangeSome(FConfigCacheIni& Cache, const FSections& Sections, FIniGenerator& Generator)
{
    for (const auto& Section : Sections)
        for (const auto& Pair : Section.second)
            if (Generator.Uniform(4) == 0)
                Cache.SetString(Section.first.c_str(), Pair.first.c_str(), Generator.Text(20, true, false).c_str());
    if (!Sections.empty() && Generator.Uniform(5) == 0)
        Cache.EmptySection(Sections[Generator.Uniform(INT(Sections.size()))].first.c_str());
    for (int i = Generator.Uniform(4); i >= 0; i--)
    {
        std::wstring Key = Generator.Text(10, Generator.Uniform(2), false);
        Key.erase(std::remove(Key.begin(), Key.end(), L'='), Key.end()); // a key never holds '='
        Cache.SetString(Generator.Text(10, true, false).c_str(), Key.c_str(), Generator.Text(20, true, false).c_str());
    }
    if (FConfigSectionMap* Section = Cache.GetSectionPrivate(TEXT("Added"), 1, 0))
        Section->Add(TEXT("Added"), FString(Generator.Text(20, false, false).c_str()));
}
} // namespace

TEST_F(FIniTest, DamagedFilesNeitherCrashNorOverrunAndWhatIsWrittenReadsBack)
{
    FIniGenerator Generator(20240611);
    for (int Case = 0; Case < 3000; Case++)
    {
        SCOPED_TRACE(testing::Message() << "case " << Case);
        WriteBytes(TEXT("Bad.ini"), Generator.File());
        {
            FConfigCacheIni Cache;
            Cache.Init(TEXT("Bad.ini"), TEXT("User.ini"), 0);
            FConfigFile* File = Cache.Find(NULL, 0);
            ASSERT_TRUE(File);
            FSections Read = Contents(*File);
            LookUpEverything(Cache, Read, Generator);
            ChangeSome(Cache, Read, Generator);
            FSections Written = Contents(*Cache.Find(NULL, 0));
            Cache.Flush(1);

            FConfigFile Again;
            Again.Read(TEXT("Bad.ini"));
            ASSERT_EQ(ReadBack(Written), Contents(Again));
        }
        GMalloc->HeapCheck();
        ASSERT_TRUE(HeapValidate(GetProcessHeap(), 0, NULL));
    }
}
