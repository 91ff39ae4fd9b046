#include "platform/video/Upright.h"

#include <algorithm>
#include <cstring>

namespace platform {

ViewSize UprightSize(int32_t deviceWidth, int32_t deviceHeight, uint32_t orientation) {
    if (orientation == 1 || orientation == 3) return {deviceHeight, deviceWidth};
    return {deviceWidth, deviceHeight};
}

void UprightToDevice(int32_t w, int32_t h, uint32_t orientation, int32_t u, int32_t v, int32_t& x,
                     int32_t& y) {
    switch (orientation) {
    case 1:
        x = w - 1 - v, y = u;
        break;
    case 2:
        x = w - 1 - u, y = h - 1 - v;
        break;
    case 3:
        x = v, y = h - 1 - u;
        break;
    default:
        x = u, y = v;
        break;
    }
}

void RenderUpright(const uint16_t* memory, int32_t w, int32_t h, int32_t rowPitch,
                   uint32_t orientation, uint16_t* out) {
    ViewSize view = UprightSize(w, h, orientation);
    RenderUprightRect(memory, w, h, rowPitch, orientation, PixelRect{0, 0, view.width, view.height},
                      out);
}

void RenderUprightRect(const uint16_t* memory, int32_t w, int32_t h, int32_t rowPitch,
                       uint32_t orientation, PixelRect rect, uint16_t* out) {
    ViewSize view = UprightSize(w, h, orientation);
    // Keep inside the view whatever the caller asks.
    const int32_t left = std::max(rect.x, 0), top = std::max(rect.y, 0);
    const int32_t right = std::min(rect.x + rect.width, view.width);
    const int32_t bottom = std::min(rect.y + rect.height, view.height);
    if (left >= right || top >= bottom) return;
    // Walk the view row by row; the memory address moves by fixed steps, as the program's
    // own present does in the other direction.
    int32_t x0, y0, x1, y1, x2, y2;
    UprightToDevice(w, h, orientation, 0, 0, x0, y0);
    UprightToDevice(w, h, orientation, 1, 0, x1, y1);
    UprightToDevice(w, h, orientation, 0, 1, x2, y2);
    const intptr_t start = intptr_t(y0) * rowPitch + x0;
    const intptr_t stepU = intptr_t(y1 - y0) * rowPitch + (x1 - x0);
    const intptr_t stepV = intptr_t(y2 - y0) * rowPitch + (x2 - x0);
    for (int32_t v = top; v < bottom; ++v) {
        const uint16_t* src = memory + start + stepV * v + stepU * left;
        uint16_t* dst = out + intptr_t(v) * view.width;
        if (stepU == 1) {
            std::memcpy(dst + left, src, size_t(right - left) * sizeof(uint16_t));
            continue;
        }
        for (int32_t u = left; u < right; ++u, src += stepU) dst[u] = *src;
    }
}

PixelRect ChangedRect(const uint16_t* now, const uint16_t* before, int32_t width, int32_t height) {
    PixelRect rect;
    if (width <= 0 || height <= 0) return rect;
    const size_t rowBytes = size_t(width) * sizeof(uint16_t);
    auto rowDiffers = [&](int32_t y) {
        return std::memcmp(now + intptr_t(y) * width, before + intptr_t(y) * width, rowBytes) != 0;
    };
    int32_t top = 0;
    while (top < height && !rowDiffers(top)) ++top;
    if (top == height) return rect;
    int32_t bottom = height - 1;
    while (bottom > top && !rowDiffers(bottom)) --bottom;
    // Columns: the leftmost and rightmost differing pixel over the changed rows.
    int32_t left = width, right = -1;
    for (int32_t y = top; y <= bottom; ++y) {
        const uint16_t* a = now + intptr_t(y) * width;
        const uint16_t* b = before + intptr_t(y) * width;
        for (int32_t x = 0; x < left; ++x)
            if (a[x] != b[x]) {
                left = x;
                break;
            }
        for (int32_t x = width - 1; x > right; --x)
            if (a[x] != b[x]) {
                right = x;
                break;
            }
    }
    return PixelRect{left, top, right - left + 1, bottom - top + 1};
}

PixelRect UprightRect(int32_t w, int32_t h, uint32_t orientation, PixelRect area) {
    if (area.Empty()) return PixelRect{};
    // Where two opposite corners of the area show; the view rectangle spans them.
    auto toView = [&](int32_t x, int32_t y, int32_t& u, int32_t& v) {
        switch (orientation) {
        case 1:
            u = y, v = w - 1 - x;
            break;
        case 2:
            u = w - 1 - x, v = h - 1 - y;
            break;
        case 3:
            u = h - 1 - y, v = x;
            break;
        default:
            u = x, v = y;
            break;
        }
    };
    int32_t u0, v0, u1, v1;
    toView(area.x, area.y, u0, v0);
    toView(area.x + area.width - 1, area.y + area.height - 1, u1, v1);
    const int32_t left = std::min(u0, u1), top = std::min(v0, v1);
    return PixelRect{left, top, std::max(u0, u1) - left + 1, std::max(v0, v1) - top + 1};
}

} // namespace platform
