#pragma once
// Sound editing for the baker: every sound is 44.1 kHz mono, held as floats from -1 to 1
// while it is shaped, and written as 16-bit PCM.
#include <cstdint>
#include <vector>

constexpr uint32_t kSampleRate = 44100;

using Samples = std::vector<float>;

constexpr uint32_t MsToSamples(float ms) {
    return static_cast<uint32_t>(ms * kSampleRate / 1000.0f);
}

// Mono samples of a 44.1 kHz PCM WAV file image (16-bit; stereo is mixed down). False for
// anything else.
bool DecodeWav(const std::vector<uint8_t>& wav, Samples& out);
// 16-bit little-endian PCM, rounded and clipped.
std::vector<uint8_t> EncodePcm16(const Samples& samples);

float Peak(const Samples& samples, uint32_t begin = 0, uint32_t end = UINT32_MAX);
float Rms(const Samples& samples, uint32_t begin = 0, uint32_t end = UINT32_MAX);
float DbToGain(float db);
float GainToDb(float gain);

struct TrimSettings {
    float headThresholdDb = -50.0f; // the sound starts at its first sample this loud (dBFS)
    float tailThresholdDb =
        -54.0f;                // and ends after its last sample this loud, relative to the peak
    float longestMs = 3000.0f; // cut here at the latest
    float fadeMs = 20.0f;      // faded out over this length before the end
};

// Drops the silence before the attack (keeping 1 ms before it) and the quiet tail, cuts at
// the longest length, then fades out over the last fadeMs so no cut clicks.
Samples Trim(const Samples& samples, const TrimSettings& settings);

// Fades the last ms to silence along a raised cosine reaching 0 on the last sample.
void FadeOut(Samples& samples, float ms);

// Scales the sound so the RMS of its first windowMs (the body of the stroke, which is what
// the ear compares) reaches targetDb, but never lets its peak pass peakLimitDb.
Samples Level(const Samples& samples, float targetDb, float peakLimitDb, float windowMs);
