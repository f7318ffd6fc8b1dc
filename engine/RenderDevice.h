// RenderDevice.h: the renderer that draws a viewport's frames. The game's renderers are
// registered in the [Public] sections of their localization files with this class as their
// meta class, and the configuration names one in [Engine.Engine] GameRenderDevice.
#pragma once
#include "EngineApi.h"

class UCanvas;
class ULevel;

class ENGINE_API URenderDevice : public USubsystem
{
    DECLARE_CLASS(URenderDevice, USubsystem)
public:
    UBOOL DetailTextures = 1;

    // Reads the renderer's own section (its class path), such as "DetailTextures".
    void LoadConfig(UBOOL Propagate = 0, UClass* Class = NULL, const TCHAR* Filename = NULL) override;
    // Draws the world of a frame: the background and the level's actors seen from above.
    virtual void DrawWorld(UCanvas* Canvas, ULevel* Level, const FVector& ViewLocation);
    virtual COLORREF BackgroundColor() const { return RGB(0, 0, 0); }
};
