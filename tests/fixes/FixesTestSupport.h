// FixesTestSupport.h: a copy of the staged game's packages and system ini beside a documents
// folder, with the engine's configuration started, for the tests of the native hooks; and
// calls of natives through frames of byte code, as the game's scripts make them.
#pragma once
#include "TestFiles.h"
#include "FHookRegistry.h"
#include "Extension.h"

class FixesTest : public FMirroredGameTest
{
protected:
    FixesTest()
    {
        // The test programs lie beside the staged game in the build tree.
        FString Staged = FString(appBaseDir()) + TEXT("..\\game\\System\\");
        for (const TCHAR* File : {TEXT("Corvane.ini"), TEXT("Veltra.u"), TEXT("Corvane.u")})
            CopyFileW(*(Staged + File), *Temp(*(FString(TEXT("Game\\System\\")) + File)), FALSE);
        StartConfig(TEXT("Corvane.ini"));
        GSys->LoadConfig();
    }
    ~FixesTest() override { UObject::StaticExit(); }

    // The two settings of [Corvane]; NULL leaves a key out.
    static void SetFixes(const TCHAR* SubtitleFix, const TCHAR* GUIScalingFix)
    {
        GConfig->EmptySection(TEXT("Corvane"));
        if (SubtitleFix)
            GConfig->SetString(TEXT("Corvane"), TEXT("SubtitleFix"), SubtitleFix);
        if (GUIScalingFix)
            GConfig->SetString(TEXT("Corvane"), TEXT("GUIScalingFix"), GUIScalingFix);
    }

    static UClass* Load(const TCHAR* Path) { return UObject::StaticLoadClass(UObject::StaticClass(), NULL, Path, NULL, LOAD_None, NULL); }

    // Calls the native at the start of Code on Object with the parameters that follow, and
    // checks that the native took them all and stepped past the end of the parameters.
    template<class T> static T Call(UObject* Object, FScriptBuilder Code)
    {
        Code.EndParms();
        FFrame Stack(Object, NULL, Code.GetData());
        T Result = T();
        Stack.Step(Object, &Result);
        EXPECT_EQ(Code.GetData() + Code.Code.Num(), Stack.Code);
        return Result;
    }
};
