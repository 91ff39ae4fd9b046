// Load-time reduction of large-screen art to the small screen, and trimming of transparent
// margins.
#include "varnokengine/VGDrawSurface.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace {

// One 2x2 block averaged per 5-bit channel. Keyed: key pixels do not count, and a block
// with three or four of them stays transparent.
uint16_t Average(const uint16_t* q, bool keyed) {
    uint32_t r = 0, g = 0, b = 0, keys = 0;
    for (int i = 0; i < 4; ++i) {
        uint32_t p = q[i];
        if (keyed && p == kColourKey) {
            ++keys;
            continue;
        }
        r += p >> 11;
        g += (p >> 6) & 31;
        b += p & 31;
    }
    switch (keys) {
    case 0:
        r = (r + 2) >> 2, g = (g + 2) >> 2, b = (b + 2) >> 2;
        break;
    case 1:
        r = (r + 1) / 3, g = (g + 1) / 3, b = (b + 1) / 3;
        break;
    case 2:
        r = (r + 1) >> 1, g = (g + 1) >> 1, b = (b + 1) >> 1;
        break;
    default:
        return kColourKey;
    }
    return uint16_t(r << 11 | g << 6 | b);
}

void SwapImage(VGBitmap& a, VGBitmap& b) {
    std::swap(a.pixels, b.pixels);
    std::swap(a.width, b.width);
    std::swap(a.height, b.height);
    std::swap(a.trimLeft, b.trimLeft);
    std::swap(a.trimRight, b.trimRight);
    std::swap(a.trimTop, b.trimTop);
    std::swap(a.trimBottom, b.trimBottom);
    std::swap(a.flags, b.flags);
}

} // namespace

void VGBitmap::Halve() {
    // The untrimmed logical image on a key background.
    VGBitmap full;
    if (!full.Create(fullWidth, fullHeight, 0, kColourKey)) return;
    DrawRegionOn(WholeSurface(full), *this, 0, 0, fullWidth, fullHeight, 0, 0);

    VGBitmap half;
    if (!half.Create(halfWidth, halfHeight, 0, kColourKey)) return;
    bool keyed = (flags & (FlagKeyed | FlagTrimmed)) != 0;
    int32_t cols = std::min<int32_t>(full.width >> 1, half.width);
    int32_t rows = std::min<int32_t>(full.height >> 1, half.height);
    for (int32_t y = 0; y < rows; ++y) {
        const uint16_t* top = full.pixels + size_t(2 * y) * size_t(full.width);
        const uint16_t* bottom = top + full.width;
        uint16_t* out = half.pixels + size_t(y) * size_t(half.width);
        for (int32_t x = 0; x < cols; ++x) {
            const uint16_t block[4] = {top[2 * x], top[2 * x + 1], bottom[2 * x + 1],
                                       bottom[2 * x]};
            out[x] = Average(block, keyed);
        }
    }
    half.Trim();
    SwapImage(*this, half);
    UpdateDerived();
}

void VGBitmap::Trim() {
    int32_t w = width, h = height;
    auto rowHasInk = [&](int32_t y) {
        const uint16_t* p = pixels + size_t(y) * size_t(w);
        for (int32_t x = 0; x < w; ++x)
            if (p[x] != kColourKey) return true;
        return false;
    };
    auto columnHasInk = [&](int32_t x) {
        for (int32_t y = 0; y < h; ++y)
            if (pixels[size_t(y) * size_t(w) + size_t(x)] != kColourKey) return true;
        return false;
    };
    int32_t top = 0, bottom = h - 1, left = 0, right = w - 1;
    if (pixels) {
        while (top < h && !rowHasInk(top)) ++top;
    } else {
        top = h;
    }
    if (top == h) {
        // Nothing but key (or nothing at all): no margins.
        UpdateDerived();
        SetKeyedFromPixels();
        return;
    }
    while (!rowHasInk(bottom)) --bottom;
    while (!columnHasInk(left)) ++left;
    while (!columnHasInk(right)) --right;
    trimTop = int16_t(top);
    trimBottom = int16_t(h - 1 - bottom);
    trimLeft = int16_t(left);
    trimRight = int16_t(w - 1 - right);
    if (trimTop == 0 && trimBottom == 0 && trimLeft == 0 && trimRight == 0) {
        UpdateDerived();
        SetKeyedFromPixels();
        return;
    }
    flags |= FlagTrimmed;
    if (trimLeft) flags |= FlagTrimLeft;
    if (trimRight) flags |= FlagTrimRight;
    if (trimTop) flags |= FlagTrimTop;
    if (trimBottom) flags |= FlagTrimBottom;
    int32_t newW = right - left + 1, newH = bottom - top + 1;
    VGBitmap trimmed;
    if (!trimmed.Create(int16_t(newW), int16_t(newH), 0)) {
        trimLeft = trimRight = trimTop = trimBottom = 0;
        flags &= ~(FlagTrimmed | FlagTrimLeft | FlagTrimRight | FlagTrimTop | FlagTrimBottom);
        UpdateDerived();
        SetKeyedFromPixels();
        return;
    }
    for (int32_t y = 0; y < newH; ++y)
        std::memcpy(trimmed.pixels + size_t(y) * size_t(newW),
                    pixels + size_t(y + top) * size_t(w) + size_t(left), size_t(newW) * 2);
    std::swap(pixels, trimmed.pixels);
    width = int16_t(newW);
    height = int16_t(newH);
    UpdateDerived();
    SetKeyedFromPixels();
}
