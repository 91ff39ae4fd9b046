// The sound manager over a headless output on a virtual clock: channel allocation by
// priority, header reuse, music queueing, device formats, volumes and the error on a
// missing sound.
#include "platform/Clock.h"
#include "platform/RegistryStore.h"
#include "platform/audio/AudioOutput.h"
#include "tests/sound/SoundTestFiles.h"
#include "varnokengine/VGAppPath.h"
#include "varnokengine/VGError.h"
#include "varnokengine/VGRegistry.h"
#include "varnokengine/VGSoundManager.h"

#include <gtest/gtest.h>

#include <cctype>
#include <memory>

namespace {

// Seven drum sounds of one second each: 22050 Hz mono 16-bit, 44100 bytes.
const char* const kDrums[] = {"snare", "tom_hi", "tom_mid", "tom_low", "bass", "ride", "crash"};

class SoundManagerTest : public testing::Test {
protected:
    void SetUp() override {
        platform::SetRegistryPath((temp.Path() / "registry.reg").string());
        std::u16string folder = temp.Wide();
        SetAppPath(VGString(folder.c_str()));
        ClearErrors();
        for (const char* name : kDrums) WriteSoundFile(temp, "soundfx", name, Drum());
        WriteSoundFile(temp, "soundfx", "click", ToneImage(1, 22050, 16, 2205));
        WriteSoundFile(temp, "soundfx", "incorrect", ToneImage(1, 22050, 16, 22050));
        WriteSoundFile(temp, "soundfx", "stereo", ToneImage(2, 44100, 16, 4410));
        WriteSoundFile(temp, "music", "silence", ToneImage(1, 44100, 16, 11025, 0));
        logPath = (temp.Path() / "audio.log").string();
        platform::SetAudioOutput(platform::CreateHeadlessAudioOutput(clock, logPath, ""));
        sounds = std::make_unique<VGSoundManager>();
    }
    void TearDown() override {
        sounds.reset();
        platform::SetAudioOutput(platform::CreateNullAudioOutput());
        platform::SetRegistryPath("");
        ClearErrors();
    }

    static std::vector<uint8_t> Drum() { return ToneImage(1, 22050, 16, 22050); }
    int IndexOf(const SoundChannel* channel) {
        for (int i = 0; i < VGSoundManager::kChannels; ++i)
            if (&sounds->Channel(i) == channel) return i;
        return -1;
    }
    // Plays the seven drums at priority 3, 10 ms apart, on channels 1..7 in order.
    void PlaySevenDrums() {
        for (int i = 0; i < 7; ++i) {
            ASSERT_EQ(IndexOf(sounds->RestartSound(VGString(u"") + Wide(kDrums[i]), 3, 1.0f)),
                      i + 1);
            clock.Advance(10);
        }
    }
    static VGString Wide(const char* text) {
        VGString s;
        while (*text) s.Append(char16_t(*text++));
        return s;
    }
    std::string Log() { return temp.ReadFile("audio.log"); }

    TempFolder temp;
    platform::VirtualClock clock{1000};
    std::string logPath;
    std::unique_ptr<VGSoundManager> sounds;
};

} // namespace

TEST_F(SoundManagerTest, EqualPriorityTakesTheFurthestPlayedChannelPreferringTheSameSound) {
    PlaySevenDrums();
    // Another crash (on channel 7, the least played) replaces that very crash.
    EXPECT_EQ(IndexOf(sounds->PlaySound(u"CRASH", 3, 1.0f)), 7);
    clock.Advance(10);
    // A sound playing nowhere takes the channel that has played furthest: channel 1.
    EXPECT_EQ(IndexOf(sounds->PlaySound(u"incorrect", 3, 1.0f)), 1);
    for (int i = 1; i < 8; ++i) EXPECT_TRUE(IsChannelPlaying(sounds->Channel(i))) << i;
}

TEST_F(SoundManagerTest, HigherPriorityTakesTheFirstChannelOfTheLowestPriority) {
    PlaySevenDrums();
    // Restarting the snare makes channel 1 the least played; priority 4 still takes it,
    // being the first of the lowest priority.
    EXPECT_EQ(IndexOf(sounds->RestartSound(u"snare", 3, 1.0f)), 1);
    clock.Advance(5);
    EXPECT_EQ(IndexOf(sounds->PlaySoundOnce(u"incorrect", 4, 1.0f)), 1);
    EXPECT_EQ(sounds->Channel(1).priority, 4);
    // Once more while it plays: nothing new starts.
    EXPECT_EQ(IndexOf(sounds->PlaySoundOnce(u"incorrect", 4, 1.0f)), 1);
    EXPECT_EQ(sounds->Channel(1).headers[0].user, &sounds->FindSound(u"incorrect")->data);
}

