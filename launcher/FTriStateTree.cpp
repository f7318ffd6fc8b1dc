// FTriStateTree.cpp: the tri-state check-box tree: its records, walks, order and the rules
// that keep parents and children consistent. The rules run on the control's state-changing
// and state-changed notifications, for the user's clicks and for this object's own changes.
#include "FTriStateTree.h"
#include "FTriStateTreeEmulation.h"

namespace
{
UINT StateImageBits(INT State) { return INDEXTOSTATEIMAGEMASK(State + 1); }
INT CheckStateOf(UINT ItemState) { return INT((ItemState & TVIS_STATEIMAGEMASK) >> 12) - 1; }

int CALLBACK CompareOrder(LPARAM A, LPARAM B, LPARAM)
{
    DWORD OrderA = reinterpret_cast<const FCheckTreeItem*>(A)->Order;
    DWORD OrderB = reinterpret_cast<const FCheckTreeItem*>(B)->Order;
    return OrderA < OrderB ? -1 : OrderA > OrderB ? 1 : 0;
}

// A disabled button keeps no focus: hand it to the tree so the keyboard still works.
void EnableButton(HWND Button, bool Enable, HWND TreeView)
{
    if (!Button)
        return;
    if (!Enable && GetFocus() == Button)
        SetFocus(TreeView);
    EnableWindow(Button, Enable);
}
} // namespace

FTriStateTree::~FTriStateTree()
{
    delete Emulation;
    for (FCheckTreeItem* Block : RecordBlocks)
        appFree(Block);
}

void FTriStateTree::Attach(HWND InTreeView, HWND InMoveUpButton, HWND InMoveDownButton)
{
    TreeView = InTreeView;
    MoveUpButton = InMoveUpButton;
    MoveDownButton = InMoveDownButton;
}

void FTriStateTree::SetExtendedStyles(DWORD Styles)
{
    SendMessageW(TreeView, TVM_SETEXTENDEDSTYLE, Styles, Styles);
    DWORD Kept = DWORD(SendMessageW(TreeView, TVM_GETEXTENDEDSTYLE, 0, 0));
    if ((Styles & TVS_EX_PARTIALCHECKBOXES) && !(Kept & TVS_EX_PARTIALCHECKBOXES) && !Emulation)
        Emulation = new (TEXT("FTriStateTree")) FEmulation(*this);
}

FCheckTreeItem* FTriStateTree::AddRecord()
{
    if (RecordCount % RecordsPerBlock == 0)
        RecordBlocks.AddItem(static_cast<FCheckTreeItem*>(
            appMalloc(sizeof(FCheckTreeItem) * RecordsPerBlock, TEXT("FCheckTreeItem"))));
    FCheckTreeItem* Record = &RecordBlocks.Last()[RecordCount++ % RecordsPerBlock];
    *Record = FCheckTreeItem{};
    return Record;
}

HTREEITEM FTriStateTree::Next(HTREEITEM Item, UINT Relation) const
{
    if (Relation == TVGN_CHILD && (Item == TVI_ROOT || !Item))
    {
        Relation = TVGN_ROOT;
        Item = NULL;
    }
    else if (Item == TVI_ROOT)
        return NULL;
    return reinterpret_cast<HTREEITEM>(SendMessageW(TreeView, TVM_GETNEXTITEM, Relation, reinterpret_cast<LPARAM>(Item)));
}

HTREEITEM FTriStateTree::InsertItem(const TCHAR* Text, HTREEITEM Parent)
{
    FCheckTreeItem* Record = AddRecord();
    Record->Order = DWORD(SendMessageW(TreeView, TVM_GETCOUNT, 0, 0));

    // The unchecked image is given explicitly: a control that makes its check boxes itself
    // may not give new items any.
    TVINSERTSTRUCTW Insert = {};
    Insert.hParent = Parent;
    Insert.hInsertAfter = TVI_LAST;
    Insert.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_STATE;
    Insert.item.stateMask = TVIS_STATEIMAGEMASK;
    Insert.item.state = StateImageBits(CHECK_Unchecked);
    Insert.item.pszText = const_cast<TCHAR*>(Text);
    Insert.item.lParam = reinterpret_cast<LPARAM>(Record);
    HTREEITEM Item = reinterpret_cast<HTREEITEM>(SendMessageW(TreeView, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&Insert)));
    if (!Item || Parent == TVI_ROOT || !Parent)
        return Item;

    GetItemRecord(Parent)->ChildCount++;
    if (GetCheckState(Parent) == CHECK_Checked)
    {
        Updating = 1;
        SetStateImage(Parent, CHECK_Partial);
        Updating = 0;
    }
    return Item;
}

