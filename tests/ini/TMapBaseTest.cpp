// Tests of the cache's hash map: the key hash, growth and shrinking of the slots, repeated
// keys and the statistics dump.
#include "IniTestSupport.h"

namespace
{
FString KeyName(INT i) { return FString::Printf(TEXT("Key%i"), i); }

TArray<FString> Keys(TMapBase<FString, FString>& Map)
{
    TArray<FString> Result;
    for (TMapBase<FString, FString>::TIterator It(Map); It; ++It)
        Result.AddItem(It.Key() + TEXT("=") + It.Value());
    return Result;
}
} // namespace

TEST(HashKeyNoCase, IsCrc32OfTheUtf16BytesWithOnlyAsciiLettersFolded)
{
    EXPECT_EQ(0u, HashKeyNoCase(TEXT("")));
    EXPECT_EQ(0xE9627E44u, HashKeyNoCase(TEXT("A")));
    EXPECT_EQ(0xE9627E44u, HashKeyNoCase(TEXT("a")));
    EXPECT_EQ(0x0B6D04E4u, HashKeyNoCase(TEXT("Engine.Engine")));
    EXPECT_EQ(0x8FBC48A5u, HashKeyNoCase(TEXT("\x00E9"))); // the high byte counts, no folding
    EXPECT_EQ(0x1A386C07u, HashKeyNoCase(TEXT("\x00C9")));
}

TEST(TMapBase, SlotsDoubleBeyondTwicePlusEightAndShrinkBackAfterRemoval)
{
    TMap<FString, INT> Map;
    EXPECT_EQ(8, Map.GetHashCount());
    for (INT i = 0; i < 24; i++)
        Map.Set(KeyName(i), i);
    EXPECT_EQ(8, Map.GetHashCount()); // 8 slots carry 24 pairs
    Map.Set(KeyName(24), 24);
    EXPECT_EQ(16, Map.GetHashCount());
    for (INT i = 25; i < 41; i++)
        Map.Set(KeyName(i), i);
    EXPECT_EQ(32, Map.GetHashCount());
    for (INT i = 0; i < 41; i++)
        ASSERT_TRUE(Map.Find(*KeyName(i)) && *Map.Find(*KeyName(i)) == i) << i; // all relinked

    for (INT i = 40; i >= 1; i--)
        EXPECT_EQ(1, Map.Remove(*KeyName(i)));
    EXPECT_EQ(8, Map.GetHashCount());
    EXPECT_EQ(0, Map.Remove(TEXT("Key5")));
    ASSERT_TRUE(Map.Find(TEXT("KEY0")));
    EXPECT_EQ(0, *Map.Find(TEXT("key0")));

    Map.Set(TEXT("key0"), 7); // Set replaces, whatever the letter case
    EXPECT_EQ(1, Map.Num());
    EXPECT_EQ(7, *Map.Find(TEXT("Key0")));
    for (INT i = 0; i < 30; i++)
        Map.Set(KeyName(100 + i), i);
    Map.Empty();
    EXPECT_EQ(0, Map.Num());
    EXPECT_EQ(8, Map.GetHashCount());
    EXPECT_EQ(nullptr, Map.Find(TEXT("Key0")));
}

TEST(TMapBase, RepeatedKeysKeepTheirOrderAndTheNewestWins)
{
    TMultiMap<FString, FString> Map;
    Map.Add(TEXT("a"), TEXT("1"));
    Map.Add(TEXT("b"), TEXT("2"));
    Map.Add(TEXT("A"), TEXT("3"));
    Map.Add(TEXT("c"), TEXT("4"));
    ASSERT_TRUE(Map.Find(TEXT("a")));
    EXPECT_STREQ(TEXT("3"), **Map.Find(TEXT("a")));

    TArray<FString> Values;
    Map.MultiFind(TEXT("a"), Values);
    ASSERT_EQ(2, Values.Num());
    EXPECT_STREQ(TEXT("3"), *Values(0));
    EXPECT_STREQ(TEXT("1"), *Values(1));

    // Growth relinks every chain, newest first again.
    for (INT i = 0; i < 30; i++)
        Map.Add(KeyName(i), TEXT("x"));
    Map.Add(TEXT("a"), TEXT("5"));
    Values.Empty();
    Map.MultiFind(TEXT("A"), Values);
    ASSERT_EQ(3, Values.Num());
    EXPECT_STREQ(TEXT("5"), *Values(0));
    EXPECT_STREQ(TEXT("1"), *Values(2));

    // Removal takes every pair of the key and leaves the others in order.
    EXPECT_EQ(3, Map.Remove(TEXT("a")));
    EXPECT_EQ(nullptr, Map.Find(TEXT("a")));
    TArray<FString> Left = Keys(Map);
    ASSERT_EQ(32, Left.Num());
    EXPECT_STREQ(TEXT("b=2"), *Left(0));
    EXPECT_STREQ(TEXT("c=4"), *Left(1));
    EXPECT_STREQ(TEXT("Key29=x"), *Left(31));
}

TEST(TMapBase, CopiesAreIndependentAndFindEveryPair)
{
    TMultiMap<FString, FString> Original;
    for (INT i = 0; i < 30; i++)
        Original.Add(KeyName(i), KeyName(i));
    TMultiMap<FString, FString> Copy(Original);
    Original.Empty();
    EXPECT_EQ(30, Copy.Num());
    EXPECT_EQ(16, Copy.GetHashCount());
    for (INT i = 0; i < 30; i++)
        ASSERT_TRUE(Copy.Find(*KeyName(i)) && *Copy.Find(*KeyName(i)) == KeyName(i)) << i;
}

TEST(TMapBase, DumpListsTheCountsAndEveryChainLength)
{
    TMultiMap<FString, FString> Map;
    Map.Add(TEXT("A"), TEXT("1"));
    Map.Add(TEXT("a"), TEXT("2")); // same chain: slot 0xE9627E44 & 7 = 4
    FCaptureDevice Out;
    Map.Dump(Out);
    ASSERT_EQ(9, Out.Lines.Num());
    EXPECT_STREQ(TEXT("TMapBase: 2 items, 8 hash slots"), *Out.Lines(0));
    for (INT i = 0; i < 8; i++)
        EXPECT_STREQ(*FString::Printf(TEXT("   Hash[%i] = %i"), i, i == 4 ? 2 : 0), *Out.Lines(i + 1));
}