TEST_F(SoundManagerTest, PriorityZeroReplacesAClickButNeverADrum) {
    for (int i = 1; i <= 7; ++i) {
        EXPECT_EQ(IndexOf(sounds->PlaySound(u"click", 0, 1.0f)), i);
        clock.Advance(5);
    }
    EXPECT_EQ(IndexOf(sounds->PlaySound(u"click", 0, 1.0f)), 1); // the furthest-played click
    for (int i = 1; i <= 7; ++i) sounds->StopChannel(i);

    clock.Advance(100);
    PlaySevenDrums();
    EXPECT_EQ(sounds->PlaySound(u"click", 0, 1.0f), nullptr);
    for (int i = 1; i < 8; ++i) EXPECT_EQ(sounds->Channel(i).priority, 3) << i;
}

TEST_F(SoundManagerTest, AnIdleChannelIsReusedWithItsHeaderUnchanged) {
    SoundChannel* first = sounds->PlaySound(u"click", 0, 1.0f);
    ASSERT_NE(first, nullptr);
    const WaveHeader before = first->headers[0];
    // Restarting while it plays stops it and queues the same header again.
    EXPECT_EQ(sounds->RestartSound(u"click", 0, 1.0f), first);
    EXPECT_EQ(first->headers[0].data, before.data);
    EXPECT_EQ(first->headers[0].flags, uint32_t(WavePrepared));
    EXPECT_EQ(first->headers[1].flags, 0u); // no second header was needed
    clock.Advance(200);                     // the click has ended
    EXPECT_FALSE(IsChannelPlaying(*first));
    EXPECT_EQ(sounds->PlaySound(u"click", 0, 1.0f), first);
    EXPECT_EQ(first->headers[1].flags, 0u);
    clock.Advance(1);
    IsChannelPlaying(*first); // renders up to now, logging the start
    // The first write was stopped before a single frame of it played: it never started.
    EXPECT_EQ(Log(), "1000 click channel 1 priority 0\n"
                     "1200 click channel 1 priority 0\n");
}

TEST_F(SoundManagerTest, MusicQueuesThreeBuffersAndIsToppedUpAsItPlays) {
    SilenceMusicSource source;
    EXPECT_EQ(source.index, -1);
    ASSERT_TRUE(source.enabled);
    EXPECT_TRUE(sounds->MusicNeedsData(source)); // nothing plays yet
    for (int i = 0; i < 3; ++i) EXPECT_NE(sounds->PlayMusic(u"silence", 1.0f), nullptr);
    EXPECT_EQ(sounds->PlayMusic(u"silence", 1.0f), nullptr); // all three headers in flight
    SoundChannel& music = sounds->Channel(0);
    EXPECT_EQ(music.queuedBytes, 3u * 22050u);
    EXPECT_EQ(music.mode, uint32_t(ModeMusic));
    EXPECT_TRUE(music.headers[2].flags & WaveBeginLoop);

    clock.Advance(300); // 26460 bytes played, 39690 ahead
    EXPECT_FALSE(sounds->MusicNeedsData(source));
    clock.Advance(400); // 61740 played: 4410 ahead, under the low-water mark
    EXPECT_TRUE(sounds->MusicNeedsData(source));
    EXPECT_NE(sounds->PlayMusic(u"silence", 1.0f), nullptr); // the first header came back
    clock.Advance(100);
    EXPECT_FALSE(sounds->MusicNeedsData(source));
    // Gapless: the buffers start every 250 ms.
    EXPECT_EQ(Log(), "1000 silence channel 0 priority 0\n"
                     "1250 silence channel 0 priority 0\n"
                     "1500 silence channel 0 priority 0\n"
                     "1750 silence channel 0 priority 0\n");

    source.enabled = 0;
    EXPECT_FALSE(sounds->MusicNeedsData(source));
}

