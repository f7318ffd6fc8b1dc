// Tests of the cache's hash map: the key hash, growth and shrinking of the slots, repeated
// keys and the statistics dump.
#include "TMapBase.h"
#include "TestFiles.h"

static FString KeyName(INT i) { return FString::Printf(TEXT("Key%i"), i); }

TEST(TMapBase, HashIsCrc32OfTheUtf16BytesWithOnlyAsciiLettersFoldedAndDumpShowsTheChains)
{
    // The high byte counts, and letters beyond ASCII are not folded.
    const struct { const TCHAR* Key; DWORD Hash; } Cases[] = {{TEXT("A"), 0xE9627E44u}, {TEXT("a"), 0xE9627E44u},
        {TEXT("Engine.Engine"), 0x0B6D04E4u}, {TEXT("\x00E9"), 0x8FBC48A5u}, {TEXT("\x00C9"), 0x1A386C07u}};
    for (const auto& Case : Cases)
        EXPECT_EQ(Case.Hash, HashKeyNoCase(Case.Key)) << Narrow(Case.Key);

    TMultiMap<FString, FString> Map;
    Map.Add(TEXT("A"), TEXT("1"));
    Map.Add(TEXT("a"), TEXT("2")); // one chain: slot 0xE9627E44 & 7 = 4
    FCaptureDevice Out;
    Map.Dump(Out);
    EXPECT_EQ((std::vector<std::string>{"TMapBase: 2 items, 8 hash slots", "   Hash[0] = 0", "   Hash[1] = 0", "   Hash[2] = 0",
                                        "   Hash[3] = 0", "   Hash[4] = 2", "   Hash[5] = 0", "   Hash[6] = 0", "   Hash[7] = 0"}),
              Narrow(Out.Lines));
}

TEST(TMapBase, SlotsFollowThePairCountAndRepeatedKeysKeepTheirOrderNewestFirst)
{
    TMultiMap<FString, FString> Map;
    Map.Add(TEXT("a"), TEXT("1"));
    Map.Add(TEXT("b"), TEXT("2"));
    Map.Add(TEXT("A"), TEXT("3"));
    for (INT i = 3; i < 41; i++) // doubles beyond twice the slots plus eight, relinking every chain
    {
        Map.Add(KeyName(i), KeyName(i));
        EXPECT_EQ(i < 24 ? 8 : i < 40 ? 16 : 32, Map.GetHashCount()) << i + 1 << " pairs";
    }
    Map.Add(TEXT("a"), TEXT("5"));
    for (INT i = 3; i < 41; i++)
        ASSERT_TRUE(Map.Find(*KeyName(i)) && *Map.Find(*KeyName(i)) == KeyName(i)) << i;
    EXPECT_STREQ(TEXT("5"), **Map.Find(TEXT("A")));
    TArray<FString> Values;
    Map.MultiFind(TEXT("A"), Values);
    EXPECT_EQ((std::vector<std::string>{"5", "3", "1"}), Narrow(Values));

    // Removal takes every pair of the key, leaves the others in order and shrinks the slots back.
    EXPECT_EQ(3, Map.Remove(TEXT("a")));
    FString Order;
    for (TMultiMap<FString, FString>::TIterator It(Map); It; ++It)
        Order += It.Key() + TEXT(" ");
    EXPECT_STREQ(*(TEXT("b ") + KeyName(3) + TEXT(" ")), *Order.Left(7));
    for (INT i = 40; i >= 3; i--)
        EXPECT_EQ(1, Map.Remove(*KeyName(i)));
    EXPECT_TRUE(Map.GetHashCount() == 8 && Map.Remove(TEXT("a")) == 0 && Map.Find(TEXT("a")) == nullptr);
    EXPECT_TRUE(Map.Num() == 1 && *Map.Find(TEXT("B")) == TEXT("2"));
    for (INT i = 0; i < 30; i++)
        Map.Add(KeyName(100 + i), TEXT("x"));
    Map.Empty();
    EXPECT_TRUE(Map.Num() == 0 && Map.GetHashCount() == 8);
}
