#pragma once
// Glyph pictures for the bitmap fonts: a coverage mask (from FreeType or from a shape) is
// given an outline and a fill, and keyed: fully transparent pixels become the colour key,
// partly covered edge pixels are composited over the colour the text is drawn on, so
// halving on small screens never turns an edge pink.
#include <cstdint>
#include <functional>
#include <vector>

constexpr uint16_t kColourKey = 0xF81F;

struct Rgb {
    float r, g, b; // 0..1
};

// Coverage 0..1 per pixel, row by row.
struct Mask {
    int width = 0;
    int height = 0;
    std::vector<float> cover;
    Mask() = default;
    Mask(int w, int h) : width(w), height(h), cover(static_cast<size_t>(w) * h, 0.0f) {}
    float At(int x, int y) const {
        return x < 0 || y < 0 || x >= width || y >= height ? 0.0f : cover[size_t(y) * width + x];
    }
    float& Ref(int x, int y) { return cover[size_t(y) * width + x]; }
};

struct GlyphStyle {
    float outline;  // outline width in pixels (0: none)
    Rgb fillTop;    // fill colour at the top of the cell...
    Rgb fillBottom; // ...and at its bottom (a vertical gradient)
    Rgb outlineColour;
    Rgb background;         // what the text is drawn on; partly covered edge pixels blend into it
    int gradientTop = 0;    // rows where the fill gradient starts and ends (clamped
    int gradientBottom = 0; // outside); equal rows give a plain fill
};

// Copies src into dst with its top-left corner at (x, y), adding coverage (clipped at 1).
void Stamp(Mask& dst, const Mask& src, int x, int y);
// A mask of a shape given as an inside test on continuous cell coordinates (pixel centres
// at +0.5), sampled 4x4 per pixel.
Mask ShapeMask(int width, int height, const std::function<bool(float x, float y)>& inside);
// The outlined, filled, keyed RGB565 picture of a mask.
std::vector<uint16_t> ComposeGlyph(const Mask& fill, const GlyphStyle& style);
uint16_t ToRgb565(Rgb c);
