// The real program run headless through both games: a wrong stroke in the memory game ends
// it with the "incorrect" sound and the game-over screen, and the first rhythm level played
// in time by script reaches the level-complete screen and, left on the next level's
// introduction, is saved for resuming.
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

std::string U32s(std::initializer_list<uint32_t> values) {
    std::string out;
    for (uint32_t v : values)
        for (int b = 0; b < 4; ++b) out += char((v >> (8 * b)) & 0xFF);
    return out;
}

// The bass drum's front head on the 480 x 640 screen: no other piece lies under it.
constexpr int32_t kBassX = 240, kBassY = 400;

TEST(GameScenario, AWrongStrokeInTheMemoryGameEndsItWithTheIncorrectSound) {
    ScenarioRun run;
    run.ChooseLanguage();
    std::ostringstream script;
    script << "at 7000 key action\n"                     // main menu: play
           << "at 8000 key down\nat 8200 key action\n"   // the memory game
           << "at 8800 shot intro.png\n"                 // its introduction
           << "at 9400 key action\n"                     // skipped after its first second
           << "at 9700 shot demo.png\n"                  // the kit demonstrates
           << "at 10900 shot turn.png\n"                 // the player's turn
           << "at 11000 tap " << kBassX << " " << kBassY // never part of the sequence
           << "\nat 11500 shot over.png\n"
           << "at 17000 shot results.png\n"
           << "at 17500 quit\n";
    ASSERT_EQ(run.Run(script.str()), 0);
    EXPECT_FALSE(run.ErrorLogged());

    const std::vector<HeardSound> log = run.Heard();
    const HeardSound* demonstrated = nullptr;
    const HeardSound* bass = nullptr;
    const HeardSound* incorrect = nullptr;
    for (const HeardSound& h : log) {
        if (!demonstrated &&
            (h.name == "snare" || h.name == "ride" || h.name == "crash" || h.name == "hihat_open"))
            demonstrated = &h;
        if (!bass && h.name == "bass") bass = &h;
        if (!incorrect && h.name == "incorrect") incorrect = &h;
    }
    // The one step of the first round sounds 500 ms into the kit screen.
    ASSERT_NE(demonstrated, nullptr);
    EXPECT_GE(demonstrated->ms, 9400u + 500u);
    EXPECT_LE(demonstrated->ms, 9400u + 500u + 48u);
    ASSERT_NE(bass, nullptr);
    ASSERT_NE(incorrect, nullptr);
    EXPECT_GE(incorrect->ms, 11000u);
    EXPECT_LE(incorrect->ms, 11000u + 32u);
    EXPECT_EQ(incorrect->priority, 4);

    // The turn indicator at the top changes when the player's turn begins; the game-over
    // ticker replaces the counter in the window; the results menu covers the kit.
    const Frame demo = run.Shot("demo.png"), turn = run.Shot("turn.png");
    const Frame over = run.Shot("over.png"), results = run.Shot("results.png");
    ASSERT_EQ(demo.width, 480);
    EXPECT_GT(demo.Differences(turn, 140, 0, 340, 60), 50);
    EXPECT_GT(turn.Differences(over, 140, 560, 340, 640), 50);
    EXPECT_GT(over.Differences(results, 0, 100, 480, 500), 5000);
    // Game over without a new high score: nothing to resume.
    EXPECT_EQ(run.ReadUserFile("resume.dat"), "");
}

TEST(GameScenario, TheFirstRhythmLevelPlayedInTimeIsCompleteAndSavedOnTheNext) {
    // The player's bass strokes of level 1, from the level file itself.
    fs::path levelFile = fs::path(TAMBORIX_PROGRAM).parent_path() / "level" / "1.lvc";
    LevelData level;
    ASSERT_TRUE(LoadLevelFile(VGString(platform::FromUtf8(levelFile.string()).c_str()), level));
    const uint32_t window = 2 * level.slotLength;
    std::vector<uint32_t> strokes; // kit clock at the middle of each player's step
    uint32_t steps = 0, playerStrokes = 0;
    for (const PatternStep* s = level.pattern; s; s = s->next, ++steps) {
        if (s->phase != PhasePlayer || s->piece == kRestPiece) continue;
        ASSERT_EQ(s->piece, 3u) << "the script strikes only the bass drum";
        strokes.push_back(steps * window + window / 2);
        ++playerStrokes;
    }
    FreeLevel(level);
    ASSERT_GT(playerStrokes, 0u);

    // The kit screen starts on the frame that takes the key at 9600; its clock counts from
    // there, give or take a frame, which the 240 ms windows absorb.
    constexpr uint32_t kKitStart = 9608;
    const uint32_t levelEnd = kKitStart + steps * window;
    std::ostringstream script;
    script << "at 7000 key action\n"                                     // play
           << "at 8000 key down\nat 8100 key down\nat 8400 key action\n" // the rhythm game
           << "at 9000 shot intro.png\n"
           << "at 9600 key action\n";
    for (uint32_t t : strokes)
        script << "at " << kKitStart + t << " tap " << kBassX << " " << kBassY << "\n";
    script << "at " << levelEnd + 600 << " shot complete.png\n"
           << "at " << levelEnd + 1000 << " key action\n" // continue
           << "at " << levelEnd + 1600 << " shot next.png\n"
           << "at " << levelEnd + 2000 << " quit\n";
    ScenarioRun run;
    run.ChooseLanguage();
    ASSERT_EQ(run.Run(script.str()), 0);
    EXPECT_FALSE(run.ErrorLogged());

    uint32_t bass = 0;
    for (const HeardSound& h : run.Heard()) {
        EXPECT_NE(h.name, "incorrect") << "at " << h.ms;
        bass += h.name == "bass";
    }
    // Every stroke is demonstrated and then played.
    EXPECT_EQ(bass, 2 * playerStrokes);

    // Left on the second level's introduction: saved with the level's score as its start.
    const uint32_t score = 10 * playerStrokes + 200;
    EXPECT_EQ(run.ReadUserFile("resume.dat"), U32s({2, 0, 0, score, score, 3, 2, 0}));
    EXPECT_NE(run.Registry().find("\"MaxLevel\"=hex:02,00,00,00"), std::string::npos);

    // The level-complete screen shows its score box over the kit, unlike the introduction.
    const Frame intro = run.Shot("intro.png"), complete = run.Shot("complete.png");
    const Frame next = run.Shot("next.png");
    EXPECT_GT(intro.Differences(complete, 0, 100, 480, 560), 1000);
    EXPECT_GT(complete.Differences(next, 0, 100, 480, 560), 1000);
}

} // namespace
