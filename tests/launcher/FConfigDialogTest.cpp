// The configuration dialog, driven from its template in this process: what it shows for the
// ini files it reads and what OK writes back into the configuration cache.
#include "DialogDriver.h"
#include "FConfigDialog.h"
#include "Resource.h"

namespace
{
class ConfigDialogTest : public FTempFolderTest
{
protected:
    // Opens the dialog on a system ini, a user ini and the reference field of view of 75, with
    // two renderers and a third that takes the first one's caption; lets Player act, and
    // flushes the cache.
    void Run(const std::string& SystemIni, const std::string& UserIni, std::function<void(HWND)> Player)
    {
        Temp.Write(TEXT("SoftDrv.int"), "[Public]\r\nObject=(Name=SoftDrv.SoftwareRenderDevice,Class=Class,MetaClass=Engine.RenderDevice)\r\n"
                                         "Object=(Name=SoftDrv.CopyRenderDevice,Class=Class,MetaClass=Engine.RenderDevice)\r\n"
                                         "[SoftwareRenderDevice]\r\nClassCaption=\"Software rendering\"\r\n"
                                         "[CopyRenderDevice]\r\nClassCaption=\"SOFTWARE rendering\"\r\n");
        Temp.Write(TEXT("D3DDrv.int"), "[Public]\r\nObject=(Name=D3DDrv.D3DRenderDevice,Class=Class,MetaClass=Engine.RenderDevice)\r\n"
                                        "[D3DRenderDevice]\r\nClassCaption=\"Direct3D\"\r\n");
        Temp.Write(TEXT("Corvane.ini"), SystemIni);
        Temp.Write(TEXT("User.ini"), UserIni);
        Temp.Write(TEXT("DefUser.ini"), "[Engine.PlayerPawn]\r\nDesiredFOV=75.0\r\n");
        StartConfig(TEXT("Corvane.ini"));
        ActOnNextDialog(Player);
        FConfigDialog().ShowModal(NULL);
        GConfig->Flush(0);
    }

    std::string Ini(const TCHAR* Section, const TCHAR* Key, const TCHAR* File = NULL)
    {
        FString Value;
        return GConfig->GetString(Section, Key, Value, File) ? Narrow(Value) : "<none>";
    }
    std::string Client(const TCHAR* Key) { return Ini(TEXT("WinDrv.WindowsClient"), Key); }
    std::string Corvane(const TCHAR* Key) { return Ini(TEXT("Corvane"), Key); }
    std::string Pawn(const TCHAR* Key) { return Ini(TEXT("Engine.PlayerPawn"), Key, TEXT("User.ini")); }
};

// The GUI scale and field of view controls in one line: the checked boxes, each field's value,
// "-" after a disabled field.
std::string ScaleAndAngle(HWND D)
{
    auto Field = [&](INT Id, const std::string& Value) { return Value + (Enabled(D, Id) ? " " : "- "); };
    std::string Line = std::string(Checked(D, IDC_CONFIG_GUISCALING) ? "scaling " : "") + Field(IDC_CONFIG_GUISCALE, Selected(D, IDC_CONFIG_GUISCALE));
    for (auto Box : {std::make_pair(IDC_CONFIG_FOVAUTO, "auto "), {IDC_CONFIG_FOVDEFAULT, "default "}, {IDC_CONFIG_FOVCUSTOM, "custom "}})
        Line += Checked(D, Box.first) ? Box.second : "";
    return Line + Field(IDC_CONFIG_CUSTOMFOV, Text(D, IDC_CONFIG_CUSTOMFOV));
}

const char SoftRenderer[] = "[Engine.Engine]\r\nGameRenderDevice=SoftDrv.SoftwareRenderDevice\r\n";
} // namespace

