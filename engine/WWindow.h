// WWindow.h: the window library's windows: a C++ object around a Win32 window, and the
// edit control. Windows are made with new (GMalloc) and opened by their OpenWindow.
#pragma once
#include "WindowApi.h"

class WINDOW_API WWindow : public FGMallocObject
{
public:
    HWND hWnd = NULL;
    FName PersistentName;
    WWindow* OwnerWindow;
    FNotifyHook* NotifyHook = NULL;

    explicit WWindow(FName InPersistentName = NAME_None, WWindow* InOwnerWindow = NULL);
    // Destroys the window, if it is still there.
    virtual ~WWindow();
    WWindow(const WWindow&) = delete;
    WWindow& operator=(const WWindow&) = delete;

    void Show(UBOOL bShow);
    // The hook is told (NotifyDestroy with this window) when the window is destroyed.
    void SetNotifyHook(FNotifyHook* InHook) { NotifyHook = InHook; }
    void SetText(const TCHAR* Text);
    FString GetText() const;

protected:
    // Makes the Win32 window of ClassName (NULL: the library's own class, whose messages
    // reach WndProc). A standard control gets its messages through WndProc too.
    void PerformCreateWindowEx(DWORD ExStyle, const TCHAR* Title, DWORD Style, INT X, INT Y, INT Width, INT Height,
                               HWND Parent, const TCHAR* ClassName = NULL, INT_PTR Id = 0);
    virtual LRESULT WndProc(UINT Message, WPARAM WParam, LPARAM LParam);
    // The window is being destroyed; the base tells the notify hook.
    virtual void OnDestroy();
    LRESULT CallDefaultProc(UINT Message, WPARAM WParam, LPARAM LParam);
    // Makes the library own the object: destroying the window deletes it, and the library
    // destroys what is still open when it shuts down.
    void OwnByLibrary();

private:
    WNDPROC ControlProc = NULL; // a standard control's own procedure
    UBOOL OwnedByLibrary = 0;
    UBOOL InDestructor = 0;
    static LRESULT CALLBACK StaticWndProc(HWND Window, UINT Message, WPARAM WParam, LPARAM LParam);
};

// An edit control. Enter in a single-line one sends its owner WM_COMMAND with the control's id.
class WINDOW_API WEdit : public WWindow
{
public:
    explicit WEdit(WWindow* InOwnerWindow) : WWindow(NAME_None, InOwnerWindow) {}
    // A child of the owner window, multi-line (with scroll bars) or a single line.
    void OpenWindow(UBOOL Multiline, UBOOL ReadOnly, INT Id = 0);
    // Adds Text at the end, keeping the text below the control's limit by dropping the oldest lines.
    void AppendText(const TCHAR* Text);
    // Scrolls the caret into view.
    void ScrollCaret();

protected:
    LRESULT WndProc(UINT Message, WPARAM WParam, LPARAM LParam) override;
};
