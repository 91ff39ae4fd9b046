// Scaled and blended drawing. Set-up runs in floating point once per call; the pixel loops
// are integer, with 10-bit fixed-point source steps, and each combination of keyed/unkeyed,
// scaled/unscaled and blend mode has its own loop, chosen once per call.
#include "varnokengine/VGDrawSurface.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr float kEpsilon = 0.000001f;

inline uint32_t Red(uint32_t p) {
    return p >> 11;
}
inline uint32_t Green(uint32_t p) {
    return (p >> 6) & 31;
}
inline uint32_t Blue(uint32_t p) {
    return p & 31;
}
inline uint16_t Pack(uint32_t r, uint32_t g, uint32_t b) {
    return uint16_t(r << 11 | g << 6 | b);
}

struct CopyOp {
    uint16_t operator()(uint16_t s, uint16_t) const { return s; }
};
// Per channel, every sum stays below 31 x 512: the compiler may keep each channel in 16-bit
// vector lanes.
struct AddOp {
    uint32_t a;
    static uint32_t Sat(uint32_t v) { return v > 31 ? 31 : v; }
    uint16_t operator()(uint16_t s, uint16_t d) const {
        return Pack(Sat((Red(s) * a + (Red(d) << 8)) >> 8),
                    Sat((Green(s) * a + (Green(d) << 8)) >> 8),
                    Sat((Blue(s) * a + (Blue(d) << 8)) >> 8));
    }
};
struct AlphaOp {
    uint32_t a, inv;
    uint16_t operator()(uint16_t s, uint16_t d) const {
        return Pack((Red(s) * a + Red(d) * inv) >> 8, (Green(s) * a + Green(d) * inv) >> 8,
                    (Blue(s) * a + Blue(d) * inv) >> 8);
    }
};
struct ShadeOp {
    uint32_t inv;
    uint16_t operator()(uint16_t, uint16_t d) const {
        return Pack((Red(d) * inv) >> 8, (Green(d) * inv) >> 8, (Blue(d) * inv) >> 8);
    }
};
struct ModulateOp {
    uint16_t operator()(uint16_t s, uint16_t d) const {
        uint32_t m = Blue(s);
        return Pack((Red(d) * m) >> 5, (Green(d) * m) >> 5, (Blue(d) * m) >> 5);
    }
};

// Everything a pixel loop needs, decided by the set-up.
struct Job {
    uint16_t* dst;           // first target pixel
    int32_t dstPitch;        // target row pitch
    const uint16_t* src;     // first source row, column sx
    int32_t srcPitch;        // source row pitch
    int32_t w, h;            // target pixels to write
    uint32_t phaseX, phaseY; // 10-bit start phases
    uint32_t stepX, stepY;   // 10-bit source steps per target pixel
};

template <bool Keyed, bool Scaled, class Op> void Run(const Job& j, Op op) {
    uint16_t* dstRow = j.dst;
    const uint16_t* srcRow = j.src;
    uint32_t vphase = j.phaseY;
    if constexpr (Scaled) {
        srcRow += size_t(vphase >> 10) * size_t(j.srcPitch);
        vphase &= 1023;
    }
    for (int32_t row = 0; row < j.h; ++row) {
        if constexpr (Scaled) {
            uint32_t phase = j.phaseX;
            size_t col = phase >> 10;
            phase &= 1023;
            for (int32_t i = 0; i < j.w; ++i) {
                uint16_t p = srcRow[col], d = dstRow[i];
                dstRow[i] = !Keyed || p != kColourKey ? op(p, d) : d;
                phase += j.stepX;
                col += phase >> 10;
                phase &= 1023;
            }
        } else {
            for (int32_t i = 0; i < j.w; ++i) {
                // A select rather than a branch, so the loop vectorises.
                uint16_t p = srcRow[i], d = dstRow[i];
                dstRow[i] = !Keyed || p != kColourKey ? op(p, d) : d;
            }
        }
        dstRow += j.dstPitch;
        if (row + 1 == j.h) break; // never step the source past its last row
        if constexpr (Scaled) {
            vphase += j.stepY;
            srcRow += size_t(vphase >> 10) * size_t(j.srcPitch);
            vphase &= 1023;
        } else {
            srcRow += j.srcPitch;
        }
    }
}

template <class Op> void Dispatch(const Job& j, bool keyed, bool scaled, Op op) {
    if (keyed) {
        if (scaled)
            Run<true, true>(j, op);
        else
            Run<true, false>(j, op);
    } else {
        if (scaled)
            Run<false, true>(j, op);
        else
            Run<false, false>(j, op);
    }
}

// Largest number of target pixels whose nearest source stays below `available` source
// pixels, starting at phase with the given step.
int32_t SampledLimit(int32_t available, uint32_t phase, uint32_t step) {
    int64_t room = int64_t(available) * 1024 - int64_t(phase);
    if (room <= 0) return 0;
    if (step == 0) return INT32_MAX;
    int64_t n = (room - 1) / int64_t(step) + 1;
    return int32_t(std::min<int64_t>(n, INT32_MAX));
}

// The drawn size of w source pixels at the given scale, truncated and kept in range (far
// beyond any screen for a huge scale, so later sums cannot overflow).
int32_t ScaledSize(int32_t w, float scale) {
    float f = float(w) * scale;
    if (!(f > 0.0f)) return 0;
    if (f > 65536.0f) return 65536;
    return int32_t(f);
}

} // namespace

