// FTriStateTreeEmulation.cpp: check-box clicks, the space key and state changes turned into
// the notifications Windows' tree view sends, and the partial image it draws.
#include "FTriStateTreeEmulation.h"
#include <windowsx.h>

namespace
{
enum { SubclassId = 0x7373 };

// Four images: a blank at 0 (state image 0 means "none"), unchecked, checked, partial.
HIMAGELIST MakeStateImages(HWND TreeView)
{
    HDC Screen = GetDC(TreeView);
    const int Size = MulDiv(16, GetDeviceCaps(Screen, LOGPIXELSY), 96);
    const int Inset = Size / 8;
    HDC Memory = CreateCompatibleDC(Screen);
    HBITMAP Strip = CreateCompatibleBitmap(Screen, Size * 4, Size);
    HGDIOBJ Previous = SelectObject(Memory, Strip);
    RECT All = {0, 0, Size * 4, Size};
    FillRect(Memory, &All, GetSysColorBrush(COLOR_WINDOW));
    for (int Image = 1; Image <= 3; Image++)
    {
        RECT Box = {Image * Size + Inset, Inset, (Image + 1) * Size - Inset, Size - Inset};
        DrawFrameControl(Memory, &Box, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_FLAT | (Image == 2 ? DFCS_CHECKED : 0));
        if (Image == 3)
        {
            InflateRect(&Box, -Size / 4, -Size / 4);
            FillRect(Memory, &Box, GetSysColorBrush(COLOR_WINDOWTEXT));
        }
    }
    SelectObject(Memory, Previous);
    DeleteDC(Memory);
    ReleaseDC(TreeView, Screen);

    HIMAGELIST List = ImageList_Create(Size, Size, ILC_COLORDDB, 4, 0);
    if (List)
        ImageList_Add(List, Strip, NULL);
    DeleteObject(Strip);
    return List;
}
} // namespace

UINT NextClickedStateImage(UINT Image)
{
    switch (Image)
    {
    case 1: return 2;
    case 2: return 3;
    case 3: return 1;
    }
    return Image;
}

FTriStateTree::FEmulation::FEmulation(FTriStateTree& InTree)
    : Tree(InTree)
{
    StateImages = MakeStateImages(Tree.TreeView);
    // The list the control made for itself is no longer referenced once replaced.
    if (HIMAGELIST Own = reinterpret_cast<HIMAGELIST>(SendMessageW(Tree.TreeView, TVM_SETIMAGELIST, TVSIL_STATE, reinterpret_cast<LPARAM>(StateImages))))
        ImageList_Destroy(Own);
    Attached = SetWindowSubclass(Tree.TreeView, SubclassProc, SubclassId, reinterpret_cast<DWORD_PTR>(this)) != FALSE;
}

FTriStateTree::FEmulation::~FEmulation()
{
    Detach();
    if (StateImages)
        ImageList_Destroy(StateImages);
}

void FTriStateTree::FEmulation::Detach()
{
    if (!Attached)
        return;
    Attached = false;
    RemoveWindowSubclass(Tree.TreeView, SubclassProc, SubclassId);
    // The list is ours: the control must not keep (or free) it past this object.
    SendMessageW(Tree.TreeView, TVM_SETIMAGELIST, TVSIL_STATE, 0);
}

LRESULT FTriStateTree::FEmulation::NotifyOwner(NMTVITEMCHANGE& Change, UINT Code)
{
    Change.hdr.code = Code;
    return SendMessageW(GetParent(Tree.TreeView), WM_NOTIFY, Change.hdr.idFrom, reinterpret_cast<LPARAM>(&Change));
}

LRESULT FTriStateTree::FEmulation::SetItemState(const TVITEMW& Change)
{
    HWND TreeView = Tree.TreeView;
    UINT Old = UINT(SendMessageW(TreeView, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(Change.hItem), ~0u));
    UINT New = (Old & ~Change.stateMask) | (Change.state & Change.stateMask);
    if (((Old ^ New) & TVIS_STATEIMAGEMASK) == 0)
        return SendMessageW(TreeView, TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&Change));

    NMTVITEMCHANGE Note = {};
    Note.hdr.hwndFrom = TreeView;
    Note.hdr.idFrom = UINT_PTR(GetDlgCtrlID(TreeView));
    Note.uChanged = TVIF_STATE;
    Note.hItem = Change.hItem;
    Note.uStateNew = New;
    Note.uStateOld = Old;
    Note.lParam = reinterpret_cast<LPARAM>(Tree.GetItemRecord(Change.hItem));
    if (NotifyOwner(Note, TVN_ITEMCHANGINGW))
        return FALSE;
    LRESULT Result = SendMessageW(TreeView, TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&Change));
    NotifyOwner(Note, TVN_ITEMCHANGEDW);
    return Result;
}

void FTriStateTree::FEmulation::ClickBox(HTREEITEM Item)
{
    UINT Image = UINT(SendMessageW(Tree.TreeView, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(Item), TVIS_STATEIMAGEMASK)) >> 12;
    UINT Next = NextClickedStateImage(Image);
    if (Next == Image)
        return;
    TVITEMW Change = {};
    Change.mask = TVIF_STATE;
    Change.hItem = Item;
    Change.stateMask = TVIS_STATEIMAGEMASK;
    Change.state = INDEXTOSTATEIMAGEMASK(Next);
    SetItemState(Change);
}

// Takes the clicks and keys on which Wine's control would toggle the box itself, without
// notifications and never to partial.
LRESULT CALLBACK FTriStateTree::FEmulation::SubclassProc(HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam, UINT_PTR, DWORD_PTR Data)
{
    FEmulation* Self = reinterpret_cast<FEmulation*>(Data);
    switch (Msg)
    {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    {
        TVHITTESTINFO Hit = {};
        Hit.pt = {GET_X_LPARAM(LParam), GET_Y_LPARAM(LParam)};
        HTREEITEM Item = reinterpret_cast<HTREEITEM>(SendMessageW(Window, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&Hit)));
        if (Item && (Hit.flags & TVHT_ONITEMSTATEICON))
        {
            SetFocus(Window);
            Self->ClickBox(Item);
            return 0;
        }
        break;
    }
    case WM_KEYDOWN:
        if (WParam == VK_SPACE)
        {
            if (HTREEITEM Item = reinterpret_cast<HTREEITEM>(SendMessageW(Window, TVM_GETNEXTITEM, TVGN_CARET, 0)))
                Self->ClickBox(Item);
            return 0;
        }
        break;
    case WM_DESTROY:
        Self->Detach();
        break;
    }
    return DefSubclassProc(Window, Msg, WParam, LParam);
}
