#include "platform/video/PngWriter.h"

#include <png.h>

#include <cstdio>
#include <vector>

namespace platform {

namespace {
// Expands a 5- or 6-bit channel to 8 bits so that full intensity stays full.
uint8_t Expand5(uint32_t v) {
    return uint8_t(v << 3 | v >> 2);
}
uint8_t Expand6(uint32_t v) {
    return uint8_t(v << 2 | v >> 4);
}
} // namespace

bool WritePngRgb565(const std::string& path, const uint16_t* pixels, int32_t width,
                    int32_t height) {
    if (width <= 0 || height <= 0) return false;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    bool ok = false;
    std::vector<uint8_t> row(size_t(width) * 3);
    if (png && info && setjmp(png_jmpbuf(png)) == 0) {
        png_init_io(png, file);
        png_set_IHDR(png, info, uint32_t(width), uint32_t(height), 8, PNG_COLOR_TYPE_RGB,
                     PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        png_write_info(png, info);
        for (int32_t y = 0; y < height; ++y) {
            const uint16_t* src = pixels + size_t(y) * width;
            for (int32_t x = 0; x < width; ++x) {
                row[x * 3 + 0] = Expand5(src[x] >> 11);
                row[x * 3 + 1] = Expand6((src[x] >> 5) & 63);
                row[x * 3 + 2] = Expand5(src[x] & 31);
            }
            png_write_row(png, row.data());
        }
        png_write_end(png, nullptr);
        ok = true;
    }
    png_destroy_write_struct(&png, &info);
    if (std::fclose(file) != 0) ok = false;
    if (!ok) std::remove(path.c_str());
    return ok;
}

} // namespace platform
