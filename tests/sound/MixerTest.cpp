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
