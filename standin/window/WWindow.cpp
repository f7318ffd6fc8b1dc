// WWindow.cpp: the C++ side of the library's windows, and the edit control.
#include "Window.h"
#include "WindowInternal.h"

namespace
{
const TCHAR ObjectProperty[] = TEXT("WWindow"); // the C++ object of a window
const TCHAR WindowClassName[] = TEXT("VeltraWindow");
} // namespace

WWindow::WWindow(FName InPersistentName, WWindow* InOwnerWindow)
    : PersistentName(InPersistentName), OwnerWindow(InOwnerWindow)
{
}

WWindow::~WWindow()
{
    InDestructor = 1;
    if (OwnedByLibrary)
        appForgetOwnedWindow(this);
    if (hWnd)
        DestroyWindow(hWnd);
}

void WWindow::OwnByLibrary()
{
    if (!OwnedByLibrary)
        appRememberOwnedWindow(this);
    OwnedByLibrary = 1;
}

void WWindow::Show(UBOOL bShow)
{
    if (hWnd)
        ShowWindow(hWnd, bShow ? SW_SHOW : SW_HIDE);
}

void WWindow::SetText(const TCHAR* Text)
{
    if (hWnd)
        SetWindowTextW(hWnd, Text);
}

FString WWindow::GetText() const
{
    if (!hWnd)
        return FString();
    INT Len = GetWindowTextLengthW(hWnd);
    TArray<TCHAR> Text(Len + 1);
    GetWindowTextW(hWnd, Text.GetTypedData(), Len + 1);
    return FString(Text.GetTypedData());
}

void WWindow::PerformCreateWindowEx(DWORD ExStyle, const TCHAR* Title, DWORD Style, INT X, INT Y, INT Width,
                                    INT Height, HWND Parent, const TCHAR* ClassName, INT_PTR Id)
{
    guard(WWindow::PerformCreateWindowEx);
    HMENU Menu = reinterpret_cast<HMENU>(Id);
    if (!ClassName)
    {
        static bool Registered = false;
        if (!Registered)
        {
            WNDCLASSEXW Class = {};
            Class.cbSize = sizeof(Class);
            Class.style = CS_DBLCLKS;
            Class.lpfnWndProc = &StaticWndProc;
            Class.hInstance = appWindowModule();
            Class.hCursor = LoadCursorW(NULL, reinterpret_cast<LPCWSTR>(IDC_ARROW));
            Class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
            Class.lpszClassName = WindowClassName;
            Registered = RegisterClassExW(&Class) != 0;
        }
        hWnd = CreateWindowExW(ExStyle, WindowClassName, Title, Style, X, Y, Width, Height, Parent, Menu,
                               appWindowModule(), this);
    }
    else
    {
        // A standard control: its messages pass through this object on their way to the control.
        hWnd = CreateWindowExW(ExStyle, ClassName, Title, Style, X, Y, Width, Height, Parent, Menu, appWindowModule(), NULL);
        if (hWnd)
        {
            SetPropW(hWnd, ObjectProperty, this);
            ControlProc = reinterpret_cast<WNDPROC>(
                SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&StaticWndProc)));
        }
    }
    if (!hWnd)
        GLog->Logf(NAME_Warning, TEXT("Cannot create a window (error %u)"), unsigned(GetLastError()));
    unguard;
}

LRESULT CALLBACK WWindow::StaticWndProc(HWND Window, UINT Message, WPARAM WParam, LPARAM LParam)
{
    if (Message == WM_NCCREATE)
    {
        auto* Created = reinterpret_cast<WWindow*>(reinterpret_cast<CREATESTRUCTW*>(LParam)->lpCreateParams);
        SetPropW(Window, ObjectProperty, Created);
        if (Created)
            Created->hWnd = Window;
    }
    auto* Self = static_cast<WWindow*>(GetPropW(Window, ObjectProperty));
    if (!Self)
        return DefWindowProcW(Window, Message, WParam, LParam);
    if (Message == WM_DESTROY)
        Self->OnDestroy();
    if (Message != WM_NCDESTROY)
        return Self->WndProc(Message, WParam, LParam);
    LRESULT Result = Self->CallDefaultProc(Message, WParam, LParam);
    RemovePropW(Window, ObjectProperty);
    Self->hWnd = NULL;
    if (Self->OwnedByLibrary && !Self->InDestructor)
        delete Self;
    return Result;
}

LRESULT WWindow::WndProc(UINT Message, WPARAM WParam, LPARAM LParam)
{
    return CallDefaultProc(Message, WParam, LParam);
}

LRESULT WWindow::CallDefaultProc(UINT Message, WPARAM WParam, LPARAM LParam)
{
    if (ControlProc)
        return CallWindowProcW(ControlProc, hWnd, Message, WParam, LParam);
    return DefWindowProcW(hWnd, Message, WParam, LParam);
}

void WWindow::OnDestroy()
{
    if (NotifyHook)
        NotifyHook->NotifyDestroy(this);
}

//
// The edit control.
//

void WEdit::OpenWindow(UBOOL Multiline, UBOOL ReadOnly, INT Id)
{
    DWORD Style = WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL | (ReadOnly ? ES_READONLY : 0);
    if (Multiline)
        Style |= ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL | WS_HSCROLL;
    PerformCreateWindowEx(WS_EX_CLIENTEDGE, TEXT(""), Style, 0, 0, 16, 16, OwnerWindow ? OwnerWindow->hWnd : NULL,
                          TEXT("EDIT"), Id);
    if (hWnd)
        SendMessageW(hWnd, EM_SETLIMITTEXT, 0, 0);
}

void WEdit::AppendText(const TCHAR* Text)
{
    if (!hWnd)
        return;
    // Keep the text well below what the control can hold: drop the older half at a line end.
    const INT MaxChars = 256 * 1024;
    INT Len = GetWindowTextLengthW(hWnd);
    if (Len + appStrlen(Text) > MaxChars)
    {
        FString Old = GetText();
        INT Cut = Old.Len() / 2;
        while (Cut < Old.Len() && Old[Cut - 1] != '\n')
            Cut++;
        SendMessageW(hWnd, EM_SETSEL, 0, Cut);
        SendMessageW(hWnd, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(TEXT("")));
        Len = GetWindowTextLengthW(hWnd);
    }
    SendMessageW(hWnd, EM_SETSEL, Len, Len);
    SendMessageW(hWnd, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(Text));
}

void WEdit::ScrollCaret()
{
    if (hWnd)
        SendMessageW(hWnd, EM_SCROLLCARET, 0, 0);
}

LRESULT WEdit::WndProc(UINT Message, WPARAM WParam, LPARAM LParam)
{
    if (Message == WM_CHAR && WParam == '\r' && !(GetWindowLongW(hWnd, GWL_STYLE) & ES_MULTILINE) && OwnerWindow &&
        OwnerWindow->hWnd)
    {
        SendMessageW(OwnerWindow->hWnd, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hWnd), 0), reinterpret_cast<LPARAM>(hWnd));
        return 0;
    }
    return CallDefaultProc(Message, WParam, LParam);
}
