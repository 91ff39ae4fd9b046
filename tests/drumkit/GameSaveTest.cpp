// What outlives a run: the high-score tables and game settings in the settings store, and the
// saved game in "resume.dat", including damaged values and files.
#include "game/drumkit/DrumKit.h"
#include "game/drumkit/GameRules.h"
#include "game/drumkit/HighScore.h"
#include "game/drumkit/ResumeFile.h"
#include "platform/RegistryStore.h"
#include "tests/drumkit/KitTestData.h"
#include "varnokengine/VGAppPath.h"
#include "varnokengine/VGError.h"
#include "varnokengine/VGRegistry.h"
#include "varnokengine/VGUserPath.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

HighScoreTable Table(uint32_t a, uint32_t b, uint32_t c) {
    HighScoreTable t;
    t.entries[0].result = a;
    t.entries[1].result = b;
    t.entries[2].result = c;
    t.entries[0].initials[0] = 'a';
    t.entries[1].initials[0] = 'b';
    t.entries[2].initials[0] = 'c';
    return t;
}

TEST(HighScoreTest, InsertionKeepsTheBestThreeAndTiesGoBelow) {
    HighScoreTable t = Table(50, 40, 30);
    t.entries[2].reserved = 0x5A;
    InsertHighScore(t, 40, "new");
    EXPECT_EQ(t.entries[0].result, 50u);
    EXPECT_EQ(t.entries[1].initials[0], 'b');
    EXPECT_EQ(std::string(t.entries[2].initials, 3), "new");
    EXPECT_EQ(t.entries[2].result, 40u);
    // The place keeps its own reserved byte.
    EXPECT_EQ(t.entries[2].reserved, 0x5A);

    HighScoreTable top = Table(50, 40, 30);
    InsertHighScore(top, 0xFFFFFFFF, "max");
    EXPECT_EQ(top.entries[0].result, 0xFFFFFFFFu);
    EXPECT_EQ(top.entries[1].initials[0], 'a');
    EXPECT_EQ(top.entries[2].initials[0], 'b');

    HighScoreTable full = Table(50, 40, 30);
    InsertHighScore(full, 30, "low");
    EXPECT_EQ(full.entries[2].initials[0], 'c');
    HighScoreTable fresh;
    EXPECT_EQ(HighScorePlace(fresh, 0), -1);
    EXPECT_EQ(HighScorePlace(fresh, 1), 0);
}

TEST(HighScoreTest, StartLevelStepsByFivesUpToTheMaxLevel) {
    uint32_t level = 1;
    std::string seen;
    for (int i = 0; i < 4; ++i) {
        seen += std::to_string(level) + " ";
        level = NextStartLevel(level, 12);
    }
    EXPECT_EQ(seen, "1 5 10 1 ");
    EXPECT_EQ(NextStartLevel(1, 4), 1u);
    EXPECT_EQ(NextStartLevel(0xFFFFFFFE, 0xFFFFFFFF), 1u);
    // The left arrow walks the same cycle backwards.
    EXPECT_EQ(PreviousStartLevel(1, 12), 10u);
    EXPECT_EQ(PreviousStartLevel(10, 12), 5u);
    EXPECT_EQ(PreviousStartLevel(5, 12), 1u);
    EXPECT_EQ(PreviousStartLevel(1, 4), 1u);
    EXPECT_EQ(PreviousStartLevel(7, 12), 1u);
}

class GameSaveTest : public testing::Test {
protected:
    void SetUp() override {
        ClearErrors();
        SetAppPath(VGString(temp.Wide().c_str()));
        SetUserPath(VGString(temp.Wide().c_str()));
        platform::SetRegistryPath((temp.Path() / "registry.reg").string());
        kit.sounds = &sounds;
    }
    void TearDown() override {
        platform::SetRegistryPath(std::string());
        ClearErrors();
    }
    std::string ResumeBytes() const { return temp.ReadFile("resume.dat"); }
    static std::string U32s(std::initializer_list<uint32_t> values) {
        std::string out;
        for (uint32_t v : values)
            for (int b = 0; b < 4; ++b) out += char((v >> (8 * b)) & 0xFF);
        return out;
    }

