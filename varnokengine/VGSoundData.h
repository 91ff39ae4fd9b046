#pragma once
// One decoded sound: the whole WAV image of a compressed sound file, kept in memory for the
// run, and its format. The file holds a u32 decoded length, a u32 stored length and a zlib
// stream of that many bytes that inflates to a WAV image with the canonical 44-byte header;
// the format is taken from that header at fixed offsets and the samples start at byte 44.
#include "varnokengine/VGString.h"

#include <cstdint>
#include <memory>

// The handheld's 18-byte wave format record, field for field.
struct WaveFormat {
    uint16_t formatTag = 0;
    uint16_t channels = 0;
    uint32_t samplesPerSecond = 0;
    uint32_t averageBytesPerSecond = 0;
    uint16_t blockAlign = 0;
    uint16_t bitsPerSample = 0;
    uint16_t extraSize = 0;
};
bool operator==(const WaveFormat& a, const WaveFormat& b);

constexpr uint32_t kWaveHeaderBytes = 44;
// No sound of the program comes near this; a larger length in a file can only be damage.
constexpr uint32_t kMaxSoundBytes = 64u * 1024u * 1024u;

struct SoundData {
    uint32_t length = 0; // bytes of the decoded image in buffer
    WaveFormat format;
    std::unique_ptr<uint8_t[]> buffer; // the decoded image; none until a file was read
};

// Reads path + "c". Afterwards the SoundData has a buffer or not, which is the only sign of
// success. A missing file, a length under 44 bytes or over the cap, or an image that
// inflates to under 44 bytes leave it without one. A damaged stream that inflates only in
// part keeps the declared length, zero-filled past what was produced.
void ReadSoundFile(SoundData& sound, const VGString& path);

// The sample data after the header, and its length.
inline const uint8_t* SampleBytes(const SoundData& sound) {
    return sound.buffer ? sound.buffer.get() + kWaveHeaderBytes : nullptr;
}
inline uint32_t SampleLength(const SoundData& sound) {
    return sound.buffer && sound.length > kWaveHeaderBytes ? sound.length - kWaveHeaderBytes : 0;
}
