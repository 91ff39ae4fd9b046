#pragma once
// Display memory is always the portrait W x H frame; the program draws its picture into it
// turned by its orientation code (0 portrait, 1 landscape drawn with its top at the right
// edge of memory, 2 upside down, 3 landscape with its top at the left edge). The user sees
// the picture upright: these map between upright view coordinates and display memory.
#include <cstdint>

namespace platform {

struct ViewSize {
    int32_t width;
    int32_t height;
};

// Size of the upright view of a W x H portrait memory under an orientation (1 and 3 swap).
ViewSize UprightSize(int32_t deviceWidth, int32_t deviceHeight, uint32_t orientation);

// Device coordinates of the memory pixel shown at upright view point (u, v).
void UprightToDevice(int32_t deviceWidth, int32_t deviceHeight, uint32_t orientation, int32_t u,
                     int32_t v, int32_t& x, int32_t& y);

// Writes the upright view of memory (pitch in pixels per row, xPitch 1) into out, which
// holds UprightSize pixels, rows without padding.
void RenderUpright(const uint16_t* memory, int32_t deviceWidth, int32_t deviceHeight,
                   int32_t rowPitch, uint32_t orientation, uint16_t* out);

// A rectangle of pixels; empty when width or height is 0.
struct PixelRect {
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
    bool Empty() const { return width <= 0 || height <= 0; }
};

// The smallest rectangle of a W x H frame (rows without padding) holding every pixel where
// now differs from before; empty when the frames are equal.
PixelRect ChangedRect(const uint16_t* now, const uint16_t* before, int32_t width, int32_t height);

// The upright view rectangle that shows the memory rectangle area under an orientation.
PixelRect UprightRect(int32_t deviceWidth, int32_t deviceHeight, uint32_t orientation,
                      PixelRect area);

// As RenderUpright, but writes only the view pixels inside viewRect (the rest of out, a whole
// upright view, is left as it was), so a small change costs a small copy.
void RenderUprightRect(const uint16_t* memory, int32_t deviceWidth, int32_t deviceHeight,
                       int32_t rowPitch, uint32_t orientation, PixelRect viewRect, uint16_t* out);

} // namespace platform
