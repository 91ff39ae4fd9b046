// The real program run headless by keys alone: the first rhythm level struck with the space
// bar sounds and scores exactly as the same level tapped; a walk from the very first start
// through every menu, a rhythm game with a new high score, its name entry and the table,
// and back; and a segment built and saved in the editor by keys.
#include "game/drumkit/LevelFile.h"
#include "platform/Text.h"
#include "tests/support/ScenarioRun.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr int32_t kBassX = 240, kBassY = 400; // the bass drum's front head, 480 x 640

// Kit-clock times of the player's bass strokes in level 1, from the level file itself.
std::vector<uint32_t> LevelOneStrokes(uint32_t& length) {
    fs::path levelFile = fs::path(TAMBORIX_PROGRAM).parent_path() / "level" / "1.lvc";
    LevelData level;
    std::vector<uint32_t> strokes;
    length = 0;
    if (!LoadLevelFile(VGString(platform::FromUtf8(levelFile.string()).c_str()), level))
        return strokes;
    const uint32_t window = 2 * level.slotLength;
    uint32_t steps = 0;
    for (const PatternStep* s = level.pattern; s; s = s->next, ++steps)
        if (s->phase == PhasePlayer && s->piece == 3)
            strokes.push_back(steps * window + window / 2);
    length = steps * window;
    FreeLevel(level);
    return strokes;
}

// From the main menu (reached at start) into the rhythm game, the first level struck by
// stroke, then on to the second level's introduction.
std::string RhythmLevelOne(const std::string& stroke, uint32_t& end, uint32_t start = 7000) {
    uint32_t length = 0;
    std::vector<uint32_t> strokes = LevelOneStrokes(length);
    const uint32_t kitStart = start + 2608; // the frame that takes the key at start + 2600
    std::ostringstream script;
    script << "at " << start << " key return\n"
           << "at " << start + 1000 << " key down\nat " << start + 1100 << " key down\n"
           << "at " << start + 1400 << " key return\n"
           << "at " << start + 2600 << " key return\n";
    for (uint32_t t : strokes) script << "at " << kitStart + t << " " << stroke << "\n";
    end = kitStart + length;
    script << "at " << end + 1000 << " key return\n"; // level complete: continue
    return script.str();
}

TEST(KeyboardScenario, KeyStrokesSoundAndScoreExactlyAsTaps) {
    std::vector<std::vector<HeardSound>> heard;
    std::vector<std::string> saved;
    for (const std::string& stroke :
         {std::string("tap ") + std::to_string(kBassX) + " " + std::to_string(kBassY),
          std::string("key space")}) {
        uint32_t end = 0;
        std::string script = RhythmLevelOne(stroke, end);
        script += "at " + std::to_string(end + 2000) + " quit\n";
        ScenarioRun run;
        run.ChooseLanguage();
        ASSERT_EQ(run.Run(script), 0);
        EXPECT_FALSE(run.ErrorLogged());
        heard.push_back(run.Heard());
        saved.push_back(run.ReadUserFile("resume.dat"));
    }
    ASSERT_EQ(heard[0].size(), heard[1].size());
    for (size_t i = 0; i < heard[0].size(); ++i) {
        EXPECT_EQ(heard[0][i].name, heard[1][i].name) << i;
        EXPECT_EQ(heard[0][i].ms, heard[1][i].ms) << heard[0][i].name;
        EXPECT_EQ(heard[0][i].channel, heard[1][i].channel) << heard[0][i].name;
    }
    for (const HeardSound& h : heard[1]) EXPECT_NE(h.name, "incorrect") << h.ms;
    // Level 2 is reached with the same score: the resume file is the same.
    EXPECT_FALSE(saved[0].empty());
    EXPECT_EQ(saved[0], saved[1]);
}

