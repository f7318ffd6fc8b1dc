// Tests of reading keys, switches and command words from command lines.
#include "TestSupport.h"
#include <gtest/gtest.h>

TEST(Parse, FindsTheValueOfAKeyAtTheStartOfAWordWithinTheGivenRoom)
{
    // The command line and the value found, or NULL when the key is not there.
    const TCHAR* Cases[][2] = {
        {TEXT("-x LOG=game.log -y"), TEXT("game.log")},
        {TEXT("log=Game.log"), TEXT("Game.log")},                     // any letter case
        {TEXT("LOG=a.log,b"), TEXT("a.log")},                         // a comma ends a value
        {TEXT("LOG= rest"), TEXT("")},                                // present but empty
        {TEXT("ABSLOG=C:\\x.log"), NULL},                             // not inside a word
        {TEXT("ABSLOG=C:\\x.log -LOG=y.log"), TEXT("y.log")},
        {TEXT("LOG=\"My Games\\a b.log\" -x"), TEXT("My Games\\a b.log")}, // quoted blanks
        {TEXT("LOG=\"unterminated value"), TEXT("unterminated value")},
    };
    for (const auto& Case : Cases)
    {
        TCHAR Value[64] = TEXT("untouched");
        EXPECT_EQ(Case[1] != NULL, Parse(Case[0], TEXT("LOG="), Value, 64) != 0) << Case[0];
        EXPECT_STREQ(Case[1] ? Case[1] : TEXT("untouched"), Value) << Case[0];
    }
    TCHAR Value[8] = TEXT("1234567");
    EXPECT_TRUE(Parse(TEXT("KEY=abcdefghijkl"), TEXT("KEY="), Value, 5));
    EXPECT_TRUE(!appStrcmp(Value, TEXT("abcd")) && Value[5] == '6'); // untouched beyond the room
    EXPECT_FALSE(Parse(TEXT("KEY=abc"), TEXT("KEY="), Value, 0));
}

TEST(Parse, FindsWholeSwitchesAndConsumesOnlyAWholeLeadingCommandWord)
{
    for (const TCHAR* Stream : {TEXT("-server"), TEXT("map.unr /Server"), TEXT("-a -SERVER -b"), TEXT("x\t-server")})
        EXPECT_TRUE(ParseParam(Stream, TEXT("server"))) << Stream;
    // No switch sign, a longer or a shorter word, inside a value or a word.
    for (const TCHAR* Stream :
         {TEXT(""), TEXT("server"), TEXT("-servers"), TEXT("-serve"), TEXT("LOG=C:/server"), TEXT("x-server")})
        EXPECT_FALSE(ParseParam(Stream, TEXT("server"))) << Stream;
    EXPECT_FALSE(ParseParam(TEXT("-server"), TEXT("")));

    // The command line and what is left of it after the command, or NULL when it is not there
    // ('_' continues a word).
    const TCHAR* Cases[][2] = {
        {TEXT("  ShowLog  now"), TEXT("now")}, {TEXT("SHOWLOG"), TEXT("")}, {TEXT("ShowLog=1"), TEXT("=1")},
        {TEXT("ShowLogs"), NULL}, {TEXT("ShowLog_2"), NULL}, {TEXT("Show"), NULL},
    };
    for (const auto& Case : Cases)
    {
        const TCHAR* Cmd = Case[0];
        EXPECT_EQ(Case[1] != NULL, ParseCommand(&Cmd, TEXT("ShowLog")) != 0) << Case[0];
        EXPECT_STREQ(Case[1] ? Case[1] : Case[0], Cmd) << Case[0]; // no match: the stream stays
    }
}
