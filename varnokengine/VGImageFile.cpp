// Reading image records: a 24-byte little-endian header, then a zlib block that inflates to
// the stored pixels. Records come alone (single-image files) or counted (packs).
#include "varnokengine/VGBitmap.h"
#include "varnokengine/VGError.h"
#include "varnokengine/VGFormat.h"
#include "varnokengine/VGStream.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <memory>
#include <new>
#include <zlib.h>

static_assert(std::endian::native == std::endian::little,
              "pixel blocks are inflated straight into the buffer as little-endian RGB565");

namespace {

const char16_t* const kSource = u"..\\..\\varnokengine\\VGBitmap";

// Slack allowed above zlib's own bound for a block: generous for any encoder, yet it keeps a
// damaged length from asking for gigabytes.
constexpr uLong kPackedSlack = 64 * 1024;

void ReportLoadFailure(VGReader& stream, uint32_t id) {
    VGString path;
    if (auto* file = dynamic_cast<VGFileReader*>(&stream)) path = file->Path();
    VGString text;
    Format(text, u"Failed to load image from file: %s\r\nid: %d", path, int32_t(id));
    ReportError(text.Data(), 395, kSource);
}

// Bytes left in the stream when it knows them (memory and whole-file readers).
bool Remaining(VGReader& stream, uint64_t& left) {
    VGMemoryReader* memory = dynamic_cast<VGMemoryReader*>(&stream);
    if (!memory) {
        if (auto* file = dynamic_cast<VGFileReader*>(&stream)) memory = file->Memory();
    }
    if (!memory) return false;
    left = memory->Size() - memory->Position();
    return true;
}

template <typename T> bool ReadField(VGReader& stream, T& field) {
    field = 0;
    uint8_t b[sizeof(T)];
    if (!stream.Read(b, sizeof(T))) return false;
    std::make_unsigned_t<T> v = 0;
    for (size_t i = 0; i < sizeof(T); ++i) v |= std::make_unsigned_t<T>(b[i]) << (8 * i);
    field = T(v);
    return true;
}

bool SaneSize(const VGBitmap& b) {
    if (b.width < 0 || b.height < 0 || b.trimLeft < 0 || b.trimRight < 0 || b.trimTop < 0 ||
        b.trimBottom < 0)
        return false;
    int32_t fullW = int32_t(b.width) + b.trimLeft + b.trimRight;
    int32_t fullH = int32_t(b.height) + b.trimTop + b.trimBottom;
    return fullW <= kMaxImageSide && fullH <= kMaxImageSide;
}

} // namespace

bool VGBitmap::LoadFromStream(VGReader& stream) {
    FreePixels();
    bool ok = ReadField(stream, width) && ReadField(stream, height) &&
              ReadField(stream, trimLeft) && ReadField(stream, trimRight) &&
              ReadField(stream, trimTop) && ReadField(stream, trimBottom) &&
              ReadField(stream, id) && ReadField(stream, flags);
    // A damaged size is refused before anything is allocated for it.
    if (ok && !SaneSize(*this)) {
        width = height = trimLeft = trimRight = trimTop = trimBottom = 0;
        ok = false;
    }
    UpdateDerived();
    if (!ok) {
        ReportLoadFailure(stream, id);
        return false;
    }

    size_t pixelCount = size_t(width) * size_t(height);
    uint32_t packed = 0;
    uint64_t left = 0;
    // The block's length is checked before anything is allocated: pixels no block of that
    // length could inflate to are damage.
    ok = ReadField(stream, packed) &&
         packed <= compressBound(uLong(pixelCount * 2)) + kPackedSlack &&
         (!Remaining(stream, left) || packed <= left) && InflatableFrom(pixelCount * 2, packed);
    // Zeroed, so a block that inflates short leaves black rather than stale memory.
    if (ok) pixels = new (std::nothrow) uint16_t[pixelCount + 1]();
    ok = ok && pixels;
    std::unique_ptr<uint8_t[]> block;
    if (ok) {
        block.reset(new (std::nothrow) uint8_t[packed + 1]);
        ok = block && stream.Read(block.get(), packed);
    }
    if (!ok) {
        ReportLoadFailure(stream, id);
        return false;
    }
    uLongf inflated = uLongf(pixelCount * 2);
    if (uncompress(reinterpret_cast<Bytef*>(pixels), &inflated, block.get(), packed) != Z_OK) {
        // A damaged block keeps what inflated; the rest of the image is black.
        size_t good = std::min<size_t>(inflated, pixelCount * 2) / 2;
        std::memset(pixels + good, 0, (pixelCount - good) * 2);
    }
    block.reset();
    if (HalveImagesOnLoad()) Halve();
    return true;
}

bool VGBitmap::LoadFile(uint32_t number, const char16_t* name) {
    VGString relative;
    if (name)
        Format(relative, u"Imgs\\%s.img", name);
    else
        Format(relative, u"Imgs\\%d", number);
    VGFileReader reader(DataPath(relative.Data()), VGFileReader::WholeFile);
    return LoadFromStream(reader);
}
