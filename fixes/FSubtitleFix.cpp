// FSubtitleFix.cpp: native 1410 with the wide-screen conversation window.
#include "FSubtitleFix.h"
#include "FHookRegistry.h"
#include "Extension.h"

namespace
{
// The replacement runs as a method of the window the script calls it on, the new one's parent.
class XSubtitleFixWindow : public XWindow
{
public:
    DECLARE_FUNCTION(execCreateWindow);
};

void XSubtitleFixWindow::execCreateWindow(FFrame& Stack, void* Result)
{
    GHookRegistry->FindHook(FSubtitleFix::Number);
    P_GET_OBJECT(UClass, NewClass);
    P_GET_INT_OPTX(bShow, 1);
    P_FINISH;
    *static_cast<XWindow**>(Result) = CreateNewWindow(FSubtitleFix::ChooseWindowClass(NewClass), this, bShow);
}
} // namespace

FSubtitleFix::FSubtitleFix()
    : FNativeHook(static_cast<Native>(&XSubtitleFixWindow::execCreateWindow), TEXT("Widescreen subtitle fix"))
{
}

void CreateSubtitleFix(const TCHAR* Section)
{
    UBOOL Wanted = 0;
    GConfig->GetBool(Section, TEXT("SubtitleFix"), Wanted);
    if (Wanted)
        NewHook<FSubtitleFix>();
}

bool FSubtitleFix::IsConversationWindowName(const TCHAR* FullName)
{
    return appStrcmp(FullName, TEXT("Class Veltra.ConWindowActive")) == 0;
}

UClass* FSubtitleFix::ChooseWindowClass(UClass* Requested)
{
    // Only a script-defined modal window can be the conversation window: other classes are
    // passed on without building their names.
    if (!Requested || Requested->ClassConstructor != &XModalWindow::InternalConstructor ||
        !IsConversationWindowName(Requested->GetFullName()))
        return Requested;
    // Asked for every time: the package may be loaded by now or not, and we keep no copy.
    UClass* Wide = UObject::StaticLoadClass(UObject::StaticClass(), NULL, TEXT("Corvane.ConWindowActive2"),
                                            TEXT("Corvane"), LOAD_None, NULL);
    return Wide ? Wide : Requested;
}
