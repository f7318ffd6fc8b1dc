// Windowing.cpp: the library's start (InitWindowing) and its window manager, which keeps the open property windows up to date.
#include "WindowInternal.h"

extern "C" IMAGE_DOS_HEADER __ImageBase; // this module

namespace
{
TArray<WWindow*>* OwnedWindows = NULL; // made when first needed: the allocator comes after loading

// Refreshes the library's property windows once a second, and closes what is left at exit.
class UWindowManager : public USubsystem
{
    DECLARE_CLASS(UWindowManager, USubsystem)
public:
    FLOAT SinceRefresh = 0.f;

    void Tick(FLOAT DeltaTime) override
    {
        SinceRefresh += DeltaTime;
        if (SinceRefresh < 1.f || !OwnedWindows)
            return;
        SinceRefresh = 0.f;
        for (WWindow* Window : *OwnedWindows)
            if (WProperties* Properties = dynamic_cast<WProperties*>(Window))
                Properties->ForceRefresh();
    }

    ~UWindowManager() override
    {
        if (GWindowManager == this)
            GWindowManager = NULL;
        if (!OwnedWindows)
            return;
        while (OwnedWindows->Num())
            delete OwnedWindows->Last(); // its destructor takes it off the list
        OwnedWindows->~TArray();
        appFree(OwnedWindows);
        OwnedWindows = NULL;
    }
};
} // namespace

IMPLEMENT_CLASS(UWindowManager, Window, WindowManager, 0)

HINSTANCE appWindowModule() { return reinterpret_cast<HINSTANCE>(&__ImageBase); }

void appRememberOwnedWindow(WWindow* Window)
{
    if (!OwnedWindows)
        OwnedWindows = new (appMalloc(sizeof(TArray<WWindow*>), TEXT("OwnedWindows"))) TArray<WWindow*>;
    OwnedWindows->AddItem(Window);
}

void appForgetOwnedWindow(WWindow* Window)
{
    if (OwnedWindows)
        OwnedWindows->RemoveItem(Window);
}

void InitWindowing()
{
    guard(InitWindowing);
    if (!GWindowManager)
        GWindowManager = ConstructObject<USubsystem>(UWindowManager::StaticClass(), NULL, FName(TEXT("WindowManager")));
    unguard;
}
