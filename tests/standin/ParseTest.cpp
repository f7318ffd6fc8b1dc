// Tests of reading keys, switches and command words from command lines.
#include "TestSupport.h"
#include <gtest/gtest.h>

TEST(Parse, FindsTheValueOfAKey)
{
    TCHAR Value[64];
    EXPECT_TRUE(Parse(TEXT("-x LOG=game.log -y"), TEXT("LOG="), Value, 64));
    EXPECT_STREQ(TEXT("game.log"), Value);
    EXPECT_TRUE(Parse(TEXT("log=Game.log"), TEXT("LOG="), Value, 64)); // any letter case
    EXPECT_STREQ(TEXT("Game.log"), Value);
    EXPECT_TRUE(Parse(TEXT("A=1,B=2"), TEXT("B="), Value, 64)); // a comma ends a value too
    EXPECT_STREQ(TEXT("2"), Value);
    EXPECT_TRUE(Parse(TEXT("A=1,B=2"), TEXT("A="), Value, 64));
    EXPECT_STREQ(TEXT("1"), Value);
    EXPECT_TRUE(Parse(TEXT("LOG= rest"), TEXT("LOG="), Value, 64)); // present but empty
    EXPECT_STREQ(TEXT(""), Value);
    EXPECT_FALSE(Parse(TEXT("-nolog"), TEXT("LOG="), Value, 64));
}

TEST(Parse, MatchesKeysOnlyAtTheStartOfAWord)
{
    TCHAR Value[64] = TEXT("untouched");
    EXPECT_FALSE(Parse(TEXT("ABSLOG=C:\\x.log"), TEXT("LOG="), Value, 64));
    EXPECT_STREQ(TEXT("untouched"), Value);
    EXPECT_TRUE(Parse(TEXT("ABSLOG=C:\\x.log LOG=y.log"), TEXT("LOG="), Value, 64));
    EXPECT_STREQ(TEXT("y.log"), Value);
    EXPECT_TRUE(Parse(TEXT("-LOG=z.log"), TEXT("LOG="), Value, 64));
    EXPECT_STREQ(TEXT("z.log"), Value);
}

TEST(Parse, QuotedValuesKeepTheirBlanks)
{
    TCHAR Value[64];
    EXPECT_TRUE(Parse(TEXT("LOG=\"My Games\\a b.log\" -x"), TEXT("LOG="), Value, 64));
    EXPECT_STREQ(TEXT("My Games\\a b.log"), Value);
    EXPECT_TRUE(Parse(TEXT("LOG=\"unterminated value"), TEXT("LOG="), Value, 64));
    EXPECT_STREQ(TEXT("unterminated value"), Value);
    EXPECT_TRUE(Parse(TEXT("LOG=\"\""), TEXT("LOG="), Value, 64));
    EXPECT_STREQ(TEXT(""), Value);
}

TEST(Parse, NeverWritesPastTheGivenRoom)
{
    TCHAR Value[8];
    Value[5] = 'X';
    Value[6] = 'Y';
    EXPECT_TRUE(Parse(TEXT("KEY=abcdefghijkl"), TEXT("KEY="), Value, 5));
    EXPECT_STREQ(TEXT("abcd"), Value);
    EXPECT_EQ('X', Value[5]);
    EXPECT_EQ('Y', Value[6]);
    EXPECT_FALSE(Parse(TEXT("KEY=abc"), TEXT("KEY="), Value, 0)); // no room at all
}

TEST(Parse, TypedValuesAndStrings)
{
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
    EXPECT_TRUE(ParseParam(TEXT("-changevideo"), TEXT("changevideo")));
    EXPECT_TRUE(ParseParam(TEXT("map.unr /ChangeVideo"), TEXT("changevideo")));
    EXPECT_TRUE(ParseParam(TEXT("-a -SERVER -b"), TEXT("server")));
    EXPECT_TRUE(ParseParam(TEXT("x\t-server"), TEXT("SERVER")));
}

TEST(ParseParam, IgnoresPartsOfOtherWords)
{
    EXPECT_FALSE(ParseParam(TEXT(""), TEXT("server")));
    EXPECT_FALSE(ParseParam(TEXT("server"), TEXT("server")));          // no switch sign
    EXPECT_FALSE(ParseParam(TEXT("-servers"), TEXT("server")));        // a longer word
    EXPECT_FALSE(ParseParam(TEXT("-serve"), TEXT("server")));          // a shorter word
    EXPECT_FALSE(ParseParam(TEXT("LOG=C:/server"), TEXT("server")));   // inside a value
    EXPECT_FALSE(ParseParam(TEXT("x-server"), TEXT("server")));
    EXPECT_FALSE(ParseParam(TEXT("-server"), TEXT("")));
}

TEST(ParseCommand, ConsumesALeadingCommandWord)
{
    const TCHAR* Cmd = TEXT("  ShowLog  now");
    EXPECT_TRUE(ParseCommand(&Cmd, TEXT("SHOWLOG")));
    EXPECT_STREQ(TEXT("now"), Cmd);

    Cmd = TEXT("SetRes 800x600");
    EXPECT_TRUE(ParseCommand(&Cmd, TEXT("SetRes")));
    EXPECT_STREQ(TEXT("800x600"), Cmd);

    Cmd = TEXT("EditActor");
    EXPECT_TRUE(ParseCommand(&Cmd, TEXT("EditActor")));
    EXPECT_STREQ(TEXT(""), Cmd);
}

TEST(ParseCommand, LeavesTheStreamAloneWithoutAWholeWordMatch)
{
    const TCHAR* Start = TEXT("ShowLogs");
    const TCHAR* Cmd = Start;
    EXPECT_FALSE(ParseCommand(&Cmd, TEXT("ShowLog")));
    EXPECT_EQ(Start, Cmd);

    Cmd = Start = TEXT("Show");
    EXPECT_FALSE(ParseCommand(&Cmd, TEXT("ShowLog")));
    EXPECT_EQ(Start, Cmd);

    Cmd = TEXT("ShowLog_2");
    EXPECT_FALSE(ParseCommand(&Cmd, TEXT("ShowLog"))); // '_' continues a word
    Cmd = TEXT("ShowLog=1");
    EXPECT_TRUE(ParseCommand(&Cmd, TEXT("ShowLog")));
    EXPECT_STREQ(TEXT("=1"), Cmd);
}
