#include "tools/bake/Halve.h"

#include "tools/bake/GlyphArt.h"

std::vector<uint16_t> HalvePixels(const std::vector<uint16_t>& pixels, int width, int height) {
    int hw = width / 2, hh = height / 2;
    std::vector<uint16_t> out(static_cast<size_t>(hw) * hh, kColourKey);
    for (int y = 0; y < hh; ++y)
        for (int x = 0; x < hw; ++x) {
            uint32_t r = 0, g = 0, b = 0, keyed = 0;
            for (int k = 0; k < 4; ++k) {
                uint16_t p = pixels[size_t(2 * y + (k >> 1)) * width + 2 * x + (k & 1)];
                if (p == kColourKey) {
                    ++keyed;
                    continue;
                }
                r += p >> 11;
                g += (p >> 6) & 31;
                b += p & 31;
            }
            auto average = [&](uint32_t sum) -> uint32_t {
                switch (keyed) {
                case 0:
                    return (sum + 2) >> 2;
                case 1:
                    return (sum + 1) / 3;
                default:
                    return (sum + 1) >> 1;
                }
            };
            if (keyed >= 3) continue;
            out[size_t(y) * hw + x] =
                static_cast<uint16_t>(average(r) << 11 | average(g) << 6 | average(b));
        }
    return out;
}
