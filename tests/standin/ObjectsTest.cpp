// Tests of the object system: classes and packages loaded by path and through the ini,
// objects made and found, registrations of localization files, and natives called through
// GNatives with frames as scripts make them.
#include "TestFiles.h"

namespace
{
// A native class of the test program, with one native that reads an object and an
// optional integer, as the game's natives do.
class UTestThing : public UObject
{
    DECLARE_CLASS(UTestThing, UObject)
public:
    DECLARE_FUNCTION(execProbe);
};

class UTestAbstract : public UObject
{
    DECLARE_CLASS(UTestAbstract, UObject)
};

enum { NATIVE_Probe = 4000 };

// Native 4000(object O, optional int Flag = 7): gives Flag * 100 + the index of O (-1 for none).
void UTestThing::execProbe(FFrame& Stack, void* Result)
{
    P_GET_OBJECT(UObject, Object);
    P_GET_INT_OPTX(Flag, 7);
    P_FINISH;
    *static_cast<INT*>(Result) = Flag * 100 + (Object ? Object->GetIndex() : -1);
}

IMPLEMENT_CLASS(UTestThing, Test, Thing, 0)
IMPLEMENT_CLASS(UTestAbstract, Test, Abstract, CLASS_Abstract)
IMPLEMENT_FUNCTION(UTestThing, NATIVE_Probe, execProbe)

const char SamplePackage[] =
    "package Sample ; a comment\r\n"
    "class Derived extends Test.Thing\r\n"
    "  default Colour=Red\r\n"
    "  function Probe(object O)\r\n"
    "    return native 4000(O, -)\r\n"
    "  end\r\n"
    "  function ProbeFlag(object O, int Flag)\r\n"
    "    return native 4000(O, Flag)\r\n"
    "  end\r\n"
    "class Further extends Derived\r\n"
    "  function ProbeClass()\r\n"
    "    return native 4000(Sample.Derived, 3)\r\n"
    "  end\r\n";

// A game folder with a System folder (the current one) whose search list finds packages
// in System and in Listed, but not in Unlisted.
class ObjectSystem : public FTempFolderTest
{
protected:
    ObjectSystem()
    {
        Temp.Write(TEXT("System\\Test.ini"), "[Core.System]\r\nPaths=..\\System\\*.u\r\nPaths=..\\Maps\\*.unr\r\n"
                                             "Paths=..\\Listed\\*.u\r\n"
                                             "[Test.Section]\r\nDerived=Sample.Derived\r\nWrongBase=Core.Package\r\n"
                                             "Elsewhere=Modded.Thing\r\nHidden=Secret.Thing\r\n");
        Temp.Write(TEXT("System\\Sample.u"), SamplePackage);
        Temp.Write(TEXT("Listed\\Modded.u"), "package Modded\r\nclass Thing extends Test.Thing\r\n");
        Temp.Write(TEXT("Unlisted\\Secret.u"), "package Secret\r\nclass Thing extends Test.Thing\r\n");
        Temp.Write(TEXT("Maps\\Sample.unr"), "not a package");
        Temp.Write(TEXT("System\\Broken.u"), "package Broken\r\nclass Bad extends Nowhere.Nothing\r\n");
        Temp.Write(TEXT("System\\Unknown.u"), "package Unknown\r\nclass Caller extends Test.Thing\r\n"
                                                "  function Call()\r\n    native 4001()\r\n  end\r\n");
        SetCurrentDirectoryW(*Temp(TEXT("System")));
        StartConfig(TEXT("Test.ini"));
        GSys->LoadConfig();
    }
    ~ObjectSystem() override { UObject::StaticExit(); }

    static UClass* Load(const TCHAR* Name, UClass* Base = UObject::StaticClass(), const TCHAR* File = NULL)
    {
        return UObject::StaticLoadClass(Base, NULL, Name, File, LOAD_None, NULL);
    }
};
} // namespace

