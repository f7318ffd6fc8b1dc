// Canvas.cpp: GDI drawing on the frame a viewport is drawing.
#include "Engine.h"

IMPLEMENT_CLASS(UCanvas, Engine, Canvas, 0)

namespace
{
// FillRect or FrameRect of the rectangle with a brush of Color.
void PaintRect(HDC DC, INT X, INT Y, INT Width, INT Height, COLORREF Color, int(WINAPI* Paint)(HDC, const RECT*, HBRUSH))
{
    if (!DC)
        return;
    RECT Rect = {X, Y, X + Width, Y + Height};
    HBRUSH Brush = CreateSolidBrush(Color);
    Paint(DC, &Rect, Brush);
    DeleteObject(Brush);
}
} // namespace

void UCanvas::FillRect(INT X, INT Y, INT Width, INT Height, COLORREF Color)
{
    PaintRect(hDC, X, Y, Width, Height, Color, &::FillRect);
}

void UCanvas::FrameRect(INT X, INT Y, INT Width, INT Height, COLORREF Color)
{
    PaintRect(hDC, X, Y, Width, Height, Color, &::FrameRect);
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
