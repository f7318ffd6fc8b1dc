// Tests of the object system: classes and packages loaded by path and through the ini,
// objects made and named, registrations of localization files, and natives called through
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

// Native 4000(object O, optional int Flag = 7): gives Flag * 100 + the index of O (-1 for none).
void UTestThing::execProbe(FFrame& Stack, void* Result)
{
    P_GET_OBJECT(UObject, Object);
    P_GET_INT_OPTX(Flag, 7);
    P_FINISH;
    *static_cast<INT*>(Result) = Flag * 100 + (Object ? Object->GetIndex() : -1);
}

IMPLEMENT_CLASS(UTestThing, Test, Thing, 0)
IMPLEMENT_FUNCTION(UTestThing, 4000, execProbe)

// A game folder with a System folder (the current one) whose search list finds packages
// in System and in Listed, but not in Unlisted.
class ObjectSystem : public FTempFolderTest
{
protected:
    ObjectSystem()
    {
        Temp.Write(TEXT("System\\Test.ini"), "[Core.System]\r\nPaths=..\\System\\*.u\r\nPaths=..\\Listed\\*.u\r\n"
                                             "[Test.Section]\r\nDerived=Sample.Derived\r\nWrongBase=Core.Package\r\n"
                                             "Elsewhere=Modded.Thing\r\nHidden=Secret.Thing\r\n");
        Temp.Write(TEXT("System\\Sample.u"), "package Sample ; a comment\r\nclass Derived extends Test.Thing\r\n"
                                             "  function Probe(object O)\r\n    return native 4000(O, -)\r\n  end\r\n"
                                             "class Further extends Derived\r\n  function ProbeClass()\r\n"
                                             "    return native 4000(Sample.Derived, 3)\r\n  end\r\n");
        Temp.Write(TEXT("Listed\\Modded.u"), "package Modded\r\nclass Thing extends Test.Thing\r\n");
        Temp.Write(TEXT("Unlisted\\Secret.u"), "package Secret\r\nclass Thing extends Test.Thing\r\n");
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

TEST_F(ObjectSystem, LoadsClassesByPathAndThroughTheIniAndReadsRegistrations)
{
    // The class's full name, or "none".
    struct { const TCHAR* Name; const TCHAR* File; const TCHAR* FullName; } Cases[] = {
        {TEXT("Test.Thing"), NULL, TEXT("Class Test.Thing")},          // a native class of this program
        {TEXT("Sample.Further"), NULL, TEXT("Class Sample.Further")},  // from System\Sample.u
        {TEXT("ini:Test.Section.Derived"), NULL, TEXT("Class Sample.Derived")}, // split at the last point
        {TEXT("ini:Test.Section.Elsewhere"), NULL, TEXT("Class Modded.Thing")}, // from a listed folder
        {TEXT("ini:Test.Section.Hidden"), NULL, TEXT("none")},         // its folder is not in the search list
        {TEXT("ini:NoPoint"), NULL, TEXT("none")},
        {TEXT("Broken.Bad"), NULL, TEXT("none")},                      // its super class is nowhere
        {TEXT("Unknown.Caller"), NULL, TEXT("Class Unknown.Caller")},  // the class stays, its function not
        {TEXT("Other.Derived"), TEXT("Sample"), TEXT("none")},         // the file holds package Sample only
        {TEXT("Sample.Derived"), TEXT("Sample"), TEXT("Class Sample.Derived")},
    };
    for (const auto& Case : Cases)
    {
        UClass* Class = Load(Case.Name, UObject::StaticClass(), Case.File);
        EXPECT_STREQ(Case.FullName, Class ? Class->GetFullName() : TEXT("none")) << Case.Name;
    }
    // A script class is built by its nearest native ancestor.
    UClass* Further = Load(TEXT("Sample.Further"));
    EXPECT_TRUE(Further->IsChildOf(UTestThing::StaticClass()) && !UTestThing::StaticClass()->IsChildOf(Further));
    EXPECT_EQ(&UTestThing::InternalConstructor, Further->ClassConstructor);
    // A call of a native that no module registered is refused when the package is read.
    EXPECT_EQ(NULL, UObject::StaticConstructObject(Load(TEXT("Unknown.Caller")))->FindFunction(FName(TEXT("Call"))));

    GTestLog.Clear();
    EXPECT_FALSE(Load(TEXT("ini:Test.Section.WrongBase"), UClass::StaticClass()));
    EXPECT_EQ(0, GTestLog.Lines.Last().InStr(TEXT("Failed to load class 'Core.Package': it is not a Class")));
    EXPECT_EQ(NAME_Warning, GTestLog.Events.Last());
    EXPECT_EQ(FString(TEXT("Failed to load class 'Sample.Nothing'")), ThrownBy([] {
                  UObject::StaticLoadClass(UObject::StaticClass(), NULL, TEXT("Sample.Nothing"), NULL, LOAD_NoFail, NULL);
              }));

    // Registrations: the objects of a meta class from the [Public] sections of the .int files.
    Temp.Write(TEXT("System\\Render.int"),
               "[Public]\r\nObject=(Name=SoftDrv.SoftwareRenderDevice,Class=Class,MetaClass=Engine.RenderDevice)\r\n"
               "Object=(Name=MyMod.Game,Class=Class,MetaClass=Engine.GameInfo)\r\n"
               "Object=(Name=D3DDrv.D3DRenderDevice,Class=class,MetaClass=engine.renderdevice,Description=\"Fast, new\")\r\n"
               "Preferences=(Caption=\"Rendering\")\r\n");
    Temp.Write(TEXT("System\\Other.intx"), "[Public]\r\nObject=(Name=X.Y,Class=Class,MetaClass=Engine.RenderDevice)\r\n");
    // The meta class as the engine's class would be: Engine.RenderDevice.
    UObject* Engine = UObject::StaticConstructObject(UPackage::StaticClass(), NULL, FName(TEXT("Engine")));
    UObject* RenderDevice = UObject::StaticConstructObject(UClass::StaticClass(), Engine, FName(TEXT("RenderDevice")));

    TArray<FRegistryObjectInfo> Found;
    UObject::GetRegistryObjects(Found, UClass::StaticClass(), static_cast<UClass*>(RenderDevice), 0);
    FString Listed;
    for (const FRegistryObjectInfo& Info : Found)
        Listed += Info.Object + TEXT(" (") + Info.Description + TEXT(") ");
    EXPECT_STREQ(TEXT("SoftDrv.SoftwareRenderDevice () D3DDrv.D3DRenderDevice (Fast, new) "), *Listed);
}

TEST_F(ObjectSystem, MakesObjectsAndRunsNativesAsScriptsCallThem)
{
    UObject* Thing = UObject::StaticConstructObject(Load(TEXT("Sample.Further")));
    UObject* Named = UObject::StaticConstructObject(Load(TEXT("Sample.Derived")), NULL, FName(TEXT("Named")));
    ASSERT_TRUE(Thing && Named);
    EXPECT_STREQ(TEXT("Further Transient.Further0 Transient.Named"), *(FString(Thing->GetFullName()) + TEXT(" ") + Named->GetPathName()));
    EXPECT_FALSE(UObject::StaticConstructObject(Load(TEXT("Sample.Derived")), NULL, FName(TEXT("Named")))); // a taken name

    FScriptSlot Parms[1] = {};
    Parms[0].Object = Thing;
    INT Result = 0;
    // The left-out flag keeps the native's default; the function is inherited.
    Thing->ProcessEvent(Thing->FindFunction(FName(TEXT("Probe"))), Parms, &Result);
    EXPECT_EQ(700 + Thing->GetIndex(), Result);
    Thing->ProcessEvent(Thing->FindFunction(FName(TEXT("ProbeClass"))), Parms, &Result);
    EXPECT_EQ(300 + Load(TEXT("Sample.Derived"))->GetIndex(), Result);

    // A destroyed object leaves an empty slot, which the next object takes.
    INT Slot = Thing->GetIndex();
    delete Thing;
    EXPECT_EQ(NULL, GObjObjects(Slot));
    EXPECT_EQ(Slot, UObject::StaticConstructObject(Load(TEXT("Sample.Further")))->GetIndex());
}