TEST_F(ObjectSystem, LoadsClassesByPathAndThroughTheIni)
{
    // The class's full name, or NULL for none.
    struct { const TCHAR* Name; const TCHAR* File; const TCHAR* FullName; } Cases[] = {
        {TEXT("Core.Object"), NULL, TEXT("Class Core.Object")},
        {TEXT("Test.Thing"), NULL, TEXT("Class Test.Thing")},          // a native class of this program
        {TEXT("Sample.Further"), NULL, TEXT("Class Sample.Further")},  // from System\Sample.u
        {TEXT("ini:Test.Section.Derived"), NULL, TEXT("Class Sample.Derived")}, // split at the last point
        {TEXT("ini:Test.Section.Elsewhere"), NULL, TEXT("Class Modded.Thing")}, // from a listed folder
        {TEXT("ini:Test.Section.Hidden"), NULL, NULL},                 // its folder is not in the search list
        {TEXT("ini:Test.Section.Missing"), NULL, NULL},
        {TEXT("ini:NoPoint"), NULL, NULL},
        {TEXT("Sample.Nothing"), NULL, NULL},
        {TEXT("Broken.Bad"), NULL, NULL},                              // its super class is nowhere
        {TEXT("Unknown.Caller"), NULL, TEXT("Class Unknown.Caller")},  // the class stays, its function not
        {TEXT("Other.Derived"), TEXT("Sample"), NULL},                 // the file holds package Sample only
        {TEXT("Sample.Derived"), TEXT("Sample"), TEXT("Class Sample.Derived")},
    };
    for (const auto& Case : Cases)
    {
        UClass* Class = Load(Case.Name, UObject::StaticClass(), Case.File);
        EXPECT_STREQ(Case.FullName ? Case.FullName : TEXT("none"), Class ? Class->GetFullName() : TEXT("none")) << Case.Name;
    }

    UClass* Further = Load(TEXT("Sample.Further"));
    ASSERT_TRUE(Further);
    EXPECT_TRUE(Further->IsChildOf(UTestThing::StaticClass()) && !UTestThing::StaticClass()->IsChildOf(Further));
    // A script class is built by its nearest native ancestor and inherits defaults.
    EXPECT_EQ(&UTestThing::InternalConstructor, Further->ClassConstructor);
    EXPECT_STREQ(TEXT("Red"), Further->GetDefaultText(TEXT("Colour")));
    EXPECT_EQ(NULL, Further->GetDefaultText(TEXT("Col")));
    // A call of a native that no module registered is refused when the package is read.
    EXPECT_EQ(NULL, UObject::StaticConstructObject(Load(TEXT("Unknown.Caller")))->FindFunction(FName(TEXT("Call"))));

    GTestLog.Clear();
    EXPECT_FALSE(Load(TEXT("ini:Test.Section.WrongBase"), UClass::StaticClass()));
    EXPECT_EQ(0, GTestLog.Lines.Last().InStr(TEXT("Failed to load class 'Core.Package': it is not a Class")));
    EXPECT_EQ(NAME_Warning, GTestLog.Events.Last());
    EXPECT_EQ(FString(TEXT("Failed to load class 'Sample.Nothing'")), ThrownBy([] {
                  UObject::StaticLoadClass(UObject::StaticClass(), NULL, TEXT("Sample.Nothing"), NULL, LOAD_NoFail, NULL);
              }));
}

TEST_F(ObjectSystem, MakesFindsAndNamesObjects)
{
    UClass* Derived = Load(TEXT("Sample.Derived"));
    ASSERT_TRUE(Derived);
    UObject* First = UObject::StaticConstructObject(Derived);
    UObject* Second = UObject::StaticConstructObject(Derived, NULL, FName(TEXT("Named")));
    ASSERT_TRUE(First && Second);
    EXPECT_STREQ(TEXT("Derived Transient.Derived0"), First->GetFullName());
    EXPECT_STREQ(TEXT("Transient.Named"), Second->GetPathName());
    EXPECT_TRUE(Cast<UTestThing>(First) && !Cast<UClass>(First));
    EXPECT_EQ(First, GObjObjects(First->GetIndex()));

    struct { UClass* Class; UObject* Outer; const TCHAR* Name; UObject* Found; } Finds[] = {
        {UTestThing::StaticClass(), ANY_PACKAGE, TEXT("Named"), Second},
        {UTestThing::StaticClass(), ANY_PACKAGE, TEXT("Transient.Named"), Second},
        {UTestThing::StaticClass(), UObject::GetTransientPackage(), TEXT("Derived0"), First},
        {UClass::StaticClass(), ANY_PACKAGE, TEXT("Named"), NULL},   // wrong class
        {NULL, NULL, TEXT("Named"), NULL},                           // not outermost
        {UClass::StaticClass(), ANY_PACKAGE, TEXT("Sample.Derived"), Derived},
    };
    for (const auto& Find : Finds)
        EXPECT_EQ(Find.Found, UObject::StaticFindObject(Find.Class, Find.Outer, Find.Name)) << Find.Name;

    // A taken name and an abstract class make nothing.
    EXPECT_FALSE(UObject::StaticConstructObject(Derived, NULL, FName(TEXT("Named"))) ||
                 UObject::StaticConstructObject(UTestAbstract::StaticClass()));

    // A destroyed object leaves an empty slot, which the next object takes.
    INT Slot = First->GetIndex();
    delete First;
    EXPECT_EQ(NULL, GObjObjects(Slot));
    EXPECT_EQ(Slot, UObject::StaticConstructObject(Derived)->GetIndex());
}

