// Drawing the kit: the background picture, the pieces' hit animations and the sticks.
#include "game/ImageIds.h"
#include "game/drumkit/DrumKit.h"

namespace {

// By stick kind; kind 0 has no stick.
constexpr uint32_t kStickImages[3] = {0, kFirstStickImage, kFirstStickImage + kStickKindStep};

// A stick shows for 200 ms after a hit, swinging down in 20 ms steps and resting on the
// piece from 100 ms.
constexpr int32_t kStickMs = 200;
constexpr int32_t kStickSteps[10] = {5, 4, 3, 2, 1, 0, -1, -2, -3, -4};
constexpr float kTrailAlpha[4] = {1.0f, 0.4f, 0.25f, 0.1f};

struct StickLayout {
    uint32_t kind;
    int32_t base;
};
constexpr StickLayout kSticks[kPieceCount] = {{2, 0}, {2, 3}, {1, 3}, {0, 0}, {1, 0},
                                              {2, 2}, {1, 2}, {1, 0}, {0, 0}};

bool IsCymbal(uint32_t piece) {
    return piece == Ride || piece == Crash || piece == HihatOpen;
}

void BuildBackground(DrumKit& kit, int16_t width, int16_t height) {
    FreeKitBackground(kit);
    kit.background = new VGBitmap;
    if (!kit.background->Create(width, height, 0, ColourBlack)) return;
    RenderTargetState previous = RenderTarget;
    SetRenderTarget(kit.background);
    VGBitmap picture;
    if (picture.LoadFile(kKitBackgroundImage, u"drumkit"))
        VGBitmap::Draw(&picture, kit.background->halfWidth - picture.halfWidth,
                       kit.background->halfHeight - picture.halfHeight);
    RenderTarget = previous;
}

void DrawBackground(DrumKit& kit, const VGBitmap& screen) {
    if (!kit.background || kit.background->fullWidth != screen.fullWidth ||
        kit.background->fullHeight != screen.fullHeight)
        BuildBackground(kit, screen.fullWidth, screen.fullHeight);
    CopyToTarget(kit.background);
}

void DrawPiece(const DrumKit& kit, uint32_t index, int32_t cx, int32_t cy, uint32_t quality) {
    const DrumKitPiece& piece = kit.pieces[index];
    float fraction = 0.0f;
    const AnimFrame* frame = FrameAt(piece, KitTimeSince(kit.clock, piece.lastHit), &fraction);
    if (!frame || !frame->image) return;
    const VGBitmap* image = frame->image;
    int32_t x = cx - image->halfWidth, y = cy - image->halfHeight;
    if (IsCymbal(index) && (quality & QualityBlendCymbals)) {
        // Each cymbal frame fades in over its first half and out over its second.
        float f = fraction > 0.5f ? 1.0f - fraction : fraction;
        float alpha = f * 4.0f + 0.2f;
        if (alpha > 1.0f) alpha = 1.0f;
        VGBitmap::DrawEx(image, x, y, image->fullWidth, image->fullHeight, 0, 0, 1.0f, 1.0f,
                         BlendAlpha, alpha);
    } else {
        VGBitmap::Draw(image, x, y);
    }
}

} // namespace

const AnimFrame* FrameAt(const DrumKitPiece& piece, int32_t t, float* fraction) {
    if (t < 0) return nullptr;
    uint32_t i = 0;
    while (i < piece.frameCount && int64_t(piece.animation[i].duration) < t) {
        t -= int32_t(piece.animation[i].duration);
        ++i;
    }
    if (i >= piece.frameCount) return nullptr;
    const AnimFrame& frame = piece.animation[i];
    if (fraction) *fraction = frame.duration ? float(t) / float(frame.duration) : 0.0f;
    return &frame;
}

uint32_t PlanStick(const DrumKit& kit, uint32_t index, int32_t cx, int32_t cy, uint32_t quality,
                   int16_t s, StickDraw out[4]) {
    if (index >= kPieceCount || !(quality & QualitySticks)) return 0;
    const DrumKitPiece& piece = kit.pieces[index];
    const StickLayout& layout = kSticks[index];
    int32_t age = KitTimeSince(kit.clock, piece.lastHit);
    if (layout.kind == 0 || age < 0 || age >= kStickMs) return 0;
    // The swing follows the latest strike of any piece; the clamp keeps a strike stamped
    // outside this piece's window from indexing past the table.
    int32_t step = KitTimeSince(kit.clock, kit.lastStrike) / 20;
    step = step < 0 ? 0 : (step > 9 ? 9 : step);
    const uint32_t first = kStickImages[layout.kind];
    const VGBitmap* base = kit.sticks.Get(first + uint32_t(layout.base));
    if (!base) return 0;
    int32_t hx = cx + piece.hitX, hy = cy + piece.hitY;
    int32_t images = (quality & QualityStickTrails) ? 4 : 1;
    uint32_t count = 0;
    for (int32_t i = 0; i < images; ++i) {
        int32_t frame = layout.base + i + kStickSteps[step];
        if (frame >= layout.base + 7) continue;
        if (frame < layout.base) {
            // The main stick rests on the piece; its trails have caught up and vanish.
            if (i != 0) continue;
            frame = layout.base;
        }
        const VGBitmap* image = kit.sticks.Get(first + uint32_t(frame));
        if (!image) continue;
        // Frames of one kind share the grip corner of the base frame: bottom-right for kind
        // 1 (tip up-left), bottom-left for kind 2 (tip up-right).
        StickDraw& draw = out[count++];
        draw.image = image;
        draw.y = hy - 3 * s + base->fullHeight - image->fullHeight;
        draw.x = layout.kind == 1 ? hx - 2 * s + base->fullWidth - image->fullWidth
                                  : hx + 2 * s - base->fullWidth;
        draw.alpha = kTrailAlpha[i];
    }
    return count;
}

void FreeKitBackground(DrumKit& kit) {
    delete kit.background;
    kit.background = nullptr;
}

void DrawKit(DrumKit& kit, uint32_t quality, int16_t layoutScale) {
    VGBitmap* screen = RenderTarget.target;
    if (!screen || !IsKitLoaded(kit)) return;
    DrawBackground(kit, *screen);
    const int32_t cx = screen->fullWidth / 2, cy = screen->fullHeight / 2;
    for (uint32_t i = 0; i < kPieceCount; ++i) DrawPiece(kit, i, cx, cy, quality);
    StickDraw draws[4];
    for (uint32_t i = 0; i < kPieceCount; ++i) {
        uint32_t n = PlanStick(kit, i, cx, cy, quality, layoutScale, draws);
        for (uint32_t k = 0; k < n; ++k) {
            const VGBitmap* image = draws[k].image;
            VGBitmap::DrawEx(image, draws[k].x, draws[k].y, image->fullWidth, image->fullHeight, 0,
                             0, 1.0f, 1.0f, BlendAlpha, draws[k].alpha);
        }
    }
    if (kit.mode == MemoryMaster || kit.mode == RhythmMaster) {
        const VGBitmap* turn = kit.drums.Get(kit.phase == 1 ? kPlayerTurnImage : kKitTurnImage);
        if (turn) VGBitmap::Draw(turn, screen->halfWidth - turn->halfWidth, 0);
    }
}
