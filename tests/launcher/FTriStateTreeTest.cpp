// FTriStateTreeTest.cpp: the tri-state tree on a real tree-view control, twice: on Wine's
// control, where the tree supplies the check-box behaviour itself and the player's mouse and
// space key drive it, and on a control that keeps the partial check boxes and notifies as
// Windows' does, fed the notifications Windows sends for a click.
#include "FTriStateTree.h"
#include "FTriStateTreeEmulation.h"
#include "PlayerInput.h"
#include "TestSupport.h"
#include <map>
#include <string>
#include <vector>

namespace
{
enum EControl { WineControl, WindowsControl };

// Windows' control: it keeps the extended styles and tells its owner of every change of a
// state image, before (a nonzero answer refuses it) and after.
LRESULT CALLBACK WindowsLikeTreeView(HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam, UINT_PTR, DWORD_PTR Data)
{
    DWORD& ExStyle = *reinterpret_cast<DWORD*>(Data);
    if (Msg == TVM_SETEXTENDEDSTYLE)
    {
        DWORD Old = ExStyle;
        ExStyle = (ExStyle & ~DWORD(WParam)) | (DWORD(LParam) & DWORD(WParam));
        return Old;
    }
    if (Msg == TVM_GETEXTENDEDSTYLE)
        return ExStyle;
    const TVITEMW* Item = reinterpret_cast<const TVITEMW*>(LParam);
    if (Msg != TVM_SETITEMW || !(Item->mask & TVIF_STATE))
        return DefSubclassProc(Window, Msg, WParam, LParam);
    NMTVITEMCHANGE Note = {{Window, UINT_PTR(GetDlgCtrlID(Window)), TVN_ITEMCHANGINGW}, TVIF_STATE, Item->hItem, 0, 0, 0};
    Note.uStateOld = UINT(DefSubclassProc(Window, TVM_GETITEMSTATE, WPARAM(Item->hItem), ~0u));
    Note.uStateNew = (Note.uStateOld & ~Item->stateMask) | (Item->state & Item->stateMask);
    if (((Note.uStateOld ^ Note.uStateNew) & TVIS_STATEIMAGEMASK) == 0)
        return DefSubclassProc(Window, Msg, WParam, LParam);
    if (SendMessageW(GetParent(Window), WM_NOTIFY, Note.hdr.idFrom, LPARAM(&Note)))
        return FALSE;
    LRESULT Result = DefSubclassProc(Window, Msg, WParam, LParam);
    Note.hdr.code = TVN_ITEMCHANGEDW;
    SendMessageW(GetParent(Window), WM_NOTIFY, Note.hdr.idFrom, LPARAM(&Note));
    return Result;
}

// The owner window: hands the tree's notifications to the tree, as the dialog does.
LRESULT CALLBACK HostProc(HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam)
{
    auto* Tree = reinterpret_cast<FTriStateTree*>(GetWindowLongPtrW(Window, GWLP_USERDATA));
    if (Msg == WM_NOTIFY && Tree && reinterpret_cast<NMHDR*>(LParam)->hwndFrom == Tree->TreeView)
        return Tree->OnNotify(reinterpret_cast<NMHDR*>(LParam));
    return DefWindowProcW(Window, Msg, WParam, LParam);
}

class FTriStateTreeTest : public testing::TestWithParam<EControl>
{
protected:
    void SetUp() override
    {
        CORVANE_SKIP_WITHOUT_WINDOWS();
        INITCOMMONCONTROLSEX Classes = {sizeof(Classes), ICC_TREEVIEW_CLASSES};
        InitCommonControlsEx(&Classes);
        WNDCLASSW Class = {};
        Class.lpfnWndProc = HostProc;
        Class.lpszClassName = L"TriStateTreeHost";
        RegisterClassW(&Class);
        Host = CreateWindowExW(0, L"TriStateTreeHost", L"", WS_POPUP | WS_VISIBLE, 40, 40, 420, 400, NULL, NULL, NULL, NULL);
        HWND TreeView = CreateWindowExW(0, WC_TREEVIEWW, L"", WS_CHILD | WS_VISIBLE | WS_BORDER | TVS_HASBUTTONS | TVS_LINESATROOT | TVS_SHOWSELALWAYS | TVS_CHECKBOXES,
                                        0, 0, 300, 400, Host, HMENU(1032), NULL, NULL);
        HWND Up = CreateWindowExW(0, L"BUTTON", L"Move up", WS_CHILD | WS_VISIBLE | WS_DISABLED, 310, 100, 100, 30, Host, HMENU(1021), NULL, NULL);
        HWND Down = CreateWindowExW(0, L"BUTTON", L"Move down", WS_CHILD | WS_VISIBLE | WS_DISABLED, 310, 140, 100, 30, Host, HMENU(1022), NULL, NULL);
        if (GetParam() == WindowsControl)
            SetWindowSubclass(TreeView, WindowsLikeTreeView, 1, DWORD_PTR(&WindowsExStyle));
        Tree.Attach(TreeView, Up, Down);
        SetWindowLongPtrW(Host, GWLP_USERDATA, LONG_PTR(&Tree));
        Tree.SetExtendedStyles(TVS_EX_PARTIALCHECKBOXES | TVS_EX_AUTOHSCROLL);
        FocusWindow(TreeView);
    }
    void TearDown() override
    {
        if (Host)
            DestroyWindow(Host);
    }

