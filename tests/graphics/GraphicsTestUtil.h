#pragma once
// Small helpers for drawing tests: bitmaps from pixel lists, a canvas that is the render
// target for the length of a test, and pixel comparisons.
#include "varnokengine/VGBitmap.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// A w x h bitmap holding the given pixels (row by row); flags as given.
inline void MakeBitmap(VGBitmap& b, int16_t w, int16_t h, const std::vector<uint16_t>& pixels,
                       uint32_t flags = 0) {
    b.Create(w, h, flags);
    for (size_t i = 0; i < pixels.size() && i < size_t(w) * size_t(h); ++i) b.pixels[i] = pixels[i];
}

inline std::vector<uint16_t> PixelsOf(const VGBitmap& b) {
    return std::vector<uint16_t>(b.pixels, b.pixels + size_t(b.width) * size_t(b.height));
}

// The logical image (ColourKey in the margins), as drawing sees it.
inline std::vector<uint16_t> LogicalPixels(const VGBitmap& b) {
    std::vector<uint16_t> out;
    for (int32_t y = 0; y < b.fullHeight; ++y)
        for (int32_t x = 0; x < b.fullWidth; ++x) out.push_back(b.GetPixel(x, y));
    return out;
}

// A canvas that is the render target while it lives.
struct TargetCanvas {
    VGBitmap canvas;
    TargetCanvas(int16_t w, int16_t h, uint16_t fill) {
        canvas.Create(w, h, 0, fill);
        SetRenderTarget(&canvas);
    }
    ~TargetCanvas() { SetRenderTarget(nullptr); }
    uint16_t At(int32_t x, int32_t y) const { return canvas.pixels[y * canvas.width + x]; }
    std::vector<uint16_t> Pixels() const { return PixelsOf(canvas); }
};

// A deterministic pseudo-random picture with a key border of the given widths.
inline std::vector<uint16_t> PictureWithMargins(int32_t w, int32_t h, int32_t left, int32_t top,
                                                int32_t right, int32_t bottom, uint32_t seed,
                                                bool keyHoles) {
    std::vector<uint16_t> p(size_t(w) * size_t(h), kColourKey);
    uint32_t s = seed;
    for (int32_t y = top; y < h - bottom; ++y) {
        for (int32_t x = left; x < w - right; ++x) {
            s = s * 1103515245u + 12345u;
            uint16_t v = uint16_t(s >> 12);
            if (v == kColourKey) v = 0;
            if (keyHoles && ((s >> 28) & 3) == 0) v = kColourKey;
            p[size_t(y) * size_t(w) + size_t(x)] = v;
        }
    }
    // Keep the rectangle's corners solid so the margins are exactly as asked.
    if (w - right > left && h - bottom > top) {
        p[size_t(top) * size_t(w) + size_t(left)] = 0x1234;
        p[size_t(h - bottom - 1) * size_t(w) + size_t(w - right - 1)] = 0x4321;
    }
    return p;
}
