// Actors.h: the game world: a level and the actors in it, among them the player.
#pragma once
#include "EngineApi.h"

class ULevel;
class UCanvas;
class UViewport;

class ENGINE_API AActor : public UObject
{
    DECLARE_CLASS(AActor, UObject)
public:
    FVector Location;
    FVector Velocity;       // units per second
    ULevel* XLevel = NULL;  // the level the actor stands in
    UBOOL bDeleteMe = 0;    // destroyed: out of its level, waiting to be freed

    virtual void Tick(FLOAT DeltaSeconds);
    void GetPropertyTexts(TArray<FString>& Out) override;
};

// Moves along a circle around where it was spawned: the small world's motion.
class ENGINE_API AProp : public AActor
{
    DECLARE_CLASS(AProp, AActor)
public:
    FVector Center;
    FLOAT Radius = 64.f;
    FLOAT Angle = 0.f;        // radians
    FLOAT AngularSpeed = 1.f; // radians per second

    void Tick(FLOAT DeltaSeconds) override;
};

// The player. The field of view is at rest when the desired angle equals the default one;
// a zoom changes only the desired angle.
class ENGINE_API APlayerPawn : public AActor
{
    DECLARE_CLASS(APlayerPawn, AActor)
public:
    FLOAT DesiredFOV = 90.f;
    FLOAT DefaultFOV = 90.f;
    UViewport* Player = NULL; // the viewport the player looks through

    // [Engine.PlayerPawn] DesiredFOV and DefaultFOV of the user ini.
    void LoadConfig(UBOOL Propagate = 0, UClass* Class = NULL, const TCHAR* Filename = NULL) override;
    void GetPropertyTexts(TArray<FString>& Out) override;
    // Draws what the player has over the world (a game GUI, for one).
    virtual void RenderOverlays(UCanvas* Canvas);
    // The player's own console commands; the engine offers them what it does not handle.
    virtual UBOOL Exec(const TCHAR* Cmd, FOutputDevice& Ar);
    // The mouse cursor stands at X, Y (pixels of the viewport).
    virtual void MouseMoved(FLOAT X, FLOAT Y);
    // Lines of the status command (and the viewport) about what the player has.
    virtual void GetStatusLines(TArray<FString>& Lines);
};

class ENGINE_API ULevel : public UObject
{
    DECLARE_CLASS(ULevel, UObject)
public:
    TArray<AActor*> Actors; // in spawn order; destroyed actors leave the list
    FLOAT TimeSeconds = 0.f;

    AActor* SpawnActor(UClass* Class, const FVector& Location);
    // Marks the actor for deletion and takes it out of the level; the object stays until
    // the engine shuts down.
    void DestroyActor(AActor* Actor);
    // Advances time and moves every actor.
    void Tick(FLOAT DeltaSeconds);
};
