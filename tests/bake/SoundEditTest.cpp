#include "tools/bake/SoundEdit.h"
#include "tools/bake/SoundSynth.h"
#include "tools/soundfile/SoundFileWriter.h"

#include <cmath>
#include <gtest/gtest.h>

TEST(SoundEdit, TrimDropsLeadingSilenceCapsLengthAndFadesToZero) {
    Samples s(MsToSamples(500), 0.0f);
    uint32_t attack = MsToSamples(100);
    for (uint32_t i = attack; i < s.size(); ++i) s[i] = 0.5f * std::sin(0.05f * i);
    TrimSettings settings;
    settings.longestMs = 200;
    settings.fadeMs = 10;
    Samples t = Trim(s, settings);
    ASSERT_EQ(t.size(), MsToSamples(200));
    // 1 ms before the attack is kept, so the stroke starts right away but not abruptly.
    EXPECT_EQ(t[MsToSamples(1)], s[attack]);
    EXPECT_EQ(t.back(), 0.0f);
    EXPECT_LT(std::fabs(t[t.size() - 2]), 0.01f);
}

TEST(SoundEdit, TrimCutsTheQuietTailAndRejectsSilence) {
    Samples s(1000, 0.0f);
    for (int i = 0; i < 100; ++i) s[i] = (i % 2) ? 0.8f : -0.8f;
    s[500] = 0.8f * DbToGain(-60); // below the tail threshold: not part of the sound
    EXPECT_EQ(Trim(s, TrimSettings()).size(), 100u);
    EXPECT_TRUE(Trim(Samples(500, 0.0f), TrimSettings()).empty());
}

TEST(SoundEdit, LevelReachesTheTargetButNeverPassesThePeakLimit) {
    Samples quiet(MsToSamples(300), 0.0f);
    for (size_t i = 0; i < quiet.size(); ++i) quiet[i] = 0.01f * std::sin(0.1f * i);
    Samples levelled = Level(quiet, -20.0f, -1.0f, 150.0f);
    EXPECT_NEAR(GainToDb(Rms(levelled, 0, MsToSamples(150))), -20.0f, 0.05f);

    Samples spiky = quiet;
    spiky[10] = 0.5f; // one spike: raising the body to -10 dB would clip it
    levelled = Level(spiky, -10.0f, -1.0f, 150.0f);
    EXPECT_NEAR(Peak(levelled), DbToGain(-1.0f), 1e-4f);
}

TEST(SoundEdit, DecodeWavTakesOnly16Bit441kHzPcmAndMixesStereo) {
    const uint8_t stereo[] = {0x00, 0x40, 0x00, 0x20}; // 0.5 and 0.25
    auto wav = soundfile::MakeWavImage(2, 44100, 16, stereo, sizeof stereo);
    Samples s;
    ASSERT_TRUE(DecodeWav(wav, s));
    ASSERT_EQ(s.size(), 1u);
    EXPECT_FLOAT_EQ(s[0], 0.375f);

    EXPECT_FALSE(DecodeWav(soundfile::MakeWavImage(1, 22050, 16, stereo, 4), s));
    EXPECT_FALSE(DecodeWav(soundfile::MakeWavImage(1, 44100, 8, stereo, 4), s));
    wav.resize(30); // cut inside the format chunk
    EXPECT_FALSE(DecodeWav(wav, s));
    EXPECT_FALSE(DecodeWav({}, s));
}

TEST(SoundSynth, SignalsStayInRangeAndKeepTheirLengths) {
    struct Case {
        Samples samples;
        float minMs, maxMs;
    } cases[] = {{MetronomeTick(), 20, 150},
                 {MetronomeAccent(), 20, 150},
                 {UiClick(), 2, 40},
                 {WrongBuzz(), 150, 600},
                 {LogoJingle(), 1900, 2100}};
    for (const Case& c : cases) {
        EXPECT_GE(c.samples.size(), MsToSamples(c.minMs));
        EXPECT_LE(c.samples.size(), MsToSamples(c.maxMs));
        EXPECT_LE(Peak(c.samples), 0.95f);
        EXPECT_GT(Peak(c.samples), 0.1f);
        EXPECT_LT(std::fabs(c.samples[0]), 0.05f) << "no jump at the start";
    }
    EXPECT_GT(Rms(MetronomeAccent()), Rms(MetronomeTick())) << "the accent is the louder tick";
}
