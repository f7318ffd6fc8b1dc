// FDataDirectoriesDialog.cpp: the Data Directories dialog: the tree of data folders, built from
// the search lists and the folders on disk, and the lists written back on OK.
#include "FDataDirectoriesDialog.h"
#include "DialogObject.h"
#include "FConfigFile.h"
#include "Resource.h"
#include "SaveDataDirectories.h"
#include "SearchEntry.h"
#include <shlwapi.h>
#include <uxtheme.h>

HTREEITEM FDataDirectoriesDialog::InsertPath(const TCHAR* Entry)
{
    // The first component (normally "..") is shared by every entry and not shown.
    const TCHAR* Current = PathFindNextComponentW(Entry);
    if (!Current || !PathFindNextComponentW(Current) || appStrlen(Entry) >= FILE_PATH_MAX)
        return TVI_ROOT;
    HTREEITEM Parent = TVI_ROOT;
    while (*Current)
    {
        const TCHAR* Following = PathFindNextComponentW(Current);
        TCHAR Text[FILE_PATH_MAX];
        if (!Following || !*Following)
            appStrcpy(Text, Entry);
        else
        {
            // The component without its trailing backslash.
            size_t Length = size_t(Following - Current) - 1;
            appMemcpy(Text, Current, Length * sizeof(TCHAR));
            Text[Length] = 0;
        }
        Parent = Tree.FindOrInsertChild(Text, Parent);
        if (FirstPass || !Following)
            break;
        Current = Following;
    }
    return Parent;
}

void FDataDirectoriesDialog::AddConfiguredEntries()
{
    // Copies: inserting may log, and the engine's list and the cache may move meanwhile.
    TArray<FString> Paths;
    if (GSys)
        Paths = GSys->Paths;
    for (const FString& Entry : Paths)
    {
        TCHAR Folder[FILE_PATH_MAX];
        if (!GetEntryFolder(Folder, *Entry) || DefaultFolders.Contains(Folder))
            continue;
        HTREEITEM Item = InsertPath(*Entry);
        if (Item != TVI_ROOT)
            Tree.SetCheckState(Item, CHECK_Checked);
    }

    TArray<FString> IntPaths;
    if (const FConfigSectionMap* Corvane = GConfig->GetSectionPrivate(TEXT("Corvane"), 0, 1))
        Corvane->MultiFind(TEXT("IntPaths"), IntPaths);
    // MultiFind gives the file's last line first.
    for (INT i = IntPaths.Num() - 1; i >= 0; i--)
    {
        HTREEITEM Item = InsertPath(*IntPaths(i));
        if (Item != TVI_ROOT)
            Tree.SetCheckState(Item, CHECK_Checked);
    }
}

void FDataDirectoriesDialog::PopulateTree()
{
    // The configured entries' top-level folders first, so the top-level order starts as the
    // priority order; then what lies on disk; then the configured entries' whole chains.
    FirstPass = 1;
    AddConfiguredEntries();
    FirstPass = 0;

    TCHAR Base[FILE_PATH_MAX], Root[FILE_PATH_MAX];
    DWORD Length = GetCurrentDirectoryW(FILE_PATH_MAX, Base);
    if (Length > 0 && Length + 3 < FILE_PATH_MAX && PathCombineW(Root, Base, TEXT("..")))
        ScanDataFolders(Root, Base, DefaultFolders, *this);

    AddConfiguredEntries();
}

TArray<FString> FDataDirectoriesDialog::ChosenEntries() const
{
    TArray<FString> Chosen;
    for (HTREEITEM Leaf = Tree.NextLeaf(TVI_ROOT); Leaf; Leaf = Tree.NextLeaf(Leaf))
    {
        if (Tree.GetCheckState(Leaf) != CHECK_Checked)
            continue;
        TCHAR Entry[FILE_PATH_MAX];
        Tree.GetItemText(Leaf, Entry);
        Chosen.AddItem(FString(Entry));
    }
    return Chosen;
}

INT_PTR FDataDirectoriesDialog::OnInitDialog(HWND Dialog)
{
    Window = Dialog;
    HINSTANCE Module = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(Dialog, GWLP_HINSTANCE));
    SendMessageW(Dialog, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(LoadIconW(Module, MAKEINTRESOURCEW(IDI_CORVANE))));
    Tree.Attach(GetDlgItem(Dialog, IDC_DATADIRECTORIES_TREE), GetDlgItem(Dialog, IDC_DATADIRECTORIES_MOVEUP),
                GetDlgItem(Dialog, IDC_DATADIRECTORIES_MOVEDOWN));
    SetWindowTheme(Tree.TreeView, L"explorer", NULL);
    Tree.SetExtendedStyles(TVS_EX_PARTIALCHECKBOXES | TVS_EX_AUTOHSCROLL);
    LoadDefaultFolders(DefaultFolders);
    PopulateTree();
    if (HTREEITEM First = TreeView_GetRoot(Tree.TreeView))
        TreeView_SelectItem(Tree.TreeView, First);
    return TRUE;
}

INT_PTR FDataDirectoriesDialog::OnCommand(WORD Id, WORD Code)
{
    if (Code != BN_CLICKED)
        return FALSE;
    switch (Id)
    {
    case IDC_DATADIRECTORIES_MOVEUP: Tree.MoveSelectedUp(); return TRUE;
    case IDC_DATADIRECTORIES_MOVEDOWN: Tree.MoveSelectedDown(); return TRUE;
    case IDOK:
        // The window, and with it the tree, lives until the modal loop returns.
        EndDialog(Window, 1);
        SaveDataDirectories(ChosenEntries());
        return TRUE;
    case IDCANCEL: EndDialog(Window, 0); return TRUE;
    }
    return FALSE;
}

INT_PTR CALLBACK FDataDirectoriesDialog::DialogProc(HWND Dialog, UINT Msg, WPARAM WParam, LPARAM LParam)
{
    FDataDirectoriesDialog* Self = DialogObject<FDataDirectoriesDialog>(Dialog, Msg, LParam);
    if (!Self)
        return FALSE; // messages that arrive before WM_INITDIALOG
    switch (Msg)
    {
    case WM_INITDIALOG: return Self->OnInitDialog(Dialog);
    case WM_COMMAND: return Self->OnCommand(LOWORD(WParam), HIWORD(WParam));
    case WM_NOTIFY:
    {
        const NMHDR* Header = reinterpret_cast<const NMHDR*>(LParam);
        if (Header->hwndFrom != Self->Tree.TreeView)
            return FALSE;
        SetWindowLongPtrW(Dialog, DWLP_MSGRESULT, Self->Tree.OnNotify(Header));
        return TRUE;
    }
    case WM_CLOSE: EndDialog(Dialog, 0); return TRUE;
    }
    return FALSE;
}

void ShowDataDirectoriesDialog(HWND Owner)
{
    FDataDirectoriesDialog Dialog;
    DialogBoxParamW(GetModuleHandleW(NULL), MAKEINTRESOURCEW(IDD_DATADIRECTORIES), Owner,
                    FDataDirectoriesDialog::DialogProc, reinterpret_cast<LPARAM>(&Dialog));
}
