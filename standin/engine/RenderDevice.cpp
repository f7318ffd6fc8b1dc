// RenderDevice.cpp: the renderers. Every one draws with GDI; they differ in their colours,
// which makes the configured one visible on screen.
#include "Engine.h"

IMPLEMENT_CLASS(URenderDevice, Engine, RenderDevice, CLASS_Abstract)

void URenderDevice::LoadConfig(UBOOL, UClass*, const TCHAR*)
{
    guard(URenderDevice::LoadConfig);
    GConfig->GetBool(GetClass()->GetPathName(), TEXT("DetailTextures"), DetailTextures);
    unguard;
}

void URenderDevice::DrawWorld(UCanvas* Canvas, ULevel* Level, const FVector& ViewLocation)
{
    Canvas->FillRect(0, 0, Canvas->SizeX, Canvas->SizeY, BackgroundColor());
    INT CenterX = Canvas->SizeX / 2, CenterY = Canvas->SizeY / 2;
    if (DetailTextures) // a grid on the ground, through the view's centre
    {
        for (INT X = CenterX % 32; X < Canvas->SizeX; X += 32)
            Canvas->FillRect(X, 0, 1, Canvas->SizeY, RGB(60, 60, 60));
        for (INT Y = CenterY % 32; Y < Canvas->SizeY; Y += 32)
            Canvas->FillRect(0, Y, Canvas->SizeX, 1, RGB(60, 60, 60));
    }
    if (!Level)
        return;
    for (AActor* Actor : Level->Actors)
    {
        FVector Seen = Actor->Location - ViewLocation;
        BOOL IsPlayer = Actor->IsA(APlayerPawn::StaticClass());
        Canvas->FillRect(CenterX + INT(Seen.X) - 4, CenterY + INT(Seen.Y) - 4, 8, 8,
                         IsPlayer ? RGB(255, 255, 255) : RGB(255, 200, 0));
    }
}

// The renderers are found by name only, so their classes are the module's own.
class USoftwareRenderDevice : public URenderDevice
{
    DECLARE_CLASS(USoftwareRenderDevice, URenderDevice)
public:
    COLORREF BackgroundColor() const override { return RGB(0, 0, 96); }
};

class UD3DRenderDevice : public URenderDevice
{
    DECLARE_CLASS(UD3DRenderDevice, URenderDevice)
public:
    COLORREF BackgroundColor() const override { return RGB(0, 72, 0); }
};

class UOpenGLRenderDevice : public URenderDevice
{
    DECLARE_CLASS(UOpenGLRenderDevice, URenderDevice)
public:
    COLORREF BackgroundColor() const override { return RGB(72, 0, 72); }
};

IMPLEMENT_CLASS(USoftwareRenderDevice, SoftDrv, SoftwareRenderDevice, 0)
IMPLEMENT_CLASS(UD3DRenderDevice, D3DDrv, D3DRenderDevice, 0)
IMPLEMENT_CLASS(UOpenGLRenderDevice, OpenGLDrv, OpenGLRenderDevice, 0)
