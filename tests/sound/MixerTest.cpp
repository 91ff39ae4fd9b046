// The mixer on known inputs: sums, gains, format conversion, the limiter, and the
// bookkeeping the channels rely on (done slots, played bytes, buffer starts).
#include "platform/audio/VoiceBank.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using namespace platform;

namespace {

AudioFormat Pcm(uint16_t channels, uint32_t rate, uint16_t bits) {
    AudioFormat f;
    f.channels = channels;
    f.samplesPerSecond = rate;
    f.bitsPerSample = bits;
    f.blockAlign = uint16_t(channels * bits / 8);
    f.averageBytesPerSecond = rate * f.blockAlign;
    return f;
}

std::vector<uint8_t> Constant16(int16_t value, uint32_t samples) {
    std::vector<uint8_t> bytes;
    for (uint32_t i = 0; i < samples; ++i) {
        bytes.push_back(uint8_t(value & 0xFF));
        bytes.push_back(uint8_t(uint16_t(value) >> 8));
    }
    return bytes;
}

std::vector<uint8_t> Sine16(double amplitude, double hz, uint32_t frames) {
    std::vector<uint8_t> bytes;
    for (uint32_t i = 0; i < frames; ++i) {
        auto s = int16_t(std::lround(amplitude * 32767.0 * std::sin(2 * M_PI * hz * i / 44100.0)));
        bytes.push_back(uint8_t(s & 0xFF));
        bytes.push_back(uint8_t(uint16_t(s) >> 8));
    }
    return bytes;
}

struct MixRun {
    VoiceBank bank;
    MixerState state;
    std::vector<int16_t> out;
    MixEvents events;

    void Run(uint32_t frames, uint32_t master = kFullAudioVolume) {
        out.assign(2 * frames, 0);
        events.count = 0;
        Mix(state, bank.Voices(), bank.Count(), master, out.data(), frames, &events);
    }
};

const AudioLabel kLabel{};

} // namespace

TEST(Mixer, SumsVoicesAndAppliesVoiceAndMasterGain) {
    MixRun m;
    auto a = Constant16(4000, 100), b = Constant16(-1000, 100);
    AudioDeviceId va = m.bank.Open(Pcm(1, 44100, 16)), vb = m.bank.Open(Pcm(1, 44100, 16));
    ASSERT_TRUE(m.bank.Write(va, 0, a.data(), uint32_t(a.size()), kLabel));
    ASSERT_TRUE(m.bank.Write(vb, 0, b.data(), uint32_t(b.size()), kLabel));
    m.Run(10);
    EXPECT_EQ(m.out[0], 3000); // 3000/32768 of full scale, x 32767 = 2999.9
    EXPECT_EQ(m.out[1], 3000);

    // Left half of a voice at 0x8000 (about one half), right half muted; master at half.
    m.bank.SetVolume(va, 0x00008000);
    m.Run(10, 0x80008000);
    EXPECT_NEAR(m.out[0], (2000 - 1000) / 2, 2);
    EXPECT_NEAR(m.out[1], -1000 / 2, 2);
}

TEST(Mixer, ConvertsWidthChannelsAndRate) {
    MixRun m;
    // 8-bit unsigned mono: 192 is +64/128 = one half, on both sides.
    std::vector<uint8_t> eight(50, 192);
    AudioDeviceId v8 = m.bank.Open(Pcm(1, 44100, 8));
    m.bank.Write(v8, 0, eight.data(), uint32_t(eight.size()), kLabel);
    m.Run(4);
    EXPECT_EQ(m.out[0], 16384); // 16383.5, rounded to even
    EXPECT_EQ(m.out[1], 16384);
    m.bank.Close(v8);

    // 16-bit stereo keeps its sides apart.
    std::vector<uint8_t> stereo;
    for (int i = 0; i < 20; ++i) {
        auto l = Constant16(8192, 1), r = Constant16(-8192, 1);
        stereo.insert(stereo.end(), l.begin(), l.end());
        stereo.insert(stereo.end(), r.begin(), r.end());
    }
    AudioDeviceId vs = m.bank.Open(Pcm(2, 44100, 16));
    m.bank.Write(vs, 0, stereo.data(), uint32_t(stereo.size()), kLabel);
    m.Run(4);
    EXPECT_EQ(m.out[0], 8192); // 8192/32768 x 32767 = 8191.75
    EXPECT_EQ(m.out[1], -8192);
    m.bank.Close(vs);

    // 11025 Hz: each source frame lasts four output frames, interpolated in between.
    std::vector<uint8_t> ramp;
    for (int16_t s : {0, 4000, 8000, 12000}) {
        auto one = Constant16(s, 1);
        ramp.insert(ramp.end(), one.begin(), one.end());
    }
    AudioDeviceId vr = m.bank.Open(Pcm(1, 11025, 16));
    m.bank.Write(vr, 0, ramp.data(), uint32_t(ramp.size()), kLabel);
    m.Run(16);
    EXPECT_NEAR(m.out[2 * 2], 2000, 2);   // halfway between the first two frames
    EXPECT_NEAR(m.out[2 * 4], 4000, 2);   // the second frame itself
    EXPECT_NEAR(m.out[2 * 15], 12000, 2); // the last frame holds (nothing follows)
    EXPECT_TRUE(m.bank.IsDone(vr, 0));
    EXPECT_EQ(m.bank.PlayedBytes(vr), 8u);
}

