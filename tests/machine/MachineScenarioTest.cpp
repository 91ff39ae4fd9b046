// The whole program run headless on a data folder holding one saved segment and one saved
// track: drum-machine menu, the track choice in play mode, the play screen, a tap on play.
// The audio log must show the segment's strokes at their times, twice over, and nothing
// after the track's end; the frames must show the time line change and the play button turn
// into pause and back.
#include "tests/support/ScenarioRun.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

std::string U32(uint32_t v) {
    std::string bytes(4, '\0');
    for (int i = 0; i < 4; ++i) bytes[i] = char((v >> (8 * i)) & 0xFF);
    return bytes;
}

// Slot 3: 16 steps at 120 (125 ms steps): bass on 0, snare on 4, closed hi-hat on 10.
std::string SegmentFile() {
    std::vector<uint32_t> grid(9 * 64, 0);
    grid[3 * 64 + 0] = 1;
    grid[4 * 64 + 4] = 1;
    grid[8 * 64 + 10] = 1;
    std::string bytes = "beat3" + U32(16) + U32(120);
    for (uint32_t cell : grid) bytes += U32(cell);
    return bytes;
}

constexpr uint32_t kFrameMs = 16;
constexpr uint32_t kPlayTap = 10500;
// On the 480 x 640 picture: the bottom row of 48-pixel buttons around the 160-wide bar.
constexpr int32_t kPlayX = 240 - 80 - 24, kButtonY = 640 - 24;

TEST(MachineScenarioTest, PlayingASavedTrackSoundsItsSegmentInTime) {
    ScenarioRun run;
    run.WriteUserFile("save/3.tbs", SegmentFile());
    run.WriteUserFile("save/2.tbt", "song2" + U32(100) + U32(1) + U32(3) + U32(2));
    run.ChooseLanguage();
    std::ostringstream script;
    script << "at 7000 key down / at 7200 key action\n" // main menu: drum machine
           << "at 8200 key action\n"                    // play a track
           << "at 9200 key action\n"                    // the one saved track
           << "at 10200 shot rest.png\n"
           << "at " << kPlayTap << " tap " << kPlayX << " " << kButtonY << "\n"
           << "at 12000 shot playing.png\n"
           << "at 16000 shot ended.png\n"
           << "at 16500 quit\n";
    ASSERT_EQ(run.Run(script.str()), 0);
    EXPECT_FALSE(run.ErrorLogged());

    std::vector<HeardSound> drums;
    for (const HeardSound& s : run.Heard())
        if (s.ms >= kPlayTap && s.channel != 0) drums.push_back(s); // channel 0: the music
    // The clicks of the button itself go first.
    while (!drums.empty() && drums.front().name != "bass") drums.erase(drums.begin());
    const struct {
        const char* name;
        uint32_t offset;
    } expected[] = {{"bass", 0},    {"snare", 500},  {"hihat_close", 1250},
                    {"bass", 2000}, {"snare", 2500}, {"hihat_close", 3250}};
    ASSERT_EQ(drums.size(), std::size(expected));
    const uint32_t start = drums[0].ms;
    EXPECT_LE(start, kPlayTap + 2 * kFrameMs);
    for (size_t i = 0; i < drums.size(); ++i) {
        EXPECT_EQ(drums[i].name, expected[i].name) << i;
        // A step sounds on the first frame at or after its time.
        EXPECT_GE(drums[i].ms, start + expected[i].offset) << i;
        EXPECT_LT(drums[i].ms, start + expected[i].offset + kFrameMs) << i;
        EXPECT_EQ(drums[i].priority, 3) << i;
    }

    // While playing, the time line and the play/pause button differ from the picture at
    // rest; after the end both are back as they were at rest (the ticker moves on, so only
    // the button is compared exactly).
    const Frame rest = run.Shot("rest.png"), playing = run.Shot("playing.png"),
                ended = run.Shot("ended.png");
    ASSERT_EQ(rest.width, 480);
    const int32_t barTop = 640 - 48;
    EXPECT_GT(rest.Differences(playing, 160, barTop, 320, 640), 50);
    EXPECT_GT(rest.Differences(playing, kPlayX - 24, barTop, kPlayX + 24, 640), 50);
    EXPECT_EQ(rest.Differences(ended, kPlayX - 24, barTop, kPlayX + 24, 640), 0);
    // The rest of the screen stays as it was.
    EXPECT_EQ(rest.Differences(playing, 0, 100, 480, barTop - 10), 0);
}

} // namespace

// Slot 4: sixteen closed hi-hats at 120, one on every 125 ms step.
std::string HihatLineFile() {
    std::vector<uint32_t> grid(9 * 64, 0);
    for (uint32_t step = 0; step < 16; ++step) grid[8 * 64 + step] = 1;
    std::string bytes = "hats4" + U32(16) + U32(120);
    for (uint32_t cell : grid) bytes += U32(cell);
    return bytes;
}

TEST(MachineScenarioTest, StrokesStruckOnTheKitLandOnTheGridWhateverTheFrames) {
    // With the kit on screen every frame takes 16 ms, so steps fire up to 15 ms after their
    // time; each is heard at its time plus the look-ahead all the same.
    ScenarioRun run;
    run.WriteUserFile("save/4.tbs", HihatLineFile());
    run.WriteUserFile("save/2.tbt", "song2" + U32(100) + U32(1) + U32(4) + U32(1));
    run.Preset({{"Language", 0}, {"Visualise", 1}});
    std::ostringstream script;
    script << "at 7000 key down / at 7200 key action\n"
           << "at 8200 key action\n"
           << "at 9200 key action\n"
           << "at " << kPlayTap << " tap " << kPlayX << " " << kButtonY << "\n"
           << "at 14000 quit\n";
    ASSERT_EQ(run.Run(script.str()), 0);
    std::vector<uint32_t> hats;
    for (uint32_t ms : run.Heard("hihat_close"))
        if (ms >= kPlayTap) hats.push_back(ms);
    ASSERT_EQ(hats.size(), 16u);
    for (size_t i = 0; i < hats.size(); ++i) {
        const int32_t error = int32_t(hats[i] - hats[0]) - int32_t(125 * i);
        EXPECT_LE(error < 0 ? -error : error, 1) << i;
    }
}
