// TestWorld.h: a small game for the console-command tests: an engine with a level, a player
// at the origin, and a client whose one viewport shows the player (or nobody) in a window of
// the test's choice, keeping the commands it is given. Everything goes with the world
// (UObject::StaticExit).
#pragma once
#include "Engine.h"
#include "TestSupport.h"

class UTestViewport : public UViewport
{
    DECLARE_CLASS(UTestViewport, UViewport)
public:
    HWND Window = NULL;
    FString Commands; // every command given, each followed by a space; none carried out
    void* GetWindow() override { return Window; }
    UBOOL Exec(const TCHAR* Cmd, FOutputDevice&) override { Commands += FString(Cmd) + TEXT(" "); return 1; }
};

class UTestClient : public UClient
{
    DECLARE_CLASS(UTestClient, UClient)
};

struct FTestWorld
{
    explicit FTestWorld(bool WithPlayer = true);
    ~FTestWorld() { UObject::StaticExit(); }

    UGameEngine* Engine;
    ULevel* Level;
    UTestViewport* Viewport;
};