HTREEITEM FTriStateTree::FindOrInsertChild(const TCHAR* Text, HTREEITEM Parent)
{
    for (HTREEITEM Child = Next(Parent, TVGN_CHILD); Child; Child = Next(Child, TVGN_NEXT))
    {
        TCHAR ChildText[FILE_PATH_MAX];
        GetItemText(Child, ChildText);
        if (_wcsicmp(ChildText, Text) == 0)
            return Child;
    }
    return InsertItem(Text, Parent);
}

void FTriStateTree::GetItemText(HTREEITEM Item, TCHAR (&Text)[FILE_PATH_MAX]) const
{
    Text[0] = 0;
    TVITEMW Query = {};
    Query.mask = TVIF_TEXT;
    Query.hItem = Item;
    Query.pszText = Text;
    Query.cchTextMax = FILE_PATH_MAX;
    SendMessageW(TreeView, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&Query));
}

FCheckTreeItem* FTriStateTree::GetItemRecord(HTREEITEM Item) const
{
    TVITEMW Query = {};
    Query.mask = TVIF_PARAM;
    Query.hItem = Item;
    if (!SendMessageW(TreeView, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&Query)))
        return NULL;
    return reinterpret_cast<FCheckTreeItem*>(Query.lParam);
}

INT FTriStateTree::GetCheckState(HTREEITEM Item) const
{
    return CheckStateOf(UINT(SendMessageW(TreeView, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(Item), TVIS_STATEIMAGEMASK)));
}

LRESULT FTriStateTree::SetStateImage(HTREEITEM Item, INT State)
{
    TVITEMW Change = {};
    Change.mask = TVIF_STATE;
    Change.hItem = Item;
    Change.stateMask = TVIS_STATEIMAGEMASK;
    Change.state = StateImageBits(State);
    if (Emulation)
        return Emulation->SetItemState(Change);
    return SendMessageW(TreeView, TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&Change));
}

LRESULT FTriStateTree::SetCheckState(HTREEITEM Item, INT State)
{
    Updating = 1;
    LRESULT Result = SetStateImage(Item, State);
    Updating = 0;
    return Result;
}

void FTriStateTree::SetChildrenCheckState(HTREEITEM Item, INT State)
{
    for (HTREEITEM Child = Next(Item, TVGN_CHILD); Child; Child = Next(Child, TVGN_NEXT))
    {
        Updating = 1;
        SetStateImage(Child, State);
        Updating = 0;
    }
}

HTREEITEM FTriStateTree::DeepestFirstChild(HTREEITEM Item) const
{
    for (HTREEITEM Child = Next(Item, TVGN_CHILD); Child; Child = Next(Item, TVGN_CHILD))
        Item = Child;
    return Item;
}

HTREEITEM FTriStateTree::NextLeaf(HTREEITEM Item) const
{
    HTREEITEM Down = DeepestFirstChild(Item);
    if (Down != Item)
        return Down;
    if (Item == TVI_ROOT || !Item)
        return NULL;
    for (HTREEITEM At = Item; At; At = Next(At, TVGN_PARENT))
        if (HTREEITEM Sibling = Next(At, TVGN_NEXT))
            return DeepestFirstChild(Sibling);
    return NULL;
}

LRESULT FTriStateTree::SwapOrder(HTREEITEM A, HTREEITEM B)
{
    FCheckTreeItem* RecordA = GetItemRecord(A);
    FCheckTreeItem* RecordB = GetItemRecord(B);
    DWORD Order = RecordA->Order;
    RecordA->Order = RecordB->Order;
    RecordB->Order = Order;
    TVSORTCB Sort = {TVI_ROOT, CompareOrder, 0};
    return SendMessageW(TreeView, TVM_SORTCHILDRENCB, 0, reinterpret_cast<LPARAM>(&Sort));
}

void FTriStateTree::MoveSelectedUp()
{
    HTREEITEM Selected = Next(NULL, TVGN_CARET);
    HTREEITEM Previous = Selected ? Next(Selected, TVGN_PREVIOUS) : NULL;
    if (!Previous)
        return;
    SwapOrder(Selected, Previous);
    EnableButton(MoveUpButton, Next(Selected, TVGN_PREVIOUS) != NULL, TreeView);
    EnableButton(MoveDownButton, true, TreeView);
}

