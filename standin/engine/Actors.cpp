// Actors.cpp: the level and its actors: time, motion, the player's field of view.
#include "Engine.h"

IMPLEMENT_CLASS(AActor, Engine, Actor, 0)
IMPLEMENT_CLASS(AProp, Engine, Prop, 0)
IMPLEMENT_CLASS(APlayerPawn, Engine, PlayerPawn, 0)
IMPLEMENT_CLASS(ULevel, Engine, Level, 0)

void AActor::Tick(FLOAT DeltaSeconds) { Location = Location + Velocity * DeltaSeconds; }

void AActor::GetPropertyTexts(TArray<FString>& Out)
{
    Super::GetPropertyTexts(Out);
    Out.AddItem(FString::Printf(TEXT("Location=(X=%.2f,Y=%.2f,Z=%.2f)"), Location.X, Location.Y, Location.Z));
    Out.AddItem(FString::Printf(TEXT("Level=%s"), XLevel ? XLevel->GetPathName() : TEXT("None")));
    Out.AddItem(FString::Printf(TEXT("bDeleteMe=%s"), bDeleteMe ? TEXT("True") : TEXT("False")));
}

void AProp::Tick(FLOAT DeltaSeconds)
{
    Angle += AngularSpeed * DeltaSeconds;
    Location = Center + FVector(FLOAT(cos(Angle)) * Radius, FLOAT(sin(Angle)) * Radius, 0.f);
}

void APlayerPawn::LoadConfig(UBOOL, UClass*, const TCHAR*)
{
    guard(APlayerPawn::LoadConfig);
    GConfig->GetFloat(TEXT("Engine.PlayerPawn"), TEXT("DesiredFOV"), DesiredFOV, TEXT("User.ini"));
    GConfig->GetFloat(TEXT("Engine.PlayerPawn"), TEXT("DefaultFOV"), DefaultFOV, TEXT("User.ini"));
    unguard;
}

void APlayerPawn::GetPropertyTexts(TArray<FString>& Out)
{
    Super::GetPropertyTexts(Out);
    Out.AddItem(FString::Printf(TEXT("DesiredFOV=%.3f"), DesiredFOV));
    Out.AddItem(FString::Printf(TEXT("DefaultFOV=%.3f"), DefaultFOV));
}

void APlayerPawn::RenderOverlays(UCanvas*) {}
UBOOL APlayerPawn::Exec(const TCHAR*, FOutputDevice&) { return 0; }
void APlayerPawn::MouseMoved(FLOAT, FLOAT) {}
void APlayerPawn::GetStatusLines(TArray<FString>&) {}

AActor* ULevel::SpawnActor(UClass* Class, const FVector& Location)
{
    guard(ULevel::SpawnActor);
    if (!Class || !Class->IsChildOf(AActor::StaticClass()))
        return NULL;
    AActor* Actor = static_cast<AActor*>(StaticConstructObject(Class, this));
    if (!Actor)
        return NULL;
    Actor->Location = Location;
    Actor->XLevel = this;
    Actors.AddItem(Actor);
    return Actor;
    unguard;
}

void ULevel::DestroyActor(AActor* Actor)
{
    if (!Actor || Actor->bDeleteMe)
        return;
    Actor->bDeleteMe = 1;
    Actors.RemoveItem(Actor);
}

void ULevel::Tick(FLOAT DeltaSeconds)
{
    TimeSeconds += DeltaSeconds;
    for (INT i = 0; i < Actors.Num(); i++)
        Actors(i)->Tick(DeltaSeconds);
}
