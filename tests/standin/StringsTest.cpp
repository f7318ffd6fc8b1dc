// Tests of the engine's arrays and strings.
#include "TestSupport.h"
#include <gtest/gtest.h>

TEST(TArray, GrowsAheadRemovesInOrderAndGivesRoomBackWhenMostlyEmpty)
{
    TArray<INT> Numbers;
    for (INT i = 0; i < 200; i++)
        Numbers.AddItem(i);
    Numbers.Remove(10, 5);
    EXPECT_TRUE(Numbers(10) == 15 && Numbers.Last() == 199); // the rest moves up in order
    Numbers.Remove(0, Numbers.Num() - 100); // less than half the room used: shrunk to fit
    EXPECT_TRUE(Numbers.Max() == 100 && Numbers(0) == 100);
    Numbers.Remove(0, 100);
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
        EXPECT_EQ(101, Names.RemoveItem(TEXT("ALPHA"))); // string equality ignores case
        TArray<FString> Copy(Names);
        Names(0) = TEXT("Changed");
        TArray<FString> Moved(std::move(Copy));
        EXPECT_EQ(1, Moved.AddUniqueItem(TEXT("gamma")));
        EXPECT_TRUE(Copy.Num() == 0 && Moved.Num() == 2 && Moved(0) == TEXT("Beta"));
    }
    EXPECT_EQ(Live, GTestMalloc.LiveAllocations); // every string and array went back
}

TEST(Strings, FStringsBuildCompareAndCutAndBoundedCopiesEndInTheirBuffer)
{
    FString Path(TEXT("..\\System"));
    Path += TEXT("\\Core.int");
    EXPECT_TRUE(Path == TEXT("..\\SYSTEM\\core.INT")); // ignoring the case of ASCII letters only
    EXPECT_FALSE(FString(TEXT("\u00e9")) == TEXT("\u00c9"));
    FString Self(TEXT("ab"));
    Self += *Self; // appending itself
    Self = *Self + 1; // assigning a tail of itself
    // Paths join with one backslash; parts asked for beyond the text are cut to it.
    EXPECT_STREQ(TEXT("x=bab ..\\Save\\* ..\\Save\\* \\*"), *(TEXT("x=") + Self + TEXT(" ") + FString(TEXT("..\\Save")) * TEXT("*") +
                                                            TEXT(" ") + FString(TEXT("..\\Save\\")) * TEXT("*") + TEXT(" ") + FString() * TEXT("*")));

    TCHAR Small[6];
    appStrcpy(Small, TEXT("Veltra System"));
    EXPECT_STREQ(TEXT("Veltr"), Small);
    appStrcpy(Small, TEXT("ab"));
    appStrcat(Small, TEXT("cdefgh"));
    EXPECT_STREQ(TEXT("abcde"), Small);
    appStrncat(Small, TEXT("x"), 6); // already full
    EXPECT_STREQ(TEXT("abcde"), Small);
    TCHAR Formatted[8];
    EXPECT_EQ(-1, appSprintf(Formatted, TEXT("%s"), TEXT("too long for it")));
    EXPECT_STREQ(TEXT("too lon"), Formatted);
}
