// The two playback clocks: the segment loop with its metronome, and the track sequencer at
// several tempos and speeds, forward, fast forward and rewind, once and looping, as sounds
// and as strokes on the kit.
#include "game/machine/Sequencer.h"
#include "game/drumkit/DrumKit.h"
#include "tests/machine/MachineTestSupport.h"

#include <gtest/gtest.h>

namespace {

struct Stroke {
    uint32_t time; // ms since the first tick
    std::string name;
};

class SequencerTest : public testing::Test {
protected:
    SequencerTest() { out.sounds = &sounds; }

    // Runs ticks of frame ms until time reaches until; the strokes heard with their times.
    std::vector<Stroke> Play(Track& track, uint32_t until, uint32_t frame,
                             SequencerInput input = {}, uint32_t* endedAt = nullptr) {
        std::vector<Stroke> strokes;
        input.frameDelta = frame;
        for (uint32_t time = 0; time <= until; time += frame) {
            sounds.heard.clear();
            const uint32_t ended = SequencerTick(track, input, out);
            for (const Heard& h : sounds.heard) strokes.push_back({time, h.name});
            if (ended && endedAt) {
                *endedAt = time;
                break;
            }
        }
        return strokes;
    }

    // One bass stroke on each beat of a 16-step segment.
    static Segment* Beats(uint32_t slot, uint32_t tempo = 120) {
        Segment* segment = MakeSegment(slot, 16, tempo);
        for (uint32_t step = 0; step < 16; step += 4) Cell(*segment, Bass, step) = 1;
        return segment;
    }