TEST_F(SoundManagerTest, ASoundOfAnotherFormatReopensTheDevice) {
    platform::AudioDeviceId devices[8] = {};
    for (int i = 1; i <= 7; ++i) {
        ASSERT_EQ(IndexOf(sounds->PlaySound(u"click", 0, 1.0f)), i);
        devices[i] = sounds->Channel(i).device;
    }
    clock.Advance(200); // every click has ended
    // Same format, other sound: the first idle channel, its device kept.
    EXPECT_EQ(IndexOf(sounds->PlaySound(u"snare", 3, 1.0f)), 1);
    EXPECT_EQ(sounds->Channel(1).device, devices[1]);
    // No idle channel has this format: the last idle one is closed and opened again.
    SoundChannel* channel = sounds->PlaySound(u"stereo", 3, 1.0f);
    ASSERT_EQ(IndexOf(channel), 7);
    EXPECT_NE(channel->device, devices[7]);
    EXPECT_EQ(channel->current->format.channels, 2);
    EXPECT_EQ(channel->current->format.samplesPerSecond, 44100u);
    EXPECT_TRUE(IsChannelPlaying(*channel));
    EXPECT_EQ(platform::Audio().PlayedBytes(devices[7]), 0u); // the old device is gone
}

TEST_F(SoundManagerTest, NamesMatchWhateverTheirLetterCase) {
    SoundEntry* entry = sounds->GetSound(u"Snare", EffectsFolder);
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(sounds->FindSound(u"SNARE"), entry);
    EXPECT_EQ(sounds->FindSound(u"snar"), nullptr);
    EXPECT_EQ(sounds->GetSound(u"sNaRe", MusicFolder), entry); // keyed by name alone
    EXPECT_EQ(sounds->PlaySound(u"snare", 3, 1.0f)->current, &entry->data);
}

TEST_F(SoundManagerTest, AMissingSoundIsAFatalErrorNamingTheWavPath) {
    EXPECT_EQ(sounds->PlaySound(u"nosuch", 3, 1.0f), nullptr);
    EXPECT_EQ(ErrorFlag, 1u);
    VGString expected = u"Sound manager failed to find sound: ";
    expected.Append(GetAppPath());
    expected.Append(u"soundfx\\nosuch.wav\r\nLine 623, File ..\\..\\varnokengine\\VGSoundManager"
                    u"\r\n\r\n");
    EXPECT_TRUE(GetErrorText() == expected);
    EXPECT_EQ(sounds->FindSound(u"nosuch"), nullptr);
}

TEST_F(SoundManagerTest, UnloadingAPlayingSoundLetsEveryChannelGoOfIt) {
    SoundChannel* channel = sounds->PlaySound(u"snare", 3, 1.0f);
    ASSERT_NE(channel, nullptr);
    sounds->UnloadSound(u"SNARE");
    EXPECT_EQ(sounds->FindSound(u"snare"), nullptr);
    EXPECT_EQ(channel->current, nullptr);
    clock.Advance(50); // the mixer must not touch the freed samples (sanitizer build)
    EXPECT_NE(sounds->PlaySound(u"snare", 3, 1.0f), nullptr);
    sounds->UnloadSound(u"not loaded");
}

TEST_F(SoundManagerTest, VolumeZeroSilencesAChannel) {
    EXPECT_EQ(sounds->PlaySound(u"snare", 3, 0.04f), nullptr);
    EXPECT_NE(sounds->PlaySound(u"snare", 3, 0.05f), nullptr);
    EXPECT_NE(sounds->PlaySound(u"bass", 3, 7.0f), nullptr); // clamped to 1
}

// The master level at start-up from the stored level, the device volume and the ringer.
struct StartCase {
    const char* what;
    int64_t stored;  // "MasterVolume", -1 = absent
    uint32_t device; // device level 0..10 before start
    int64_t ringer;  // "InitVol", -1 = absent
    uint32_t level;  // master level after start
    int64_t written; // "MasterVolume" afterwards, -1 = absent
};

class MasterVolumeStart : public SoundManagerTest, public testing::WithParamInterface<StartCase> {};

TEST_P(MasterVolumeStart, FollowsTheStoredLevelDeviceAndRinger) {
    const StartCase& c = GetParam();
    if (c.stored >= 0) WriteOption(u"MasterVolume", uint32_t(c.stored));
    if (c.ringer >= 0) {
        uint32_t v = uint32_t(c.ringer);
        WriteValue(2, u"ControlPanel\\SoundCategories\\Ring", u"InitVol", &v, 4);
    }
    platform::Audio().SetMasterVolume(uint32_t(c.device * 6553) * 0x10001u);
    sounds->Start();
    EXPECT_EQ(sounds->DeviceLevel(), c.device);
    EXPECT_EQ(sounds->MasterLevel(), c.level);
    EXPECT_EQ(platform::Audio().MasterVolume(), uint32_t(c.level * 6553) * 0x10001u);
    EXPECT_EQ(int64_t(ReadOption(u"MasterVolume", 0xFFFFFFFF)),
              c.written < 0 ? int64_t(0xFFFFFFFF) : c.written);
    // The device volume comes back at exit.
    sounds.reset();
    EXPECT_EQ(platform::Audio().MasterVolume(), uint32_t(c.device * 6553) * 0x10001u);
}

