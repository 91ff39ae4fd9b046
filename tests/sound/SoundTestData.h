#pragma once
// Small sounds for the output tests: mono 16-bit formats and constant-valued buffers.
#include "platform/audio/AudioOutput.h"

#include <cstdint>
#include <vector>

inline platform::AudioFormat Mono16(uint32_t rate) {
    platform::AudioFormat f;
    f.samplesPerSecond = rate;
    f.averageBytesPerSecond = rate * 2;
    return f;
}

// frames samples of one value, 16-bit little-endian.
inline std::vector<uint8_t> Samples(uint32_t frames, int16_t value) {
    std::vector<uint8_t> bytes;
    for (uint32_t i = 0; i < frames; ++i) {
        bytes.push_back(uint8_t(value & 0xFF));
        bytes.push_back(uint8_t(uint16_t(value) >> 8));
    }
    return bytes;
}
