// StartupChoices.cpp: the entry's command-line decisions.
#include "StartupChoices.h"
#include "FFileManagerUserDocuments.h"

namespace
{
// The managers' own operator new may give back null, which a plain new-expression would
// construct into; so allocation and construction are taken apart.
template<class T> FFileManagerWindows* CreateInRuntimeHeap()
{
    void* Memory = T::operator new(sizeof(T));
    return Memory ? ::new (Memory) T : NULL;
}
} // namespace

UBOOL WantsLocalData(const TCHAR* FullCmdLine) { return appStrstr(FullCmdLine, TEXT(" -localdata")) != NULL; }

FFileManagerWindows* CreateFileManager(const TCHAR* FullCmdLine)
{
    if (WantsLocalData(FullCmdLine))
        return CreateInRuntimeHeap<FFileManagerWindows>();
    return CreateInRuntimeHeap<FFileManagerUserDocuments>();
}

void SetRoleFlags(const TCHAR* CmdLine)
{
    GIsStarted = 1;
    GIsServer = 1;
    GIsClient = !ParseParam(CmdLine, TEXT("SERVER"));
    GIsEditor = 0;
    GIsScriptable = 1;
    GLazyLoad = !GIsClient;
}
