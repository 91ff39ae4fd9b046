#include "game/machine/SegmentEditorShared.h"

#include "game/GameApp.h"
#include "game/GameButtons.h"
#include "varnokengine/VGFont.h"
#include "varnokengine/VGGame.h"
#include "varnokengine/VGMenuItems.h"

#include <algorithm>

const VGBitmap* MachineImage(uint32_t id) {
    LoadMachineImages();
    return TheGameApp()->machineImages.Get(id);
}

const VGBitmap* ButtonsImage(uint32_t id) {
    LoadButtonImages();
    return TheGameApp()->buttonImages.Get(id);
}

int32_t ImageWidth(uint32_t id, bool machine) {
    const VGBitmap* image = machine ? MachineImage(id) : ButtonsImage(id);
    return image ? image->fullWidth : 0;
}

int32_t ImageHeight(uint32_t id, bool machine) {
    const VGBitmap* image = machine ? MachineImage(id) : ButtonsImage(id);
    return image ? image->fullHeight : 0;
}

void DrawOutline(int32_t x, int32_t y, int32_t w, int32_t h, uint16_t colour, int32_t thickness) {
    VGBitmap* target = RenderTarget.target;
    if (!target || !target->pixels) return;
    const int32_t left = std::max<int32_t>(RenderTarget.clipLeft, 0);
    const int32_t top = std::max<int32_t>(RenderTarget.clipTop, 0);
    const int32_t right = std::min<int32_t>(RenderTarget.clipRight, target->width);
    const int32_t bottom = std::min<int32_t>(RenderTarget.clipBottom, target->height);
    for (int32_t py = std::max(y, top); py < std::min(y + h, bottom); ++py) {
        const bool edgeRow = py < y + thickness || py >= y + h - thickness;
        for (int32_t px = std::max(x, left); px < std::min(x + w, right); ++px)
            if (edgeRow || px < x + thickness || px >= x + w - thickness)
                target->pixels[py * target->width + px] = colour;
    }
}

void DrawSmallText(const VGString& text, int32_t x, int32_t y, bool centred) {
    const VGFont* font = MenuFontOf(FontSmall);
    if (!font) return;
    if (centred) {
        int32_t width = 0;
        for (uint32_t i = 0; i < text.Length(); ++i) width += font->CharWidth(text[i] & 0xFF);
        x -= width / 2;
    }
    for (uint32_t i = 0; i < text.Length(); ++i)
        x += font->DrawChar(text[i] & 0xFF, x, y, 1.0f, 1.0f);
}

bool CreateSaveUnder(CursorSaveUnder& save, const VGBitmap* cursor) {
    save.shown = false;
    if (!cursor) return false;
    return save.pixels.Create(cursor->fullWidth, cursor->fullHeight, 0, 0);
}

void RestoreUnderCursor(CursorSaveUnder& save) {
    if (!save.shown) return;
    save.shown = false;
    VGBitmap::Draw(&save.pixels, save.x, save.y);
}

void DrawCursorAt(CursorSaveUnder& save, const VGBitmap* cursor, int32_t x, int32_t y) {
    VGBitmap* screen = RenderTarget.target;
    if (!screen || !cursor || !save.pixels.pixels) return;
    // Copy the screen under the cursor into the save-under, then draw the cursor.
    const RenderTargetState previous = RenderTarget;
    SetRenderTarget(&save.pixels);
    VGBitmap::DrawRegion(screen, 0, 0, save.pixels.width, save.pixels.height, x, y);
    RenderTarget = previous;
    save.x = x;
    save.y = y;
    save.shown = true;
    VGBitmap::Draw(cursor, x, y);
}
