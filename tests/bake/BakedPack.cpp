#include "tests/bake/BakedPack.h"

#include <fstream>
#include <iterator>
#include <zlib.h>

namespace {
uint32_t U32(const std::vector<uint8_t>& b, size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | uint32_t(b[at + 3]) << 24;
}
int16_t I16(const std::vector<uint8_t>& b, size_t at) {
    return int16_t(b[at] | b[at + 1] << 8);
}
} // namespace

std::vector<uint16_t> BakedImage::Logical() const {
    std::vector<uint16_t> out(size_t(FullWidth()) * FullHeight(), 0xF81F);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            out[size_t(y + trimTop) * FullWidth() + x + trimLeft] = pixels[size_t(y) * width + x];
    return out;
}

std::vector<BakedImage> ReadBakedPack(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<uint8_t> b((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (b.size() < 4) return {};
    uint32_t count = U32(b, 0);
    std::vector<BakedImage> images;
    size_t at = 4;
    for (uint32_t i = 0; i < count; ++i) {
        if (at + 24 > b.size()) return {};
        BakedImage image;
        image.width = I16(b, at);
        image.height = I16(b, at + 2);
        image.trimLeft = I16(b, at + 4);
        image.trimRight = I16(b, at + 6);
        image.trimTop = I16(b, at + 8);
        image.trimBottom = I16(b, at + 10);
        image.id = U32(b, at + 12);
        image.flags = U32(b, at + 16);
        uint32_t packed = U32(b, at + 20);
        at += 24;
        if (image.width < 0 || image.height < 0 || packed > b.size() - at) return {};
        image.pixels.resize(size_t(image.width) * image.height);
        uLongf size = image.pixels.size() * 2;
        std::vector<uint8_t> raw(size + 1);
        if (uncompress(raw.data(), &size, b.data() + at, packed) != Z_OK ||
            size != image.pixels.size() * 2)
            return {};
        for (size_t p = 0; p < image.pixels.size(); ++p)
            image.pixels[p] = uint16_t(raw[2 * p] | raw[2 * p + 1] << 8);
        at += packed;
        images.push_back(std::move(image));
    }
    return at == b.size() ? images : std::vector<BakedImage>();
}

const BakedImage* BakedFont::Find(uint32_t code) const {
    code &= 0xFF;
    if (code == 255) return nullptr;
    auto found = glyphs.find(code);
    if (found == glyphs.end() && code >= 'a' && code <= 'z') found = glyphs.find(code - 32);
    if (found == glyphs.end() && code >= 'A' && code <= 'Z') found = glyphs.find(code + 32);
    return found == glyphs.end() ? nullptr : &found->second;
}

int BakedFont::CharWidth(uint32_t code) const {
    if ((code & 0xFF) == 32) return spaceWidth;
    const BakedImage* glyph = Find(code);
    if (!glyph) return 0;
    int width = halved ? glyph->FullWidth() / 2 : glyph->FullWidth();
    return width + spacing;
}

int BakedFont::TextWidth(const std::u16string& line) const {
    int width = 0;
    for (char16_t c : line) width += CharWidth(c);
    return width;
}

BakedFont LoadBakedFont(const std::filesystem::path& pack, uint32_t idBase, int spacing,
                        int spaceWidth, bool halved) {
    BakedFont font;
    font.spacing = spacing;
    font.spaceWidth = spaceWidth;
    font.halved = halved;
    for (BakedImage& image : ReadBakedPack(pack))
        if (image.id >= idBase && image.id < idBase + 255) font.glyphs[image.id - idBase] = image;
    return font;
}
