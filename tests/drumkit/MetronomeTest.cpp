// The free-play metronome on the kit's clock: tick times and accents, the tempo limits, the
// switch and the tempo text's lamp.
#include "game/drumkit/Metronome.h"
#include "game/drumkit/DrumKit.h"
#include "tests/drumkit/KitTestData.h"

#include <gtest/gtest.h>

namespace {

class MetronomeTest : public testing::Test {
protected:
    void SetUp() override { kit.sounds = &sounds; }
    // Runs frames of the given length until the clock reaches until; the ticks heard.
    std::vector<PlayedSound> Run(int32_t until, int32_t frame, uint32_t on = 1) {
        sounds.played.clear();
        KitInput in;
        in.frameDelta = frame;
        in.metronome = on;
        while (kit.clock < until) UpdateKit(kit, in);
        return sounds.played;
    }

    DrumKit kit;
    RecordingSounds sounds{kit};
};

TEST_F(MetronomeTest, At120TicksEvery500MsWithEveryFourthAccented) {
    // A first frame of 0 ms: the first tick sounds at once after the reset.
    KitInput first;
    UpdateKit(kit, first);
    std::vector<PlayedSound> ticks = sounds.played;
    auto more = Run(4000, 10);
    ticks.insert(ticks.end(), more.begin(), more.end());
    ASSERT_EQ(ticks.size(), 9u); // 0, 500, ... 4000
    for (size_t i = 0; i < ticks.size(); ++i) {
        EXPECT_EQ(ticks[i].clock, int32_t(i) * 500) << i;
        EXPECT_EQ(ticks[i].name, i % 4 == 0 ? "metronomeLoud" : "metronome") << i;
        EXPECT_EQ(ticks[i].priority, 0);
    }
    // A frame spanning two beats plays one tick; the next frame catches up.
    EXPECT_EQ(Run(5000, 1000).size(), 1u);
    EXPECT_EQ(Run(5001, 1).size(), 1u);
}

TEST_F(MetronomeTest, TempoLimitsAndTheirBeatLengths) {
    TempoUp(kit, 1000);
    EXPECT_EQ(kit.tempo, 400);
    EXPECT_EQ(BeatLength(kit), 150);
    auto ticks = Run(1201, 1);
    ASSERT_EQ(ticks.size(), 9u);
    EXPECT_EQ(ticks[8].clock, 1200);
    EXPECT_EQ(ticks[4].name, "metronomeLoud");

    ResetClock(kit);
    TempoDown(kit, 1000);
    EXPECT_EQ(kit.tempo, 10);
    EXPECT_EQ(BeatLength(kit), 6000);
    ticks = Run(24001, 50);
    ASSERT_EQ(ticks.size(), 5u);
    EXPECT_EQ(ticks[1].clock, 6000);
    EXPECT_EQ(ticks[4].clock, 24000);
    EXPECT_EQ(ticks[4].name, "metronomeLoud");

    kit.tempo = 15;
    TempoDown(kit, 10);
    EXPECT_EQ(kit.tempo, 10);
    kit.tempo = 395;
    TempoUp(kit, 10);
    EXPECT_EQ(kit.tempo, 400);
}

TEST_F(MetronomeTest, TempoChangeRestartsTheBarAtOnce) {
    Run(1700, 10);
    Strike(kit, Snare);
    TempoUp(kit, 1);
    EXPECT_EQ(kit.tempo, 121);
    EXPECT_EQ(kit.clock, 0);
    EXPECT_EQ(kit.nextBeat, 0);
    EXPECT_EQ(kit.pieces[Snare].lastHit, kNeverHit);
    auto ticks = Run(1, 1);
    ASSERT_EQ(ticks.size(), 1u);
    EXPECT_EQ(ticks[0].name, "metronomeLoud");
}

TEST_F(MetronomeTest, SwitchedOffItIsSilentButKeepsTheBeat) {
    auto ticks = Run(1300, 10, 0);
    EXPECT_TRUE(ticks.empty());
    EXPECT_EQ(kit.nextBeat, 1500);
    EXPECT_EQ(TempoText(kit, 0)[0], kLampOff);
    // Switched back on mid-bar, the next tick is a plain one on the old grid.
    ticks = Run(1500, 10, 1);
    ASSERT_EQ(ticks.size(), 1u);
    EXPECT_EQ(ticks[0].clock, 1500);
    EXPECT_EQ(ticks[0].name, "metronome");
    // The games bring their own clicks.
    kit.mode = RhythmMaster;
    EXPECT_TRUE(Run(4000, 10).empty());
}

TEST_F(MetronomeTest, KeepsTheBeatWhenTheClockWraps) {
    // Weeks of free play without a tempo change: the clock passes its largest value.
    kit.clock = 2147483000 - 1;
    kit.nextBeat = 2147483000;
    sounds.played.clear();
    KitInput in;
    in.frameDelta = 10;
    for (int i = 0; i < 201; ++i) UpdateKit(kit, in);
    ASSERT_EQ(sounds.played.size(), 5u);
    for (size_t i = 1; i < sounds.played.size(); ++i)
        EXPECT_EQ(KitTimeSince(sounds.played[i].clock, sounds.played[i - 1].clock), 500) << i;
    // A piece struck before the wrap is 110 ms old after it, not 4 billion.
    kit.clock = 2147483647 - 50;
    Strike(kit, Snare);
    UpdateKit(kit, in);
    in.frameDelta = 100;
    UpdateKit(kit, in);
    EXPECT_LT(kit.clock, 0);
    EXPECT_EQ(KitTimeSince(kit.clock, kit.pieces[Snare].lastHit), 110);
}

TEST_F(MetronomeTest, TempoTextLightsTheLampForTheFirst100Ms) {
    auto lampAt = [&](int32_t clock) {
        Run(clock, 1);
        return TempoText(kit, 1)[0];
    };
    EXPECT_EQ(lampAt(0), kLampOff); // no frame has run: no tick yet
    EXPECT_EQ(lampAt(1), kLampAccent);
    EXPECT_EQ(lampAt(99), kLampAccent);
    EXPECT_EQ(lampAt(100), kLampOff);
    EXPECT_EQ(lampAt(500), kLampBeat);
    EXPECT_EQ(lampAt(599), kLampBeat);
    EXPECT_EQ(lampAt(600), kLampOff);
    EXPECT_EQ(lampAt(2050), kLampAccent);
    EXPECT_EQ(TempoText(kit, 0)[0], kLampOff);

    VGString text = TempoText(kit, 1);
    EXPECT_EQ(text.Length(), 5u);
    EXPECT_TRUE(VGString(text.Data() + 1) == u" 120");
    kit.tempo = 400;
    EXPECT_TRUE(VGString(TempoText(kit, 1).Data() + 1) == u" 400");
    kit.tempo = 10;
    EXPECT_TRUE(VGString(TempoText(kit, 1).Data() + 1) == u"  10");
}

} // namespace
