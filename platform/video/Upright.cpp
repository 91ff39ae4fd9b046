#include "platform/video/Upright.h"

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
    // Walk the view row by row; the memory address moves by fixed steps, as the program's
    // own present does in the other direction.
    int32_t x0, y0, x1, y1, x2, y2;
    UprightToDevice(w, h, orientation, 0, 0, x0, y0);
    UprightToDevice(w, h, orientation, 1, 0, x1, y1);
    UprightToDevice(w, h, orientation, 0, 1, x2, y2);
    const intptr_t start = intptr_t(y0) * rowPitch + x0;
    const intptr_t stepU = intptr_t(y1 - y0) * rowPitch + (x1 - x0);
    const intptr_t stepV = intptr_t(y2 - y0) * rowPitch + (x2 - x0);
    for (int32_t v = 0; v < view.height; ++v) {
        const uint16_t* src = memory + start + stepV * v;
        uint16_t* dst = out + intptr_t(v) * view.width;
        for (int32_t u = 0; u < view.width; ++u, src += stepU) dst[u] = *src;
    }
}

} // namespace platform
