// The level scores in assets/levels as baked, read back through the program's own reader.
#include "tools/bake/LevelScore.h"
#include "game/drumkit/LevelFile.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace {
const std::filesystem::path kGameDir = TBX_GAME_DIR;
}

TEST(LevelScore, BarsBecomeStepsWithClicksAndAClosingRest) {
    LevelScore score;
    std::string error;
    ASSERT_TRUE(ParseLevelScore("# comment\ntitle [4/4]\nslot 120\n"
                                "count ................\n"
                                "show  B.S.............  x..............X\n"
                                "play  FMTBSRCOH.......\n",
                                score, error))
        << error;
    EXPECT_EQ(score.title, "[4/4]");
    EXPECT_EQ(score.slotLength, 120u);
    ASSERT_EQ(score.steps.size(), 49u);
    EXPECT_EQ(score.steps[0].click, 1) << "a bar clicks X...x...x...x... by default";
    EXPECT_EQ(score.steps[4].click, 2);
    EXPECT_EQ(score.steps[1].click, 0);
    EXPECT_EQ(score.steps[0].phase, 2);
    EXPECT_EQ(score.steps[16].piece, 3);
    EXPECT_EQ(score.steps[16].click, 2);
    EXPECT_EQ(score.steps[31].click, 1);
    EXPECT_EQ(score.steps[18].piece, 4);
    EXPECT_EQ(score.steps[16].phase, 0);
    for (uint8_t piece = 0; piece < 9; ++piece) EXPECT_EQ(score.steps[32 + piece].piece, piece);
    EXPECT_EQ(score.steps[32].phase, 1);
    EXPECT_EQ(score.steps[48].piece, 10);
    EXPECT_EQ(score.steps[48].phase, 0);
    EXPECT_EQ(score.steps[48].click, 0);
}

TEST(LevelScore, FaultsAreReportedWithTheLine) {
    const char* bad[] = {
        "title t\nslot 100\nshow B...\n",                              // short bar
        "title t\nslot 100\nshow B..............Q\n",                  // unknown letter
        "title t\nslot 100\nshow ................ X..y............\n", // bad click
        "title t\nslot 5\nshow ................\n",                    // slot too short
        "title t\nslot 100x\nshow ................\n",                 // not a number
        "slot 100\nshow ................\n",                           // no title
        "title t\nslot 100\n",                                         // no bars
        "title t\nslot 100\ntempo 3\n",                                // unknown keyword
    };
    for (const char* text : bad) {
        LevelScore score;
        std::string error;
        EXPECT_FALSE(ParseLevelScore(text, score, error)) << text;
        EXPECT_FALSE(error.empty());
    }
}

TEST(BakedLevels, EveryLevelReadsBackAsAPlayableProgression) {
    uint32_t previousSlot = 1000;
    for (uint32_t n = 1; n <= 24; ++n) {
        auto path = (kGameDir / "level" / (std::to_string(n) + ".lvc")).u16string();
        LevelData level;
        ASSERT_TRUE(LoadLevelFile(VGString(path.c_str()), level)) << "level " << n;
        EXPECT_FALSE(level.title.IsEmpty());
        EXPECT_LE(level.slotLength, previousSlot) << "levels never slow down, level " << n;
        EXPECT_GE(level.slotLength, 60u);
        previousSlot = level.slotLength;

        // A count-in bar, then shown and played bars of 16 steps in turn, then one rest.
        uint32_t length = PatternLength(level.pattern);
        ASSERT_EQ(length % 32, 17u) << "level " << n;
        uint32_t index = 0;
        uint32_t playerStrokes = 0;
        for (PatternStep* step = level.pattern; step; step = step->next, ++index) {
            EXPECT_TRUE(step->piece < kPieceCount || step->piece == kRestPiece);
            EXPECT_EQ(step->flags, 0u);
            uint32_t expectedPhase = index < 16                     ? PhaseCountIn
                                     : index == length - 1          ? PhaseDemo
                                     : ((index - 16) / 16) % 2 == 0 ? PhaseDemo
                                                                    : PhasePlayer;
            EXPECT_EQ(step->phase, expectedPhase) << "level " << n << " step " << index;
            if (index < 16) {
                EXPECT_EQ(step->piece, kRestPiece);
            }
            if (step->phase == PhasePlayer && step->piece != kRestPiece) ++playerStrokes;
            // The player's bar repeats the bar shown just before it.
            if (step->phase == PhasePlayer) {
                EXPECT_EQ(step->piece, PatternStepAt(level.pattern, index - 16)->piece);
            }
            if (index < length - 1 && index % 4 == 0) {
                EXPECT_NE(step->click, ClickNone);
            }
        }
        EXPECT_EQ(PatternStepAt(level.pattern, length - 1)->piece, kRestPiece);
        EXPECT_GT(playerStrokes, 0u);
        FreeLevel(level);
    }
}