TEST_F(ConfigDialogTest, WithoutItsSectionShowsThePresetsThatOKWritesInOrderAndCancelOrCloseNothing)
{
    CORVANE_SKIP_WITHOUT_WINDOWS();
    const char User[] = "[Engine.PlayerPawn]\r\nDefaultFOV=88.0\r\n";
    for (UINT Way : {UINT(IDCANCEL), UINT(WM_CLOSE), UINT(IDOK)})
    {
        Run(SoftRenderer, User, [&](HWND D) {
            for (INT Id : {IDC_CONFIG_SUBTITLEFIX, IDC_CONFIG_RAWINPUT, IDC_CONFIG_WINDOWED, IDC_CONFIG_COLOR32, IDC_CONFIG_DETAILTEXTURES})
                EXPECT_TRUE(Checked(D, Id)) << Id;
            EXPECT_FALSE(Checked(D, IDC_CONFIG_SINGLECPU));
            EXPECT_EQ("x1- auto 88- 120 40", ScaleAndAngle(D) + Text(D, IDC_CONFIG_FPSLIMIT) + " " + Text(D, IDC_CONFIG_LATENCY));
            // The renderers by caption, the first of equal captions only.
            EXPECT_EQ(2u, Entries(D, IDC_CONFIG_RENDERER).size());
            EXPECT_EQ("Software rendering", Selected(D, IDC_CONFIG_RENDERER));
            if (Way != IDOK)
            {
                Click(D, IDC_CONFIG_RAWINPUT);
                Click(D, IDC_CONFIG_FOVCUSTOM);
                SetDlgItemTextW(D, IDC_CONFIG_FPSLIMIT, TEXT("30"));
            }
            Way == WM_CLOSE ? void(SendMessageW(D, WM_CLOSE, 0, 0)) : Click(D, Way);
        });
        if (Way != IDOK)
        {
            EXPECT_EQ(SoftRenderer + std::string(User), Temp.Read(TEXT("Corvane.ini")) + Temp.Read(TEXT("User.ini"))) << Way;
        }
    }
    // Every setting in its order and letter case; Automatic leaves the angles alone.
    EXPECT_EQ("[Engine.Engine]\r\nGameRenderDevice=SoftDrv.SoftwareRenderDevice\r\n\r\n"
              "[Corvane]\r\nGUIScalingFix=0\r\nSubtitleFix=True\r\nUseAutoFOV=True\r\nRawInput=True\r\n"
              "BorderlessFullscreenWindow=False\r\nFPSLimit=120\r\nUseSingleCPU=False\r\n\r\n"
              "[WinDrv.WindowsClient]\r\nFullscreenColorBits=32\r\nFullscreenViewportX=1024\r\nWindowedViewportX=1024\r\n"
              "FullscreenViewportY=768\r\nWindowedViewportY=768\r\nStartupFullSCreen=False\r\n\r\n"
              "[Galaxy.GalaxyAudioSubsystem]\r\nUseDirectSound=True\r\nLatency=40\r\n\r\n"
              "[SoftDrv.SoftwareRenderDevice]\r\nDetailTextures=True\r\n\r\n",
              Temp.Read(TEXT("Corvane.ini")));
    EXPECT_EQ("[Engine.PlayerPawn]\r\nDefaultFOV=88.0\r\n", Temp.Read(TEXT("User.ini")));
}

TEST_F(ConfigDialogTest, ResolutionGroupFollowsWindowFormAndListedModesAndAChosenRendererIsWritten)
{
    CORVANE_SKIP_WITHOUT_WINDOWS();
    // Borderless shows the windowed size, even with a fullscreen start, and turns the group off.
    std::string Mode;
    Run("[Corvane]\r\nBorderlessFullscreenWindow=True\r\n[WinDrv.WindowsClient]\r\nStartupFullscreen=True\r\n"
        "FullscreenViewportX=1920\r\nWindowedViewportX=1001\r\nWindowedViewportY=555\r\n", "", [&](HWND D) {
        Mode = Entries(D, IDC_CONFIG_RESOLUTION).at(0);
        EXPECT_TRUE(Checked(D, IDC_CONFIG_BORDERLESS));
        EXPECT_EQ("1001", Text(D, IDC_CONFIG_CUSTOMWIDTH));
        for (INT Id : {IDC_CONFIG_COMMON, IDC_CONFIG_CUSTOMSIZE, IDC_CONFIG_RESOLUTION, IDC_CONFIG_CUSTOMWIDTH, IDC_CONFIG_CUSTOMHEIGHT})
            EXPECT_FALSE(Enabled(D, Id)) << Id;
        Click(D, IDC_CONFIG_WINDOWED); // the form back: the custom size fields come on
        EXPECT_TRUE(Enabled(D, IDC_CONFIG_CUSTOMWIDTH) && !Enabled(D, IDC_CONFIG_RESOLUTION));
        SetDlgItemTextW(D, IDC_CONFIG_CUSTOMHEIGHT, TEXT("600"));
        Click(D, IDOK);
    });
    EXPECT_EQ("1001 1001 600 600 False", Client(TEXT("FullscreenViewportX")) + " " + Client(TEXT("WindowedViewportX")) + " " +
                                             Client(TEXT("FullscreenViewportY")) + " " + Client(TEXT("WindowedViewportY")) + " " +
                                             Corvane(TEXT("BorderlessFullscreenWindow")));
    // A listed mode, stored, selects "Common:" and its entry; a renderer chosen in the list is
    // written with its own option.
    size_t X = Mode.find('x');
    Run(SoftRenderer + ("[WinDrv.WindowsClient]\r\nWindowedViewportX=" + Mode.substr(0, X) + "\r\nWindowedViewportY=" + Mode.substr(X + 1)), "",
        [&](HWND D) {
            EXPECT_TRUE(Checked(D, IDC_CONFIG_COMMON) && Enabled(D, IDC_CONFIG_RESOLUTION) && !Enabled(D, IDC_CONFIG_CUSTOMWIDTH));
            EXPECT_EQ(Mode, Selected(D, IDC_CONFIG_RESOLUTION));
            SendDlgItemMessageW(D, IDC_CONFIG_RENDERER, CB_SELECTSTRING, WPARAM(-1), LPARAM(TEXT("Direct3D")));
            Click(D, IDC_CONFIG_DETAILTEXTURES);
            Click(D, IDOK);
        });
    EXPECT_EQ(Mode.substr(0, X) + " D3DDrv.D3DRenderDevice False", Client(TEXT("FullscreenViewportX")) + " " +
                                                                       Ini(TEXT("Engine.Engine"), TEXT("GameRenderDevice")) + " " +
                                                                       Ini(TEXT("D3DDrv.D3DRenderDevice"), TEXT("DetailTextures")));
}

