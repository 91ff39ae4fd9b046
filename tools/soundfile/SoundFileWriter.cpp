#include "tools/soundfile/SoundFileWriter.h"

#include <cstring>
#include <zlib.h>

namespace soundfile {

namespace {

void PutU16(uint8_t* p, uint16_t v) {
    p[0] = uint8_t(v);
    p[1] = uint8_t(v >> 8);
}
void PutU32(uint8_t* p, uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = uint8_t(v >> (8 * i));
}
uint16_t GetU16(const uint8_t* p) {
    return uint16_t(p[0] | p[1] << 8);
}
uint32_t GetU32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

} // namespace

std::vector<uint8_t> MakeWavImage(uint16_t channels, uint32_t samplesPerSecond,
                                  uint16_t bitsPerSample, const uint8_t* samples, size_t size) {
    std::vector<uint8_t> image(44 + size);
    uint8_t* h = image.data();
    uint16_t blockAlign = uint16_t(channels * bitsPerSample / 8);
    std::memcpy(h, "RIFF", 4);
    PutU32(h + 4, uint32_t(36 + size));
    std::memcpy(h + 8, "WAVEfmt ", 8);
    PutU32(h + 16, 16);
    PutU16(h + 20, 1);
    PutU16(h + 22, channels);
    PutU32(h + 24, samplesPerSecond);
    PutU32(h + 28, samplesPerSecond * blockAlign);
    PutU16(h + 32, blockAlign);
    PutU16(h + 34, bitsPerSample);
    std::memcpy(h + 36, "data", 4);
    PutU32(h + 40, uint32_t(size));
    if (size) std::memcpy(h + 44, samples, size);
    return image;
}

bool CanonicalWavImage(const uint8_t* wav, size_t size, std::vector<uint8_t>& out) {
    if (size < 12 || std::memcmp(wav, "RIFF", 4) != 0 || std::memcmp(wav + 8, "WAVE", 4) != 0)
        return false;
    const uint8_t* fmt = nullptr;
    const uint8_t* data = nullptr;
    size_t dataSize = 0;
    for (size_t at = 12; at + 8 <= size;) {
        uint32_t chunk = GetU32(wav + at + 4);
        if (chunk > size - at - 8) return false;
        if (std::memcmp(wav + at, "fmt ", 4) == 0 && chunk >= 16) fmt = wav + at + 8;
        if (std::memcmp(wav + at, "data", 4) == 0) {
            data = wav + at + 8;
            dataSize = chunk;
        }
        at += 8 + chunk + (chunk & 1); // chunks are padded to even sizes
    }
    if (!fmt || !data || GetU16(fmt) != 1) return false;
    out = MakeWavImage(GetU16(fmt + 2), GetU32(fmt + 4), GetU16(fmt + 14), data, dataSize);
    return true;
}

std::vector<uint8_t> EncodeSoundFile(const uint8_t* image, size_t size) {
    if (size > 0xFFFFFFFFu) return {};
    uLongf stored = compressBound(uLong(size));
    std::vector<uint8_t> file(8 + stored);
    if (compress2(file.data() + 8, &stored, image, uLong(size), Z_BEST_COMPRESSION) != Z_OK)
        return {};
    file.resize(8 + stored);
    PutU32(file.data(), uint32_t(size));
    PutU32(file.data() + 4, uint32_t(stored));
    return file;
}

} // namespace soundfile
