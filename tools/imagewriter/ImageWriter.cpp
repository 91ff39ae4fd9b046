#include "tools/imagewriter/ImageWriter.h"

#include "platform/Files.h"
#include "platform/Text.h"
#include "varnokengine/VGBitmap.h"

#include <algorithm>
#include <zlib.h>

namespace imagewriter {
namespace {

struct Margins {
    int32_t left = 0, right = 0, top = 0, bottom = 0;
};

bool IsKey(const Picture& p, int32_t x, int32_t y) {
    return p.pixels[size_t(y) * size_t(p.width) + size_t(x)] == kColourKey;
}

// Key rows and columns at the edges; none for a picture with no other pixel.
Margins FindMargins(const Picture& p) {
    Margins m;
    auto rowKey = [&](int32_t y) {
        for (int32_t x = 0; x < p.width; ++x)
            if (!IsKey(p, x, y)) return false;
        return true;
    };
    auto columnKey = [&](int32_t x) {
        for (int32_t y = 0; y < p.height; ++y)
            if (!IsKey(p, x, y)) return false;
        return true;
    };
    int32_t top = 0;
    while (top < p.height && rowKey(top)) ++top;
    if (top == p.height) return m;
    int32_t bottom = p.height - 1, left = 0, right = p.width - 1;
    while (rowKey(bottom)) --bottom;
    while (columnKey(left)) ++left;
    while (columnKey(right)) --right;
    m.top = top;
    m.bottom = p.height - 1 - bottom;
    m.left = left;
    m.right = p.width - 1 - right;
    return m;
}

void Put16(std::vector<uint8_t>& out, int32_t v) {
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(uint32_t(v) >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(uint8_t(v >> (8 * i)));
}

bool Valid(const Picture& p) {
    return p.width >= 0 && p.height >= 0 && p.width <= kMaxImageSide && p.height <= kMaxImageSide &&
           p.pixels.size() == size_t(p.width) * size_t(p.height);
}

} // namespace

bool AppendRecord(const Picture& picture, Trim trim, std::vector<uint8_t>& out) {
    if (!Valid(picture)) return false;
    Margins m = trim == Trim::KeyMargins ? FindMargins(picture) : Margins{};
    int32_t w = picture.width - m.left - m.right;
    int32_t h = picture.height - m.top - m.bottom;

    std::vector<uint8_t> raw;
    raw.reserve(size_t(w) * size_t(h) * 2);
    bool keyed = false;
    for (int32_t y = 0; y < h; ++y) {
        for (int32_t x = 0; x < w; ++x) {
            uint16_t p =
                picture.pixels[size_t(y + m.top) * size_t(picture.width) + size_t(x + m.left)];
            keyed = keyed || p == kColourKey;
            raw.push_back(uint8_t(p));
            raw.push_back(uint8_t(p >> 8));
        }
    }
    uLongf packedSize = compressBound(uLong(raw.size()));
    std::vector<uint8_t> packed(packedSize);
    if (compress2(packed.data(), &packedSize, raw.data(), uLong(raw.size()), 9) != Z_OK)
        return false;

    uint32_t flags = keyed ? FlagKeyed : 0;
    if (m.left || m.right || m.top || m.bottom) flags |= FlagTrimmed;
    if (m.left) flags |= FlagTrimLeft;
    if (m.top) flags |= FlagTrimTop;
    if (m.right) flags |= FlagTrimRight;
    if (m.bottom) flags |= FlagTrimBottom;

    Put16(out, w);
    Put16(out, h);
    Put16(out, m.left);
    Put16(out, m.right);
    Put16(out, m.top);
    Put16(out, m.bottom);
    Put32(out, picture.id);
    Put32(out, flags);
    Put32(out, uint32_t(packedSize));
    out.insert(out.end(), packed.begin(), packed.begin() + ptrdiff_t(packedSize));
    return true;
}

bool EncodePack(const std::vector<Picture>& pictures, Trim trim, std::vector<uint8_t>& out) {
    std::vector<uint8_t> bytes;
    Put32(bytes, uint32_t(pictures.size()));
    for (const Picture& p : pictures)
        if (!AppendRecord(p, trim, bytes)) return false;
    out = std::move(bytes);
    return true;
}

bool EncodeSingle(const Picture& picture, Trim trim, std::vector<uint8_t>& out) {
    std::vector<uint8_t> bytes;
    if (!AppendRecord(picture, trim, bytes)) return false;
    out = std::move(bytes);
    return true;
}

bool WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    platform::AtomicOutputFile file(platform::FromUtf8(path));
    if (!file.IsOpen()) return false;
    const uint8_t* p = bytes.data();
    size_t left = bytes.size();
    while (left > 0) {
        uint32_t chunk = uint32_t(std::min<size_t>(left, 1u << 30));
        if (!file.Write(p, chunk)) return false;
        p += chunk;
        left -= chunk;
    }
    return file.Commit();
}

bool WritePack(const std::string& path, const std::vector<Picture>& pictures, Trim trim) {
    std::vector<uint8_t> bytes;
    return EncodePack(pictures, trim, bytes) && WriteBytes(path, bytes);
}

bool WriteSingle(const std::string& path, const Picture& picture, Trim trim) {
    std::vector<uint8_t> bytes;
    return EncodeSingle(picture, trim, bytes) && WriteBytes(path, bytes);
}

} // namespace imagewriter
