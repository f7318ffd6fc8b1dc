// WindowsClient.cpp: the viewport window. It is drawn into a back buffer at every engine
// tick and shown from it; its messages arrive through the program's message pump.
#include "WindowsClient.h"

extern "C" IMAGE_DOS_HEADER __ImageBase; // this module

IMPLEMENT_CLASS(UWindowsViewport, WinDrv, WindowsViewport, 0)
IMPLEMENT_CLASS(UWindowsClient, WinDrv, WindowsClient, 0)

namespace
{
const TCHAR ViewportClassName[] = TEXT("VeltraViewport");
const DWORD WindowedStyle = WS_OVERLAPPEDWINDOW;
const DWORD FullscreenStyle = WS_POPUP;

HINSTANCE ThisModule() { return reinterpret_cast<HINSTANCE>(&__ImageBase); }

} // namespace

UViewport* UWindowsClient::NewViewport(FName Name)
{
    guard(UWindowsClient::NewViewport);
    UWindowsViewport* Viewport =
        static_cast<UWindowsViewport*>(StaticConstructObject(UWindowsViewport::StaticClass(), this, Name));
    if (!Viewport)
        return NULL;
    Viewport->Client = this;
    Viewport->Canvas = ConstructObject<UCanvas>(UCanvas::StaticClass(), Viewport);
    Viewport->Canvas->Viewport = Viewport;
    Viewports.AddItem(Viewport);
    Viewport->OpenWindow();
    return Viewport;
    unguard;
}

void UWindowsViewport::ShutdownAfterError() { DestroyViewportWindow(); }

void UWindowsViewport::DestroyViewportWindow()
{
    if (!Window)
        return;
    SetWindowLongPtrW(Window, GWLP_USERDATA, 0); // its last messages find no viewport
    DestroyWindow(Window);
    Window = NULL;
}

UWindowsViewport::~UWindowsViewport()
{
    if (BackBuffer)
        DeleteObject(BackBuffer);
    DestroyViewportWindow();
    if (!GExitPurge && Client)
        Client->Viewports.RemoveItem(this);
}

void UWindowsViewport::OpenWindow()
{
    guard(UWindowsViewport::OpenWindow);
    static bool Registered = false;
    if (!Registered)
    {
        WNDCLASSEXW Class = {};
        Class.cbSize = sizeof(Class);
        Class.style = CS_DBLCLKS;
        Class.lpfnWndProc = &StaticWndProc;
        Class.hInstance = ThisModule();
        Class.hCursor = LoadCursorW(NULL, reinterpret_cast<LPCWSTR>(IDC_ARROW));
        Class.lpszClassName = ViewportClassName;
        Registered = RegisterClassExW(&Class) != 0;
    }
    Window = CreateWindowExW(0, ViewportClassName, Localize(TEXT("General"), TEXT("Title"), TEXT("Engine")), WindowedStyle,
                             CW_USEDEFAULT, CW_USEDEFAULT, 320, 240, NULL, NULL, ThisModule(), this);
    if (!Window)
    {
        GLog->Logf(NAME_Warning, TEXT("Cannot open the viewport window (error %u)"), unsigned(GetLastError()));
        return;
    }
    Fullscreen = Client->StartupFullscreen;
    SetMode(Fullscreen ? Client->FullscreenViewportX : Client->WindowedViewportX,
            Fullscreen ? Client->FullscreenViewportY : Client->WindowedViewportY, Fullscreen);
    ShowWindow(Window, SW_SHOW);
    unguard;
}

void UWindowsViewport::SetMode(INT X, INT Y, UBOOL InFullscreen)
{
    guard(UWindowsViewport::SetMode);
    if (!Window || X <= 0 || Y <= 0)
        return;
    Fullscreen = InFullscreen;
    DWORD Visible = IsWindowVisible(Window) ? WS_VISIBLE : 0;
    if (Fullscreen)
    {
        SetWindowLongPtrW(Window, GWL_STYLE, FullscreenStyle | Visible);
        MONITORINFO Monitor = {};
        Monitor.cbSize = sizeof(Monitor);
        GetMonitorInfoW(MonitorFromWindow(Window, MONITOR_DEFAULTTOPRIMARY), &Monitor);
        SetWindowPos(Window, HWND_TOP, Monitor.rcMonitor.left, Monitor.rcMonitor.top, X, Y, SWP_FRAMECHANGED);
        Client->FullscreenViewportX = X;
        Client->FullscreenViewportY = Y;
    }
    else
    {
        SetWindowLongPtrW(Window, GWL_STYLE, WindowedStyle | Visible);
        RECT Frame = {0, 0, X, Y};
        AdjustWindowRect(&Frame, WindowedStyle, FALSE);
        RECT Now;
        GetWindowRect(Window, &Now);
        SetWindowPos(Window, NULL, Now.left, Now.top, Frame.right - Frame.left, Frame.bottom - Frame.top,
                     SWP_NOZORDER | SWP_FRAMECHANGED);
        Client->WindowedViewportX = X;
        Client->WindowedViewportY = Y;
    }
    RECT ClientArea;
    GetClientRect(Window, &ClientArea);
    SizeX = ClientArea.right;
    SizeY = ClientArea.bottom;
    unguard;
}

