// Tests of reading keys, switches and command words from command lines.
#include "TestSupport.h"
#include <gtest/gtest.h>

TEST(Parse, FindsTheValueOfAKeyAtTheStartOfAWord)
{
    struct
    {
        const TCHAR* Stream;
        const TCHAR* Value; // NULL: the key is not there
    } Cases[] = {
        {TEXT("-x LOG=game.log -y"), TEXT("game.log")},
        {TEXT("log=Game.log"), TEXT("Game.log")},                     // any letter case
        {TEXT("LOG=a.log,b"), TEXT("a.log")},                         // a comma ends a value
        {TEXT("LOG= rest"), TEXT("")},                                // present but empty
        {TEXT("ABSLOG=C:\\x.log"), NULL},                             // not inside a word
        {TEXT("ABSLOG=C:\\x.log LOG=y.log"), TEXT("y.log")},
        {TEXT("-LOG=z.log"), TEXT("z.log")},
        {TEXT("LOG=\"My Games\\a b.log\" -x"), TEXT("My Games\\a b.log")}, // quoted blanks
        {TEXT("LOG=\"unterminated value"), TEXT("unterminated value")},
        {TEXT("LOG=\"\""), TEXT("")},
        {TEXT("-nolog"), NULL},
    };
    for (const auto& Case : Cases)
    {
        TCHAR Value[64] = TEXT("untouched");
        EXPECT_EQ(Case.Value != NULL, Parse(Case.Stream, TEXT("LOG="), Value, 64) != 0) << Case.Stream;
        EXPECT_STREQ(Case.Value ? Case.Value : TEXT("untouched"), Value) << Case.Stream;
    }
}

TEST(Parse, NeverWritesPastTheGivenRoomAndConvertsNumbers)
{
    TCHAR Value[8] = TEXT("1234567");
    EXPECT_TRUE(Parse(TEXT("KEY=abcdefghijkl"), TEXT("KEY="), Value, 5));
    EXPECT_STREQ(TEXT("abcd"), Value);
    EXPECT_EQ('6', Value[5]); // untouched beyond the room
    EXPECT_FALSE(Parse(TEXT("KEY=abc"), TEXT("KEY="), Value, 0));

    INT Number = 0;
    EXPECT_TRUE(Parse(TEXT("PORT=7777 X"), TEXT("PORT="), Number));
    EXPECT_EQ(7777, Number);
    FLOAT Float = 0.f;
    EXPECT_TRUE(Parse(TEXT("FOV=90.5"), TEXT("FOV="), Float));
    EXPECT_FLOAT_EQ(90.5f, Float);
    FString Text(TEXT("old"));
    EXPECT_FALSE(Parse(TEXT("nothing"), TEXT("NAME="), Text));
    EXPECT_STREQ(TEXT("old"), *Text);
    EXPECT_TRUE(Parse(TEXT("NAME=\"Ada L\""), TEXT("NAME="), Text));
    EXPECT_STREQ(TEXT("Ada L"), *Text);
}

TEST(ParseParam, FindsWholeSwitchesAfterADashOrSlash)
{
    struct
    {
        const TCHAR* Stream;
        bool Found;
    } Cases[] = {
        {TEXT("-server"), true},
        {TEXT("map.unr /Server"), true},
        {TEXT("-a -SERVER -b"), true},
        {TEXT("x\t-server"), true},
        {TEXT(""), false},
        {TEXT("server"), false},        // no switch sign
        {TEXT("-servers"), false},      // a longer word
        {TEXT("-serve"), false},        // a shorter word
        {TEXT("LOG=C:/server"), false}, // inside a value
        {TEXT("x-server"), false},
    };
    for (const auto& Case : Cases)
        EXPECT_EQ(Case.Found, ParseParam(Case.Stream, TEXT("server")) != 0) << Case.Stream;
    EXPECT_FALSE(ParseParam(TEXT("-server"), TEXT("")));
}

TEST(ParseCommand, ConsumesOnlyAWholeLeadingCommandWord)
{
    struct
    {
        const TCHAR* Stream;
        const TCHAR* Rest; // NULL: no match, the stream stays where it was
    } Cases[] = {
        {TEXT("  ShowLog  now"), TEXT("now")}, // any case, blanks around it skipped
        {TEXT("SHOWLOG"), TEXT("")},
        {TEXT("ShowLog=1"), TEXT("=1")},
        {TEXT("ShowLogs"), NULL},
        {TEXT("ShowLog_2"), NULL}, // '_' continues a word
        {TEXT("Show"), NULL},
    };
    for (const auto& Case : Cases)
    {
        const TCHAR* Cmd = Case.Stream;
        EXPECT_EQ(Case.Rest != NULL, ParseCommand(&Cmd, TEXT("ShowLog")) != 0) << Case.Stream;
        EXPECT_STREQ(Case.Rest ? Case.Rest : Case.Stream, Cmd) << Case.Stream;
    }
}