    HTREEITEM Add(const char* Name, HTREEITEM Parent = TVI_ROOT)
    {
        std::wstring Text(Name, Name + strlen(Name));
        return Items[Name] = Tree.InsertItem(Text.c_str(), Parent);
    }
    // The player's click on the box: the mouse on Wine's control; on Windows' control the
    // change it announces for a click, which advances the box by one image.
    void Click(HTREEITEM Item)
    {
        if (GetParam() == WineControl)
        {
            ASSERT_TRUE(ClickCheckBox(Tree.TreeView, Item));
            return;
        }
        UINT Image = TreeView_GetItemState(Tree.TreeView, Item, TVIS_STATEIMAGEMASK) >> 12;
        TVITEMW Change = {};
        Change.mask = TVIF_STATE;
        Change.hItem = Item;
        Change.state = INDEXTOSTATEIMAGEMASK(NextClickedStateImage(Image));
        Change.stateMask = TVIS_STATEIMAGEMASK;
        SendMessageW(Tree.TreeView, TVM_SETITEMW, 0, LPARAM(&Change));
    }
    // The check states of g p a b c q d, those there are, one digit each (0 unchecked, 1 checked, 2 partial).
    std::string States()
    {
        std::string Digits;
        for (const char* Name : {"g", "p", "a", "b", "c", "q", "d"})
            if (Items.count(Name))
                Digits += char('0' + Tree.GetCheckState(Items[Name]));
        return Digits;
    }
    // The names of the top-level items in order, one letter each.
    std::string TopLevel()
    {
        std::string Names;
        for (HTREEITEM Item = TreeView_GetRoot(Tree.TreeView); Item; Item = TreeView_GetNextSibling(Tree.TreeView, Item))
        {
            TCHAR Text[FILE_PATH_MAX];
            Tree.GetItemText(Item, Text);
            Names += char(Text[0]);
        }
        return Names;
    }
    std::string Buttons() { return std::to_string(IsWindowEnabled(Tree.MoveUpButton)) + std::to_string(IsWindowEnabled(Tree.MoveDownButton)); }

