#pragma once
// Compressed sound files for tests, written into a temporary program folder.
#include "tests/support/TempFolder.h"
#include "tools/soundfile/SoundFileWriter.h"

#include <string>
#include <vector>

// A tone of frames sample frames (16-bit samples at the given value, or 8-bit at 192).
inline std::vector<uint8_t> ToneImage(uint16_t channels, uint32_t rate, uint16_t bits,
                                      uint32_t frames, int16_t value = 8000) {
    std::vector<uint8_t> samples;
    for (uint32_t i = 0; i < frames * channels; ++i) {
        if (bits == 8) {
            samples.push_back(192);
        } else {
            samples.push_back(uint8_t(value & 0xFF));
            samples.push_back(uint8_t(uint16_t(value) >> 8));
        }
    }
    return soundfile::MakeWavImage(channels, rate, bits, samples.data(), samples.size());
}

inline std::string AsString(const std::vector<uint8_t>& bytes) {
    return std::string(bytes.begin(), bytes.end());
}

// Writes folder\name.wavc ("soundfx" or "music") holding the image.
inline void WriteSoundFile(const TempFolder& temp, const std::string& folder,
                           const std::string& name, const std::vector<uint8_t>& image) {
    temp.WriteFile(folder + "/" + name + ".wavc",
                   AsString(soundfile::EncodeSoundFile(image.data(), image.size())));
}