    TempFolder temp;
    DrumKit kit;
    RecordingSounds sounds{kit};
};

TEST_F(GameSaveTest, SettingsRoundTripAndBadValuesKeepDefaults) {
    // Nothing stored: the defaults, and a start level past the max level starts at 1.
    WriteOption(u"MaxLevel", 5);
    WriteOption(u"StartLevel", 7);
    uint8_t shortTable[10] = {};
    WriteValue(0, u"Highscores", u"MemoryMaster", shortTable, sizeof shortTable);
    LoadGameSettings(kit);
    EXPECT_EQ(kit.maxLevel, 5u);
    EXPECT_EQ(kit.startLevel, 1u);
    EXPECT_EQ(kit.memoryScores.entries[0].result, 0u);
    EXPECT_EQ(std::string(kit.defaultName, 3), "tbx");
    EXPECT_TRUE(kit.saveSettings);

    {
        DrumKit written;
        written.sounds = &sounds;
        written.saveSettings = true;
        written.maxLevel = 31;
        written.startLevel = 30;
        written.rhythmScores = Table(900, 560, 20);
        written.defaultName[0] = 'z';
    }
    DrumKit read;
    read.sounds = &sounds;
    LoadGameSettings(read);
    read.saveSettings = false;
    EXPECT_EQ(read.maxLevel, 31u);
    EXPECT_EQ(read.startLevel, 30u);
    EXPECT_EQ(read.rhythmScores.entries[1].result, 560u);
    EXPECT_EQ(read.rhythmScores.entries[2].initials[0], 'c');
    EXPECT_EQ(std::string(read.defaultName, 3), "zbx");
    uint8_t bytes[kHighScoreTableBytes] = {};
    uint32_t size = sizeof bytes;
    ASSERT_TRUE(ReadValue(0, u"Highscores", u"RhythmMaster", bytes, &size));
    EXPECT_EQ(bytes[0], 'a');
    EXPECT_EQ(bytes[4] | bytes[5] << 8, 900);

    // A level 0 would look for a level file that cannot exist.
    WriteOption(u"MaxLevel", 0);
    WriteOption(u"StartLevel", 0);
    LoadGameSettings(read);
    read.saveSettings = false;
    EXPECT_EQ(read.maxLevel, 1u);
    EXPECT_EQ(read.startLevel, 1u);
    kit.saveSettings = false;
}

TEST_F(GameSaveTest, MemoryGameRoundTripsItsWholeSequence) {
    kit.mode = MemoryMaster;
    StartGame(kit, MemoryMaster);
    FreePattern(kit.memorySequence);
    PatternStep** tail = &kit.memorySequence;
    for (uint32_t piece : {Snare, Ride, Crash, HihatOpen, Snare}) {
        *tail = new PatternStep;
        (*tail)->piece = piece;
        (*tail)->flags = StepJudged;
        tail = &(*tail)->next;
    }
    kit.phase = 1;
    SaveResume(kit);
    EXPECT_EQ(ResumeBytes(), U32s({1, 0, 0, 5, 4, 5, 6, 7, 4}));
    EXPECT_TRUE(ResumeAvailable());

    DrumKit back;
    back.sounds = &sounds;
    back.clock = 777;
    ASSERT_TRUE(LoadResume(back));
    EXPECT_EQ(back.mode, uint32_t(MemoryMaster));
    EXPECT_EQ(back.clock, 0);
    EXPECT_EQ(back.phase, 0u);
    ASSERT_EQ(SequenceLength(back), 5u);
    EXPECT_EQ(PatternStepAt(back.memorySequence, 3)->piece, uint32_t(HihatOpen));
    EXPECT_EQ(back.memorySequence->flags, 0u);
    DeleteResume();
    EXPECT_FALSE(ResumeAvailable());
    DeleteResume();
}

