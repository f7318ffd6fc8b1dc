// Tests of the engine's arrays and strings.
#include "TestSupport.h"
#include <gtest/gtest.h>

TEST(TArray, GrowsAheadOfItsElementsAndGivesRoomBackWhenMostlyEmpty)
{
    TArray<INT> Numbers;
    for (INT i = 0; i < 200; i++)
        Numbers.AddItem(i);
    EXPECT_LT(200, Numbers.Max());
    Numbers.Remove(10, 5);
    EXPECT_TRUE(Numbers(10) == 15 && Numbers.Last() == 199); // the rest moves up in order
    INT Room = Numbers.Max();
    Numbers.Remove(0, Numbers.Num() - (Room + 1) / 2); // half the room still used: kept
    EXPECT_EQ(Room, Numbers.Max());
    Numbers.Remove(0, Numbers.Num() - 100); // less than half used: shrunk to fit
    EXPECT_TRUE(Numbers.Max() == 100 && Numbers(0) == 100);
    Numbers.Remove(0, 60); // 40 left: less than half used, but too little to save
    EXPECT_EQ(100, Numbers.Max());
    Numbers.Remove(0, 40);
    EXPECT_EQ(nullptr, Numbers.GetData());

    // An index outside the array is a critical error, and changes nothing.
    EXPECT_THROW(Numbers(0), const TCHAR*);
    EXPECT_STREQ(TEXT("Array index out of bounds: 0 into an array of size 0"), *GTestError.LastMessage);
    Numbers.AddItem(1);
    EXPECT_THROW(Numbers(-1), const TCHAR*);
    EXPECT_THROW(Numbers.Remove(0, 2), const TCHAR*);
    EXPECT_EQ(1, Numbers.Num());
}

TEST(TArray, ElementsAreConstructedCopiedAndDestroyed)
{
    INT Live = GTestMalloc.LiveAllocations;
    {
        TArray<FString> Names;
        Names.AddItem(TEXT("Alpha"));
        Names.AddItem(TEXT("Gamma"));
        Names.InsertItem(TEXT("Beta"), 1);
        for (INT i = 0; i < 100; i++)
            Names.AddItem(Names(0)); // an element of the array itself, while it grows
        EXPECT_STREQ(TEXT("Beta"), *Names(1));
        EXPECT_EQ(101, Names.RemoveItem(TEXT("ALPHA"))); // string equality ignores case
        TArray<FString> Copy(Names);
        Names(0) = TEXT("Changed");
        EXPECT_STREQ(TEXT("Beta"), *Copy(0));
        TArray<FString> Moved(std::move(Copy));
        EXPECT_EQ(0, Copy.Num());
        EXPECT_EQ(1, Moved.AddUniqueItem(TEXT("gamma")));
        EXPECT_EQ(2, Moved.Num());
    }
    EXPECT_EQ(Live, GTestMalloc.LiveAllocations); // every string and array went back
}

TEST(FString, BuildsComparesAndCutsText)
{
    FString Path(TEXT("..\\System"));
    Path += TEXT("\\Core.int");
    EXPECT_TRUE(Path == TEXT("..\\SYSTEM\\core.INT")); // ignoring the case of ASCII letters only
    EXPECT_FALSE(FString(TEXT("\u00e9")) == TEXT("\u00c9"));
    EXPECT_TRUE(FString(TEXT("a")) < FString(TEXT("B")));

    FString Self(TEXT("ab"));
    Self += *Self; // appending itself
    Self = *Self + 1; // assigning a tail of itself
    EXPECT_STREQ(TEXT("x=bab!"), *(TEXT("x=") + Self + TEXT("!")));
    // Paths join with one backslash; parts asked for beyond the text are cut to it.
    EXPECT_STREQ(TEXT("..\\Save\\* ..\\Save\\* \\*"), *(FString(TEXT("..\\Save")) * TEXT("*") + TEXT(" ") +
                                                       FString(TEXT("..\\Save\\")) * TEXT("*") + TEXT(" ") + FString() * TEXT("*")));
    EXPECT_TRUE(Self.InStr(TEXT("ab")) == 1 && Self.InStr(TEXT("x")) == -1);
    EXPECT_STREQ(TEXT("bab||ab|"), *(Self.Left(99) + TEXT("|") + Self.Left(-1) + TEXT("|") + Self.Mid(1, 9) + TEXT("|") + Self.Mid(9)));
    FString Package, Name;
    EXPECT_TRUE(FString(TEXT("SoftDrv.SoftwareRenderDevice")).Split(TEXT("."), &Package, &Name));
    EXPECT_STREQ(TEXT("SoftDrv|SoftwareRenderDevice"), *(Package + TEXT("|") + Name));
    EXPECT_FALSE(FString(TEXT("NoDot")).Split(TEXT("."), &Package, &Name));
}

TEST(Strings, BoundedCopiesAlwaysEndInTheirBuffer)
{
    TCHAR Small[6];
    appStrcpy(Small, TEXT("Veltra System"));
    EXPECT_STREQ(TEXT("Veltr"), Small);
    appStrcpy(Small, TEXT("ab"));
    appStrcat(Small, TEXT("cdefgh"));
    EXPECT_STREQ(TEXT("abcde"), Small);
    TCHAR Text[4] = TEXT("abc");
    appStrncat(Text, TEXT("x"), 4); // already full
    EXPECT_STREQ(TEXT("abc"), Text);

    TCHAR Formatted[8];
    EXPECT_EQ(-1, appSprintf(Formatted, TEXT("%s"), TEXT("too long for it")));
    EXPECT_STREQ(TEXT("too lon"), Formatted);
    EXPECT_EQ(5, appSprintf(Formatted, TEXT("%hs/%s"), "ab", TEXT("wi"))); // Microsoft rules: %hs narrow, %s wide
    EXPECT_STREQ(TEXT("ab/wi"), Formatted);
}
