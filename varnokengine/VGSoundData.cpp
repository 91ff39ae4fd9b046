#include "varnokengine/VGSoundData.h"

#include "varnokengine/VGStream.h"

#include <algorithm>
#include <zlib.h>

namespace {

uint16_t U16At(const uint8_t* p) {
    return uint16_t(p[0] | p[1] << 8);
}
uint32_t U32At(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

} // namespace

bool operator==(const WaveFormat& a, const WaveFormat& b) {
    return a.formatTag == b.formatTag && a.channels == b.channels &&
           a.samplesPerSecond == b.samplesPerSecond &&
           a.averageBytesPerSecond == b.averageBytesPerSecond && a.blockAlign == b.blockAlign &&
           a.bitsPerSample == b.bitsPerSample && a.extraSize == b.extraSize;
}

void ReadSoundFile(SoundData& sound, const VGString& path) {
    VGFileReader reader(path + u"c", VGFileReader::WholeFile);
    VGMemoryReader* memory = reader.Memory();
    if (!memory) return;
    uint32_t decoded = 0, stored = 0;
    if (!ReadU32(reader, decoded) || !ReadU32(reader, stored)) return;
    // Too short to hold the header, or a size only damage can give: no sound at all.
    if (decoded < kWaveHeaderBytes || decoded > kMaxSoundBytes || stored > kMaxSoundBytes) return;
    // A stored length past the end of the file keeps what the file holds.
    stored = std::min(stored, memory->Size() - memory->Position());
    if (!InflatableFrom(decoded, stored)) return;

    // Zero-filled, so a stream that stops early leaves silence, never stale memory.
    auto image = std::make_unique<uint8_t[]>(decoded);
    uLongf produced = decoded;
    if (uncompress(image.get(), &produced, memory->Bytes() + memory->Position(), stored) == Z_OK) {
        if (produced < kWaveHeaderBytes) return;
        decoded = uint32_t(produced);
    }

    sound.length = decoded;
    sound.buffer = std::move(image);
    const uint8_t* h = sound.buffer.get();
    sound.format = WaveFormat{};
    sound.format.formatTag = U16At(h + 20);
    sound.format.channels = U16At(h + 22);
    sound.format.samplesPerSecond = U32At(h + 24);
    sound.format.averageBytesPerSecond = U32At(h + 28);
    sound.format.blockAlign = U16At(h + 32);
    sound.format.bitsPerSample = U16At(h + 34);
}
