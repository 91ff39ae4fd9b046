// The three outputs behind the wave-out contract: the headless one's log and WAV, the null
// one keeping real time, and the SDL one on SDL's disk driver so that it cannot rot.
#include "platform/audio/AudioOutput.h"
#include "platform/Clock.h"
#include "tests/sound/SoundTestData.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <thread>
#include <vector>

using namespace platform;

namespace {

int16_t SampleAt(const std::string& wav, size_t frame, int side) {
    size_t at = 44 + frame * 4 + size_t(side) * 2;
    return int16_t(uint16_t(uint8_t(wav[at]) | uint8_t(wav[at + 1]) << 8));
}

} // namespace

TEST(HeadlessAudio, LogsEachBufferStartAtItsVirtualTimeAndRendersTheMix) {
    TempFolder temp;
    VirtualClock clock(5000);
    auto output = CreateHeadlessAudioOutput(clock, (temp.Path() / "log.txt").string(),
                                            (temp.Path() / "out.wav").string());
    auto tone = Samples(4410, 16384); // 100 ms at 44.1 kHz
    AudioDeviceId a = output->Open(Mono16(44100));
    AudioDeviceId b = output->Open(Mono16(22050)); // 200 ms of the same bytes
    clock.Advance(7);
    ASSERT_TRUE(
        output->Write(a, 0, tone.data(), uint32_t(tone.size()), MakeAudioLabel(u"snare", 3, 3)));
    ASSERT_TRUE(
        output->Write(a, 1, tone.data(), uint32_t(tone.size()), MakeAudioLabel(u"snare", 3, 3)));
    clock.Advance(33);
    ASSERT_TRUE(output->Write(b, 0, tone.data(), uint32_t(tone.size()),
                              MakeAudioLabel(u"metronomeLoud", 5, 0)));
    clock.Advance(150);
    EXPECT_TRUE(output->IsDone(a, 0));
    EXPECT_FALSE(output->IsDone(a, 1));
    // Frames are whole 44.1 kHz frames: 5190 ms is frame 8379, 5007 ms frame 308 and
    // 5040 ms frame 1764; the 22.05 kHz voice moves half a source frame per output frame.
    EXPECT_EQ(output->PlayedBytes(a), 2u * (8379u - 308u));
    EXPECT_EQ(output->PlayedBytes(b), 2u * ((8379u - 1764u) / 2u));
    clock.Advance(1000);
    EXPECT_TRUE(output->IsDone(b, 0));
    output->Close(a);
    output->Close(b);
    output.reset();

    EXPECT_EQ(temp.ReadFile("log.txt"), "5007 snare channel 3 priority 3\n"
                                        "5040 metronomeLoud channel 5 priority 0\n"
                                        "5107 snare channel 3 priority 3\n");
    std::string wav = temp.ReadFile("out.wav");
    ASSERT_EQ(wav.size(), 44u + 4u * 1190u * 441u / 10u);
    EXPECT_EQ(wav.substr(0, 4), "RIFF");
    EXPECT_EQ(SampleAt(wav, 0, 0), 0);            // before the first write
    EXPECT_NEAR(SampleAt(wav, 400, 0), 16384, 2); // 9 ms: the first buffer alone
    EXPECT_EQ(SampleAt(wav, 2000, 1), 32112);     // 45 ms: both, limited to the ceiling
    EXPECT_EQ(SampleAt(wav, 44100, 0), 0);        // all played out
}

TEST(NullAudio, ConsumesBuffersInRealTimeByTheProgramClock) {
    VirtualClock clock(100);
    SetCurrentClock(&clock);
    auto output = CreateNullAudioOutput();
    auto tone = Samples(441, 1000); // 10 ms
    AudioDeviceId d = output->Open(Mono16(44100));
    output->Write(d, 2, tone.data(), uint32_t(tone.size()), AudioLabel{});
    clock.Advance(5);
    EXPECT_EQ(output->PlayedBytes(d), 440u); // 220 whole frames
    EXPECT_FALSE(output->IsDone(d, 2));
    clock.Advance(5);
    EXPECT_TRUE(output->IsDone(d, 2));
    output->Reset(d);
    EXPECT_EQ(output->PlayedBytes(d), 0u);
    SetCurrentClock(nullptr);

    // The program-wide output is a null one until another is set.
    EXPECT_EQ(Audio().PeriodFrames(), 0u);
}

TEST(SdlAudio, PlaysThroughTheDiskDriver) {
    TempFolder temp;
    std::string file = (temp.Path() / "disk.raw").string();
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", file.c_str(), 1);
    setenv("SDL_DISKAUDIODELAY", "1", 1);
    auto output = CreateSdlAudioOutput();
    ASSERT_GT(output->PeriodFrames(), 0u) << "fell back to the null output";
    auto tone = Samples(2205, 12000); // 50 ms
    AudioDeviceId d = output->Open(Mono16(44100));
    ASSERT_TRUE(output->Write(d, 0, tone.data(), uint32_t(tone.size()), AudioLabel{}));
    auto until = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!output->IsDone(d, 0) && std::chrono::steady_clock::now() < until)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    EXPECT_TRUE(output->IsDone(d, 0));
    EXPECT_EQ(output->PlayedBytes(d), tone.size());
    uint64_t startNs = 0;
    uint32_t starts = 0;
    EXPECT_TRUE(output->LastBufferStart(d, startNs, starts));
    EXPECT_EQ(starts, 1u);
    output.reset(); // closes the device, flushing the file

    std::ifstream in(file, std::ios::binary);
    std::string raw((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    size_t loud = 0;
    for (size_t at = 0; at + 4 <= raw.size(); at += 4) {
        int16_t left = int16_t(uint16_t(uint8_t(raw[at]) | uint8_t(raw[at + 1]) << 8));
        if (left > 11000) ++loud;
    }
    EXPECT_NEAR(double(loud), 2205.0, 2.0);
    unsetenv("SDL_AUDIODRIVER");
    unsetenv("SDL_DISKAUDIOFILE");
    unsetenv("SDL_DISKAUDIODELAY");
}

TEST(SdlAudio, FallsBackToANullOutputWhenNoDeviceOpens) {
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    auto output = CreateSdlAudioOutput();
    unsetenv("SDL_AUDIODRIVER");
    EXPECT_EQ(output->PeriodFrames(), 0u);
    AudioDeviceId d = output->Open(Mono16(8000));
    auto tone = Samples(8, 1);
    EXPECT_TRUE(output->Write(d, 0, tone.data(), uint32_t(tone.size()), AudioLabel{}));
}
