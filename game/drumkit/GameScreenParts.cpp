#include "game/drumkit/GameScreenParts.h"

#include "game/GameApp.h"
#include "game/GameButtons.h"
#include "game/TextIds.h"
#include "game/drumkit/GameRules.h"
#include "game/drumkit/KitScreen.h"
#include "varnokengine/VGClock.h"
#include "varnokengine/VGDeviceScreen.h"
#include "varnokengine/VGFont.h"
#include "varnokengine/VGMenuItems.h"

#include <algorithm>

namespace {

// The band reaches this far (before LayoutScale) beyond the texts and keeps this much of
// the picture's brightness.
constexpr int32_t kBackingMargin = 8;
constexpr float kBackingShade = 0.6f;

// The rows the menu texts cover: from the top of the first line to the last baseline.
bool ItemRows(int32_t& top, int32_t& bottom) {
    bool any = false;
    for (int32_t slot = kFirstEntrySlot; slot < kMenuSlots; ++slot) {
        const TextBlock* item = Items().slots[slot];
        if (!item || !item->font || (item->flags & FlagHidden)) continue;
        for (const TextLine* line = item->lines; line; line = line->next) {
            int32_t lineTop = line->y - item->font->ascent;
            top = any ? std::min(top, lineTop) : lineTop;
            bottom = any ? std::max(bottom, int32_t(line->y)) : line->y;
            any = true;
        }
    }
    return any;
}

} // namespace

DrumKit& TheKit() {
    return TheGameApp()->kit;
}

void PrepareKit() {
    LoadKit(TheKit(), LayoutScale, ShowLoadingMessage);
    LoadButtonImages();
}

void DrawKitBehind() {
    DrawKit(TheKit(), GraphicsQuality, LayoutScale);
}

void RunKitClock() {
    DrumKit& kit = TheKit();
    kit.clock = KitTimeAdd(kit.clock, FrameDelta);
}

void DrawBackingBehindItems() {
    VGBitmap* target = RenderTarget.target;
    int32_t top = 0, bottom = 0;
    if (!target || !ItemRows(top, bottom)) return;
    static VGBitmap dot;
    if (!dot.pixels && !dot.Create(1, 1, 0, ColourBlack)) return;
    top -= kBackingMargin * LayoutScale;
    bottom += kBackingMargin * LayoutScale;
    VGBitmap::DrawEx(&dot, 0, top, 1, 1, 0, 0, float(target->fullWidth), float(bottom - top),
                     BlendShade, kBackingShade);
}

void DrawGameCounter() {
    const DrumKit& kit = TheKit();
    if (kit.mode == MemoryMaster) DrawCharWindow(MemoryCounterText(kit), 0);
    if (kit.mode == RhythmMaster) DrawCharWindow(RhythmCounterText(kit), 0);
}

void DrawResultTicker() {
    const DrumKit& kit = TheKit();
    int32_t first = 0;
    VGString text = ResultTickerText(GetText(kit.newHighScore ? TextNewHighScore : TextScore),
                                     GameResult(kit), Now, first);
    DrawCharWindow(text, first);
}

bool IsGameMode(uint32_t mode) {
    return mode == MemoryMaster || mode == RhythmMaster;
}
