#pragma once
// Writes the program's compressed sound files. A sound file ("name.wavc" beside the effects
// or music folder) holds, little-endian:
//     u32 decoded length   size in bytes of the WAV image below
//     u32 stored length    size in bytes of the zlib stream that follows
//     zlib stream          the WAV image, compressed
// The WAV image must have the canonical 44-byte header: the player reads the format at fixed
// offsets (20 tag, 22 channels, 24 rate, 28 bytes per second, 32 block alignment, 34 bits)
// and plays everything from offset 44 on as sample data. Playable formats: PCM, mono or
// stereo, 8-bit unsigned or 16-bit signed, any rate from 1 kHz to 192 kHz.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace soundfile {

// A canonical WAV image of PCM sample data (frames interleaved, as they are to be played).
std::vector<uint8_t> MakeWavImage(uint16_t channels, uint32_t samplesPerSecond,
                                  uint16_t bitsPerSample, const uint8_t* samples, size_t size);

// Rewrites a PCM RIFF/WAVE image whose chunks may come in any order, with extra chunks,
// into the canonical layout. False (out untouched) when it is not a PCM WAV image or a
// chunk runs past the end.
bool CanonicalWavImage(const uint8_t* wav, size_t size, std::vector<uint8_t>& out);

// The sound file holding an image, byte for byte (no check of the image: tests use this to
// make damaged files too). Empty on failure (an image over 4 GiB, or zlib failing).
std::vector<uint8_t> EncodeSoundFile(const uint8_t* image, size_t size);

} // namespace soundfile