TEST(KeyboardScenario, FromTheFirstStartThroughEveryMenuAndAHighScoreAndBack) {
    std::ostringstream script;
    script << "at 6000 key return\n"                                     // the language
           << "at 7000 key down\nat 7400 key down\nat 7800 key return\n" // settings
           << "at 8800 key return\n"                                     // options
           << "at 9800 key right\nat 10200 key left\nat 10600 key escape\n"
           << "at 11400 key down\nat 11800 key return\n"   // device information
           << "at 12800 key escape\nat 13600 key escape\n" // back to the main menu
           << "at 14400 key down\nat 14800 key return\n"   // the drum machine
           << "at 15800 key escape\n"
           << "at 16600 key down\nat 16900 key down\nat 17200 key down\n"
           << "at 17600 key return\nat 18600 key escape\n" // the high scores
           << "at 19400 key down\nat 19700 key down\nat 20000 key down\nat 20300 key down\n"
           << "at 20700 key return\nat 21700 key escape\n"; // the about pages
    uint32_t end = 0;
    script << RhythmLevelOne("key space", end, 22600);
    // The second level is left unplayed until the game is over; then the name entry.
    const uint32_t name = end + 2200 + 40000;
    script << "at " << end + 2200 << " key return\n"
           << "at " << name << " shot name.png\n"
           << "at " << name + 100 << " key up\n" // steps the first letter ...
           << "at " << name + 400 << " char a\nat " << name + 600 << " char b\n"
           << "at " << name + 800 << " char x\nat " << name + 1000 << " char backspace\n"
           << "at " << name + 1200 << " char c\n"     // ... which typing replaces
           << "at " << name + 1600 << " key return\n" // the table
           << "at " << name + 2600 << " shot table.png\n"
           << "at " << name + 2800 << " key return\n" // the results menu
           << "at " << name + 3800 << " key down\nat " << name + 4200 << " key return\n"
           << "at " << name + 5200 << " key escape\n"; // the main menu: the end
    ScenarioRun run;
    ASSERT_EQ(run.Run(script.str()), 0) << "the program did not end from the main menu";
    EXPECT_FALSE(run.ErrorLogged());
    EXPECT_TRUE(run.HasShot("name.png"));
    EXPECT_TRUE(run.HasShot("table.png"));
    // The result went into the rhythm table under the typed name.
    EXPECT_NE(run.Registry().find("61,62,63"), std::string::npos) << run.Registry();
    EXPECT_EQ(run.ReadUserFile("resume.dat"), "");
}

// A little-endian u32 of the file at byte offset.
uint32_t U32At(const std::string& bytes, size_t at) {
    uint32_t v = 0;
    for (int b = 3; b >= 0; --b) v = v << 8 | uint8_t(bytes[at + size_t(b)]);
    return v;
}

TEST(KeyboardScenario, ASegmentBuiltByKeysIsSavedOnLeaving) {
    ScenarioRun run;
    run.ChooseLanguage();
    const std::string script = "at 7000 key down\nat 7400 key return\n" // the drum machine
                               "at 8400 key down\nat 8800 key return\n" // edit segments
                               "at 9800 key return\n"                   // slot 1
                               "at 11000 key p\n"                       // the loop stops
                               "at 11200 key right\nat 11400 key return\n"
                               "at 11600 key down\nat 11800 key space\n"
                               "at 12000 key pagedown\nat 12200 key space\n" // the last step
                               "at 12400 key ]\nat 12600 key +\nat 12800 key +\n"
                               "at 13000 key escape\n"
                               "at 14000 quit\n";
    ASSERT_EQ(run.Run(script), 0);
    const std::string file = run.ReadUserFile("save/1.tbs");
    constexpr size_t kGrid = 5 + 4 + 4, kRowStride = 64 * 4;
    ASSERT_EQ(file.size(), kGrid + 9 * kRowStride);
    EXPECT_EQ(U32At(file, 5), 17u);            // one step more than the 16 of a new segment
    EXPECT_EQ(U32At(file, 9), 122u);           // two tempo steps up from 120
    EXPECT_EQ(U32At(file, kGrid + 4 * 1), 1u); // tom low, step 2
    EXPECT_EQ(U32At(file, kGrid + kRowStride + 4 * 1), 1u);  // tom mid, step 2
    EXPECT_EQ(U32At(file, kGrid + kRowStride + 4 * 15), 1u); // tom mid, step 16
    // While the loop stood still each struck cell sounded its row's drum, not the click.
    EXPECT_EQ(run.Heard("tom_low").size(), 1u);
    EXPECT_EQ(run.Heard("tom_mid").size(), 2u);
}

} // namespace