INSTANTIATE_TEST_SUITE_P(Cases, MasterVolumeStart,
                         testing::Values(StartCase{"first run at full device volume", -1, 10, -1, 3,
                                                   3},
                                         StartCase{"never set, device at 7", 1000, 7, -1, 3, 3},
                                         StartCase{"never set, device at 2", -1, 2, 1, 2, 2},
                                         StartCase{"stored 6", 6, 10, -1, 6, 6},
                                         StartCase{"stored 11 is 10", 11, 10, -1, 10, 10},
                                         StartCase{"ringer off", 6, 10, 0, 0, 6},
                                         StartCase{"device silent, never set", -1, 0, 1, 0, -1},
                                         StartCase{"device silent, stored 4", 4, 0, 1, 4, 4}),
                         [](const testing::TestParamInfo<StartCase>& info) {
                             std::string name;
                             for (const char* p = info.param.what; *p; ++p)
                                 name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
                             return name;
                         });

TEST_F(SoundManagerTest, VolumeStepsStayWithinRangeAndAreStored) {
    WriteOption(u"MasterVolume", 9);
    sounds->VolumeUp();
    sounds->VolumeUp();
    EXPECT_EQ(sounds->MasterLevel(), 10u);
    WriteOption(u"MasterVolume", 3); // VolumeUp at 10 still writes its value
    sounds->VolumeUp();
    EXPECT_EQ(ReadOption(u"MasterVolume", 0), 10u);
    for (int i = 0; i < 12; ++i) sounds->VolumeDown();
    EXPECT_EQ(sounds->MasterLevel(), 0u);
    EXPECT_EQ(ReadOption(u"MasterVolume", 99), 0u);
    EXPECT_EQ(platform::Audio().MasterVolume(), 0u);

    EXPECT_EQ(sounds->SoundFX(), 1u);
    sounds->SetSoundFX(0);
    EXPECT_EQ(ReadOption(u"SoundFX", 1), 0u);
    EXPECT_EQ(sounds->PlaySoundFX(u"snare", 3, 1.0f), nullptr);
    sounds->SetSoundFX(1);
    EXPECT_NE(sounds->PlaySoundFX(u"snare", 3, 1.0f), nullptr);
}

TEST_F(SoundManagerTest, NothingIsReadOrOpenedBeforeFirstUse) {
    // A manager that is built and destroyed unused (as at static initialisation) leaves the
    // output and the settings alone.
    platform::Audio().SetMasterVolume(0x12341234);
    {
        VGSoundManager unused;
        unused.GetSound(u"snare", EffectsFolder);
    }
    EXPECT_EQ(platform::Audio().MasterVolume(), 0x12341234u);
    EXPECT_EQ(ReadOption(u"MasterVolume", 77), 77u);
}

TEST_F(SoundManagerTest, SoundsWithDamagedHeadersAreMixedSafelyOrNotAtAll) {
    // Every format field set to values a damaged file can carry; each sound is played and
    // mixed into a WAV so that the mixer meets whatever a device accepted.
    platform::SetAudioOutput(
        platform::CreateHeadlessAudioOutput(clock, "", (temp.Path() / "damaged.wav").string()));
    const struct {
        size_t offset, size;
        uint32_t value;
    } fields[] = {{20, 2, 0},      {20, 2, 3}, {22, 2, 0},  {22, 2, 3},
                  {22, 2, 0xFFFF}, {24, 4, 0}, {24, 4, 1},  {24, 4, 0xFFFFFFFF},
                  {24, 4, 192000}, {32, 2, 0}, {32, 2, 1},  {32, 2, 0xFFFF},
                  {34, 2, 0},      {34, 2, 8}, {34, 2, 24}, {34, 2, 0xFFFF}};
    int played = 0;
    for (size_t i = 0; i < std::size(fields); ++i) {
        auto image = ToneImage(1, 22050, 16, 1001);
        for (size_t b = 0; b < fields[i].size; ++b)
            image[fields[i].offset + b] = uint8_t(fields[i].value >> (8 * b));
        std::string name = "damaged" + std::to_string(i);
        WriteSoundFile(temp, "soundfx", name, image);
        if (sounds->PlaySound(Wide(name.c_str()), 3, 1.0f)) ++played;
        clock.Advance(30);
    }
    clock.Advance(2000);
    EXPECT_FALSE(IsChannelPlaying(sounds->Channel(1)));
    EXPECT_EQ(played, 1); // only the 192 kHz one still describes a playable format
}
