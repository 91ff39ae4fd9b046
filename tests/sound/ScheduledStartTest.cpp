// Buffers given a start time: the mixer holds them to their stream frame, the headless output
// places them on the virtual clock, and the SDL output's clock-to-stream mapping stays
// monotonic and close to the stream under callbacks of uneven timing.
#include "platform/Clock.h"
#include "platform/audio/AudioOutput.h"
#include "platform/audio/StreamClock.h"
#include "platform/audio/VoiceBank.h"
#include "tests/sound/SoundTestData.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

using namespace platform;

namespace {

// The first stereo frame of a mix (or a WAV's data) whose left sample is not silent.
int64_t FirstSound(const std::vector<int16_t>& stereo) {
    for (size_t i = 0; i < stereo.size(); i += 2)
        if (stereo[i] != 0) return int64_t(i / 2);
    return -1;
}

std::vector<int16_t> WavSamples(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<int16_t> out;
    for (size_t at = 44; at + 1 < bytes.size(); at += 2)
        out.push_back(int16_t(uint16_t(uint8_t(bytes[at]) | uint8_t(bytes[at + 1]) << 8)));
    return out;
}

} // namespace

TEST(ScheduledMix, ABufferWaitsForItsFrameInsideAndAcrossBlocksAndAPastOneStartsAtOnce) {
    auto tone = Samples(64, 8000);
    VoiceBank bank;
    MixerState state;
    state.frame = 1000;
    AudioDeviceId inside = bank.Open(Mono16(kMixRate));
    AudioDeviceId later = bank.Open(Mono16(kMixRate));
    AudioDeviceId past = bank.Open(Mono16(kMixRate));
    ASSERT_TRUE(bank.Write(inside, 0, tone.data(), uint32_t(tone.size()), {}, 1100));
    ASSERT_TRUE(bank.Write(later, 0, tone.data(), uint32_t(tone.size()), {}, 1300));
    ASSERT_TRUE(bank.Write(past, 0, tone.data(), uint32_t(tone.size()), {}, 900));

    std::vector<int16_t> out(2 * 256);
    MixEvents events;
    Mix(state, bank.Voices(), bank.Count(), kFullAudioVolume, out.data(), 256, &events);
    // The past one plays from frame 0; the one due inside the block from its frame.
    ASSERT_EQ(events.count, 2u);
    EXPECT_EQ(events.items[0].frame, 100u);
    EXPECT_EQ(events.items[1].frame, 0u);
    EXPECT_EQ(bank.PlayedBytes(later), 0u);
    EXPECT_FALSE(bank.IsDone(later, 0));

    events.count = 0;
    Mix(state, bank.Voices(), bank.Count(), kFullAudioVolume, out.data(), 256, &events);
    ASSERT_EQ(events.count, 1u);
    EXPECT_EQ(events.items[0].frame, 1300u - 1256u);
    EXPECT_EQ(FirstSound(out), 44);
    EXPECT_EQ(state.frame, 1512u);
}

TEST(ScheduledMix, StartFramesHonourTheBoundAndTheClocksWrap) {
    const double perMs = 44.1;
    // 10.5 ms ahead of a stream standing at frame 441.
    EXPECT_EQ(StartFrameFor(AudioStartAt(110.5), 100, 441.0, perMs), 441u + 463u);
    EXPECT_EQ(StartFrameFor(AudioStartAt(99.0), 100, 441.0, perMs), 0u);  // passed: at once
    EXPECT_EQ(StartFrameFor(AudioStartAt(100.0), 100, 441.0, perMs), 0u); // now: at once
    EXPECT_EQ(StartFrameFor(AudioStartAt(100.0 + kMaxScheduleAheadMs + 1), 100, 441.0, perMs), 0u);
    EXPECT_EQ(StartFrameFor(AudioStart{}, 100, 441.0, perMs), 0u);
    // A start just after the clock wraps, asked for just before it.
    const AudioStart wrapped = AudioStartAt(4294967296.0 + 3.0);
    EXPECT_EQ(wrapped.ms, 3u);
    EXPECT_DOUBLE_EQ(MsUntil(wrapped, 4294967295u), 4.0);
}

