// The launcher dialog, driven from its template in this process, and the decisions it makes
// with plain values: the monitor the game opens on and the markup of an ini link.
#include "DialogDriver.h"
#include "FLauncherDialog.h"
#include "LaunchMonitor.h"
#include "Resource.h"
#include <commctrl.h>

namespace
{
class LauncherDialogTest : public FMirroredGameTest
{
protected:
    LauncherDialogTest()
    {
        Temp.Write(TEXT("Game\\System\\Corvane.ini"), "[Corvane]\r\nFPSLimit=60\r\n");
        Temp.Write(TEXT("Docs\\Veltra\\System\\User.ini"), "[Engine.PlayerPawn]\r\nDefaultFOV=80.0\r\n");
        GFileManager = &Mirror;
        StartConfig(TEXT("Corvane.ini"));
    }
    ~LauncherDialogTest() override
    {
        GConfig->Flush(0);
        GFileManager = &Files; // the mirror's manager goes first
    }
    INT_PTR Show(std::function<void(HWND)> Player)
    {
        ActOnNextDialog(Player);
        return Launcher.ShowModal(NULL);
    }
    FLauncherDialog Launcher;
};

// A link control's link as its click announces it.
NMLINK Link(HWND Dialog, INT Id)
{
    NMLINK Note = {{GetDlgItem(Dialog, Id), UINT_PTR(Id), NM_CLICK}, {}};
    Note.item.mask = LIF_ITEMINDEX | LIF_URL;
    SendMessageW(Note.hdr.hwndFrom, LM_GETITEM, 0, reinterpret_cast<LPARAM>(&Note.item));
    return Note;
}
std::string LinkAddress(HWND Dialog, INT Id) { return Narrow(Link(Dialog, Id).item.szUrl); }
} // namespace

TEST_F(LauncherDialogTest, EndsWithExitCloseOrPlayNotEscapeAndItsIniLinksSaveFirstAndOpenTheMirror)
{
    CORVANE_SKIP_WITHOUT_WINDOWS();
    EXPECT_EQ(0, Show([](HWND D) { Click(D, IDC_LAUNCHER_EXIT); }));
    EXPECT_EQ(0, Show([](HWND D) { SendMessageW(D, WM_CLOSE, 0, 0); }));
    EXPECT_EQ(nullptr, Launcher.LaunchMonitor);
    HMONITOR Expected = NULL;
    EXPECT_EQ(1, Show([&](HWND D) {
        // Escape reaches the dialog as the Cancel command, which the launcher ignores.
        SendMessageW(D, WM_COMMAND, IDCANCEL, 0);
        EXPECT_TRUE(IsWindowVisible(D));
        EXPECT_EQ("Version 8.0.0.0", Text(D, IDC_LAUNCHER_VERSION));
        // The user ini has its copy in the mirror; the system ini is read from the installation
        // until a save (a click on its link saves first) makes its copy there.
        EXPECT_EQ(Narrow(Temp(TEXT("Docs\\Veltra\\System\\User.ini"))), LinkAddress(D, IDC_LAUNCHER_USERINI));
        EXPECT_EQ(Narrow(Temp(TEXT("Game\\System\\Corvane.ini"))), LinkAddress(D, IDC_LAUNCHER_SYSTEMINI));
        GConfig->SetInt(TEXT("Corvane"), TEXT("FPSLimit"), 75);
        NMLINK Note = Link(D, IDC_LAUNCHER_SYSTEMINI);
        SendMessageW(D, WM_NOTIFY, Note.hdr.idFrom, reinterpret_cast<LPARAM>(&Note));
        EXPECT_EQ("[Corvane]\r\nFPSLimit=75\r\n\r\n", Temp.Read(TEXT("Docs\\Veltra\\System\\Corvane.ini")));
        EXPECT_EQ(Narrow(Temp(TEXT("Docs\\Veltra\\System\\Corvane.ini"))), LinkAddress(D, IDC_LAUNCHER_SYSTEMINI));
        std::string Markup = Text(D, IDC_LAUNCHER_SYSTEMINI);
        EXPECT_EQ(Markup.size() - 16, Markup.find(">Corvane.ini</a>")) << Markup;
        Expected = MonitorFromWindow(D, MONITOR_DEFAULTTONEAREST);
        Click(D, IDC_LAUNCHER_PLAY);
    }));
    EXPECT_EQ(Expected, Launcher.LaunchMonitor);
}

TEST(IniLinkMarkup, KeepsTheAddressWholeAndCutsTheName)
{
    TCHAR Out[INI_LINK_MARKUP_MAX];
    // Two paths of 259 characters: 534 with the markup, so the name gives way.
    FString Address = LongPath(TEXT("C:\\Docs"), 259), Name = FString(TEXT("n")) + LongPath(TEXT(""), 258).Mid(1);
    FormatIniLink(Out, *Address, *Name);
    FString Markup = Out;
    EXPECT_EQ(INI_LINK_MARKUP_MAX - 1, Markup.Len());
    EXPECT_EQ(0, Markup.InStr(*FString::Printf(TEXT("<a href=\"%s\">n"), *Address)));
    EXPECT_EQ(Markup.Len() - 7, Markup.InStr(TEXT("...</a>")));
    // An address that alone would not fit leaves only the name, which opens nothing.
    FormatIniLink(Out, *LongPath(TEXT("C:\\x"), 510), TEXT("User.ini"));
    EXPECT_EQ("User.ini", Narrow(Out));
}

TEST(LaunchMonitor, TheMonitorHoldingMostOfTheWindowElseTheNearest)
{
    HMONITOR Left = reinterpret_cast<HMONITOR>(1), Right = reinterpret_cast<HMONITOR>(2);
    const FMonitorArea Monitors[] = {{Left, {0, 0, 1920, 1080}}, {Right, {1920, 0, 3200, 1024}}};
    struct { RECT Window; HMONITOR Expected; } Cases[] = {
        {{1800, 100, 2300, 500}, Right},    // 120 px on the left, 380 on the right
        {{1720, 100, 2120, 500}, Left},     // half and half: the first wins
        {{3300, 100, 3700, 500}, Right},    // off every screen: the nearest
        {{-900, 1200, -100, 1600}, Left},
    };
    for (auto& Case : Cases)
        EXPECT_EQ(Case.Expected, ChooseLaunchMonitor(Case.Window, Monitors, 2)) << Case.Window.left;
    EXPECT_EQ(nullptr, ChooseLaunchMonitor(Cases[0].Window, Monitors, 0));
}
