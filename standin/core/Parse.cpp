// Parse.cpp: reading keys, switches and command words from command lines.
#include "CoreInternal.h"

// Where Match starts a word of Stream (so "LOG=" never matches inside "ABSLOG="), or NULL.
static const TCHAR* FindWordStart(const TCHAR* Stream, const TCHAR* Match)
{
    INT MatchLen = appStrlen(Match);
    if (!MatchLen)
        return NULL;
    for (const TCHAR* At = Stream; *At; At++)
        if ((At == Stream || !appIsAlnum(At[-1])) && appStrnicmp(At, Match, MatchLen) == 0)
            return At;
    return NULL;
}

UBOOL Parse(const TCHAR* Stream, const TCHAR* Match, TCHAR* Value, INT MaxLen)
{
    const TCHAR* Found = FindWordStart(Stream, Match);
    if (!Found || MaxLen <= 0)
        return 0;
    const TCHAR* Start = Found + appStrlen(Match);
    const TCHAR* End;
    if (*Start == '"')
    {
        Start++;
        End = Start;
        while (*End && *End != '"')
            End++;
    }
    else
    {
        End = Start;
        while (*End && !appIsSpace(*End) && *End != ',')
            End++;
    }
    INT Count = INT(End - Start);
    if (Count > MaxLen - 1)
        Count = MaxLen - 1;
    appMemcpy(Value, Start, Count * sizeof(TCHAR));
    Value[Count] = 0;
    return 1;
}

UBOOL Parse(const TCHAR* Stream, const TCHAR* Match, FString& Value)
{
    TCHAR Temp[MAX_SPRINTF];
    if (!Parse(Stream, Match, Temp, ARRAY_COUNT(Temp)))
        return 0;
    Value = Temp;
    return 1;
}

// Numbers: the text of the value, converted.
template<class T, class F> static UBOOL ParseNumber(const TCHAR* Stream, const TCHAR* Match, T& Value, F Convert)
{
    TCHAR Temp[64];
    if (!Parse(Stream, Match, Temp, ARRAY_COUNT(Temp)))
        return 0;
    Value = Convert(Temp);
    return 1;
}

UBOOL Parse(const TCHAR* Stream, const TCHAR* Match, INT& Value) { return ParseNumber(Stream, Match, Value, appAtoi); }

UBOOL Parse(const TCHAR* Stream, const TCHAR* Match, FLOAT& Value) { return ParseNumber(Stream, Match, Value, appAtof); }

UBOOL ParseParam(const TCHAR* Stream, const TCHAR* Param)
{
    INT ParamLen = appStrlen(Param);
    if (!ParamLen)
        return 0;
    for (const TCHAR* At = Stream; *At; At++)
    {
        // A switch sign at the start of a word, the name, then the end of that word.
        if ((*At != '-' && *At != '/') || (At > Stream && !appIsSpace(At[-1])))
            continue;
        if (appStrnicmp(At + 1, Param, ParamLen) == 0)
        {
            TCHAR After = At[1 + ParamLen];
            if (After == 0 || appIsSpace(After))
                return 1;
        }
    }
    return 0;
}

UBOOL ParseCommand(const TCHAR** Stream, const TCHAR* Match)
{
    while (**Stream == ' ' || **Stream == '\t')
        (*Stream)++;
    INT MatchLen = appStrlen(Match);
    if (appStrnicmp(*Stream, Match, MatchLen) != 0 || appIsAlnum((*Stream)[MatchLen]))
        return 0;
    *Stream += MatchLen;
    while (**Stream == ' ' || **Stream == '\t')
        (*Stream)++;
    return 1;
}
