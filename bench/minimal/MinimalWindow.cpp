// MinimalWindow: the baseline of bench_startup: a plain Win32 program that opens one
// window, paints it once and exits, as cheaply as a program with a window can.
#include <windows.h>

namespace
{
LRESULT CALLBACK WindowProc(HWND Window, UINT Message, WPARAM WParam, LPARAM LParam)
{
    if (Message == WM_PAINT)
    {
        PAINTSTRUCT Paint;
        HDC Dc = BeginPaint(Window, &Paint);
        FillRect(Dc, &Paint.rcPaint, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        EndPaint(Window, &Paint);
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(Window, Message, WParam, LParam);
}
} // namespace

int WINAPI wWinMain(HINSTANCE Instance, HINSTANCE, LPWSTR, int)
{
    WNDCLASSW Class = {};
    Class.lpfnWndProc = &WindowProc;
    Class.hInstance = Instance;
    Class.lpszClassName = L"MinimalWindow";
    if (!RegisterClassW(&Class))
        return 1;
    HWND Window = CreateWindowExW(0, Class.lpszClassName, L"Minimal", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CW_USEDEFAULT,
                                  CW_USEDEFAULT, 1024, 768, NULL, NULL, Instance, NULL);
    if (!Window)
        return 1;
    MSG Message;
    while (GetMessageW(&Message, NULL, 0, 0) > 0)
    {
        TranslateMessage(&Message);
        DispatchMessageW(&Message);
    }
    DestroyWindow(Window);
    return 0;
}