void DrawExOn(const DrawSurface& s, const VGBitmap& b, int32_t x, int32_t y, int32_t w, int32_t h,
              int32_t srcX, int32_t srcY, float scaleX, float scaleY, BlendMode mode, float alpha) {
    if (!s.pixels || !b.pixels) return;
    if (!(std::fabs(alpha) >= kEpsilon)) return; // also refuses NaN
    if (mode == BlendAlpha && std::fabs(alpha - 1.0f) < kEpsilon) mode = BlendCopy;
    bool scaling = !(std::fabs(scaleX - 1.0f) < kEpsilon && std::fabs(scaleY - 1.0f) < kEpsilon);
    if (!scaling && mode == BlendCopy) {
        DrawRegionOn(s, b, x, y, w, h, srcX, srcY);
        return;
    }
    if (mode < BlendCopy || mode > BlendModulate) return;
    if (scaling &&
        !(scaleX > 0.0f && scaleY > 0.0f && std::isfinite(scaleX) && std::isfinite(scaleY)))
        return;
    x = SaneCoordinate(x);
    y = SaneCoordinate(y);
    w = SaneCoordinate(w);
    h = SaneCoordinate(h);
    srcX = SaneCoordinate(srcX);
    srcY = SaneCoordinate(srcY);

    // Source rectangle in stored pixels. A part of the request outside the stored pixels
    // (a trimmed margin, or beyond an untrimmed image) is transparent: it is dropped and the
    // destination moves by its scaled size.
    int32_t sx = srcX, sy = srcY;
    if (b.flags & FlagTrimmed) {
        sx -= b.trimLeft;
        sy -= b.trimTop;
    }
    if (sx < 0) {
        w += sx;
        x += scaling ? ScaledSize(-sx, scaleX) : -sx;
        sx = 0;
    }
    if (sy < 0) {
        h += sy;
        y += scaling ? ScaledSize(-sy, scaleY) : -sy;
        sy = 0;
    }
    w = std::min(w, b.width - sx);
    h = std::min(h, b.height - sy);
    if (w < 1 || h < 1) return;
    const int32_t srcEndX = sx + w, srcEndY = sy + h;

    if (x >= s.clipRight || y >= s.clipBottom) return;
    int32_t dw = scaling ? ScaledSize(w, scaleX) : w;
    int32_t dh = scaling ? ScaledSize(h, scaleY) : h;
    uint32_t stepX = 1024, stepY = 1024, phaseX = 0, phaseY = 0;
    // A scale so small that nothing is drawn also has a step too large for its integer.
    if (dw < 1 || dh < 1) return;
    if (scaling) {
        stepX = uint32_t((1.0f / scaleX) * 1024.0f);
        stepY = uint32_t((1.0f / scaleY) * 1024.0f);
    }
    if (s.clipLeft - x >= 1) {
        int32_t d = s.clipLeft - x;
        dw -= d;
        if (dw < 1) return;
        if (scaling) {
            sx += int32_t(float(d) / scaleX);
            if (scaleX > 1.0f) phaseX = uint32_t(std::fmod(float(d), scaleX)) * stepX;
        } else {
            sx += d;
        }
        x = s.clipLeft;
    }
    if (s.clipTop - y >= 1) {
        int32_t d = s.clipTop - y;
        dh -= d;
        if (dh < 1) return;
        if (scaling) {
            sy += int32_t(float(d) / scaleY);
            if (scaleY > 1.0f) phaseY = uint32_t(std::fmod(float(d), scaleY)) * stepY;
        } else {
            sy += d;
        }
        y = s.clipTop;
    }
    dw = std::min(dw, s.clipRight - x);
    dh = std::min(dh, s.clipBottom - y);
    // Never sample beyond the requested source rectangle.
    dw = std::min(dw, SampledLimit(srcEndX - sx, phaseX, stepX));
    dh = std::min(dh, SampledLimit(srcEndY - sy, phaseY, stepY));
    if (dw < 1 || dh < 1) return;

    Job j;
    j.dst = s.pixels + size_t(y) * size_t(s.width) + size_t(x);
    j.dstPitch = s.width;
    j.src = b.pixels + size_t(sy) * size_t(b.width) + size_t(sx);
    j.srcPitch = b.width;
    j.w = dw;
    j.h = dh;
    j.phaseX = phaseX;
    j.phaseY = phaseY;
    j.stepX = stepX;
    j.stepY = stepY;

    // Alpha above 1 or below 0 would make 256 - a negative: keep it in 0..1.
    float clamped = std::clamp(alpha, 0.0f, 1.0f);
    uint32_t a = uint32_t(clamped * 256.0f);
    uint32_t inv = 256 - a;
    bool keyed = (b.flags & FlagKeyed) != 0;
    switch (mode) {
    case BlendCopy:
        Dispatch(j, keyed, scaling, CopyOp{});
        break;
    case BlendAdd:
        Dispatch(j, keyed, scaling, AddOp{a});
        break;
    case BlendAlpha:
        Dispatch(j, keyed, scaling, AlphaOp{a, inv});
        break;
    case BlendShade:
        Dispatch(j, keyed, scaling, ShadeOp{inv});
        break;
    case BlendModulate:
        Dispatch(j, keyed, scaling, ModulateOp{});
        break;
    }
}

void VGBitmap::DrawEx(const VGBitmap* bitmap, int32_t x, int32_t y, int32_t w, int32_t h,
                      int32_t srcX, int32_t srcY, float scaleX, float scaleY, BlendMode mode,
                      float alpha) {
    if (!bitmap) return;
    DrawExOn(CurrentSurface(), *bitmap, x, y, w, h, srcX, srcY, scaleX, scaleY, mode, alpha);
}
