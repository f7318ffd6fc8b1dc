// Screenshot.cpp: the "shot" command: the viewport's picture, drawn once more into a bitmap
// of the viewport's size and saved as a .bmp file through the file manager.
#include "Screenshot.h"

namespace
{
// A 32-bit top-down bitmap of Width by Height, with its device context.
class FShotBitmap
{
public:
    FShotBitmap(INT Width, INT Height)
    {
        Info.bmiHeader.biSize = sizeof(Info.bmiHeader);
        Info.bmiHeader.biWidth = Width;
        Info.bmiHeader.biHeight = -Height;
        Info.bmiHeader.biPlanes = 1;
        Info.bmiHeader.biBitCount = 32;
        Info.bmiHeader.biCompression = BI_RGB;
        DC = CreateCompatibleDC(NULL);
        Bitmap = CreateDIBSection(DC, &Info, DIB_RGB_COLORS, &Bits, NULL, 0);
        if (Bitmap)
            OldBitmap = SelectObject(DC, Bitmap);
    }
    ~FShotBitmap()
    {
        if (Bitmap)
        {
            SelectObject(DC, OldBitmap);
            DeleteObject(Bitmap);
        }
        DeleteDC(DC);
    }
    FShotBitmap(const FShotBitmap&) = delete;
    FShotBitmap& operator=(const FShotBitmap&) = delete;

    // The file: header, information and the pixels, top row first.
    UBOOL Save(const TCHAR* Filename)
    {
        GdiFlush(); // the drawing is in the pixels
        DWORD PixelBytes = DWORD(Info.bmiHeader.biWidth) * DWORD(-Info.bmiHeader.biHeight) * 4;
        BITMAPFILEHEADER File = {};
        File.bfType = 0x4D42; // "BM"
        File.bfOffBits = sizeof(File) + sizeof(Info.bmiHeader);
        File.bfSize = File.bfOffBits + PixelBytes;
        FArchive* Writer = GFileManager->CreateFileWriter(Filename);
        if (!Writer)
            return 0;
        Writer->Serialize(&File, sizeof(File));
        Writer->Serialize(&Info.bmiHeader, sizeof(Info.bmiHeader));
        Writer->Serialize(Bits, INT(PixelBytes));
        UBOOL Closed = Writer->Close();
        delete Writer;
        return Closed;
    }

    HDC DC = NULL;
    HBITMAP Bitmap = NULL;

private:
    BITMAPINFO Info = {};
    void* Bits = NULL;
    HGDIOBJ OldBitmap = NULL;
};
} // namespace

UBOOL SaveShot(UEngine* Engine, UViewport* Viewport, FString& Filename)
{
    guard(SaveShot);
    if (!Viewport->Canvas || Viewport->SizeX <= 0 || Viewport->SizeY <= 0)
        return 0;
    for (INT Number = 0; Number < 10000; Number++)
    {
        Filename = FString::Printf(TEXT("Shot%04i.bmp"), Number);
        if (GFileManager->FileSize(*Filename) < 0)
            break;
    }
    FShotBitmap Shot(Viewport->SizeX, Viewport->SizeY);
    if (!Shot.Bitmap)
        return 0;
    UCanvas* Canvas = Viewport->Canvas;
    HDC DrawingDC = Canvas->hDC;
    INT SizeX = Canvas->SizeX, SizeY = Canvas->SizeY;
    Canvas->hDC = Shot.DC;
    Canvas->SizeX = Viewport->SizeX;
    Canvas->SizeY = Viewport->SizeY;
    Engine->Draw(Viewport, Canvas);
    Canvas->hDC = DrawingDC;
    Canvas->SizeX = SizeX;
    Canvas->SizeY = SizeY;
    return Shot.Save(*Filename);
    unguard;
}