void FTriStateTree::MoveSelectedDown()
{
    HTREEITEM Selected = Next(NULL, TVGN_CARET);
    HTREEITEM Following = Selected ? Next(Selected, TVGN_NEXT) : NULL;
    if (!Following)
        return;
    SwapOrder(Selected, Following);
    EnableButton(MoveUpButton, true, TreeView);
    EnableButton(MoveDownButton, Next(Selected, TVGN_NEXT) != NULL, TreeView);
}

LRESULT FTriStateTree::OnNotify(const NMHDR* Header)
{
    switch (Header->code)
    {
    case TVN_SELCHANGINGW: return OnSelChanging(reinterpret_cast<const NMTREEVIEWW*>(Header));
    case TVN_ITEMCHANGINGW: return OnItemChanging(reinterpret_cast<const NMTVITEMCHANGE*>(Header));
    case TVN_ITEMCHANGEDW: return OnItemChanged(reinterpret_cast<const NMTVITEMCHANGE*>(Header));
    }
    return 0;
}

LRESULT FTriStateTree::OnSelChanging(const NMTREEVIEWW* Change)
{
    if (!MoveUpButton || !MoveDownButton)
        return 0;
    HTREEITEM Item = Change->itemNew.hItem;
    bool TopLevel = Item && !Next(Item, TVGN_PARENT);
    EnableButton(MoveUpButton, TopLevel && Next(Item, TVGN_PREVIOUS), TreeView);
    EnableButton(MoveDownButton, TopLevel && Next(Item, TVGN_NEXT), TreeView);
    return 0;
}

LRESULT FTriStateTree::OnItemChanging(const NMTVITEMCHANGE* Change)
{
    if (!SendMessageW(TreeView, TVM_GETCOUNT, 0, 0) || Updating)
        return 0;
    if (((Change->uStateOld ^ Change->uStateNew) & TVIS_STATEIMAGEMASK) == 0)
        return 0;
    // The item whose box the user clicks becomes the selected one.
    SendMessageW(TreeView, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(Change->hItem));
    // The control would advance a checked box to partial: the user only toggles between
    // unchecked and checked, partial is the rules' alone.
    if (CheckStateOf(Change->uStateNew) == CHECK_Partial)
    {
        SetCheckState(Change->hItem, CHECK_Unchecked);
        return 1;
    }
    return 0;
}

LRESULT FTriStateTree::OnItemChanged(const NMTVITEMCHANGE* Change)
{
    INT Old = CheckStateOf(Change->uStateOld);
    INT New = CheckStateOf(Change->uStateNew);
    if (!SendMessageW(TreeView, TVM_GETCOUNT, 0, 0) || Old == New)
        return 0;
    HTREEITEM Item = Change->hItem;
    FCheckTreeItem* Record = GetItemRecord(Item);
    if (HTREEITEM Parent = Next(Item, TVGN_PARENT))
    {
        FCheckTreeItem* ParentRecord = GetItemRecord(Parent);
        if (Old == CHECK_Checked)
            ParentRecord->CheckedChildren--;
        else if (New == CHECK_Checked)
            ParentRecord->CheckedChildren++;
        if (Old == CHECK_Partial)
            ParentRecord->PartialChildren--;
        else if (New == CHECK_Partial)
            ParentRecord->PartialChildren++;

        if (!ParentRecord->Propagating)
        {
            if (New == CHECK_Unchecked)
                SetCheckState(Parent, ParentRecord->CheckedChildren || ParentRecord->PartialChildren ? CHECK_Partial : CHECK_Unchecked);
            else if (New == CHECK_Checked)
                SetCheckState(Parent, ParentRecord->CheckedChildren == ParentRecord->ChildCount ? CHECK_Checked : CHECK_Partial);
            else if (New == CHECK_Partial)
            {
                SetCheckState(Parent, CHECK_Partial);
                return 0;
            }
        }
    }
    bool CheckBelow = New == CHECK_Checked && DWORD(Record->CheckedChildren) < DWORD(Record->ChildCount);
    bool UncheckBelow = New == CHECK_Unchecked && (Record->CheckedChildren > 0 || Record->PartialChildren > 0);
    if (CheckBelow || UncheckBelow)
    {
        Record->Propagating = 1;
        SetChildrenCheckState(Item, New);
        Record->Propagating = 0;
    }
    return 0;
}
