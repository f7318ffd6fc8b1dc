// FDataDirectoriesDialogTest.cpp: the Data Directories dialog from its resource, over a game
// installation with mods on disk, driven with the player's mouse and keys.
#include "DataDirsTestSupport.h"
#include "FConfigFile.h"
#include "FDataDirectoriesDialog.h"
#include "PlayerInput.h"
#include "Resource.h"
#include <memory>

namespace
{
// ModB and ModA are configured, in this order; ModC lies only on disk, with a localization
// file and a package; Maps and System are the game's own folders.
const std::string GSystemIni = "[Core.System]\r\nPaths=..\\System\\*.u\r\nPaths=..\\ModB\\System\\*.u\r\n"
                               "Paths=..\\ModA\\System\\*.u\r\nPaths=Extra\\*.u\r\nPaths=..\\Maps\\*.unr\r\n\r\n"
                               "[Corvane]\r\nIntPaths=..\\ModB\\System\\*.int\r\n";
const std::string GDefaultIni = "[Core.System]\r\nPaths=..\\System\\*.u\r\nPaths=..\\Maps\\*.unr\r\n";

class FDataDirectoriesDialogTest : public FDataDirsTest
{
protected:
    void SetUp() override
    {
        CORVANE_SKIP_WITHOUT_WINDOWS();
        for (const TCHAR* File : {TEXT("System\\Core.u"), TEXT("Maps\\Start.unr"), TEXT("ModA\\System\\ModA.u"),
                                  TEXT("ModB\\System\\ModB.u"), TEXT("ModC\\System\\ModC.int"), TEXT("ModC\\System\\ModC.u")})
            Temp.Write(File, "data");
        WriteInis(GSystemIni, GDefaultIni);
        GSys->LoadConfig();
        INITCOMMONCONTROLSEX Classes = {sizeof(Classes), ICC_TREEVIEW_CLASSES};
        InitCommonControlsEx(&Classes);
        Open();
    }
    void TearDown() override { Close(); }

    void Open()
    {
        Dialog.reset(new FDataDirectoriesDialog);
        CreateDialogParamW(GetModuleHandleW(NULL), MAKEINTRESOURCEW(IDD_DATADIRECTORIES), NULL, FDataDirectoriesDialog::DialogProc,
                           LPARAM(Dialog.get()));
        ASSERT_TRUE(Dialog->Window);
        FocusWindow(Dialog->Tree.TreeView);
    }
    void Close()
    {
        if (Dialog && Dialog->Window)
            DestroyWindow(Dialog->Window);
        Dialog.reset();
    }

    // The item of a top-level folder or of an entry; the tree has them already.
    HTREEITEM Find(const TCHAR* FolderOrEntry)
    {
        return appStrchr(FolderOrEntry, '\\') ? Dialog->InsertPath(FolderOrEntry) : Dialog->Tree.FindOrInsertChild(FolderOrEntry, TVI_ROOT);
    }
    // The top-level items, or each leaf in tree order with its check state.
    FTexts Items(bool Leaves)
    {
        FTexts Found;
        FTriStateTree& Tree = Dialog->Tree;
        for (HTREEITEM Item = Leaves ? Tree.NextLeaf(TVI_ROOT) : TreeView_GetRoot(Tree.TreeView); Item;
             Item = Leaves ? Tree.NextLeaf(Item) : TreeView_GetNextSibling(Tree.TreeView, Item))
        {
            TCHAR Text[FILE_PATH_MAX];
            Tree.GetItemText(Item, Text);
            Found.push_back(Narrow(Text) + (Leaves ? "=" + std::to_string(Tree.GetCheckState(Item)) : ""));
        }
        return Found;
    }
    FTexts IntPaths()
    {
        TArray<FString> Values;
        if (const FConfigSectionMap* Corvane = GConfig->GetSectionPrivate(TEXT("Corvane"), 0, 1))
            Corvane->MultiFind(TEXT("IntPaths"), Values);
        return Narrow(Values);
    }

    std::unique_ptr<FDataDirectoriesDialog> Dialog;
};

TEST_F(FDataDirectoriesDialogTest, ShowsTheListsThenTheDiskAndOKAloneSavesTheCheckedLeavesInTreeOrder)
{
    // Configured mods first in their order, the mod found on disk after them; a two-component
    // entry is a top-level leaf; the game's own folders are nowhere.
    EXPECT_EQ(Items(false), (FTexts{"ModB", "ModA", "Extra\\*.u", "ModC"}));
    EXPECT_EQ(Items(true), (FTexts{"..\\ModB\\System\\*.u=1", "..\\ModB\\System\\*.int=1", "..\\ModA\\System\\*.u=1",
                                   "Extra\\*.u=1", "..\\ModC\\System\\*.int=0", "..\\ModC\\System\\*.u=0"}));
    EXPECT_EQ(TreeView_GetSelection(Dialog->Tree.TreeView), Find(TEXT("ModB")));
    EXPECT_EQ(Dialog->Tree.GetCheckState(Find(TEXT("ModB"))), CHECK_Checked);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(Dialog->Window, IDC_DATADIRECTORIES_MOVEDOWN)));

    const FTexts Stored = Narrow(GSys->Paths);
    enum EWay { CancelButton, EscapeKey, CloseMessage, OKButton };
    for (EWay Way : {CancelButton, EscapeKey, CloseMessage, OKButton})
    {
        Close();
        Open();
        ASSERT_TRUE(ClickCheckBox(Dialog->Tree.TreeView, Find(TEXT("..\\ModC\\System\\*.int"))));
        EXPECT_EQ(Dialog->Tree.GetCheckState(Find(TEXT("ModC"))), CHECK_Partial);
        TreeView_SelectItem(Dialog->Tree.TreeView, Find(TEXT("ModA")));
        ClickOn(Dialog->Window, IDC_DATADIRECTORIES_MOVEUP);
        EXPECT_EQ(Items(false), (FTexts{"ModA", "ModB", "Extra\\*.u", "ModC"}));
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(Dialog->Window, IDC_DATADIRECTORIES_MOVEUP)));
        Way == OKButton       ? ClickOn(Dialog->Window, IDOK)
        : Way == CancelButton ? ClickOn(Dialog->Window, IDCANCEL)
        : Way == EscapeKey    ? PressKey(VK_ESCAPE)
                              : void(SendMessageW(Dialog->Window, WM_CLOSE, 0, 0));
        EXPECT_FALSE(IsWindowVisible(Dialog->Window)) << Way;
        EXPECT_TRUE(Way == OKButton || Narrow(GSys->Paths) == Stored) << Way;
    }
    EXPECT_EQ(Narrow(GSys->Paths), (FTexts{"..\\ModA\\System\\*.u", "..\\ModB\\System\\*.u", "Extra\\*.u",
                                           "..\\Maps\\*.unr", "..\\System\\*.u"}));
    EXPECT_EQ(IntPaths(), (FTexts{"..\\ModC\\System\\*.int", "..\\ModB\\System\\*.int"})) << "newest first";
}
} // namespace
