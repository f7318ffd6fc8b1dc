// FDataDirectoriesDialog.h: the Data Directories dialog. It shows the data folders the game
// could search as a tree with tri-state check boxes (the configured entries checked, those
// found on disk unchecked), lets the player order the top-level folders, and writes the
// checked entries back as the search lists on OK.
#pragma once
#include "DefaultFolders.h"
#include "FTriStateTree.h"
#include "ScanDataFolders.h"

class FDataDirectoriesDialog : private FDataEntryReceiver
{
public:
    HWND Window = NULL;
    FTriStateTree Tree;
    BYTE FirstPass = 1; // InsertPath makes only the top-level item of a path
    FDefaultFolders DefaultFolders;

    FDataDirectoriesDialog() = default;
    virtual ~FDataDirectoriesDialog() = default;

    static INT_PTR CALLBACK DialogProc(HWND Dialog, UINT Msg, WPARAM WParam, LPARAM LParam);

    // The entry's item: its leaf, or in the first pass its top-level folder; the root when the
    // entry has a single component and so no place in the tree.
    HTREEITEM InsertPath(const TCHAR* Entry);
    // Inserts and checks the entries of the current search lists, highest priority first.
    void AddConfiguredEntries();
    void PopulateTree();
    // The checked leaves' entries in tree order: what OK saves.
    TArray<FString> ChosenEntries() const;

private:
    INT_PTR OnInitDialog(HWND Dialog);
    INT_PTR OnCommand(WORD Id, WORD Code);
    void InsertEntry(const TCHAR* Entry) override { InsertPath(Entry); }
};

// Shows the dialog modally over Owner; OK saves the chosen entries, Cancel and close discard.
void ShowDataDirectoriesDialog(HWND Owner);