    RecordedSounds sounds;
    MachineOutput out;
};

TEST_F(SequencerTest, SegmentLoopStepsAndMetronome) {
    Segment* segment = MakeSegment(1, 16, 120); // 125 ms steps
    Cell(*segment, Snare, 2) = 1;
    Cell(*segment, Crash, 2) = 1;
    SegmentLoop loop;
    std::vector<std::pair<uint32_t, std::string>> heard;
    for (uint32_t t = 1; t <= 2000; ++t) {
        sounds.heard.clear();
        SegmentLoopTick(loop, *segment, 1, true, out);
        for (const Heard& h : sounds.heard) heard.push_back({t, h.name});
    }
    // Clicks on steps 0 (loud), 4, 8, 12; the struck cells of step 2 in row order; the loop
    // comes back to step 0 after its 2000 ms.
    const std::vector<std::pair<uint32_t, std::string>> expected = {
        {1, "metronomeLoud"}, {250, "snare"},      {250, "crash"},          {500, "metronome"},
        {1000, "metronome"},  {1500, "metronome"}, {2000, "metronomeLoud"},
    };
    EXPECT_EQ(heard, expected);
    ASSERT_EQ(sounds.heard.size(), 1u);
    EXPECT_EQ(sounds.heard[0].priority, 0);

    // Drums restart at the kit's priority; without the metronome only drums sound.
    RestartLoop(loop);
    sounds.heard.clear();
    for (uint32_t t = 1; t <= 2000; ++t) SegmentLoopTick(loop, *segment, 1, false, out);
    ASSERT_EQ(sounds.Names(), (std::vector<std::string>{"snare", "crash"}));
    EXPECT_TRUE(sounds.heard[0].restart);
    EXPECT_EQ(sounds.heard[0].priority, 3);

    // Six steps: the loud click at step 0 and the normal one at step 4 only.
    segment->steps = 6;
    Cell(*segment, Snare, 2) = Cell(*segment, Crash, 2) = 0;
    RestartLoop(loop);
    sounds.heard.clear();
    SegmentLoopTick(loop, *segment, 0, true, out);
    for (uint32_t t = 1; t < 750; ++t) SegmentLoopTick(loop, *segment, 1, true, out);
    EXPECT_EQ(sounds.Names(), (std::vector<std::string>{"metronomeLoud", "metronome"}));

    // Lowering steps below the current step wraps at once.
    segment->steps = 16;
    RestartLoop(loop);
    SegmentLoopTick(loop, *segment, 1000, false, out);
    EXPECT_EQ(loop.lastStep, 8);
    segment->steps = 4;
    SegmentLoopTick(loop, *segment, 1, false, out);
    EXPECT_LT(loop.lastStep, 4);
    delete segment;
}

TEST_F(SequencerTest, OneEntryAtSeveralSpeedsEndsOrLoops) {
    Track track;
    BuildTrack(track, {{Beats(1), 1}});
    uint32_t endedAt = 0;
    auto strokes = Play(track, 10000, 10, {}, &endedAt);
    // The first step sounds on the very first tick; beats every 500 ms.
    ASSERT_EQ(strokes.size(), 4u);
    for (uint32_t i = 0; i < 4; ++i) EXPECT_EQ(strokes[i].time, i * 500);
    EXPECT_EQ(strokes[0].name, "bass");
    // The first tick does not advance: position equals the time, and the end is reported on
    // the tick that reaches 2000 ms.
    EXPECT_EQ(endedAt, 2000u);
    EXPECT_EQ(track.position, 0.0f);
    EXPECT_EQ(track.lastStep, -1);
    EXPECT_EQ(ElapsedMs(track), 0);

    // Half speed: twice the real time; elapsed counts real time.
    track.speed = 50;
    ResetPosition(track);
    strokes = Play(track, 10000, 10, {}, &endedAt);
    ASSERT_EQ(strokes.size(), 4u);
    EXPECT_EQ(strokes[1].time, 1000u);
    EXPECT_EQ(endedAt, 4000u);
    ResetPosition(track);
    SequencerInput input;
    input.frameDelta = 10;
    for (int i = 0; i <= 200; ++i) SequencerTick(track, input, out);
    EXPECT_FLOAT_EQ(track.position, 1000.0f);
    EXPECT_EQ(ElapsedMs(track), 2000);

    // Double speed, looping: never ends, keeps the overshoot in entry 0.
    track.speed = 200;
    ResetPosition(track);
    input.loop = true;
    strokes = Play(track, 3000, 30, input, &endedAt);
    EXPECT_EQ(strokes.size(), 13u); // beats at 0, 270, 510, ... over three passes
    EXPECT_EQ(track.entryIndex, 0u);
    EXPECT_FLOAT_EQ(track.position, float((3000 / 30) * 60 % 2000));
}

TEST_F(SequencerTest, EntriesAndRepeatsPlayInOrderAtTheirOwnTempo) {
    Segment* slow = MakeSegment(1, 4, 60); // 250 ms steps, 1000 ms
    Cell(*slow, Snare, 0) = 1;
    Segment* fast = MakeSegment(2, 4, 240); // 62.5 ms steps, 250 ms
    Cell(*fast, Ride, 1) = 1;
    Track track;
    BuildTrack(track, {{slow, 2}, {nullptr, 3}, {fast, 1}});
    EXPECT_EQ(TotalDurationMs(track), 2250);
    uint32_t endedAt = 0;
    auto strokes = Play(track, 5000, 1, {}, &endedAt);
    ASSERT_EQ(strokes.size(), 3u);
    EXPECT_EQ(strokes[0].time, 0u);
    EXPECT_EQ(strokes[1].time, 1000u);
    EXPECT_EQ(strokes[2].name, "ride"); // the empty entry passes in no time
    EXPECT_EQ(strokes[2].time, 2063u);
    EXPECT_EQ(endedAt, 2250u);
}

TEST_F(SequencerTest, TracksWithoutSoundNeitherMoveNorEnd) {
    Track track;
    BuildTrack(track, {{nullptr, 4}, {nullptr, 1}});
    SequencerInput input;
    input.frameDelta = 200;
    input.mode = ModeFastForward;
    for (int i = 0; i < 50; ++i) EXPECT_EQ(SequencerTick(track, input, out), 0u);
    EXPECT_EQ(track.position, 0.0f);
    EXPECT_EQ(track.entryIndex, 0u);
    EXPECT_TRUE(sounds.heard.empty());
}

TEST_F(SequencerTest, PausingHoldsTheStepAndResumesWithTheNext) {
    Track track;
    Segment* segment = MakeSegment(1);
    for (uint32_t step = 0; step < 16; ++step) Cell(*segment, Snare, step) = 1;
    BuildTrack(track, {{segment, 1}});
    SequencerInput input;
    input.frameDelta = 100;
    SequencerTick(track, input, out);
    SequencerTick(track, input, out); // step 0 at 0 ms, then position 100 still in step 0
    EXPECT_EQ(sounds.heard.size(), 1u);
    input.paused = true;
    for (int i = 0; i < 10; ++i) SequencerTick(track, input, out);
    EXPECT_FLOAT_EQ(track.position, 100.0f);
    EXPECT_EQ(sounds.heard.size(), 1u);
    input.paused = false;
    SequencerTick(track, input, out);
    EXPECT_EQ(track.lastStep, 1);
    EXPECT_EQ(sounds.heard.size(), 2u);
}

TEST_F(SequencerTest, FastForwardHoldsAtTheEndAndRewindAtTheStart) {
    Track track;
    BuildTrack(track, {{Beats(1), 2}, {Beats(2, 60), 1}}); // 2000 x 2, then 4000
    SequencerInput input;
    input.frameDelta = 100;
    input.mode = ModeFastForward;
    input.paused = true;
    for (int i = 0; i < 20; ++i) EXPECT_EQ(SequencerTick(track, input, out), 0u);
    EXPECT_EQ(track.entryIndex, 1u);
    EXPECT_EQ(track.repeatIndex, 0u);
    EXPECT_FLOAT_EQ(track.position, 4000.0f);
    EXPECT_EQ(ElapsedMs(track), 8000);
    EXPECT_TRUE(sounds.heard.empty()); // moving while paused is silent

    // The next normal tick ends the track (or wraps it when looping).
    input.mode = ModeNormal;
    input.paused = false;
    EXPECT_EQ(SequencerTick(track, input, out), 1u);
    EXPECT_EQ(track.entryIndex, 0u);
    EXPECT_EQ(track.position, 0.0f);

    // Rewind from 500 ms into entry 1 goes back through entry 0's last repeat.
    track.entryIndex = 1;
    track.position = 500.0f;
    input.mode = ModeRewind;
    SequencerTick(track, input, out); // 1000 ms back
    EXPECT_EQ(track.entryIndex, 0u);
    EXPECT_EQ(track.repeatIndex, 1u);
    EXPECT_FLOAT_EQ(track.position, 1500.0f);
    for (int i = 0; i < 10; ++i) SequencerTick(track, input, out);
    EXPECT_EQ(track.entryIndex, 0u);
    EXPECT_EQ(track.repeatIndex, 0u);
    EXPECT_EQ(track.position, 0.0f);
    EXPECT_EQ(ElapsedMs(track), 0);
}

TEST_F(SequencerTest, ShortenedTrackStartsAgainAndLongFramesFireOneStep) {
    Track track;
    Segment* segment = MakeSegment(1, 16, 400);
    for (uint32_t step = 0; step < 16; ++step) Cell(*segment, HihatClose, step) = 1;
    BuildTrack(track, {{segment, 1}});
    track.entryIndex = 3;
    track.position = 50.0f;
    SequencerInput input;
    input.frameDelta = 100;
    input.loop = true;
    SequencerTick(track, input, out);
    EXPECT_EQ(track.entryIndex, 0u);
    for (int i = 0; i < 10; ++i) {
        sounds.heard.clear();
        SequencerTick(track, input, out);
        EXPECT_EQ(sounds.heard.size(), 1u) << i;
    }
}

TEST_F(SequencerTest, VisualiseStrikesTheKitOnItsClock) {
    DrumKit kit;
    kit.sounds = &sounds;
    kit.mode = MachineDriven;
    for (uint32_t piece = 0; piece < kPieceCount; ++piece)
        kit.pieces[piece].soundName = RowSoundName(piece);
    out.kit = &kit;
    out.now = 12345;
    Track track;
    Segment* segment = MakeSegment(1);
    Cell(*segment, Crash, 0) = 1;
    Cell(*segment, TomHi, 0) = 1;
    BuildTrack(track, {{segment, 1}});
    SequencerInput input;
    input.visualise = true;
    input.frameDelta = 10;
    SequencerTick(track, input, out);
    EXPECT_EQ(kit.clock, 12345);
    EXPECT_EQ(kit.pieces[Crash].lastHit, 12345);
    EXPECT_EQ(kit.pieces[TomHi].lastHit, 12345);
    EXPECT_EQ(kit.pieces[Bass].lastHit, kNeverHit);
    EXPECT_EQ(kit.lastPiece, uint32_t(Crash));
    EXPECT_EQ(sounds.Names(), (std::vector<std::string>{"tom_hi", "crash"}));
}

TEST_F(SequencerTest, FiredStepsAreHeardOnTheirGridAndAStallPlaysAtOnce) {
    // Tempo 400 (37.5 ms steps) on 100 ms frames: one step per tick, the others skipped, and
    // each fired step scheduled where it began plus the look-ahead.
    Track track;
    Segment* segment = MakeSegment(1, 16, 400);
    for (uint32_t step = 0; step < 16; ++step) Cell(*segment, HihatClose, step) = 1;
    BuildTrack(track, {{segment, 1}});
    SequencerInput input;
    input.frameDelta = 100;
    input.loop = true;
    std::vector<double> due;
    for (uint32_t now = 1100; now <= 1500; now += 100) {
        out.now = now;
        sounds.heard.clear();
        SequencerTick(track, input, out);
        ASSERT_EQ(sounds.heard.size(), 1u);
        ASSERT_TRUE(sounds.heard[0].start.scheduled);
        due.push_back(sounds.heard[0].start.at - kStrokeLookAheadMs);
    }
    // The first tick plays position 0 at 1100; positions 100..400 ms fire steps 2, 5, 8 and
    // 10, each due when it began, not at the frame that fires it.
    const double steps[] = {0, 2, 5, 8, 10};
    for (size_t i = 0; i < due.size(); ++i)
        EXPECT_NEAR(due[i], 1100.0 + steps[i] * 37.5, 0.01) << i;

    // The segment loop at 120 BPM on 16/17 ms frames: every step, each on the 125 ms grid.
    SegmentLoop loop;
    Segment hats = *segment;
    hats.tempo = 120;
    sounds.heard.clear();
    uint32_t now = 2000;
    const uint32_t frames[] = {16, 17, 17};
    for (int f = 0; now < 2000 + 1999; ++f) {
        now += frames[f % 3];
        out.now = now;
        SegmentLoopTick(loop, hats, frames[f % 3], false, out);
    }
    ASSERT_EQ(sounds.heard.size(), 17u); // the second pass has begun
    for (size_t i = 0; i < sounds.heard.size(); ++i)
        EXPECT_NEAR(sounds.heard[i].start.at, 2000.0 + 125.0 * double(i) + kStrokeLookAheadMs, 0.01)
            << i;
}

// A 29-byte track file once froze the program for 3 s a pass: a segment, then an entry
// without one repeated 2^32 - 1 times, walked one repeat at a time.
TEST_F(SequencerTest, HugeRepeatCountsPassInOneStepEitherWay) {
    SaveFolder save;
    Segment* beats = Beats(1);
    ASSERT_TRUE(Save(*beats));
    delete beats;
    auto u32 = [](uint32_t v) {
        return std::string{char(v), char(v >> 8), char(v >> 16), char(v >> 24)};
    };
    const std::string head = "trk01" + u32(100);
    const std::string entries = u32(1) + u32(1) + u32(0xFFFFFFFF) + u32(0xFFFFFFFF);
    save.Write("1.tbt", head + u32(2) + entries);
    Track track;
    track.slot = 1;
    Reset(track);
    ASSERT_TRUE(Load(track));
    uint32_t endedAt = 0;
    Play(track, 5000, 100, {}, &endedAt);
    EXPECT_EQ(endedAt, 2000u) << "over the empty entry at once, then the end";
    SequencerInput looping;
    looping.loop = true;
    Play(track, 2400, 100, looping);
    EXPECT_EQ(track.entryIndex, 0u);
    EXPECT_FLOAT_EQ(track.position, 400.0f);

    // The same with a third entry: the segment again, 2^32 - 1 times.
    save.Write("1.tbt", head + u32(3) + entries + u32(1) + u32(0xFFFFFFFF));
    Reset(track);
    ASSERT_TRUE(Load(track));
    SequencerInput input;
    input.loop = true;
    input.frameDelta = 100;
    // Through entry 0, over entry 1 at once, then 2^32 - 1 passes of entry 2 to choose from.
    for (int i = 0; i < 25; ++i) SequencerTick(track, input, out);
    EXPECT_EQ(track.entryIndex, 2u);
    EXPECT_EQ(track.repeatIndex, 0u);
    // Fast forward over many passes of it at once.
    input.mode = ModeFastForward;
    input.frameDelta = 200;
    for (int i = 0; i < 10; ++i) SequencerTick(track, input, out);
    EXPECT_EQ(track.entryIndex, 2u);
    EXPECT_EQ(track.repeatIndex, 10u);
    // Rewind back through those passes and over entry 1 again, to entry 0.
    input.mode = ModeRewind;
    for (int i = 0; i < 11; ++i) SequencerTick(track, input, out);
    EXPECT_EQ(track.entryIndex, 0u);
    EXPECT_EQ(track.repeatIndex, 0u);
    EXPECT_GT(track.position, 0.0f);
    EXPECT_EQ(TotalDurationMs(track), INT32_MAX) << "saturates";
}

} // namespace
