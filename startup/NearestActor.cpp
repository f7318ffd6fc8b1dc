// NearestActor.cpp: the engine, its first viewport, and the actor nearest to the player.
#include "NearestActor.h"

UEngine* FindEngine()
{
    for (UObject* Object : GObjObjects)
        if (UEngine* Engine = Cast<UEngine>(Object))
            return Engine;
    return NULL;
}

UViewport* FindFirstViewport()
{
    UEngine* Engine = FindEngine();
    if (!Engine || !Engine->Client || Engine->Client->Viewports.Num() == 0)
        return NULL;
    return Engine->Client->Viewports(0);
}

AActor* FindNearestActor(UClass* Class)
{
    UViewport* Viewport = FindFirstViewport();
    AActor* Player = Viewport ? Viewport->Actor : NULL;
    AActor* Best = NULL;
    FLOAT BestDistance = 999999.f;
    for (UObject* Object : GObjObjects)
    {
        AActor* Actor = Cast<AActor>(Object);
        if (!Actor || Actor->bDeleteMe || (Class && !Actor->IsA(Class)))
            continue;
        FLOAT Distance = 0.f;
        if (Player)
        {
            if (Actor->XLevel != Player->XLevel)
                continue;
            Distance = (Actor->Location - Player->Location).Size();
        }
        if (Distance < BestDistance)
        {
            Best = Actor;
            BestDistance = Distance;
        }
    }
    return Best;
}
