// NearestActor.h: the engine of the running game, and the actor nearest to its player.
#pragma once
#include "Engine.h"

// The first engine in the object table (index order), or NULL.
UEngine* FindEngine();
// The engine client's first viewport, or NULL when there is no engine, client or viewport.
UViewport* FindFirstViewport();

// The live actor of Class (or a subclass; NULL: any) nearest to the player of the first
// viewport, in the player's level; the earlier in the object table among equals, and none
// at 999999 units or more. Without a player every actor counts as at distance 0.
AActor* FindNearestActor(UClass* Class);
