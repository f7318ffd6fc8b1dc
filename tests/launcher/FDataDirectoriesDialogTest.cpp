// FDataDirectoriesDialogTest.cpp: the Data Directories dialog from its resource and its
// tri-state tree, over a game installation with mods on disk, driven with the player's mouse
// and keys.
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
        Open();
    }
    void TearDown() override { Close(); }

    void Open()
    {
        Dialog.reset(new FDataDirectoriesDialog);
        CreateDialogParamW(GetModuleHandleW(NULL), MAKEINTRESOURCEW(IDD_DATADIRECTORIES), NULL, FDataDirectoriesDialog::DialogProc,
                           LPARAM(Dialog.get()));
        ASSERT_TRUE(Dialog->Window);
        ShowWindow(Dialog->Window, SW_SHOW);
        SetForegroundWindow(Dialog->Window);
        SetFocus(Dialog->Tree.TreeView); // where the space key goes
    }
    void Close()
    {
        if (Dialog && Dialog->Window)
            DestroyWindow(Dialog->Window);
        Dialog.reset();
    }

    // The item of a top-level folder or of an entry, inserted if it is new.
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
    // Move up and Move down, 1 when enabled.
    std::string Buttons()
    {
        return std::to_string(IsWindowEnabled(GetDlgItem(Dialog->Window, IDC_DATADIRECTORIES_MOVEUP))) +
               std::to_string(IsWindowEnabled(GetDlgItem(Dialog->Window, IDC_DATADIRECTORIES_MOVEDOWN)));
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
    EXPECT_EQ(Find(TEXT("modb")), Find(TEXT("ModB"))) << "letter case is ignored";
    // Only top-level items move, and only where there is a neighbour.
    for (auto Row : {std::make_pair(TEXT("ModB"), "01"), {TEXT("..\\ModB\\System\\*.u"), "00"}, {TEXT("ModC"), "10"}})
    {
        TreeView_SelectItem(Dialog->Tree.TreeView, Find(Row.first));
        EXPECT_EQ(Buttons(), Row.second) << Narrow(Row.first);
    }

    const FTexts Stored = Narrow(GSys->Paths);
    // Escape is the Cancel button's command.
    enum EWay { CancelButton, CloseMessage, OKButton };
    for (EWay Way : {CancelButton, CloseMessage, OKButton})
    {
        Close();
        Open();
        ASSERT_TRUE(ClickCheckBox(Dialog->Tree.TreeView, Find(TEXT("..\\ModC\\System\\*.int"))));
        TreeView_SelectItem(Dialog->Tree.TreeView, Find(TEXT("ModA")));
        ClickOn(Dialog->Window, IDC_DATADIRECTORIES_MOVEUP);
        EXPECT_EQ(Buttons(), "01");
        TreeView_SelectItem(Dialog->Tree.TreeView, Find(TEXT("Extra\\*.u")));
        ClickOn(Dialog->Window, IDC_DATADIRECTORIES_MOVEDOWN);
        EXPECT_EQ(Buttons(), "10");
        EXPECT_EQ(Items(false), (FTexts{"ModA", "ModB", "ModC", "Extra\\*.u"}));
        Way == CloseMessage ? void(SendMessageW(Dialog->Window, WM_CLOSE, 0, 0)) : ClickOn(Dialog->Window, Way == OKButton ? IDOK : IDCANCEL);
        EXPECT_FALSE(IsWindowVisible(Dialog->Window)) << Way;
        EXPECT_TRUE(Way == OKButton || Narrow(GSys->Paths) == Stored) << Way;
    }
    EXPECT_EQ(Narrow(GSys->Paths), (FTexts{"..\\ModA\\System\\*.u", "..\\ModB\\System\\*.u", "Extra\\*.u",
                                           "..\\Maps\\*.unr", "..\\System\\*.u"}));
    EXPECT_EQ(IntPaths(), (FTexts{"..\\ModC\\System\\*.int", "..\\ModB\\System\\*.int"})) << "newest first";
}

