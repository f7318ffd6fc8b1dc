// FTriStateTreeEmulation.h: the tri-state check boxes for a tree-view control that lacks them.
// Wine's control drops the partial check-box style and never sends the state-changing and
// state-changed notifications the tree's rules run on; without this a player under Wine gets
// a tree that never propagates. Windows' control needs none of it.
#pragma once
#include "FTriStateTree.h"

class FTriStateTree::FEmulation : public FGMallocObject
{
public:
    // Gives the control a state image list with the partial image and takes its check-box
    // clicks and the space key.
    explicit FEmulation(FTriStateTree& InTree);
    ~FEmulation();
    FEmulation(const FEmulation&) = delete;
    FEmulation& operator=(const FEmulation&) = delete;

    // Applies Change as the control applies a state change: the owner is asked first (a
    // nonzero answer refuses it) and told afterwards, when the state image changes.
    LRESULT SetItemState(const TVITEMW& Change);
    // The user's click on Item's box (or the space key on it): the box advances as the
    // control's own does, unchecked, checked, partial, unchecked.
    void ClickBox(HTREEITEM Item);

private:
    static LRESULT CALLBACK SubclassProc(HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam, UINT_PTR Id, DWORD_PTR Data);
    LRESULT NotifyOwner(NMTVITEMCHANGE& Change, UINT Code);
    void Detach();

    FTriStateTree& Tree;
    HIMAGELIST StateImages = NULL;
    bool Attached = false;
};

// The next state image index after a click: 1 unchecked, 2 checked, 3 partial; others stay.
UINT NextClickedStateImage(UINT Image);
