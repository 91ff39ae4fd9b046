#include "tools/imgdump/ImageFileLayout.h"

namespace {

constexpr size_t kHeaderBytes = 24;

uint32_t U32At(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

// Walks count records from offset; true when they end exactly at size.
bool RecordsFit(const uint8_t* bytes, size_t size, size_t offset, uint64_t count) {
    for (uint64_t i = 0; i < count; ++i) {
        if (size - offset < kHeaderBytes) return false;
        uint64_t packed = U32At(bytes + offset + 20);
        if (packed > size - offset - kHeaderBytes) return false;
        offset += kHeaderBytes + size_t(packed);
    }
    return offset == size;
}

} // namespace

ImageFileLayout DetectLayout(const uint8_t* bytes, size_t size, uint32_t& records) {
    records = 0;
    if (size >= 4) {
        uint32_t count = U32At(bytes);
        if (uint64_t(count) * kHeaderBytes <= size - 4 && RecordsFit(bytes, size, 4, count)) {
            records = count;
            return ImageFileLayout::Pack;
        }
    }
    if (RecordsFit(bytes, size, 0, 1)) {
        records = 1;
        return ImageFileLayout::Single;
    }
    return ImageFileLayout::Unknown;
}
