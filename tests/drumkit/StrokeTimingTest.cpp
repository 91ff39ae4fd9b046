// The rhythm game under display-paced frames: every demonstrated stroke is struck and heard at
// its exact time plus the look-ahead, and the player's strokes are judged at their event time.
#include "game/drumkit/DrumKit.h"
#include "game/drumkit/GameRules.h"
#include "platform/Runtime.h"
#include "tests/drumkit/KitTestData.h"
#include "varnokengine/VGAppPath.h"
#include "varnokengine/VGError.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr int32_t kWidth = 480, kHeight = 640;
// The engine time at which the game's clock reads 0.
constexpr uint32_t kStartTime = 5000;

class StrokeTimingTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(LoadTestKit(temp, kit, sounds)); }
    void TearDown() override {
        FreePattern(kit.rhythmPattern);
        ClearErrors();
    }

    void StartRhythm(uint32_t slotLength, PatternStep* pattern) {
        FreePattern(kit.rhythmPattern);
        kit.rhythmPattern = pattern;
        ArmRhythmGame(kit, slotLength);
        now = kStartTime;
    }
    // One frame of frameMs; a tap, when given, happened at that engine time within it.
    void Frame(int32_t frameMs, int64_t tapAt = -1, uint32_t piece = 0) {
        now += uint32_t(frameMs);
        KitInput in;
        in.frameDelta = frameMs;
        in.now = now;
        in.screenWidth = kWidth;
        in.screenHeight = kHeight;
        if (tapAt >= 0) {
            int32_t dx = 0, dy = 0;
            PieceSpot(piece, dx, dy);
            in.stylusPressed = true;
            in.stylusTime = uint32_t(tapAt);
            in.stylusX = kWidth / 2 + dx;
            in.stylusY = kHeight / 2 + dy;
        }
        UpdateKit(kit, in);
    }

    TempFolder temp;
    DrumKit kit;
    RecordingSounds sounds{kit};
    uint32_t now = 0;
};

PatternStep* Steps(std::vector<PatternStep> steps) {
    PatternStep* head = nullptr;
    PatternStep** tail = &head;
    for (const PatternStep& s : steps) {
        *tail = new PatternStep(s);
        tail = &(*tail)->next;
    }
    return head;
}

PatternStep Step(uint32_t piece, uint32_t phase) {
    PatternStep s;
    s.piece = piece;
    s.phase = phase;
    return s;
}

} // namespace

TEST_F(StrokeTimingTest, FastLevelPlayedAtWhatIsHeardScoresEveryStrokeOnSixtyHertzFrames) {
    GenerateLevel(kit, 150);
    PatternStep* pattern = kit.rhythmPattern;
    kit.rhythmPattern = nullptr;
    StartRhythm(kit.slotLength, pattern);
    const uint32_t window = 2 * kit.slotLength;

    // What the level asks for: the demonstrated strokes and the player's, at their windows'
    // middles (in kit time).
    struct Due {
        uint32_t piece;
        int64_t at;
    };
    std::vector<Due> demo, player;
    uint32_t k = 0;
    for (const PatternStep* s = kit.rhythmPattern; s; s = s->next, ++k) {
        if (s->piece >= kPieceCount) continue;
        const Due due{s->piece, int64_t(window * k + kit.slotLength)};
        (s->phase == PhasePlayer ? player : demo).push_back(due);
    }
    ASSERT_GT(player.size(), 20u);

    // The player taps on what is heard, the look-ahead after each step's time; frames of 16
    // and 17 ms read the taps, at most one per frame (windows of 20 ms).
    size_t next = 0;
    for (int frame = 0; !kit.levelDone && !kit.gameOver && frame < 2000; ++frame) {
        const int32_t ms = frame % 3 == 2 ? 17 : 16;
        const int64_t end = int64_t(now - kStartTime) + ms;
        if (next < player.size() && player[next].at + kStrokeLookAheadMs <= end) {
            Frame(ms, kStartTime + player[next].at + kStrokeLookAheadMs, player[next].piece);
            ++next;
        } else {
            Frame(ms);
        }
    }
    EXPECT_EQ(next, player.size());
    EXPECT_EQ(kit.levelDone, 1u);
    EXPECT_EQ(kit.lives, 3u);
    EXPECT_EQ(kit.score, uint32_t(player.size()) * kStrokeScore + kLevelBonus);

    // Every demonstrated stroke was struck, each scheduled at its exact time plus the look-ahead.
    std::vector<double> heardAt;
    for (const PlayedSound& s : sounds.played)
        if (s.start.scheduled && s.name.rfind("restart ", 0) == 0) heardAt.push_back(s.start.at);
    ASSERT_EQ(heardAt.size(), demo.size());
    for (size_t i = 0; i < demo.size(); ++i)
        EXPECT_DOUBLE_EQ(heardAt[i], double(kStartTime + demo[i].at + kStrokeLookAheadMs)) << i;
}

TEST_F(StrokeTimingTest, AStrokeCountsInTheWindowOfItsEventTimeNotOfTheFrameThatReadsIt) {
    // Windows of 200 ms; the player's snare is the third step, heard from 400 to 600 ms.
    StartRhythm(100, Steps({Step(kRestPiece, PhaseDemo), Step(kRestPiece, PhaseDemo),
                            Step(Snare, PhasePlayer), Step(Bass, PhasePlayer)}));
    for (int i = 0; i < 61; ++i) Frame(10); // the game's clock at 610 ms: heard 585 ms
    // Struck at heard time 590 ms; the long frame that reads it ends at heard time 635 ms,
    // in the next window.
    Frame(50, kStartTime + 590 + kStrokeLookAheadMs, Snare);
    EXPECT_EQ(kit.score, kStrokeScore);
    EXPECT_EQ(kit.lives, 3u);

    // A stroke made in the previous frame's time is not moved back any further than that.
    Frame(20, kStartTime, Bass);
    EXPECT_EQ(kit.score, 2 * kStrokeScore);
    EXPECT_EQ(kit.lives, 3u);
}
