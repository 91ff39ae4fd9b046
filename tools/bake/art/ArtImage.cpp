#include "tools/bake/art/ArtImage.h"

#include <algorithm>

namespace art {

uint16_t Pack565(int r8, int g8, int b8) {
    r8 = std::clamp(r8, 0, 255);
    g8 = std::clamp(g8, 0, 255);
    b8 = std::clamp(b8, 0, 255);
    return static_cast<uint16_t>(((r8 >> 3) << 11) | ((g8 >> 2) << 5) | (b8 >> 3));
}

int Red5(uint16_t p) {
    return p >> 11;
}
int Green5(uint16_t p) {
    return (p >> 6) & 31;
}
int Blue5(uint16_t p) {
    return p & 31;
}

bool IsNearKey(uint16_t p) {
    // An average of four pixels reaches red 31 only when every red is at least 29, and
    // reaches green 0 only when every 5-bit green is at most 1.
    return p != Key && Red5(p) >= 28 && Blue5(p) >= 28 && Green5(p) <= 1;
}

namespace {

uint16_t Guarded(uint16_t p) {
    if (p == Key || IsNearKey(p)) return static_cast<uint16_t>((p & ~0x07E0) | (2 << 6));
    return p;
}

struct Rgba {
    int r, g, b, a;
};

// Cairo keeps premultiplied ARGB32 in native-endian words.
Rgba ReadPixel(const unsigned char* data, int stride, int x, int y) {
    uint32_t v = *reinterpret_cast<const uint32_t*>(data + y * stride + x * 4);
    return {int((v >> 16) & 255), int((v >> 8) & 255), int(v & 255), int(v >> 24)};
}

} // namespace

ArtImage FromOpaque(cairo_surface_t* surface, uint32_t id) {
    cairo_surface_flush(surface);
    ArtImage image;
    image.id = id;
    image.width = cairo_image_surface_get_width(surface);
    image.height = cairo_image_surface_get_height(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    int stride = cairo_image_surface_get_stride(surface);
    image.pixels.resize(size_t(image.width) * image.height);
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            Rgba c = ReadPixel(data, stride, x, y);
            image.pixels[size_t(y) * image.width + x] = Guarded(Pack565(c.r, c.g, c.b));
        }
    return image;
}

ArtImage FromKeyed(cairo_surface_t* surface, uint32_t id, cairo_surface_t* backdrop,
                   uint32_t backdropRgb) {
    cairo_surface_flush(surface);
    ArtImage image;
    image.id = id;
    image.width = cairo_image_surface_get_width(surface);
    image.height = cairo_image_surface_get_height(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    int stride = cairo_image_surface_get_stride(surface);
    const unsigned char* back = nullptr;
    int backStride = 0, backW = 0, backH = 0;
    if (backdrop) {
        cairo_surface_flush(backdrop);
        back = cairo_image_surface_get_data(backdrop);
        backStride = cairo_image_surface_get_stride(backdrop);
        backW = cairo_image_surface_get_width(backdrop);
        backH = cairo_image_surface_get_height(backdrop);
    }
    image.pixels.assign(size_t(image.width) * image.height, Key);
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            Rgba c = ReadPixel(data, stride, x, y);
            if (c.a < 128) continue;
            Rgba under{int((backdropRgb >> 16) & 255), int((backdropRgb >> 8) & 255),
                       int(backdropRgb & 255), 255};
            if (back && x < backW && y < backH) under = ReadPixel(back, backStride, x, y);
            int inv = 255 - c.a;
            int r = c.r + (under.r * inv + 127) / 255;
            int g = c.g + (under.g * inv + 127) / 255;
            int b = c.b + (under.b * inv + 127) / 255;
            image.pixels[size_t(y) * image.width + x] = Guarded(Pack565(r, g, b));
        }
    return image;
}

bool HasKey(const ArtImage& image) {
    return std::find(image.pixels.begin(), image.pixels.end(), Key) != image.pixels.end();
}

cairo_surface_t* ToSurface(const ArtImage& image, uint32_t keyRgb) {
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, std::max(image.width, 1),
                                                    std::max(image.height, 1));
    cairo_surface_flush(s);
    unsigned char* data = cairo_image_surface_get_data(s);
    int stride = cairo_image_surface_get_stride(s);
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            uint16_t p = image.pixels[size_t(y) * image.width + x];
            uint32_t v = keyRgb;
            if (p != Key) {
                int r = Red5(p), g = (p >> 5) & 63, b = Blue5(p);
                v = uint32_t((r << 3 | r >> 2) << 16 | (g << 2 | g >> 4) << 8 | (b << 3 | b >> 2));
            }
            *reinterpret_cast<uint32_t*>(data + y * stride + x * 4) = v;
        }
    cairo_surface_mark_dirty(s);
    return s;
}

} // namespace art
