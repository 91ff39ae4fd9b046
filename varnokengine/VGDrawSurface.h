#pragma once
// Internal to the drawing code: a target with its effective clip rectangle. The public draw
// operations run on the RenderTarget; halving and the tools draw on a canvas through the same
// routines without touching the global target.
#include "varnokengine/VGBitmap.h"

struct DrawSurface {
    uint16_t* pixels = nullptr;
    int32_t width = 0; // row pitch in pixels
    int32_t clipLeft = 0;
    int32_t clipTop = 0;
    int32_t clipRight = 0;
    int32_t clipBottom = 0;
};

// The RenderTarget, its clip cut to the target's own size (empty when there is no target).
DrawSurface CurrentSurface();
// A whole bitmap as a surface.
DrawSurface WholeSurface(VGBitmap& bitmap);

void DrawRegionOn(const DrawSurface& surface, const VGBitmap& bitmap, int32_t x, int32_t y,
                  int32_t w, int32_t h, int32_t srcX, int32_t srcY);
void DrawExOn(const DrawSurface& surface, const VGBitmap& bitmap, int32_t x, int32_t y, int32_t w,
              int32_t h, int32_t srcX, int32_t srcY, float scaleX, float scaleY, BlendMode mode,
              float alpha);

// Arguments far beyond any screen are pulled in so no set-up arithmetic can overflow.
inline int32_t SaneCoordinate(int32_t v) {
    constexpr int32_t kLimit = 1 << 20;
    return v < -kLimit ? -kLimit : (v > kLimit ? kLimit : v);
}