void UWindowsViewport::Repaint()
{
    guard(UWindowsViewport::Repaint);
    if (!Window || !Client || !Client->Engine)
        return;
    RECT ClientArea;
    GetClientRect(Window, &ClientArea);
    SizeX = ClientArea.right;
    SizeY = ClientArea.bottom;
    if (SizeX <= 0 || SizeY <= 0)
        return;
    HDC WindowDC = GetDC(Window);
    if (!BackBuffer || BackSizeX != SizeX || BackSizeY != SizeY)
    {
        if (BackBuffer)
            DeleteObject(BackBuffer);
        BackBuffer = CreateCompatibleBitmap(WindowDC, SizeX, SizeY);
        BackSizeX = SizeX;
        BackSizeY = SizeY;
    }
    HDC MemoryDC = CreateCompatibleDC(WindowDC);
    HGDIOBJ OldBitmap = SelectObject(MemoryDC, BackBuffer);
    Canvas->hDC = MemoryDC;
    Canvas->SizeX = SizeX;
    Canvas->SizeY = SizeY;
    Client->Engine->Draw(this, Canvas);
    Canvas->hDC = NULL;
    BitBlt(WindowDC, 0, 0, SizeX, SizeY, MemoryDC, 0, 0, SRCCOPY);
    SelectObject(MemoryDC, OldBitmap);
    DeleteDC(MemoryDC);
    ReleaseDC(Window, WindowDC);
    unguard;
}

LRESULT CALLBACK UWindowsViewport::StaticWndProc(HWND Window, UINT Message, WPARAM WParam, LPARAM LParam)
{
    if (Message == WM_NCCREATE)
        SetWindowLongPtrW(Window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(LParam)->lpCreateParams));
    auto* Viewport = reinterpret_cast<UWindowsViewport*>(GetWindowLongPtrW(Window, GWLP_USERDATA));
    if (!Viewport || Viewport->Window != Window || !Viewport->Client || !Viewport->Client->Engine)
        return DefWindowProcW(Window, Message, WParam, LParam);
    return Viewport->WndProc(Message, WParam, LParam);
}

void UWindowsViewport::MouseButton(EInputKey Key, EInputAction Action)
{
    Client->Engine->InputEvent(this, Key, Action);
}

void UWindowsViewport::MouseMove(FLOAT X, FLOAT Y)
{
    Client->Engine->MousePosition(this, 0, X, Y);
    if (HasLastMouse)
    {
        if (X != LastMouseX)
            Client->Engine->InputEvent(this, IK_MouseX, IST_Axis, X - LastMouseX);
        if (Y != LastMouseY)
            Client->Engine->InputEvent(this, IK_MouseY, IST_Axis, LastMouseY - Y); // screen down is negative
    }
    LastMouseX = X;
    LastMouseY = Y;
    HasLastMouse = 1;
}

LRESULT UWindowsViewport::WndProc(UINT Message, WPARAM WParam, LPARAM LParam)
{
    switch (Message)
    {
    case WM_CLOSE:
        appRequestExit(0);
        return 0;
    case WM_SIZE:
        SizeX = LOWORD(LParam);
        SizeY = HIWORD(LParam);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
    {
        PAINTSTRUCT Paint;
        HDC PaintDC = BeginPaint(Window, &Paint);
        if (BackBuffer)
        {
            HDC MemoryDC = CreateCompatibleDC(PaintDC);
            HGDIOBJ OldBitmap = SelectObject(MemoryDC, BackBuffer);
            BitBlt(PaintDC, 0, 0, BackSizeX, BackSizeY, MemoryDC, 0, 0, SRCCOPY);
            SelectObject(MemoryDC, OldBitmap);
            DeleteDC(MemoryDC);
        }
        EndPaint(Window, &Paint);
        return 0;
    }
    case WM_KEYDOWN:
        Client->Engine->InputEvent(this, EInputKey(WParam & 0xFF), IST_Press);
        return 0;
    case WM_KEYUP:
        Client->Engine->InputEvent(this, EInputKey(WParam & 0xFF), IST_Release);
        return 0;
    case WM_CHAR:
        Client->Engine->Key(this, TCHAR(WParam));
        return 0;
    case WM_MOUSEMOVE:
        MouseMove(FLOAT(SHORT(LOWORD(LParam))), FLOAT(SHORT(HIWORD(LParam))));
        return 0;
    case WM_LBUTTONDOWN: MouseButton(IK_LeftMouse, IST_Press); return 0;
    case WM_LBUTTONUP: MouseButton(IK_LeftMouse, IST_Release); return 0;
    case WM_RBUTTONDOWN: MouseButton(IK_RightMouse, IST_Press); return 0;
    case WM_RBUTTONUP: MouseButton(IK_RightMouse, IST_Release); return 0;
    case WM_MBUTTONDOWN: MouseButton(IK_MiddleMouse, IST_Press); return 0;
    case WM_MBUTTONUP: MouseButton(IK_MiddleMouse, IST_Release); return 0;
    case WM_XBUTTONDOWN:
    case WM_XBUTTONUP:
        MouseButton(HIWORD(WParam) == XBUTTON1 ? IK_MouseButton4 : IK_MouseButton5,
                    Message == WM_XBUTTONDOWN ? IST_Press : IST_Release);
        return TRUE;
    case WM_MOUSEWHEEL:
        MouseButton(SHORT(HIWORD(WParam)) > 0 ? IK_MouseWheelUp : IK_MouseWheelDown, IST_Press);
        return 0;
    }
    return DefWindowProcW(Window, Message, WParam, LParam);
}
