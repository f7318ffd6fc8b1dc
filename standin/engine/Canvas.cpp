// Canvas.cpp: GDI drawing on the frame a viewport is drawing.
#include "Engine.h"

IMPLEMENT_CLASS(UCanvas, Engine, Canvas, 0)

void UCanvas::FillRect(INT X, INT Y, INT Width, INT Height, COLORREF Color)
{
    if (!hDC)
        return;
    RECT Rect = {X, Y, X + Width, Y + Height};
    HBRUSH Brush = CreateSolidBrush(Color);
    ::FillRect(hDC, &Rect, Brush);
    DeleteObject(Brush);
}

void UCanvas::FrameRect(INT X, INT Y, INT Width, INT Height, COLORREF Color)
{
    if (!hDC)
        return;
    RECT Rect = {X, Y, X + Width, Y + Height};
    HBRUSH Brush = CreateSolidBrush(Color);
    ::FrameRect(hDC, &Rect, Brush);
    DeleteObject(Brush);
}

void UCanvas::DrawText(INT X, INT Y, const TCHAR* Text, COLORREF Color)
{
    if (!hDC)
        return;
    HGDIOBJ OldFont = SelectObject(hDC, GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(hDC, TRANSPARENT);
    SetTextColor(hDC, Color);
    TextOutW(hDC, X, Y, Text, appStrlen(Text));
    SelectObject(hDC, OldFont);
}
