// GuiPlayer.cpp: the player with a game GUI: its root window, native 1050, and the console
// commands that run the game's GUI scripts.
#include "Extension.h"

IMPLEMENT_CLASS(AGuiPlayer, Extension, GuiPlayer, 0)
IMPLEMENT_FUNCTION(AGuiPlayer, 1050, execResizeRoot)

namespace
{
// Runs the script function Name of Target with Parms; the window it returns, or NULL.
XWindow* CallWindowScript(XWindow* Target, const TCHAR* Name, FScriptSlot* Parms, FOutputDevice& Ar)
{
    UFunction* Function = Target->FindFunction(FName(Name, FNAME_Find));
    if (!Function)
    {
        Ar.Logf(TEXT("Window: %s has no script function %s"), Target->GetFullName(), Name);
        return NULL;
    }
    UObject* Result = NULL;
    Target->ProcessEvent(Function, Parms, &Result);
    XWindow* Window = Cast<XWindow>(Result);
    if (Window)
        Ar.Logf(TEXT("Window: created Name=%s Class=%s Parent=%s Visible=%i"), Window->GetName(),
                Window->GetClass()->GetPathName(), Window->Parent ? Window->Parent->GetName() : TEXT("None"),
                Window->bIsVisible ? 1 : 0);
    else
        Ar.Log(TEXT("Window: none created"));
    return Window;
}
} // namespace

AGuiPlayer::AGuiPlayer()
{
    // The class default is copied first: loading a class may add to the defaults of others.
    TCHAR RootClassName[256] = TEXT("");
    if (const TCHAR* Configured = GetClass() ? GetClass()->GetDefaultText(TEXT("RootWindowClass")) : NULL)
        appStrcpy(RootClassName, Configured);
    UClass* RootClass = NULL;
    if (RootClassName[0])
        RootClass = StaticLoadClass(XRootWindow::StaticClass(), NULL, RootClassName, NULL, LOAD_None, NULL);
    RootWindow = ConstructObject<XRootWindow>(RootClass ? RootClass : XRootWindow::StaticClass(), this);
    RootWindow->Root = RootWindow;
    RootWindow->GC = ConstructObject<XGC>(XGC::StaticClass(), RootWindow);
    RootWindow->bIsVisible = 1;
}

void AGuiPlayer::execResizeRoot(FFrame& Stack, void*)
{
    P_GET_OBJECT(UCanvas, Canvas);
    P_FINISH;
    if (RootWindow && Canvas)
        RootWindow->ResizeRoot(Canvas);
}

void AGuiPlayer::RenderOverlays(UCanvas* Canvas)
{
    if (!RootWindow)
        return;
    RootWindow->Draw(Canvas, RootWindow->HMultiplier, RootWindow->VMultiplier, 0.f, 0.f);
    if (RootWindow->bCursorActive)
    {
        FLOAT X, Y;
        RootWindow->GetRootCursorPos(&X, &Y);
        Canvas->FillRect(INT(X), INT(Y), 6, 6, RGB(255, 255, 255));
    }
}

void AGuiPlayer::MouseMoved(FLOAT X, FLOAT Y)
{
    if (!RootWindow)
        return;
    RootWindow->MouseX = X / FLOAT(RootWindow->HMultiplier ? RootWindow->HMultiplier : 1);
    RootWindow->MouseY = Y / FLOAT(RootWindow->VMultiplier ? RootWindow->VMultiplier : 1);
}

void AGuiPlayer::GetStatusLines(TArray<FString>& Lines)
{
    if (!RootWindow)
        return;
    XRootWindow* Root = RootWindow;
    Lines.AddItem(FString::Printf(TEXT("GUI Multipliers=%ix%i Root=%.1fx%.1f Clip=%.1fx%.1f Cursor=%i"),
                                  Root->HMultiplier, Root->VMultiplier, Root->Width, Root->Height,
                                  Root->ClipRect.ClipWidth, Root->ClipRect.ClipHeight, Root->bCursorActive ? 1 : 0));
    for (XWindow* Child = Root->GetBottomChild(0); Child; Child = Child->GetHigherSibling(0))
        Lines.AddItem(FString::Printf(TEXT("GUI Window %s Class=%s Size=%.1fx%.1f Visible=%i Layouts=%i"),
                                      Child->GetName(), Child->GetClass()->GetPathName(), Child->Width,
                                      Child->Height, Child->bIsVisible ? 1 : 0, Child->Layouts));
}

UBOOL AGuiPlayer::Exec(const TCHAR* Cmd, FOutputDevice& Ar)
{
    guard(AGuiPlayer::Exec);
    if (!RootWindow)
        return 0;
    const TCHAR* Str = Cmd;
    FScriptSlot Parms[2] = {};
    if (ParseCommand(&Str, TEXT("conversation")))
    {
        CallWindowScript(RootWindow, TEXT("StartConversation"), Parms, Ar);
        return 1;
    }
    if (ParseCommand(&Str, TEXT("savemenu")))
    {
        if (XWindow* Menu = CallWindowScript(RootWindow, TEXT("OpenSaveMenu"), Parms, Ar))
            if (UFunction* FreeSpace = Menu->FindFunction(FName(TEXT("FreeSpace"), FNAME_Find)))
            {
                INT KiloBytes = 0;
                Menu->ProcessEvent(FreeSpace, Parms, &KiloBytes);
                Ar.Logf(TEXT("SaveMenu: FreeSpace=%i KB"), KiloBytes);
            }
        return 1;
    }
    if (ParseCommand(&Str, TEXT("openwindow")))
    {
        TCHAR ClassName[256];
        INT Len = 0;
        while (Str[Len] && !appIsSpace(Str[Len]) && Len < INT(ARRAY_COUNT(ClassName)) - 1)
            Len++;
        appStrncpy(ClassName, Str, Len + 1);
        const TCHAR* FlagText = Str + Len;
        while (appIsSpace(*FlagText))
            FlagText++;
        Parms[0].Object = StaticLoadClass(XWindow::StaticClass(), NULL, ClassName, NULL, LOAD_None, NULL);
        Parms[1].Int = appAtoi(FlagText);
        CallWindowScript(RootWindow, *FlagText ? TEXT("OpenWindowFlag") : TEXT("OpenWindow"), Parms, Ar);
        return 1;
    }
    if (ParseCommand(&Str, TEXT("closewindow")))
    {
        if (XWindow* Top = RootWindow->TopChild)
        {
            Ar.Logf(TEXT("Window: closed %s"), Top->GetFullName());
            Top->Destroy();
        }
        else
            Ar.Log(TEXT("Window: none"));
        return 1;
    }
    return 0;
    unguard;
}
