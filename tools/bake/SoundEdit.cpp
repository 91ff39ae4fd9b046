#include "tools/bake/SoundEdit.h"

#include <algorithm>
#include <cmath>
#include <string_view>

namespace {
uint16_t U16(const std::vector<uint8_t>& b, size_t at) {
    return uint16_t(b[at] | b[at + 1] << 8);
}
uint32_t U32(const std::vector<uint8_t>& b, size_t at) {
    return U16(b, at) | uint32_t(U16(b, at + 2)) << 16;
}
} // namespace

bool DecodeWav(const std::vector<uint8_t>& wav, Samples& out) {
    out.clear();
    if (wav.size() < 12 || std::string_view(reinterpret_cast<const char*>(wav.data()), 4) != "RIFF")
        return false;
    uint16_t channels = 0, bits = 0, tag = 0;
    uint32_t rate = 0;
    // Chunks may come in any order; fmt must precede data.
    for (size_t at = 12; at + 8 <= wav.size();) {
        std::string_view id(reinterpret_cast<const char*>(wav.data() + at), 4);
        uint32_t size = U32(wav, at + 4);
        size_t body = at + 8;
        if (size > wav.size() - body) return false;
        if (id == "fmt " && size >= 16) {
            tag = U16(wav, body);
            channels = U16(wav, body + 2);
            rate = U32(wav, body + 4);
            bits = U16(wav, body + 14);
        } else if (id == "data") {
            if (tag != 1 || bits != 16 || rate != kSampleRate || channels < 1 || channels > 2)
                return false;
            size_t frames = size / (2u * channels);
            out.resize(frames);
            for (size_t f = 0; f < frames; ++f) {
                float sum = 0;
                for (size_t c = 0; c < channels; ++c)
                    sum += static_cast<int16_t>(U16(wav, body + (f * channels + c) * 2)) / 32768.0f;
                out[f] = sum / channels;
            }
            return true;
        }
        at = body + size + (size & 1);
    }
    return false;
}

std::vector<uint8_t> EncodePcm16(const Samples& samples) {
    std::vector<uint8_t> pcm;
    pcm.reserve(samples.size() * 2);
    for (float s : samples) {
        long v = std::lround(s * 32767.0f);
        v = std::clamp(v, -32768L, 32767L);
        pcm.push_back(static_cast<uint8_t>(v & 0xFF));
        pcm.push_back(static_cast<uint8_t>((v >> 8) & 0xFF));
    }
    return pcm;
}

float Peak(const Samples& samples, uint32_t begin, uint32_t end) {
    end = std::min<uint32_t>(end, static_cast<uint32_t>(samples.size()));
    float peak = 0;
    for (uint32_t i = begin; i < end; ++i) peak = std::max(peak, std::fabs(samples[i]));
    return peak;
}

float Rms(const Samples& samples, uint32_t begin, uint32_t end) {
    end = std::min<uint32_t>(end, static_cast<uint32_t>(samples.size()));
    if (begin >= end) return 0;
    double sum = 0;
    for (uint32_t i = begin; i < end; ++i) sum += double(samples[i]) * samples[i];
    return static_cast<float>(std::sqrt(sum / (end - begin)));
}

float DbToGain(float db) {
    return std::pow(10.0f, db / 20.0f);
}
float GainToDb(float gain) {
    return gain > 0 ? 20.0f * std::log10(gain) : -200.0f;
}

Samples Trim(const Samples& samples, const TrimSettings& settings) {
    float peak = Peak(samples);
    if (peak <= 0) return {};
    float head = DbToGain(settings.headThresholdDb);
    float tail = peak * DbToGain(settings.tailThresholdDb);
    size_t first = 0;
    while (first < samples.size() && std::fabs(samples[first]) < head) ++first;
    if (first == samples.size()) return {};
    first -= std::min<size_t>(first, MsToSamples(1));
    size_t last = samples.size();
    while (last > first && std::fabs(samples[last - 1]) < tail) --last;

    size_t length = std::min<size_t>(last - first, MsToSamples(settings.longestMs));
    Samples out(samples.begin() + first, samples.begin() + first + length);
    FadeOut(out, settings.fadeMs);
    return out;
}

void FadeOut(Samples& samples, float ms) {
    size_t fade = std::min<size_t>(MsToSamples(ms), samples.size());
    for (size_t i = 0; i < fade; ++i) {
        float t = static_cast<float>(i + 1) / static_cast<float>(fade);
        samples[samples.size() - fade + i] *= 0.5f + 0.5f * std::cos(t * 3.14159265f);
    }
}

Samples Level(const Samples& samples, float targetDb, float peakLimitDb, float windowMs) {
    float rms = Rms(samples, 0, MsToSamples(windowMs));
    float peak = Peak(samples);
    if (rms <= 0 || peak <= 0) return samples;
    float gain = std::min(DbToGain(targetDb) / rms, DbToGain(peakLimitDb) / peak);
    Samples out(samples);
    for (float& s : out) s *= gain;
    return out;
}
