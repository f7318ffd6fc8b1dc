// TestWorld.h: a small game for the console-command tests: an engine with a level, a player
// at the origin, and a client whose one viewport shows the player (or nobody) in a window of
// the test's choice. Everything goes with the world (UObject::StaticExit).
#pragma once
#include "Engine.h"
#include "TestSupport.h"

class UTestViewport : public UViewport
{
    DECLARE_CLASS(UTestViewport, UViewport)
public:
    HWND Window = NULL;
    void* GetWindow() override { return Window; }
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
