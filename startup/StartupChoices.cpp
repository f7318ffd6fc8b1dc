// StartupChoices.cpp: the entry's command-line decisions.
#include "StartupChoices.h"

UBOOL WantsLocalData(const TCHAR* FullCmdLine) { return appStrstr(FullCmdLine, TEXT(" -localdata")) != NULL; }

void SetRoleFlags(const TCHAR* CmdLine)
{
    GIsStarted = 1;
    GIsServer = 1;
    GIsClient = !ParseParam(CmdLine, TEXT("SERVER"));
    GIsEditor = 0;
    GIsScriptable = 1;
    GLazyLoad = !GIsClient;
}
