#include "tools/bake/GlyphArt.h"

#include <algorithm>
#include <cmath>

void Stamp(Mask& dst, const Mask& src, int x, int y) {
    for (int sy = 0; sy < src.height; ++sy)
        for (int sx = 0; sx < src.width; ++sx) {
            int dx = x + sx, dy = y + sy;
            if (dx < 0 || dy < 0 || dx >= dst.width || dy >= dst.height) continue;
            float& d = dst.Ref(dx, dy);
            d = std::min(1.0f, d + src.At(sx, sy));
        }
}

Mask ShapeMask(int width, int height, const std::function<bool(float, float)>& inside) {
    Mask mask(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            int hits = 0;
            for (int sy = 0; sy < 4; ++sy)
                for (int sx = 0; sx < 4; ++sx)
                    hits += inside(x + (sx + 0.5f) / 4.0f, y + (sy + 0.5f) / 4.0f) ? 1 : 0;
            mask.Ref(x, y) = hits / 16.0f;
        }
    return mask;
}

namespace {
// Grey-scale dilation by a disc: the outline's coverage at each pixel.
Mask Dilate(const Mask& mask, float radius) {
    if (radius <= 0) return mask;
    Mask out(mask.width, mask.height);
    int reach = static_cast<int>(std::ceil(radius));
    for (int y = 0; y < mask.height; ++y)
        for (int x = 0; x < mask.width; ++x) {
            float best = 0;
            for (int dy = -reach; dy <= reach; ++dy)
                for (int dx = -reach; dx <= reach; ++dx) {
                    float weight =
                        std::clamp(radius + 0.5f - std::sqrt(float(dx * dx + dy * dy)), 0.0f, 1.0f);
                    best = std::max(best, weight * mask.At(x + dx, y + dy));
                }
            out.Ref(x, y) = best;
        }
    return out;
}

Rgb Mix(Rgb a, Rgb b, float t) { // a at t = 0, b at t = 1
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}
} // namespace

uint16_t ToRgb565(Rgb c) {
    auto channel = [](float v, int top) {
        return static_cast<uint16_t>(std::lround(std::clamp(v, 0.0f, 1.0f) * top));
    };
    uint16_t r = channel(c.r, 31), g = channel(c.g, 63), b = channel(c.b, 31);
    // Strong red with strong blue and almost no green can average into the key when the
    // image is halved; such colours get a little green.
    if (r >= 24 && b >= 24 && g < 8) g = 8;
    return static_cast<uint16_t>(r << 11 | g << 5 | b);
}

std::vector<uint16_t> ComposeGlyph(const Mask& fill, const GlyphStyle& style) {
    Mask outer = Dilate(fill, style.outline);
    std::vector<uint16_t> pixels(fill.cover.size(), kColourKey);
    for (int y = 0; y < fill.height; ++y) {
        float span = float(style.gradientBottom - style.gradientTop);
        float t = span > 0 ? std::clamp(float(y - style.gradientTop) / span, 0.0f, 1.0f) : 0.0f;
        Rgb fillColour = Mix(style.fillTop, style.fillBottom, t);
        for (int x = 0; x < fill.width; ++x) {
            float inner = fill.At(x, y);
            float alpha = std::max(inner, outer.At(x, y));
            // Below a quarter covered the pixel stays transparent; above, what shows is the
            // fill over the outline, blended into the background by the uncovered part.
            if (alpha < 0.25f) continue;
            Rgb ink = Mix(style.outlineColour, fillColour, inner / alpha);
            pixels[size_t(y) * fill.width + x] = ToRgb565(Mix(style.background, ink, alpha));
        }
    }
    return pixels;
}
