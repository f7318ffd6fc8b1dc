// Canvas.h: what a frame is drawn on: a viewport's picture, drawn with GDI.
#pragma once
#include "EngineApi.h"

class UViewport;

class ENGINE_API UCanvas : public UObject
{
    DECLARE_CLASS(UCanvas, UObject)
public:
    INT SizeX = 0, SizeY = 0;  // pixels
    UViewport* Viewport = NULL;
    HDC hDC = NULL;            // set only while a frame is drawn

    void FillRect(INT X, INT Y, INT Width, INT Height, COLORREF Color);
    void FrameRect(INT X, INT Y, INT Width, INT Height, COLORREF Color);
    void DrawText(INT X, INT Y, const TCHAR* Text, COLORREF Color);
    INT LineHeight() const { return 16; }
};
