// TestWorld.cpp: the console-command tests' game.
#include "TestWorld.h"

IMPLEMENT_CLASS(UTestViewport, StartupTests, TestViewport, 0)
IMPLEMENT_CLASS(UTestClient, StartupTests, TestClient, 0)

FTestWorld::FTestWorld(bool WithPlayer)
{
    Engine = ConstructObject<UGameEngine>(UGameEngine::StaticClass());
    Level = ConstructObject<ULevel>(ULevel::StaticClass(), Engine);
    AActor* Player = Level->SpawnActor(APlayerPawn::StaticClass(), FVector());
    Engine->Client = ConstructObject<UClient>(UTestClient::StaticClass(), Engine);
    Viewport = ConstructObject<UTestViewport>(UTestViewport::StaticClass(), Engine->Client);
    Viewport->Actor = WithPlayer ? static_cast<APlayerPawn*>(Player) : NULL;
    Engine->Client->Viewports.AddItem(Viewport);
}
