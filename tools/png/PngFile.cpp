#include "tools/png/PngFile.h"

#include "platform/Files.h"
#include "platform/Text.h"

#include <algorithm>
#include <png.h>

namespace png {
namespace {

void AppendToVector(png_structp p, png_bytep data, png_size_t length) {
    auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(p));
    out->insert(out->end(), data, data + length);
}
void NoFlush(png_structp) {}

struct ReadCursor {
    const std::vector<uint8_t>* bytes;
    size_t position;
};
void ReadFromVector(png_structp p, png_bytep data, png_size_t length) {
    auto* c = static_cast<ReadCursor*>(png_get_io_ptr(p));
    if (length > c->bytes->size() - c->position) png_error(p, "truncated");
    std::copy_n(c->bytes->data() + c->position, length, data);
    c->position += length;
}

uint8_t Widen5(uint32_t v) {
    return uint8_t(v << 3 | v >> 2);
}
uint8_t Widen6(uint32_t v) {
    return uint8_t(v << 2 | v >> 4);
}

} // namespace

bool WritePng(const std::string& path, int32_t width, int32_t height, const uint16_t* rgb565) {
    if (width <= 0 || height <= 0 || width > 65535 || height > 65535 || !rgb565) return false;
    std::vector<uint8_t> encoded;
    std::vector<uint8_t> row(size_t(width) * 3);
    png_structp p = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!p) return false;
    png_infop info = png_create_info_struct(p);
    if (!info || setjmp(png_jmpbuf(p))) {
        png_destroy_write_struct(&p, &info);
        return false;
    }
    png_set_write_fn(p, &encoded, AppendToVector, NoFlush);
    png_set_IHDR(p, info, uint32_t(width), uint32_t(height), 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(p, info);
    for (int32_t y = 0; y < height; ++y) {
        const uint16_t* src = rgb565 + size_t(y) * size_t(width);
        for (int32_t x = 0; x < width; ++x) {
            uint32_t v = src[x];
            row[size_t(x) * 3 + 0] = Widen5(v >> 11);
            row[size_t(x) * 3 + 1] = Widen6((v >> 5) & 63);
            row[size_t(x) * 3 + 2] = Widen5(v & 31);
        }
        png_write_row(p, row.data());
    }
    png_write_end(p, info);
    png_destroy_write_struct(&p, &info);

    platform::AtomicOutputFile file(platform::FromUtf8(path));
    return file.IsOpen() && file.Write(encoded.data(), uint32_t(encoded.size())) && file.Commit();
}

bool ReadPng(const std::string& path, int32_t& width, int32_t& height,
             std::vector<uint16_t>& rgb565) {
    platform::InputFile file(platform::FromUtf8(path));
    uint64_t size = 0;
    if (!file.IsOpen() || !file.Size(size) || size > platform::kMaxWholeFileSize) return false;
    std::vector<uint8_t> bytes(static_cast<size_t>(size));
    if (size && file.Read(bytes.data(), uint32_t(size)) != int64_t(size)) return false;
    if (bytes.size() < 8 || png_sig_cmp(bytes.data(), 0, 8) != 0) return false;

    ReadCursor cursor{&bytes, 0};
    png_structp p = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!p) return false;
    png_infop info = png_create_info_struct(p);
    // Declared before setjmp: a libpng error jumps back over nothing that needs destroying.
    std::vector<uint8_t> row;
    std::vector<uint16_t> pixels;
    if (!info || setjmp(png_jmpbuf(p))) {
        png_destroy_read_struct(&p, &info, nullptr);
        return false;
    }
    png_set_read_fn(p, &cursor, ReadFromVector);
    png_read_info(p, info);
    png_set_expand(p);
    png_set_strip_16(p);
    png_set_strip_alpha(p);
    png_set_gray_to_rgb(p);
    png_read_update_info(p, info);
    uint32_t w = png_get_image_width(p, info), h = png_get_image_height(p, info);
    if (w == 0 || h == 0 || w > 16384 || h > 16384 || png_get_channels(p, info) != 3) {
        png_destroy_read_struct(&p, &info, nullptr);
        return false;
    }
    row.resize(size_t(w) * 3);
    pixels.resize(size_t(w) * size_t(h));
    for (uint32_t y = 0; y < h; ++y) {
        png_read_row(p, row.data(), nullptr);
        for (uint32_t x = 0; x < w; ++x) {
            const uint8_t* c = &row[size_t(x) * 3];
            pixels[size_t(y) * w + x] = uint16_t((c[0] >> 3) << 11 | (c[1] >> 2) << 5 | c[2] >> 3);
        }
    }
    png_destroy_read_struct(&p, &info, nullptr);
    width = int32_t(w);
    height = int32_t(h);
    rgb565 = std::move(pixels);
    return true;
}

} // namespace png