    HWND Host = NULL;
    DWORD WindowsExStyle = 0;
    FTriStateTree Tree;
    std::map<std::string, HTREEITEM> Items;
};

TEST_P(FTriStateTreeTest, ClicksAndSpaceKeepParentsAndChildrenConsistent)
{
    EXPECT_EQ(Tree.IsEmulating(), GetParam() == WineControl) << "only Wine's control is emulated";
    UpdateWindow(Tree.TreeView);

    Add("g");
    Add("p", Items["g"]);
    for (const char* Child : {"a", "b", "c"})
        Add(Child, Items["p"]);
    Add("q", Items["g"]);
    TreeView_Expand(Tree.TreeView, Items["g"], TVE_EXPAND);
    TreeView_Expand(Tree.TreeView, Items["p"], TVE_EXPAND);

    enum EInput { ClickBox, SpaceKey, AddUnderP };
    struct FStep { EInput Input; const char* Item; const char* Expected; const char* Why; };
    const FStep Steps[] = {
        // items:                 g p a b c q (d)
        {ClickBox, "p", "211110", "checking a parent of three checks all three and re-derives its parent"},
        {ClickBox, "a", "220110", "unchecking one child makes the parent partial"},
        {ClickBox, "b", "220010", "a child still checked keeps it partial"},
        {ClickBox, "c", "000000", "unchecking the last makes it unchecked, and its parent"},
        {ClickBox, "a", "221000", "checking a child of an unchecked parent makes it partial"},
        {ClickBox, "p", "000000", "a click on a partial parent unchecks everything below"},
        {ClickBox, "q", "200001", "one child of two checked"},
        {ClickBox, "p", "111111", "all children checked check the parent"},
        {ClickBox, "p", "200001", "a click on a checked box leaves it unchecked, never partial"},
        {SpaceKey, "p", "111111", "the space key toggles the selected item's box"},
        {AddUnderP, "d", "2211110", "a new child under a checked parent makes it partial"},
    };
    for (const FStep& Step : Steps)
    {
        if (Step.Input == AddUnderP)
            Add(Step.Item, Items["p"]);
        else
        {
            if (Step.Input == SpaceKey) // the player's key on Wine's control; Windows' does as for a click
                TreeView_SelectItem(Tree.TreeView, Items[Step.Item]);
            Step.Input == SpaceKey && GetParam() == WineControl ? PressKey(VK_SPACE) : Click(Items[Step.Item]);
            EXPECT_EQ(TreeView_GetSelection(Tree.TreeView), Items[Step.Item]) << Step.Item << ": the clicked item is selected";
        }
        EXPECT_EQ(States(), Step.Expected) << Step.Item << ": " << Step.Why;
    }
}

TEST_P(FTriStateTreeTest, WalksFindAndMoveTopLevelItems)
{
    EXPECT_EQ(Tree.NextLeaf(TVI_ROOT), nullptr) << "an empty tree has no leaf";
    Add("a");
    Add("b", Items["a"]);
    Add("c", Items["a"]);
    Add("d");
    std::vector<HTREEITEM> Leaves;
    for (HTREEITEM Leaf = Tree.NextLeaf(TVI_ROOT); Leaf; Leaf = Tree.NextLeaf(Leaf))
        Leaves.push_back(Leaf);
    EXPECT_EQ(Leaves, (std::vector<HTREEITEM>{Items["b"], Items["c"], Items["d"]}));
    EXPECT_EQ(Tree.FindOrInsertChild(L"C", Items["a"]), Items["c"]) << "letter case is ignored";
    EXPECT_EQ(TreeView_GetCount(Tree.TreeView), 4u);

    Add("e");
    enum EAction { Select, MoveUp, MoveDown };
    struct FStep { EAction Action; const char* Item; const char* Order; const char* Buttons; };
    const FStep Steps[] = {
        {Select, "a", "ade", "01"}, // first: only down
        {Select, "e", "ade", "10"}, // last: only up
        {Select, "b", "ade", "00"}, // nested items never move
        {Select, "d", "ade", "11"},
        {MoveUp, "d", "dae", "01"}, // now first
        {MoveDown, "d", "ade", "11"},
        {MoveDown, "d", "aed", "10"}, // now last
    };
    for (const FStep& Step : Steps)
    {
        if (Step.Action == Select)
            TreeView_SelectItem(Tree.TreeView, Items[Step.Item]);
        else
            Step.Action == MoveUp ? Tree.MoveSelectedUp() : Tree.MoveSelectedDown();
        EXPECT_EQ(TopLevel() + " " + Buttons(), std::string(Step.Order) + " " + Step.Buttons) << Step.Action << " " << Step.Item;
    }
}

INSTANTIATE_TEST_SUITE_P(Controls, FTriStateTreeTest, testing::Values(WineControl, WindowsControl),
                         [](const testing::TestParamInfo<EControl>& Info) { return Info.param == WineControl ? "Wine" : "Windows"; });
} // namespace