TEST(ScheduledHeadless, AStartLandsOnItsSampleOfTheWavAndTheLog) {
    TempFolder temp;
    VirtualClock clock(5000);
    const std::string wav = (temp.Path() / "out.wav").string();
    const std::string log = (temp.Path() / "log.txt").string();
    auto output = CreateHeadlessAudioOutput(clock, log, wav);
    auto tone = Samples(441, 12000);
    AudioDeviceId a = output->Open(Mono16(kMixRate));
    AudioDeviceId b = output->Open(Mono16(kMixRate));
    clock.Advance(3);
    ASSERT_TRUE(output->Write(a, 0, tone.data(), uint32_t(tone.size()),
                              MakeAudioLabel(u"hat", 1, 3), AudioStartAt(5020.5)));
    // Far beyond the bound: plays at once, like an unscheduled buffer.
    ASSERT_TRUE(output->Write(b, 0, tone.data(), uint32_t(tone.size()),
                              MakeAudioLabel(u"kick", 2, 3), AudioStartAt(9000.0)));
    clock.Advance(15);
    EXPECT_TRUE(output->IsDone(b, 0));
    EXPECT_FALSE(output->IsDone(a, 0));
    EXPECT_EQ(output->PlayedBytes(a), 0u);
    clock.Advance(20);
    EXPECT_TRUE(output->IsDone(a, 0));
    output.reset();

    const std::vector<int16_t> samples = WavSamples(wav);
    // The kick starts at 3 ms, the hat at 20.5 ms: frames 132 and 904 of the stream.
    EXPECT_EQ(FirstSound(samples), 132);
    ASSERT_GT(samples.size(), 2u * 905u);
    const std::vector<int16_t> afterKick(samples.begin() + 2 * (132 + 441), samples.end());
    EXPECT_EQ(FirstSound(afterKick) + 132 + 441, 904);
    std::ifstream in(log);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(text, "5003 kick channel 2 priority 3\n5021 hat channel 1 priority 3\n");
}

TEST(StreamClockMapping, StaysMonotonicAndOnTheStreamUnderUnevenCallbacks) {
    const double rate = 44100.0 * 1.0005; // a device a little fast against the host's clock
    const uint32_t period = 256;
    StreamClock stream(44100.0);
    // Callbacks come late by 0 to 3 ms in a fixed uneven pattern; the stream itself is exact.
    const double lateMs[] = {0.0, 2.5, 0.3, 3.0, 1.1, 0.0, 2.0, 0.7};
    double lastMapped = -1.0, worstMs = 0.0;
    uint64_t frame = 0;
    auto callbackNs = [&](int n) {
        const double dueNs = double(uint64_t(n) * period) / rate * 1e9;
        return 1000000000ull + uint64_t(dueNs + lateMs[n % 8] * 1e6);
    };
    for (int n = 0; n < 2000; ++n, frame += period) {
        const uint64_t ns = callbackNs(n), next = callbackNs(n + 1);
        stream.OnPeriod(ns, frame, period);
        // Sample the mapping through the period until the next callback.
        for (uint64_t at = ns; at < next; at += 500000) {
            const double mapped = stream.FrameAt(at);
            EXPECT_GE(mapped, lastMapped) << "callback " << n;
            lastMapped = mapped;
            const double truth = (double(at) - 1e9) * 1e-9 * rate;
            if (n > 400) worstMs = std::fmax(worstMs, std::fabs(mapped - truth) / 44.1);
        }
    }
    // After settling, the mapping stands within the callbacks' mean lateness of the stream.
    EXPECT_LT(worstMs, 2.5);
    // The rate comes from 64 periods of jittery callbacks: near enough that the offset's
    // correction at every callback keeps the line on the stream.
    EXPECT_NEAR(stream.FramesPerMs(), rate / 1000.0, 0.2);
    EXPECT_EQ(stream.Restarts(), 0u);
}

TEST(StreamClockMapping, AnUnderrunTakesTheMappingAfresh) {
    StreamClock stream(44100.0);
    uint64_t ns = 0, frame = 0;
    for (int n = 0; n < 50; ++n, frame += 256, ns += 5804988) stream.OnPeriod(ns, frame, 256);
    // The device stalled for 200 ms: its next callback comes long after the line expects it.
    ns += 200000000;
    stream.OnPeriod(ns, frame, 256);
    EXPECT_EQ(stream.Restarts(), 1u);
    EXPECT_NEAR(stream.FrameAt(ns), double(frame), 0.5);
    EXPECT_NEAR(stream.FrameAt(ns + 10000000), double(frame) + 441.0, 1.0);
}
