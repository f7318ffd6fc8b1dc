// Tests of the game engine's console commands and command files, without a viewport.
#include "TestFiles.h"
#include "Engine.h"

namespace
{
// Takes the commands it is asked to, and keeps every command it was offered.
class FTakingExec : public FExec
{
public:
    const TCHAR* Takes = TEXT("");
    TArray<FString> Offered;

    UBOOL Exec(const TCHAR* Cmd, FOutputDevice&) override
    {
        Offered.AddItem(FString(Cmd));
        const TCHAR* Str = Cmd;
        return *Takes && ParseCommand(&Str, Takes);
    }
};

// A game engine with a level and a player, as Init leaves it but for the client.
class GameEngine : public FTempFolderTest
{
protected:
    GameEngine()
    {
        Engine = ConstructObject<UGameEngine>(UGameEngine::StaticClass());
        Engine->Level = ConstructObject<ULevel>(ULevel::StaticClass(), Engine);
        Engine->Player = static_cast<APlayerPawn*>(Engine->Level->SpawnActor(APlayerPawn::StaticClass(), FVector()));
        GExec = &Program;
        GTestLog.Clear();
    }
    ~GameEngine() override
    {
        GExec = NULL;
        UObject::StaticExit();
    }

    UGameEngine* Engine;
    FTakingExec Program;
};
} // namespace

TEST_F(GameEngine, OffersEveryCommandToTheProgramFirstAndRunsCommandFilesOneCommandPerTick)
{
    // What the program takes, the command, and the player's angles afterwards.
    struct { const TCHAR* Takes; const TCHAR* Command; UBOOL Handled; FLOAT Desired, Default; } Cases[] = {
        {TEXT("fov"), TEXT("fov 100"), 1, 90.f, 90.f},   // taken: the engine does nothing
        {TEXT(""), TEXT("fov 100"), 1, 100.f, 100.f},
        {TEXT(""), TEXT("zoom 30"), 1, 30.f, 100.f},     // a zoom leaves the default angle
        {TEXT("SetRes"), TEXT("endzoom"), 1, 100.f, 100.f},
        {TEXT(""), TEXT("fov 500"), 1, 170.f, 170.f},    // angles stay within 1 to 170
        {TEXT(""), TEXT("nonsense 1"), 0, 170.f, 170.f},
    };
    for (const auto& Case : Cases)
    {
        Program.Takes = Case.Takes;
        Program.Offered.Empty();
        EXPECT_EQ(Case.Handled, Engine->Exec(Case.Command, GTestLog)) << Case.Command;
        EXPECT_EQ(std::vector<std::string>{Narrow(Case.Command)}, Narrow(Program.Offered));
        EXPECT_EQ(FString::Printf(TEXT("%g/%g"), Case.Desired, Case.Default),
                  FString::Printf(TEXT("%g/%g"), Engine->Player->DesiredFOV, Engine->Player->DefaultFOV)) << Case.Command;
    }

    // Command files: one command per tick.
    Program.Offered.Empty();
    Temp.Write(TEXT("Outer.txt"), "first\r\n\r\n  ; a comment\r\nexec Inner.txt\r\nwait 0.5\r\nlast  ");
    Temp.Write(TEXT("Inner.txt"), "inner one\ninner two\n");
    Program.Takes = TEXT("*"); // takes nothing, but sees everything
    EXPECT_TRUE(Engine->Exec(TEXT("exec Outer.txt"), GTestLog));
    EXPECT_EQ(FString(TEXT("Exec: Outer.txt (4 commands)")), GTestLog.Lines.Last());
    for (INT Tick = 0; Tick < 8; Tick++)
        Engine->Tick(0.1f);
    EXPECT_EQ((std::vector<std::string>{"exec Outer.txt", "first", "exec Inner.txt", "inner one", "inner two", "wait 0.5"}),
              Narrow(Program.Offered)); // "last" still waits
    for (INT Tick = 0; Tick < 4; Tick++)
        Engine->Tick(0.1f);
    EXPECT_EQ(FString(TEXT("last")), Program.Offered.Last());
    INT Index;
    EXPECT_TRUE(GTestLog.Lines.FindItem(TEXT("Exec: command not recognized: first"), Index));
    EXPECT_TRUE(Engine->Exec(TEXT("exec Missing.txt"), GTestLog));
    EXPECT_EQ(FString(TEXT("Exec: can't find file 'Missing.txt'")), GTestLog.Lines.Last());
}
