// Randomized bad input: thousands of damaged, odd or hostile ini files go through reading,
// lookups, changes and writing. Nothing may crash or overrun, and what is written must read
// back to the same sections and pairs, except where the format itself cannot say it.
#include "FConfigCacheIni.h"
#include "FMallocWindows.h"
#include "TestFiles.h"
#include <memory>
#include <random>

namespace
{
using FIniBadInputTest = FTempFolderTest;
typedef std::vector<std::pair<std::wstring, std::wstring>> FPairs;
typedef std::vector<std::pair<std::wstring, FPairs>> FSections;

std::mt19937 Random{20240611};
int Uniform(int Count) { return std::uniform_int_distribution<int>(0, Count - 1)(Random); }

// Characters that matter to the grammar come often; Wide adds any UTF-16 code unit.
std::wstring RandomText(int MaxLen, bool Wide, bool LineEnds = false)
{
    static const wchar_t Special[] = L"[]=\" ;\r\n"; // and the zero that ends it
    std::wstring Result;
    for (int Len = Uniform(MaxLen + 1); Len > 0; Len--)
    {
        int Kind = Uniform(4);
        wchar_t C = Kind == 0 ? Special[Uniform(9)] : Kind == 1 ? wchar_t(1 + Uniform(Wide ? 0xFFFF : 255)) : wchar_t('A' + Uniform(58));
        if (LineEnds || (C != '\r' && C != '\n' && C != 0))
            Result += C;
    }
    return Result;
}

// Random bytes, or lines that look like an ini with damage of every kind.
std::string RandomFile()
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
        Text += Kind == 0 ? L"[" + RandomText(12, Wide) + (Uniform(4) ? L"]" : L"] ")
              : Kind == 1 ? RandomText(12, Wide) + L"=\"" + RandomText(20, Wide) + L"\""
              : Kind == 2 ? RandomText(40, Wide, true)
                          : RandomText(12, Wide) + L"=" + RandomText(30, Wide);
        if (Uniform(200) == 0)
            Text += L"Long=" + std::wstring(100000, wchar_t('a' + Uniform(26)));
        if (Lines > 1 || Uniform(2)) // the last line may lack an end
            Text += Ends[Uniform(6)];
    }
    // UTF-16 with its mark, or 8-bit text (now and then behind the mark, an odd byte count too).
    Bytes = Wide || Uniform(4) == 0 ? "\xFF\xFE" : "";
    for (wchar_t C : Text)
        Bytes += Wide ? std::string{char(C), char(C >> 8)} : std::string(1, char(C));
    return Bytes;
}

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

// Looks up every pair (buffers of a random size, nothing written beyond them), changes some
// and adds pairs and sections.
void UseAndChange(FConfigCacheIni& Cache, const FSections& Sections)
{
    TCHAR Buffer[80];
    auto KeptTo = [&](INT Size) { return std::all_of(Buffer + Size, std::end(Buffer), [](TCHAR C) { return C == 'z'; }); };
    for (const auto& Section : Sections)
    {
        const TCHAR* Name = Section.first.c_str();
        std::fill(std::begin(Buffer), std::end(Buffer), 'z');
        INT Size = Uniform(64);
        ASSERT_TRUE(Cache.GetSection(Name, Buffer, Size) && KeptTo(Size));
        for (const auto& Pair : Section.second)
        {
            FString Value;
            FLOAT Float;
            const TCHAR* Key = Pair.first.c_str();
            ASSERT_TRUE(Cache.GetString(Name, Key, Buffer, Size) && KeptTo(Size) && Cache.GetString(Name, Key, Value) &&
                        Cache.GetFloat(Name, Key, Float));
            if (Uniform(4) == 0)
                Cache.SetString(Name, Key, RandomText(20, true).c_str());
        }
    }
    for (int i = Uniform(4); i >= 0; i--)
    {
        std::wstring Key = RandomText(10, Uniform(2));
        Key.erase(std::remove(Key.begin(), Key.end(), L'='), Key.end()); // no key holds '='
        Cache.SetString(RandomText(10, true).c_str(), Key.c_str(), RandomText(20, true).c_str());
    }
}

// Puts GMalloc and GLog back at the end of a scope.
struct FRestoreGlobals { FMalloc* Malloc = GMalloc; FOutputDevice* Log = GLog; ~FRestoreGlobals() { GMalloc = Malloc, GLog = Log; } };
} // namespace

TEST_F(FIniBadInputTest, DamagedFilesNeitherCrashNorOverrunAndWhatIsWrittenReadsBack)
{
    // A fresh pooled allocator, and nothing logs (the test log's lines would cross allocators).
    std::unique_ptr<FMallocWindows> Pooled = std::make_unique<FMallocWindows>();
    FRestoreGlobals Restore;
    Pooled->Init();
    GMalloc = Pooled.get();
    GLog = GNull;
    for (int Case = 0; Case < 2000; Case++)
    {
        SCOPED_TRACE(testing::Message() << "case " << Case);
        Temp.Write(TEXT("Bad.ini"), RandomFile());
        {
            FConfigCacheIni Cache;
            Cache.Init(TEXT("Bad.ini"), TEXT("User.ini"), 0);
            UseAndChange(Cache, Contents(*Cache.Find(NULL, 0)));
            FSections Written = Contents(*Cache.Find(NULL, 0));
            Cache.Flush(1);
            FConfigFile Again;
            Again.Read(TEXT("Bad.ini"));
            ASSERT_EQ(ReadBack(Written), Contents(Again));
        }
        GMalloc->HeapCheck();
    }
}