TEST_F(ConfigDialogTest, StoredScaleAndAngleAreShownAndOKWritesWhatIsShown)
{
    CORVANE_SKIP_WITHOUT_WINDOWS();
    // Written: GUIScalingFix UseAutoFOV DesiredFOV DefaultFOV.
    struct { const char* Corvane; const char* Pawn; const char* Shown; const char* Written; } Cases[] = {
        {"GUIScalingFix=3", "", "scaling x3 auto 75- ", "3 True <none> <none>"},
        {"GUIScalingFix=7", "", "scaling  auto 75- ", "0 True <none> <none>"}, // beyond the list: nothing to scale by
        {"GUIScalingFix=-1", "", "scaling x1- auto 75- ", "1 True <none> <none>"},
        {"UseAutoFOV=False", "DefaultFOV=90.5", "x1- custom 90 ", "0 False 90.000000 90.000000"}, // the fraction is lost
        {"UseAutoFOV=False", "DefaultFOV=75.0", "x1- default 75- ", "0 False 75.000000 75.000000"},
        {"UseAutoFOV=False", "", "x1- default 75- ", "0 False 75.000000 75.000000"}, // the angle defaults to the reference
    };
    for (auto& Case : Cases)
    {
        Run(std::string("[Corvane]\r\n") + Case.Corvane + "\r\n", std::string("[Engine.PlayerPawn]\r\n") + Case.Pawn + "\r\n", [&](HWND D) {
            EXPECT_EQ(Case.Shown, ScaleAndAngle(D)) << Case.Corvane << " " << Case.Pawn;
            Click(D, IDOK);
        });
        EXPECT_EQ(Case.Written, Corvane(TEXT("GUIScalingFix")) + " " + Corvane(TEXT("UseAutoFOV")) + " " + Pawn(TEXT("DesiredFOV")) + " " +
                                    Pawn(TEXT("DefaultFOV")))
            << Case.Corvane << " " << Case.Pawn;
    }
}

TEST_F(ConfigDialogTest, StoredValuesItCannotShowAreMadeValidOrKept)
{
    CORVANE_SKIP_WITHOUT_WINDOWS();
    // A depth the dialog does not offer shows as 32; a class path in other letters than its
    // registration selects no renderer, and then OK keeps the configured one and its option;
    // with no resolution selected, OK leaves the size alone.
    Run("[Engine.Engine]\r\nGameRenderDevice=softdrv.softwarerenderdevice\r\n[softdrv.softwarerenderdevice]\r\n"
        "DetailTextures=False\r\n[WinDrv.WindowsClient]\r\nFullscreenColorBits=24\r\nWindowedViewportX=800\r\n", "", [](HWND D) {
        EXPECT_TRUE(Checked(D, IDC_CONFIG_COLOR32) && !Checked(D, IDC_CONFIG_COLOR16));
        EXPECT_EQ("", Selected(D, IDC_CONFIG_RENDERER));
        EXPECT_FALSE(Checked(D, IDC_CONFIG_DETAILTEXTURES));
        Click(D, IDC_CONFIG_DETAILTEXTURES);
        SendDlgItemMessageW(D, IDC_CONFIG_RESOLUTION, CB_SETCURSEL, WPARAM(-1), 0);
        Click(D, IDC_CONFIG_COMMON);
        Click(D, IDOK);
    });
    EXPECT_EQ("32 <none> softdrv.softwarerenderdevice False", Client(TEXT("FullscreenColorBits")) + " " + Client(TEXT("FullscreenViewportX")) + " " +
                                                               Ini(TEXT("Engine.Engine"), TEXT("GameRenderDevice")) + " " +
                                                               Ini(TEXT("softdrv.softwarerenderdevice"), TEXT("DetailTextures")));
}