TEST_F(FDataDirectoriesDialogTest, ClicksAndSpaceKeepParentsAndChildrenConsistent)
{
    // g: ModC; p: its System folder with the leaves a, b and c; q: its Maps folder; d: added under p.
    const std::string Names = "gpabcqd";
    std::vector<HTREEITEM> Items = {Find(TEXT("ModC")), NULL, Find(TEXT("..\\ModC\\System\\*.int")), Find(TEXT("..\\ModC\\System\\*.u")),
                                    Find(TEXT("..\\ModC\\System\\*.x")), Find(TEXT("..\\ModC\\Maps\\*.unr"))};
    Items[1] = TreeView_GetParent(Dialog->Tree.TreeView, Items[2]);
    Items[5] = TreeView_GetParent(Dialog->Tree.TreeView, Items[5]);
    enum EInput { ClickBox, SpaceKey, AddUnderP };
    struct FStep { EInput Input; char Item; const char* Expected; const char* Why; };
    const FStep Steps[] = {
        // items:                 g p a b c q (d)
        {ClickBox, 'p', "211110", "checking a parent of three checks all three and re-derives its parent"},
        {ClickBox, 'a', "220110", "unchecking one child makes the parent partial"},
        {ClickBox, 'b', "220010", "a child still checked keeps it partial"},
        {ClickBox, 'c', "000000", "unchecking the last makes it unchecked, and its parent"},
        {ClickBox, 'a', "221000", "checking a child of an unchecked parent makes it partial"},
        {ClickBox, 'p', "000000", "a click on a partial parent unchecks everything below"},
        {ClickBox, 'q', "200001", "one child of two checked"},
        {ClickBox, 'p', "111111", "all children checked check the parent"},
        {ClickBox, 'p', "200001", "a click on a checked box leaves it unchecked, never partial"},
        {SpaceKey, 'p', "111111", "the space key toggles the selected item's box"},
        {AddUnderP, 'd', "2211110", "a new child under a checked parent makes it partial"},
    };
    for (const FStep& Step : Steps)
    {
        HTREEITEM Item = Step.Input == AddUnderP ? Find(TEXT("..\\ModC\\System\\*.y")) : Items[Names.find(Step.Item)];
        if (Step.Input == AddUnderP)
            Items.push_back(Item);
        else if (Step.Input == SpaceKey)
        {
            TreeView_SelectItem(Dialog->Tree.TreeView, Item);
            PressKey(VK_SPACE);
        }
        else
        {
            ASSERT_TRUE(ClickCheckBox(Dialog->Tree.TreeView, Item)) << Step.Item;
        }
        EXPECT_TRUE(Step.Input == AddUnderP || TreeView_GetSelection(Dialog->Tree.TreeView) == Item) << Step.Item << ": the clicked item is selected";
        // One digit an item: 0 unchecked, 1 checked, 2 partial.
        std::string States;
        for (HTREEITEM Each : Items)
            States += char('0' + Dialog->Tree.GetCheckState(Each));
        EXPECT_EQ(States, Step.Expected) << Step.Item << ": " << Step.Why;
    }
}

// Windows' control keeps the partial check boxes' style and handles their clicks itself.
LRESULT CALLBACK KeepsPartialBoxes(HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam, UINT_PTR, DWORD_PTR)
{
    return Msg == TVM_GETEXTENDEDSTYLE ? TVS_EX_PARTIALCHECKBOXES : DefSubclassProc(Window, Msg, WParam, LParam);
}

TEST(FTriStateTree, AddsNothingToAControlThatKeepsThePartialBoxes)
{
    CORVANE_SKIP_WITHOUT_WINDOWS();
    HWND TreeView = CreateWindowExW(0, WC_TREEVIEWW, L"", TVS_CHECKBOXES, 0, 0, 100, 100, NULL, NULL, NULL, NULL);
    SetWindowSubclass(TreeView, KeepsPartialBoxes, 1, 0);
    FTriStateTree Tree;
    Tree.Attach(TreeView, NULL, NULL);
    EXPECT_EQ(Tree.NextLeaf(TVI_ROOT), nullptr) << "an empty tree has no leaf";
    Tree.SetExtendedStyles(TVS_EX_PARTIALCHECKBOXES);
    EXPECT_FALSE(Tree.IsEmulating());
    DestroyWindow(TreeView);
}
} // namespace
