#pragma once
// Pieces both drum-machine editors use: text written straight into the picture in the small
// font, the play cursor's save-under, and the redraw bits.
#include "game/ImageIds.h"
#include "varnokengine/VGBitmap.h"
#include "varnokengine/VGString.h"

#include <cstdint>

// Redraw bits of the editors; all of them means everything, background included.
constexpr uint32_t kRedrawPlay = 1;
constexpr uint32_t kRedrawNumber = 2; // tempo or speed
constexpr uint32_t kRedrawMetronome = 4;
constexpr uint32_t kRedrawContent = 8; // the grid or the strip
constexpr uint32_t kRedrawCursor = 16;
constexpr uint32_t kRedrawAll = 0xFFFFFFFFu;

// A "machine" image (the pack is loaded on first use), or null when it is missing.
const VGBitmap* MachineImage(uint32_t id);
// A "buttons" image (the pack is loaded on first use).
const VGBitmap* ButtonsImage(uint32_t id);
int32_t ImageWidth(uint32_t id, bool machine = true);
int32_t ImageHeight(uint32_t id, bool machine = true);

// A frame of the given thickness just inside the w x h rectangle at (x, y), clipped.
void DrawOutline(int32_t x, int32_t y, int32_t w, int32_t h, uint16_t colour, int32_t thickness);
// Text in the small font with its baseline at y: left-aligned at x, or centred on x.
void DrawSmallText(const VGString& text, int32_t x, int32_t y, bool centred);

// The picture under the play cursor, kept so the cursor can move without a full redraw.
struct CursorSaveUnder {
    VGBitmap pixels;
    int32_t x = 0;
    int32_t y = 0;
    bool shown = false; // the cursor is in the picture and pixels hold what it covers
};
bool CreateSaveUnder(CursorSaveUnder& save, const VGBitmap* cursor);
// Puts back what the cursor covered, if it is shown.
void RestoreUnderCursor(CursorSaveUnder& save);
// Keeps what lies at (x, y) and draws the cursor there.
void DrawCursorAt(CursorSaveUnder& save, const VGBitmap* cursor, int32_t x, int32_t y);
