// Randomized bad input: thousands of damaged, odd or hostile ini files go through reading,
// lookups, changes and writing. Nothing may crash or overrun, and what is written must read
// back to the same sections and pairs, except where the format itself cannot say it.
#include "FConfigCacheIni.h"
#include "FMallocWindows.h"
#include "IniSamples.h"
#include "TestFiles.h"
#include <algorithm>
#include <memory>
#include <random>
#include <vector>

namespace
{
using FIniBadInputTest = FTempFolderTest;
typedef std::vector<std::pair<std::wstring, std::wstring>> FPairs;
typedef std::vector<std::pair<std::wstring, FPairs>> FSections;

class FIniGenerator
{
public:
    int Uniform(int Count) { return std::uniform_int_distribution<int>(0, Count - 1)(Random); }

    // Characters that matter to the grammar come often; Wide adds any UTF-16 code unit.
    std::wstring Text(int MaxLen, bool Wide, bool LineEnds)
    {
        static const wchar_t Special[] = {'[', ']', '=', '"', ' ', ';', '\r', '\n', 0};
        std::wstring Result;
        for (int Len = Uniform(MaxLen + 1); Len > 0; Len--)
        {
            int Kind = Uniform(4);
            wchar_t C = Kind == 0 ? Special[Uniform(9)]
                      : Kind == 1 ? wchar_t(1 + Uniform(Wide ? 0xFFFF : 255))
                                  : wchar_t((Uniform(2) ? 'a' : 'A') + Uniform(26));
            if (LineEnds || (C != '\r' && C != '\n' && C != 0))
                Result += C;
        }
        return Result;
    }

    // Plain random bytes, or lines that look like an ini with damage of every kind.
    std::string File()
    {
        std::string Bytes;
        if (Uniform(8) == 0)
        {
            for (int Len = Uniform(3000); Len > 0; Len--)
                Bytes += char(Uniform(256));
            return Bytes;
        }
        bool Wide = Uniform(3) == 0;
        static const std::wstring Ends[] = {L"\r\n", L"\n", L"\r", L"\n\r", L"\r\r\n", std::wstring(1, 0)};
        std::wstring Text;
        for (int Lines = Uniform(60); Lines > 0; Lines--)
        {
            int Kind = Uniform(6);
            Text += Kind == 0 ? L"[" + this->Text(12, Wide, false) + (Uniform(4) ? L"]" : L"] ")
                  : Kind == 1 ? this->Text(12, Wide, false) + L"=\"" + this->Text(20, Wide, false) + L"\""
                  : Kind == 2 ? this->Text(40, Wide, true)
                              : this->Text(12, Wide, false) + L"=" + this->Text(30, Wide, false);
            if (Uniform(200) == 0)
                Text += L"Long=" + std::wstring(100000, wchar_t('a' + Uniform(26)));
            if (Lines > 1 || Uniform(2)) // the last line may lack an end
                Text += Ends[Uniform(6)];
        }
        Bytes = EncodeIni(Text);
        if (Wide && Bytes.compare(0, 2, "\xFF\xFE") != 0 && Uniform(2))
            Bytes = "\xFF\xFE" + Bytes.substr(0, Bytes.size() / 2 * 2); // 8-bit text read as UTF-16
        if (Uniform(10) == 0)
            Bytes += char(Uniform(256)); // a lone trailing byte
        return Bytes;
    }

private:
    std::mt19937 Random{20240611};
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
            std::wstring& Value = Pair.second;
            if (Line[0] == '[' && Line.back() == ']')
                Current = &SectionNamed(Result, Line.substr(1, Line.size() - 2));
            else if (!Value.empty() && Value[0] == '"' && Value.back() == '"')
                Current->push_back({Pair.first, Value.size() > 1 ? Value.substr(1, Value.size() - 2) : L""});
            else
                Current->push_back(Pair);
        }
    }
    return Result;
}

// Looks up every pair (buffers of a random size, nothing written beyond them) and changes
// some; adds pairs and sections, and empties a section now and then.
void UseAndChange(FConfigCacheIni& Cache, const FSections& Sections, FIniGenerator& Generator)
{
    TCHAR Buffer[80];
    auto KeptTo = [&](INT Size) { return std::all_of(Buffer + Size, std::end(Buffer), [](TCHAR C) { return C == 'z'; }); };
    for (const auto& Section : Sections)
    {
        const TCHAR* Name = Section.first.c_str();
        std::fill(std::begin(Buffer), std::end(Buffer), 'z');
        INT Size = Generator.Uniform(64);
        ASSERT_TRUE(Cache.GetSection(Name, Buffer, Size) && KeptTo(Size));
        for (const auto& Pair : Section.second)
        {
            const TCHAR* Key = Pair.first.c_str();
            FString Value;
            FLOAT Float;
            ASSERT_TRUE(Cache.GetString(Name, Key, Buffer, Size) && KeptTo(Size));
            EXPECT_TRUE(Cache.GetString(Name, Key, Value) && Cache.GetFloat(Name, Key, Float));
            EXPECT_LE(appStrlen(Cache.GetStr(Name, Key)), 1023);
            if (Generator.Uniform(4) == 0)
                Cache.SetString(Name, Key, Generator.Text(20, true, false).c_str());
        }
    }
    if (!Sections.empty() && Generator.Uniform(5) == 0)
        Cache.EmptySection(Sections[Generator.Uniform(INT(Sections.size()))].first.c_str());
    for (int i = Generator.Uniform(4); i >= 0; i--)
    {
        std::wstring Key = Generator.Text(10, Generator.Uniform(2), false);
        Key.erase(std::remove(Key.begin(), Key.end(), L'='), Key.end()); // no key holds '='
        Cache.SetString(Generator.Text(10, true, false).c_str(), Key.c_str(), Generator.Text(20, true, false).c_str());
    }
}

// Puts GMalloc and GLog back at the end of a scope.
struct FRestoreGlobals
{
    FMalloc* Malloc = GMalloc;
    FOutputDevice* Log = GLog;
    ~FRestoreGlobals() { GMalloc = Malloc, GLog = Log; }
};
} // namespace

TEST_F(FIniBadInputTest, DamagedFilesNeitherCrashNorOverrunAndWhatIsWrittenReadsBack)
{
    // A fresh pooled allocator, and nothing logs (the test log's lines would cross allocators).
    std::unique_ptr<FMallocWindows> Pooled = std::make_unique<FMallocWindows>();
    FRestoreGlobals Restore;
    Pooled->Init();
    GMalloc = Pooled.get();
    GLog = GNull;
    FIniGenerator Generator;
    for (int Case = 0; Case < 2000; Case++)
    {
        SCOPED_TRACE(testing::Message() << "case " << Case);
        Temp.Write(TEXT("Bad.ini"), Generator.File());
        {
            FConfigCacheIni Cache;
            Cache.Init(TEXT("Bad.ini"), TEXT("User.ini"), 0);
            FSections Read = Contents(*Cache.Find(NULL, 0));
            UseAndChange(Cache, Read, Generator);
            FSections Written = Contents(*Cache.Find(NULL, 0));
            Cache.Flush(1);
            FConfigFile Again;
            Again.Read(TEXT("Bad.ini"));
            ASSERT_EQ(ReadBack(Written), Contents(Again));
        }
        GMalloc->HeapCheck();
    }
}
