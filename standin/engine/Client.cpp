// Client.cpp: what every client and viewport share: configuration and the command path.
#include "Engine.h"

IMPLEMENT_CLASS(UViewport, Engine, Viewport, CLASS_Abstract)
IMPLEMENT_CLASS(UClient, Engine, Client, CLASS_Abstract)

UBOOL UViewport::Exec(const TCHAR* Cmd, FOutputDevice& Ar)
{
    return Client && Client->Engine ? Client->Engine->Exec(Cmd, Ar) : 0;
}

void UClient::LoadConfig(UBOOL, UClass*, const TCHAR*)
{
    guard(UClient::LoadConfig);
    const TCHAR* Section = GetClass()->GetPathName();
    GConfig->GetInt(Section, TEXT("WindowedViewportX"), WindowedViewportX);
    GConfig->GetInt(Section, TEXT("WindowedViewportY"), WindowedViewportY);
    GConfig->GetInt(Section, TEXT("FullscreenViewportX"), FullscreenViewportX);
    GConfig->GetInt(Section, TEXT("FullscreenViewportY"), FullscreenViewportY);
    GConfig->GetInt(Section, TEXT("FullscreenColorBits"), FullscreenColorBits);
    GConfig->GetBool(Section, TEXT("StartupFullscreen"), StartupFullscreen);
    GConfig->GetBool(Section, TEXT("UseDirectInput"), UseDirectInput);
    unguard;
}

void UClient::Init(UEngine* InEngine)
{
    Engine = InEngine;
    LoadConfig();
}