TEST(Mixer, EightFullScaleVoicesAreLimitedNotClipped) {
    MixRun m;
    // Eight identical full-scale sines: a hard clip would flatten the peaks at 32767.
    auto sine = Sine16(1.0, 441.0, 4410);
    for (int i = 0; i < 8; ++i) {
        AudioDeviceId v = m.bank.Open(Pcm(1, 44100, 16));
        m.bank.Write(v, 0, sine.data(), uint32_t(sine.size()), kLabel);
    }
    m.Run(4410);
    int16_t peak = 0;
    int atCeiling = 0;
    for (size_t i = 0; i < m.out.size(); i += 2) {
        int16_t s = m.out[i];
        peak = std::max<int16_t>(peak, int16_t(std::abs(s)));
        if (std::abs(s) >= 32767) ++atCeiling;
    }
    EXPECT_LE(peak, int16_t(kLimiterCeiling * 32767 + 1));
    EXPECT_GT(peak, 20000); // turned down, not silenced
    EXPECT_EQ(atCeiling, 0);
    // The wave keeps its shape: once the gain settles, output is the sine times a constant.
    double ratio = double(m.out[2 * 4000 + 2 * 25]) / std::sin(2 * M_PI * 441.0 * 4025 / 44100.0);
    for (uint32_t f = 4000; f < 4100; ++f) {
        double expected = ratio * std::sin(2 * M_PI * 441.0 * f / 44100.0);
        EXPECT_NEAR(m.out[2 * f], expected, 0.01 * std::fabs(ratio) + 2) << "frame " << f;
    }
}

TEST(Mixer, QueuedBuffersPlayBackToBackAndReportProgress) {
    MixRun m;
    auto a = Constant16(1000, 300), b = Constant16(2000, 200);
    AudioDeviceId v = m.bank.Open(Pcm(1, 44100, 16));
    ASSERT_TRUE(m.bank.Write(v, 2, a.data(), uint32_t(a.size()), kLabel));
    ASSERT_TRUE(m.bank.Write(v, 0, b.data(), uint32_t(b.size()), kLabel));
    EXPECT_FALSE(m.bank.Write(v, 2, a.data(), uint32_t(a.size()), kLabel)); // slot still busy
    EXPECT_FALSE(m.bank.Write(v, 3, a.data(), uint32_t(a.size()), kLabel)); // no such slot

    m.Run(100);
    EXPECT_EQ(m.bank.PlayedBytes(v), 200u);
    ASSERT_EQ(m.events.count, 1u);
    EXPECT_EQ(m.events.items[0].slot, 2);

    m.Run(300); // frames 100..399: the first buffer ends at 300 and the next follows at once
    EXPECT_TRUE(m.bank.IsDone(v, 2));
    EXPECT_FALSE(m.bank.IsDone(v, 0));
    EXPECT_EQ(m.bank.PlayedBytes(v), 600u + 200u);
    ASSERT_EQ(m.events.count, 1u);
    EXPECT_EQ(m.events.items[0].slot, 0);
    EXPECT_EQ(m.events.items[0].frame, 200u);
    EXPECT_NEAR(m.out[2 * 199], 1000, 1);
    EXPECT_NEAR(m.out[2 * 200], 2000, 1);

    m.Run(100); // frames 400..499: the second buffer's last hundred
    EXPECT_TRUE(m.bank.IsDone(v, 0));
    EXPECT_EQ(m.bank.PlayedBytes(v), 1000u);
    EXPECT_NEAR(m.out[2 * 99], 2000, 1);
    m.Run(10);
    EXPECT_EQ(m.out[0], 0); // silence after the end

    m.bank.Reset(v);
    EXPECT_EQ(m.bank.PlayedBytes(v), 0u);
}

TEST(Mixer, ResetStopsAtOnceAndStaleIdsAreHarmless) {
    MixRun m;
    auto a = Constant16(1000, 1000);
    AudioDeviceId v = m.bank.Open(Pcm(1, 44100, 16));
    m.bank.Write(v, 0, a.data(), uint32_t(a.size()), kLabel);
    m.Run(10);
    m.bank.Reset(v);
    EXPECT_TRUE(m.bank.IsDone(v, 0));
    m.Run(10);
    EXPECT_EQ(m.out[0], 0);

    m.bank.Close(v);
    AudioDeviceId reused = m.bank.Open(Pcm(1, 44100, 16)); // same place, new generation
    EXPECT_NE(reused, v);
    EXPECT_FALSE(m.bank.Write(v, 0, a.data(), uint32_t(a.size()), kLabel));
    EXPECT_TRUE(m.bank.IsDone(v, 1));
    EXPECT_EQ(m.bank.PlayedBytes(v), 0u);
    EXPECT_EQ(m.bank.Open(Pcm(3, 44100, 16)), kNoAudioDevice);
    EXPECT_EQ(m.bank.Open(Pcm(1, 44100, 24)), kNoAudioDevice);

    // A buffer too short for one frame is done at once and plays nothing.
    uint8_t odd = 7;
    m.bank.Write(reused, 1, &odd, 1, kLabel);
    m.Run(1);
    EXPECT_TRUE(m.bank.IsDone(reused, 1));
}

