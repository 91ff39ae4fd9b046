// Unscaled drawing (opaque rows are block copies, keyed rows skip the key) and the two
// whole-target operations.
#include "varnokengine/VGDrawSurface.h"

#include <algorithm>
#include <cstring>

DrawSurface CurrentSurface() {
    DrawSurface s;
    VGBitmap* target = RenderTarget.target;
    if (!target || !target->pixels || target->width <= 0 || target->height <= 0) return s;
    s.pixels = target->pixels;
    s.width = target->width;
    s.clipLeft = std::max<int32_t>(RenderTarget.clipLeft, 0);
    s.clipTop = std::max<int32_t>(RenderTarget.clipTop, 0);
    s.clipRight = std::min<int32_t>(RenderTarget.clipRight, target->width);
    s.clipBottom = std::min<int32_t>(RenderTarget.clipBottom, target->height);
    return s;
}

DrawSurface WholeSurface(VGBitmap& bitmap) {
    DrawSurface s;
    if (!bitmap.pixels || bitmap.width <= 0 || bitmap.height <= 0) return s;
    s.pixels = bitmap.pixels;
    s.width = bitmap.width;
    s.clipRight = bitmap.width;
    s.clipBottom = bitmap.height;
    return s;
}

namespace {

// Draws w x h stored pixels from (sx, sy) at (x, y). The source rectangle is first cut to
// the stored pixels (what lies outside them is transparent), then the target rectangle to
// the clip.
void DrawStored(const DrawSurface& s, const VGBitmap& b, int32_t x, int32_t y, int32_t w, int32_t h,
                int32_t sx, int32_t sy) {
    if (!s.pixels || !b.pixels) return;
    if (sx < 0) {
        w += sx;
        x -= sx;
        sx = 0;
    }
    if (sy < 0) {
        h += sy;
        y -= sy;
        sy = 0;
    }
    w = std::min(w, b.width - sx);
    h = std::min(h, b.height - sy);
    if (x >= s.clipRight || y >= s.clipBottom) return;
    if (x < s.clipLeft) {
        int32_t d = s.clipLeft - x;
        w -= d;
        sx += d;
        x = s.clipLeft;
    }
    if (y < s.clipTop) {
        int32_t d = s.clipTop - y;
        h -= d;
        sy += d;
        y = s.clipTop;
    }
    w = std::min(w, s.clipRight - x);
    h = std::min(h, s.clipBottom - y);
    if (w < 1 || h < 1) return;

    const uint16_t* src = b.pixels + size_t(sy) * size_t(b.width) + size_t(sx);
    uint16_t* dst = s.pixels + size_t(y) * size_t(s.width) + size_t(x);
    if (!(b.flags & FlagKeyed)) {
        for (int32_t row = 0; row < h; ++row, src += b.width, dst += s.width)
            std::memcpy(dst, src, size_t(w) * 2);
        return;
    }
    for (int32_t row = 0; row < h; ++row, src += b.width, dst += s.width) {
        for (int32_t i = 0; i < w; ++i) {
            uint16_t p = src[i];
            dst[i] = p != kColourKey ? p : dst[i]; // a select, no branch: vectorises
        }
    }
}

} // namespace

void DrawRegionOn(const DrawSurface& s, const VGBitmap& b, int32_t x, int32_t y, int32_t w,
                  int32_t h, int32_t srcX, int32_t srcY) {
    x = SaneCoordinate(x);
    y = SaneCoordinate(y);
    w = SaneCoordinate(w);
    h = SaneCoordinate(h);
    srcX = SaneCoordinate(srcX);
    srcY = SaneCoordinate(srcY);
    // Trimmed: the stored pixels start at the margins, and a request reaching into a margin
    // is cut there as transparent, like anything else outside the stored pixels.
    const bool trimmed = (b.flags & FlagTrimmed) != 0;
    DrawStored(s, b, x, y, w, h, srcX - (trimmed ? b.trimLeft : 0),
               srcY - (trimmed ? b.trimTop : 0));
}

void VGBitmap::Draw(const VGBitmap* bitmap, int32_t x, int32_t y) {
    if (!bitmap) return;
    DrawRegionOn(CurrentSurface(), *bitmap, x, y, bitmap->fullWidth, bitmap->fullHeight, 0, 0);
}

void VGBitmap::DrawRegion(const VGBitmap* bitmap, int32_t x, int32_t y, int32_t w, int32_t h,
                          int32_t srcX, int32_t srcY) {
    if (!bitmap) return;
    DrawRegionOn(CurrentSurface(), *bitmap, x, y, w, h, srcX, srcY);
}

void CopyToTarget(const VGBitmap* bitmap) {
    VGBitmap* target = RenderTarget.target;
    if (!bitmap || !bitmap->pixels || !target || !target->pixels) return;
    if (bitmap->width <= 0 || bitmap->height <= 0 || target->width <= 0 || target->height <= 0)
        return;
    size_t count = size_t(bitmap->width) * size_t(bitmap->height);
    size_t room = size_t(target->width) * size_t(target->height);
    std::memcpy(target->pixels, bitmap->pixels, std::min(count, room) * 2);
}

bool FadeToBlackStep(int32_t amount) {
    VGBitmap* target = RenderTarget.target;
    if (!target || !target->pixels || target->width <= 0 || target->height <= 0) return false;
    int32_t step = std::clamp(amount, 0, 255);
    // No test for black pixels: they fade to black anyway, and a loop without branches
    // runs several pixels at a time.
    uint32_t lit = 0;
    uint16_t* p = target->pixels;
    const size_t count = size_t(target->width) * size_t(target->height);
    for (size_t i = 0; i < count; ++i) {
        uint32_t v = p[i];
        lit |= v;
        int32_t r = std::max(int32_t((v >> 8) & 0xF8) - step, 0);
        int32_t g = std::max(int32_t((v >> 3) & 0xF8) - step, 0);
        int32_t b = std::max(int32_t((v << 3) & 0xF8) - step, 0);
        // Red is masked like green: with an amount that is not a multiple of 8 its low bits
        // would otherwise spill into green.
        p[i] = uint16_t((r & 0xF8) << 8 | (g & 0xF8) << 3 | b >> 3);
    }
    return lit != 0;
}
