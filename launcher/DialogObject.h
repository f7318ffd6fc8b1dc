// DialogObject.h: the object behind a dialog window, for its dialog procedure.
#pragma once
#include <windows.h>

// WM_INITDIALOG brings the object, which stays in a window property until WM_NCDESTROY, the
// window's last message. NULL for the few messages that come before WM_INITDIALOG.
template<class T> T* DialogObject(HWND Dialog, UINT Msg, LPARAM LParam)
{
    if (Msg == WM_INITDIALOG)
        SetPropW(Dialog, L"this", reinterpret_cast<HANDLE>(LParam));
    T* Object = static_cast<T*>(GetPropW(Dialog, L"this"));
    if (Msg == WM_NCDESTROY)
        RemovePropW(Dialog, L"this");
    return Object;
}