namespace {

// Noise from a fixed generator: the same bytes on every machine.
std::vector<uint8_t> Noise(uint32_t bytes, uint32_t seed) {
    std::vector<uint8_t> out(bytes);
    for (auto& b : out) {
        seed = seed * 1664525u + 1013904223u;
        b = uint8_t(seed >> 24);
    }
    return out;
}

template <typename T>
uint64_t Fnv(const std::vector<T>& values, uint64_t hash = 1469598103934665603ull) {
    for (T v : values) {
        auto u = uint32_t(int32_t(v));
        for (int i = 0; i < 4; ++i) hash = (hash ^ ((u >> (8 * i)) & 0xFF)) * 1099511628211ull;
    }
    return hash;
}

// Every path of a voice at once: each width, channel count and rate (up, down, equal),
// uneven sides, buffers chained back to back with a frame interpolated across the join, a
// scheduled start in the middle of a call, a buffer with a partial frame at its end, an empty
// one, and enough level that the limiter works. Mixed in uneven calls, as an output does.
template <typename Sample>
uint64_t MixOfEveryPath(std::vector<MixEvent>* seen, bool silent = false) {
    VoiceBank bank;
    MixerState state;
    struct Source {
        uint16_t channels;
        uint32_t rate;
        uint16_t bits;
        uint32_t volume;
    };
    const Source sources[] = {{1, 11025, 8, kFullAudioVolume}, {2, 22050, 16, 0x4000C000},
                              {1, 44100, 16, 0xFFFF8000},      {2, 32000, 8, kFullAudioVolume},
                              {1, 48000, 16, 0x9000FFFF},      {2, 44100, 16, kFullAudioVolume},
                              {1, 16000, 16, 0x20002000},      {1, 96000, 8, 0xFFFFFFFF}};
    std::vector<std::vector<uint8_t>> data;
    for (uint32_t i = 0; i < 8; ++i) {
        const Source& s = sources[i];
        AudioFormat f = Pcm(s.channels, s.rate, s.bits);
        AudioDeviceId v = bank.Open(f);
        bank.SetVolume(v, s.volume);
        // Buffers of different lengths, the last one or two bytes short of a whole frame.
        const uint32_t frames = 900 + 611 * i;
        data.push_back(Noise(frames * f.blockAlign + i % f.blockAlign, 7 + i));
        data.push_back(Noise(frames / 3 * f.blockAlign, 100 + i));
        bank.Write(v, 0, data[data.size() - 2].data(), uint32_t(data[data.size() - 2].size()),
                   kLabel, i % 3 == 1 ? 1234 + 97 * i : 0);
        bank.Write(v, 1, data.back().data(), uint32_t(data.back().size()), kLabel);
        if (i == 2) bank.Write(v, 2, data.back().data(), 0, kLabel);
    }
    std::vector<Sample> all, out;
    uint64_t hash = 1469598103934665603ull;
    const uint32_t calls[] = {1, 37, 300, 1000, 4096, 255, 257, 2048, 9000};
    for (uint32_t n : calls) {
        out.assign(2 * size_t(n), 0);
        MixEvents events;
        Mix(state, bank.Voices(), bank.Count(), 0xE000FFFF, silent ? nullptr : out.data(), n,
            &events);
        for (uint32_t e = 0; e < events.count; ++e) seen->push_back(events.items[e]);
        hash = Fnv(out, hash);
        for (uint32_t i = 0; i < 8; ++i)
            hash = Fnv(std::vector<uint32_t>{PlayedBytes(bank.Voices()[i])}, hash);
    }
    return hash;
}

} // namespace

TEST(Mixer, OutputOfEveryVoicePathIsPinned) {
    // These values were taken from the straightforward one-frame-at-a-time mixer; any faster
    // mixer must reproduce them bit for bit, in both widths.
    std::vector<MixEvent> events16, events24, eventsSilent;
    EXPECT_EQ(MixOfEveryPath<int16_t>(&events16), 9256903669691776830ull);
    EXPECT_EQ(MixOfEveryPath<int32_t>(&events24), 14083859224472800434ull);
    // Advancing without output moves the voices exactly as mixing does.
    MixOfEveryPath<int16_t>(&eventsSilent, true);
    ASSERT_EQ(events16.size(), 16u); // every buffer but the empty one
    ASSERT_EQ(eventsSilent.size(), events16.size());
    for (size_t i = 0; i < events16.size(); ++i) {
        EXPECT_EQ(events24[i].frame, events16[i].frame);
        EXPECT_EQ(eventsSilent[i].voice, events16[i].voice);
        EXPECT_EQ(eventsSilent[i].slot, events16[i].slot);
        EXPECT_EQ(eventsSilent[i].frame, events16[i].frame) << i;
    }
}
