#pragma once
// One picture of many images for review: each image on a grey checkerboard (so keyed pixels
// show as the board and unflagged key pixels as magenta), its id written underneath in a tiny
// built-in digit font, laid out in rows.
#include "varnokengine/VGBitmap.h"

#include <cstddef>
#include <vector>

// Fills sheet (replacing it). Images that would not fit in a 32767-pixel-high sheet are left
// out; the return value says how many were placed.
size_t BuildContactSheet(const std::vector<const VGBitmap*>& images, VGBitmap& sheet);

// Writes the decimal digits of value with the top-left corner at (x, y) into bitmap, each
// digit 3 x 5 cells of size scale; returns the width used.
int32_t DrawNumber(VGBitmap& bitmap, int32_t x, int32_t y, uint32_t value, int32_t scale,
                   uint16_t colour);
