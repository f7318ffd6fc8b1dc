// Tests of the search for the actor nearest to the player.
#include "NearestActor.h"
#include "TestWorld.h"
#include <vector>

TEST(NearestActor, IsTheNearestLiveActorOfTheClassInThePlayersLevel)
{
    enum { Here, OtherLevel, Deleted };
    struct FSpawn { UClass* (*Class)(); FVector Location; INT Where; };
    const struct { const char* Name; bool WithPlayer; std::vector<FSpawn> Spawns; INT Nearest; /* in Spawns */ } Cases[] = {
        {"ties go to the earlier", true, {{AProp::StaticClass, {10.f, 0.f, 0.f}, Here}, {AProp::StaticClass, {0.f, -10.f, 0.f}, Here}}, 0},
        {"the nearer, on all three axes", true, {{AProp::StaticClass, {3.f, 4.f, 12.f}, Here}, {AProp::StaticClass, {12.f, 0.f, 0.f}, Here}}, 1},
        {"only live ones of the class in the player's level", true, {{AActor::StaticClass, {1.f, 0.f, 0.f}, Here},
         {AProp::StaticClass, {1.f, 0.f, 0.f}, OtherLevel}, {AProp::StaticClass, {1.f, 0.f, 0.f}, Deleted}, {AProp::StaticClass, {50.f, 0.f, 0.f}, Here}}, 3},
        {"none that far", true, {{AProp::StaticClass, {999999.f, 0.f, 0.f}, Here}}, -1},
        {"without a player, the first", false, {{AProp::StaticClass, {50.f, 0.f, 0.f}, OtherLevel}, {AProp::StaticClass, {1.f, 0.f, 0.f}, Here}}, 0},
    };
    for (const auto& Case : Cases)
    {
        FTestWorld World(Case.WithPlayer);
        ULevel* Other = ConstructObject<ULevel>(ULevel::StaticClass(), World.Engine);
        std::vector<AActor*> Actors;
        for (const FSpawn& Spawn : Case.Spawns)
        {
            Actors.push_back((Spawn.Where == OtherLevel ? Other : World.Level)->SpawnActor(Spawn.Class(), Spawn.Location));
            if (Spawn.Where == Deleted)
                World.Level->DestroyActor(Actors.back());
        }
        EXPECT_EQ(Case.Nearest < 0 ? NULL : Actors[Case.Nearest], FindNearestActor(AProp::StaticClass())) << Case.Name;
    }
}