TEST_F(ObjectSystem, RunsNativesAsScriptsCallThem)
{
    UObject* Thing = UObject::StaticConstructObject(Load(TEXT("Sample.Further")));
    ASSERT_TRUE(Thing);
    INT Index = Thing->GetIndex();
    INT DerivedIndex = Load(TEXT("Sample.Derived"))->GetIndex();
    FScriptSlot Parms[2] = {};
    Parms[0].Object = Thing;
    Parms[1].Int = 4;
    struct { const TCHAR* Function; INT Expected; } Calls[] = {
        {TEXT("Probe"), 700 + Index},      // the left-out flag keeps the native's default
        {TEXT("ProbeFlag"), 400 + Index},  // an inherited function
        {TEXT("ProbeClass"), 300 + DerivedIndex},
    };
    for (const auto& Call : Calls)
    {
        INT Result = 0;
        Thing->ProcessEvent(Thing->FindFunction(FName(Call.Function)), Parms, &Result);
        EXPECT_EQ(Call.Expected, Result) << Call.Function;
    }
    EXPECT_EQ(NULL, Thing->FindFunction(FName(TEXT("Nothing"))));

    // A caller that builds the code itself: Step calls the native through GNatives, which
    // leaves the frame just past the end token.
    FScriptBuilder Call;
    Call.CallNative(NATIVE_Probe).Object(NULL).Int(-2).EndParms().Token(0xEE);
    FFrame Stack(Thing, NULL, Call.GetData());
    INT Result = 0;
    Stack.Step(Thing, &Result);
    EXPECT_EQ(-201, Result);
    EXPECT_EQ(0xEE, *Stack.Code);
}

TEST_F(ObjectSystem, ReadsRegistrationsFromLocalizationFiles)
{
    Temp.Write(TEXT("System\\Render.int"),
               "[Public]\r\nObject=(Name=SoftDrv.SoftwareRenderDevice,Class=Class,MetaClass=Engine.RenderDevice)\r\n"
               "Object=(Name=MyMod.Game,Class=Class,MetaClass=Engine.GameInfo)\r\n"
               "Object=(Name=D3DDrv.D3DRenderDevice,Class=class,MetaClass=engine.renderdevice,Description=\"Fast, new\")\r\n"
               "Preferences=(Caption=\"Rendering\")\r\n");
    Temp.Write(TEXT("System\\Other.intx"), "[Public]\r\nObject=(Name=X.Y,Class=Class,MetaClass=Engine.RenderDevice)\r\n");
    Temp.Write(TEXT("System\\Plain.int"), "[General]\r\nStart=Go\r\n");
    // The meta class as the engine's class would be: Engine.RenderDevice.
    UPackage* Engine = static_cast<UPackage*>(UObject::StaticConstructObject(UPackage::StaticClass(), NULL, FName(TEXT("Engine"))));
    UObject* RenderDevice = UObject::StaticConstructObject(UClass::StaticClass(), Engine, FName(TEXT("RenderDevice")));

    TArray<FRegistryObjectInfo> Found;
    UObject::GetRegistryObjects(Found, UClass::StaticClass(), static_cast<UClass*>(RenderDevice), 0);
    FString Listed;
    for (const FRegistryObjectInfo& Info : Found)
        Listed += Info.Object + TEXT(" (") + Info.Description + TEXT(") ");
    EXPECT_STREQ(TEXT("SoftDrv.SoftwareRenderDevice () D3DDrv.D3DRenderDevice (Fast, new) "), *Listed);
}
