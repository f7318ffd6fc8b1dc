// FTriStateTree.h: a tree-view control whose check boxes have three states (unchecked,
// checked, partial) and keep parents and children consistent, with top-level items in an
// order of the tree's own that two buttons change.
#pragma once
#include "WinFileCalls.h"
#include <windows.h>
#include <commctrl.h>

// Check states, as the state image index minus one.
enum ECheckState
{
    CHECK_None = -1, // the item has no state image: no rule acts on it
    CHECK_Unchecked = 0,
    CHECK_Checked = 1,
    CHECK_Partial = 2,
};

// One per inserted item; the item's application data points at it.
struct FCheckTreeItem
{
    DWORD Order;          // sort key among the top-level items
    INT CheckedChildren;  // direct children that are checked
    INT PartialChildren;  // direct children that are partial
    INT ChildCount;       // direct children inserted
    BYTE Propagating;     // this item is pushing its state down to its children
};

class FTriStateTree
{
public:
    HWND TreeView = NULL;
    HWND MoveUpButton = NULL;
    HWND MoveDownButton = NULL;
    BYTE Updating = 0; // this object itself is changing a check state

    FTriStateTree() = default;
    ~FTriStateTree();
    FTriStateTree(const FTriStateTree&) = delete;
    FTriStateTree& operator=(const FTriStateTree&) = delete;

    void Attach(HWND InTreeView, HWND InMoveUpButton, HWND InMoveDownButton);
    // Sets the control's extended styles. A control that drops the partial check boxes (Wine's)
    // gets them, and the notifications the rules rest on, from this object instead.
    void SetExtendedStyles(DWORD Styles);
    bool IsEmulating() const { return Emulation != NULL; }

    HTREEITEM InsertItem(const TCHAR* Text, HTREEITEM Parent);
    HTREEITEM FindOrInsertChild(const TCHAR* Text, HTREEITEM Parent);
    void GetItemText(HTREEITEM Item, TCHAR (&Text)[FILE_PATH_MAX]) const;
    FCheckTreeItem* GetItemRecord(HTREEITEM Item) const;
    INT GetCheckState(HTREEITEM Item) const;
    LRESULT SetCheckState(HTREEITEM Item, INT State);
    void SetChildrenCheckState(HTREEITEM Item, INT State);
    HTREEITEM DeepestFirstChild(HTREEITEM Item) const;
    // The next leaf in tree order after Item; from TVI_ROOT the first leaf. NULL after the last.
    HTREEITEM NextLeaf(HTREEITEM Item) const;
    LRESULT SwapOrder(HTREEITEM A, HTREEITEM B);
    void MoveSelectedUp();
    void MoveSelectedDown();
    // The result the owner hands back to the control for a notification of the tree view.
    LRESULT OnNotify(const NMHDR* Header);

private:
    class FEmulation;
    friend class FEmulation;

    LRESULT OnSelChanging(const NMTREEVIEWW* Change);
    LRESULT OnItemChanging(const NMTVITEMCHANGE* Change);
    LRESULT OnItemChanged(const NMTVITEMCHANGE* Change);
    // Sets the state image bits, with the notifications the control sends for the change.
    LRESULT SetStateImage(HTREEITEM Item, INT State);
    FCheckTreeItem* AddRecord();
    HTREEITEM Next(HTREEITEM Item, UINT Relation) const;

    // Records in blocks that never move: the control's items point at them.
    enum { RecordsPerBlock = 64 };
    TArray<FCheckTreeItem*> RecordBlocks;
    INT RecordCount = 0;
    FEmulation* Emulation = NULL;
};
