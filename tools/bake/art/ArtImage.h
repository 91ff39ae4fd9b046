#pragma once
// One finished picture as the game stores it: RGB565 pixels at the large layout, with the
// colour key where it is transparent. Sizes here are logical (untrimmed); trimming happens
// when the picture is written.
#include <cairo.h>

#include <cstdint>
#include <string>
#include <vector>

namespace art {

constexpr uint16_t Key = 0xF81F;

struct ArtImage {
    uint32_t id = 0;
    int width = 0;
    int height = 0;
    std::vector<uint16_t> pixels; // width x height, row by row
};

uint16_t Pack565(int r8, int g8, int b8);
int Red5(uint16_t p);
int Green5(uint16_t p); // the 5-bit green the engine blends with (bits 10-6)
int Blue5(uint16_t p);

// A colour that 2x2 averaging could turn into the key: strong red and blue, next to no green.
bool IsNearKey(uint16_t p);

// Opaque conversion: every pixel is kept (alpha is ignored), near-key colours are nudged.
ArtImage FromOpaque(cairo_surface_t* surface, uint32_t id);

// Keyed conversion: pixels under half coverage become the key; the rest are composited over
// the backdrop (a surface of the same size, or a plain colour when backdrop is null), so
// anti-aliased edges already carry the colour they will be drawn on.
ArtImage FromKeyed(cairo_surface_t* surface, uint32_t id, cairo_surface_t* backdrop,
                   uint32_t backdropRgb = 0x202020);

bool HasKey(const ArtImage& image);

// A cairo surface showing the image (key shown as the given colour), for previews.
cairo_surface_t* ToSurface(const ArtImage& image, uint32_t keyRgb = 0xF800F8);

} // namespace art
