#include "varnokengine/VGSplash.h"

#include "platform/video/Backend.h"
#include "varnokengine/VGBitmap.h"
#include "varnokengine/VGBitmapManager.h"
#include "varnokengine/VGClock.h"
#include "varnokengine/VGDeviceScreen.h"
#include "varnokengine/VGError.h"
#include "varnokengine/VGSoundManager.h"

#include <algorithm>

namespace {

constexpr uint32_t kBaseImage = 3;
constexpr uint32_t kFinalImage = 4;
constexpr uint32_t kFirstPiece = 5;
constexpr uint32_t kSecondPiece = 6;
constexpr float kSlideSpeed = 200.0f; // pixels per second on each axis, before LayoutScale
constexpr float kLiftRate = 10.0f;
constexpr float kMaxLift = 6.0f;
constexpr float kHalfLift = 3.0f;

struct Centre {
    int32_t x, y;
};

void DrawCentred(const VGBitmap* image, int32_t cx, int32_t cy) {
    if (image) VGBitmap::Draw(image, cx - image->halfWidth, cy - image->halfHeight);
}

void DrawCentredAlpha(const VGBitmap* image, int32_t cx, int32_t cy, float alpha) {
    if (!image) return;
    VGBitmap::DrawEx(image, cx - image->halfWidth, cy - image->halfHeight, image->fullWidth,
                     image->fullHeight, 0, 0, 1.0f, 1.0f, BlendAlpha, alpha);
}

// A piece slides in along the diagonal from the lower left (t up to 0 s), then lifts to the
// upper right over 0.6 s, leaving faint copies behind.
void DrawLogoPiece(float t, const VGBitmap* image, Centre c) {
    float s = float(LayoutScale);
    if (t <= 0.0f) {
        int32_t d = int32_t(s * t * kSlideSpeed);
        DrawCentred(image, c.x + d, c.y - d);
        return;
    }
    DrawCentredAlpha(image, c.x, c.y, 0.2f);
    float k = std::min(t * kLiftRate, kMaxLift);
    if (k > kHalfLift) DrawCentredAlpha(image, c.x + 3 * LayoutScale, c.y - 3 * LayoutScale, 0.5f);
    int32_t lift = int32_t(s * k);
    DrawCentred(image, c.x + lift, c.y - lift);
}

} // namespace

void DrawSplashFrame(int32_t e, const VGBitmap* base, const VGBitmap* first, const VGBitmap* second,
                     const VGBitmap* final) {
    VGBitmap* target = RenderTarget.target;
    if (!target) return;
    Centre c{target->halfWidth, target->halfHeight};
    target->Fill(ColourBlack);
    DrawCentredAlpha(base, c.x, c.y, std::min(float(e) * 0.001f, 1.0f));
    DrawLogoPiece(float(e - 500) * 0.001f, first, c);
    DrawLogoPiece(float(e - 1000) * 0.001f, second, c);
    DrawCentredAlpha(final, c.x, c.y, std::clamp(float(e - 1500) * 0.001f, 0.0f, 1.0f));
}

void ShowSplash(uint32_t& start) {
    VGBitmapManager pack;
    pack.Load(VGString(u"vglogo"));
    if (TheSoundManager.SoundFX()) TheSoundManager.PlaySound(VGString(u"vglogo"), 0, 1.0f);
    start = GetMilliseconds();
    uint32_t clock = start;
    const VGBitmap* base = pack.Get(kBaseImage);
    const VGBitmap* first = pack.Get(kFirstPiece);
    const VGBitmap* second = pack.Get(kSecondPiece);
    const VGBitmap* final = pack.Get(kFinalImage);
    while (!ErrorFlag && clock - start < kSplashAnimationMs) {
        DrawSplashFrame(int32_t(clock - start), base, first, second, final);
        TheDisplay.Present();
        platform::CurrentBackend().WaitForRefresh(false);
        clock = GetMilliseconds();
    }
    pack.Clear();
}

void EndSplash(uint32_t start) {
    uint32_t elapsed = GetMilliseconds() - start;
    if (elapsed < kSplashMinimumMs && !ErrorFlag) SleepKeepingAlive(kSplashMinimumMs - elapsed);
    TheSoundManager.UnloadSound(VGString(u"vglogo"));
}