TEST_F(GameSaveTest, RhythmGameResumesAtTheStartOfItsLevelOrTheNextOne) {
    kit.mode = RhythmMaster;
    kit.score = 730;
    kit.levelStartScore = 500;
    kit.lives = 2;
    kit.level = 30;
    kit.maxLevel = 30;
    kit.levelDone = 0;
    SaveResume(kit);
    EXPECT_EQ(ResumeBytes(), U32s({2, 0, 0, 730, 500, 2, 30, 0}));

    DrumKit mid;
    mid.sounds = &sounds;
    ASSERT_TRUE(LoadResume(mid));
    EXPECT_EQ(mid.score, 500u);
    EXPECT_EQ(mid.lives, 2u);
    EXPECT_EQ(mid.level, 30u);
    EXPECT_EQ(PatternLength(mid.rhythmPattern), 337u);

    kit.levelDone = 1;
    kit.score = 930;
    SaveResume(kit);
    DrumKit done;
    done.sounds = &sounds;
    done.maxLevel = 30;
    ASSERT_TRUE(LoadResume(done));
    EXPECT_EQ(done.level, 31u);
    EXPECT_EQ(done.maxLevel, 31u);
    EXPECT_EQ(done.score, 930u);
    EXPECT_EQ(done.levelStartScore, 930u);
    EXPECT_EQ(done.levelDone, 0u);
}

TEST_F(GameSaveTest, OnlyGamesWorthResumingAreWritten) {
    kit.mode = RhythmMaster;
    kit.level = 3;
    SaveResume(kit);
    const std::string earlier = ResumeBytes();
    // Over without a new high score: the earlier file stays as it was.
    kit.gameOver = 1;
    kit.newHighScore = 0;
    kit.level = 9;
    SaveResume(kit);
    EXPECT_EQ(ResumeBytes(), earlier);
    kit.mode = FreePlay;
    kit.gameOver = 0;
    SaveResume(kit);
    EXPECT_EQ(ResumeBytes(), earlier);

    // Over with a new high score: saved, and the score is not taken back.
    kit.mode = RhythmMaster;
    kit.gameOver = 1;
    kit.newHighScore = 1;
    kit.score = 640;
    kit.levelStartScore = 600;
    SaveResume(kit);
    DrumKit back;
    back.sounds = &sounds;
    ASSERT_TRUE(LoadResume(back));
    EXPECT_EQ(back.gameOver, 1u);
    EXPECT_EQ(back.newHighScore, 1u);
    EXPECT_EQ(back.score, 640u);
}

TEST_F(GameSaveTest, DamagedFilesFailTheLoad) {
    DrumKit back;
    back.sounds = &sounds;
    EXPECT_FALSE(LoadResume(back)); // none at all
    temp.WriteFile("resume.dat", U32s({1}));
    EXPECT_FALSE(ResumeAvailable());
    EXPECT_FALSE(LoadResume(back));
    // A sequence that claims more steps than the file holds.
    temp.WriteFile("resume.dat", U32s({1, 0, 0, 6, 4, 5}));
    EXPECT_TRUE(ResumeAvailable());
    EXPECT_FALSE(LoadResume(back));
    // A count no file could hold is refused before anything is built.
    temp.WriteFile("resume.dat", U32s({1, 0, 0, 0xFFFFFFFF}));
    EXPECT_FALSE(LoadResume(back));
    // Neither game.
    temp.WriteFile("resume.dat", U32s({3, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_FALSE(LoadResume(back));
    // Rhythm fields cut short.
    temp.WriteFile("resume.dat", U32s({2, 0, 0, 10, 10, 3}));
    EXPECT_FALSE(LoadResume(back));
    // Pieces outside the kit cannot be played back; they become a drum the player can hit.
    temp.WriteFile("resume.dat", U32s({1, 0, 0, 2, 4, 99}));
    ASSERT_TRUE(LoadResume(back));
    EXPECT_LT(PatternStepAt(back.memorySequence, 1)->piece, kPieceCount);
}

} // namespace
