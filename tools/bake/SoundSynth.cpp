#include "tools/bake/SoundSynth.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr float kTwoPi = 6.28318531f;

float Time(uint32_t i) {
    return static_cast<float>(i) / kSampleRate;
}

// A decaying sine partial added into out from sample `at` on, with a 1 ms attack so it
// never starts with a jump.
void AddPartial(Samples& out, uint32_t at, float hz, float amplitude, float decayMs) {
    for (uint32_t i = at; i < out.size(); ++i) {
        float t = Time(i - at);
        float attack = std::min(1.0f, t * 1000.0f);
        out[i] += attack * amplitude * std::exp(-t * 1000.0f / decayMs) * std::sin(kTwoPi * hz * t);
    }
}

Samples Tick(float hz, float amplitude, float lengthMs) {
    Samples out(MsToSamples(lengthMs), 0.0f);
    AddPartial(out, 0, hz, amplitude, 12.0f);
    AddPartial(out, 0, hz * 2.76f, amplitude * 0.35f, 5.0f); // a woody, inharmonic edge
    return out;
}
} // namespace

Samples MetronomeTick() {
    return Tick(1600.0f, 0.45f, 60.0f);
}

Samples MetronomeAccent() {
    return Tick(2400.0f, 0.7f, 80.0f);
}

Samples UiClick() {
    Samples out(MsToSamples(12), 0.0f);
    AddPartial(out, 0, 3800.0f, 0.35f, 2.0f);
    return out;
}

Samples WrongBuzz() {
    // Two detuned square waves beat against each other; a one-pole filter takes the edge off.
    Samples out(MsToSamples(320), 0.0f);
    float smoothed = 0;
    for (uint32_t i = 0; i < out.size(); ++i) {
        float t = Time(i);
        float a = std::fmod(t * 98.0f, 1.0f) < 0.5f ? 1.0f : -1.0f;
        float b = std::fmod(t * 104.0f, 1.0f) < 0.5f ? 1.0f : -1.0f;
        smoothed += 0.25f * ((a + b) * 0.5f - smoothed);
        float envelope = std::min(1.0f, t / 0.008f) * std::min(1.0f, (0.32f - t) / 0.04f);
        out[i] = 0.35f * smoothed * envelope;
    }
    return out;
}

Samples LogoJingle() {
    // C major arpeggio upwards, then the chord rings together and fades before 2 s.
    Samples out(MsToSamples(2000), 0.0f);
    const float notes[] = {523.25f, 659.26f, 783.99f, 1046.5f};
    for (int n = 0; n < 4; ++n) {
        uint32_t at = MsToSamples(130.0f * n);
        AddPartial(out, at, notes[n], 0.22f, 700.0f);
        AddPartial(out, at, notes[n] * 2.0f, 0.07f, 250.0f);
        AddPartial(out, at, notes[n] * 3.01f, 0.03f, 90.0f);
    }
    uint32_t chord = MsToSamples(600);
    for (float hz : {261.63f, 523.25f, 659.26f, 783.99f}) AddPartial(out, chord, hz, 0.12f, 500.0f);
    uint32_t fade = MsToSamples(300);
    for (uint32_t i = 0; i < fade; ++i)
        out[out.size() - fade + i] *= 1.0f - static_cast<float>(i + 1) / fade;
    return out;
}

Samples Silence(float ms) {
    return Samples(MsToSamples(ms), 0.0f);
}
