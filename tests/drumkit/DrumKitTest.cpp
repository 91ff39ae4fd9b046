// The drum kit on a small test kit: hit testing, strikes, the clock, animation frames,
// sticks and what each graphics quality draws.
#include "game/drumkit/DrumKit.h"
#include "tests/drumkit/KitTestData.h"
#include "tests/support/BakedData.h"
#include "varnokengine/VGAppPath.h"
#include "varnokengine/VGError.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

constexpr int32_t kWidth = 480, kHeight = 640; // the large portrait screen, centre (240, 320)

class DrumKitTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(LoadTestKit(temp, kit, sounds));
        ASSERT_EQ(ErrorFlag, 0u) << "test kit incomplete";
        canvas.Create(kWidth, kHeight, 0, 0);
        SetRenderTarget(&canvas);
    }
    void TearDown() override {
        SetRenderTarget(nullptr);
        ClearErrors();
    }

    // One frame in which the stylus goes down at the centre-relative point.
    void Tap(int32_t dx, int32_t dy, int32_t frameDelta = 16) {
        KitInput in;
        in.frameDelta = frameDelta;
        in.stylusPressed = true;
        in.stylusX = kWidth / 2 + dx;
        in.stylusY = kHeight / 2 + dy;
        in.screenWidth = kWidth;
        in.screenHeight = kHeight;
        in.metronome = 0;
        UpdateKit(kit, in);
    }
    void Frames(int32_t ms) {
        KitInput in;
        in.frameDelta = ms;
        in.screenWidth = kWidth;
        in.screenHeight = kHeight;
        in.metronome = 0;
        UpdateKit(kit, in);
    }
    uint16_t At(int32_t x, int32_t y) const { return canvas.pixels[y * kWidth + x]; }

    TempFolder temp;
    DrumKit kit;
    RecordingSounds sounds{kit};
    VGBitmap canvas;
};

TEST_F(DrumKitTest, TapsSoundEveryPieceUnderTheStylusAndNothingElse) {
    Tap(kOverlapX, kOverlapY);
    // Both overlapping pieces sound, in slot order; the higher slot is the last piece.
    EXPECT_EQ(sounds.Names(), (std::vector<std::string>{"restart tom_hi", "restart snare"}));
    EXPECT_EQ(sounds.played[0].priority, 3);
    EXPECT_EQ(kit.lastPiece, uint32_t(Snare));
    EXPECT_EQ(kit.lastStrike, 16);
    EXPECT_EQ(kit.pieces[TomHi].lastHit, 16);
    EXPECT_EQ(kit.pieces[Snare].hitX, kOverlapX);
    EXPECT_EQ(kit.pieces[Snare].hitY, kOverlapY);

    sounds.played.clear();
    Tap(kEmptyX, kEmptyY);
    // Points far outside every stored image read as the key too.
    Tap(5000, -5000);
    Tap(-32768, 32767);
    EXPECT_TRUE(sounds.played.empty());
    EXPECT_EQ(kit.lastPiece, uint32_t(Snare));
    EXPECT_EQ(kit.lastStrike, 16);

    // A held stylus (no fresh press) plays nothing.
    Frames(16);
    EXPECT_TRUE(sounds.played.empty());
}

TEST_F(DrumKitTest, EachPieceAnswersOnItsOwnSpot) {
    for (uint32_t i = 0; i < kPieceCount; ++i) {
        int32_t dx = 0, dy = 0;
        PieceSpot(i, dx, dy);
        for (uint32_t j = 0; j < kPieceCount; ++j)
            EXPECT_EQ(IsPieceHit(kit.pieces[j], dx, dy), i == j) << "spot " << i << " mask " << j;
    }
}

TEST_F(DrumKitTest, StrikeLandsOnTheScaledLandingPoint) {
    Frames(40);
    Strike(kit, Crash);
    EXPECT_EQ(sounds.Names(), (std::vector<std::string>{"restart crash"}));
    EXPECT_EQ(kit.lastPiece, uint32_t(Crash));
    EXPECT_EQ(kit.lastStrike, 40);
    EXPECT_EQ(kit.pieces[Crash].lastHit, 40);
    EXPECT_EQ(kit.pieces[Crash].hitX, -102);
    EXPECT_EQ(kit.pieces[Crash].hitY, -133);
    // Slots outside the kit are ignored.
    Strike(kit, kPieceCount);
    Strike(kit, 0xFFFFFFFF);
    EXPECT_EQ(sounds.played.size(), 1u);

    // On the small screen the offsets are halved and cut toward zero.
    DrumKit small;
    ASSERT_TRUE(LoadKit(small, 1, nullptr));
    EXPECT_EQ(small.pieces[Snare].x, -53);
    EXPECT_EQ(small.pieces[Snare].y, -12);
    EXPECT_EQ(small.pieces[HihatOpen].y, 7);
    EXPECT_EQ(small.pieces[TomMid].y, -55);
    EXPECT_EQ(small.pieces[Bass].x, 0);
}

TEST_F(DrumKitTest, LoadsOnceAndShowsTheNoticeOnlyThen) {
    static int notices = 0;
    DrumKit fresh;
    EXPECT_TRUE(LoadKit(fresh, 2, [] { ++notices; }));
    EXPECT_TRUE(LoadKit(fresh, 2, [] { ++notices; }));
    EXPECT_EQ(notices, 1);
    std::filesystem::remove(temp.Path() / "imgs" / "sticks.img");
    DrumKit broken;
    EXPECT_FALSE(LoadKit(broken, 2, nullptr));
    EXPECT_NE(ErrorFlag, 0u);
}

TEST_F(DrumKitTest, AnEmptyOrImagelessDrumPackIsReportedAsTheDamagedPack) {
    // Once reported as a missing sound with an empty name at the first stroke.
    for (std::string bytes : {std::string(), std::string(4, '\0')}) {
        temp.WriteFile("imgs/drums.img", bytes);
        ClearErrors();
        DrumKit damaged;
        RecordingSounds heard{damaged};
        damaged.sounds = &heard;
        EXPECT_FALSE(LoadKit(damaged, 2, nullptr)) << bytes.size();
        VGString log = GetErrorText();
        EXPECT_TRUE(std::u16string(log.Data(), log.Length()).find(u"load failed: drums") !=
                    std::u16string::npos)
            << bytes.size();
        Strike(damaged, Snare);
        ASSERT_FALSE(heard.played.empty());
        EXPECT_EQ(heard.Names().back(), "restart snare");
    }
}

TEST_F(DrumKitTest, TheMachineStopsTheClockButNotTheTaps) {
    Frames(216);
    EXPECT_EQ(kit.clock, 216);
    kit.mode = MachineDriven;
    Tap(kOverlapX, kOverlapY, 100);
    EXPECT_EQ(kit.clock, 216);
    EXPECT_EQ(kit.lastPiece, uint32_t(Snare));
}

TEST_F(DrumKitTest, TapsAreRefusedOutsideThePlayersTurn) {
    kit.mode = RhythmMaster;
    kit.phase = 0;
    Tap(kOverlapX, kOverlapY);
    kit.phase = 1;
    kit.gameOver = 1;
    Tap(kOverlapX, kOverlapY);
    EXPECT_TRUE(sounds.played.empty());
    kit.gameOver = 0;
    // Taken before the game moves on: with no steps left the bar would be over at once.
    Tap(-107, -25, 0);
    EXPECT_EQ(sounds.Names(), (std::vector<std::string>{"restart snare"}));

    // The memory game takes taps only while a step of the sequence is still unplayed.
    sounds.played.clear();
    kit.mode = MemoryMaster;
    kit.phase = 1;
    kit.memorySequence = new PatternStep;
    kit.memorySequence->piece = Snare;
    kit.memorySequence->flags = StepJudged;
    Tap(-107, -25);
    EXPECT_TRUE(sounds.played.empty());
    kit.memorySequence->flags = 0;
    Tap(-107, -25);
    EXPECT_EQ(sounds.played.size(), 1u);
}

TEST_F(DrumKitTest, AnimationFramesFollowTheTimeSinceTheHit) {
    auto imageAt = [&](uint32_t piece, int32_t t) -> int64_t {
        const AnimFrame* f = FrameAt(kit.pieces[piece], t, nullptr);
        if (!f) return -1; // past the end
        return f->image ? int64_t(f->image->id) : 0;
    };
    // A drum: dark for 80 ms, lit until 280 ms, then the background alone.
    EXPECT_EQ(imageAt(Snare, 80), 0);
    EXPECT_EQ(imageAt(Snare, 81), 201);
    EXPECT_EQ(imageAt(TomLow, 280), 204);
    EXPECT_EQ(imageAt(TomLow, 281), -1);
    // A pedal goes down in 20 ms steps, holds 200 ms, comes back in 70 ms steps: 560 ms.
    EXPECT_EQ(imageAt(Bass, 21), 207);
    EXPECT_EQ(imageAt(Bass, 280), 210);
    EXPECT_EQ(imageAt(HihatClose, 281), 227);
    EXPECT_EQ(imageAt(Bass, 560), 206);
    EXPECT_EQ(imageAt(Bass, 561), -1);
    // A cymbal: 100 i1, 60 i2, 60 none, 60 i3 ... ending with 100 none, 100 i2: 1155 ms.
    EXPECT_EQ(imageAt(Crash, 101), 217);
    EXPECT_EQ(imageAt(Crash, 220), 0);
    EXPECT_EQ(imageAt(Crash, 221), 218);
    EXPECT_EQ(imageAt(HihatOpen, 1155), 221);
    EXPECT_EQ(imageAt(Ride, 1156), -1);
    // Before any hit nothing shows.
    EXPECT_EQ(imageAt(Ride, 0 - kNeverHit), -1);
    EXPECT_EQ(imageAt(Ride, -1), -1);

    float fraction = 0;
    FrameAt(kit.pieces[Ride], 130, &fraction); // 30 ms into the 60 ms of i2
    EXPECT_FLOAT_EQ(fraction, 0.5f);
}

TEST_F(DrumKitTest, SticksSwingOntoTheHitPointFromTheirGripCorner) {
    StickDraw d[4];
    const int32_t cx = kWidth / 2, cy = kHeight / 2;
    Strike(kit, Snare); // kind 1, base 0, lands at (133, 295)
    Strike(kit, Ride);  // kind 2, base 2, lands at (360, 232)
    kit.clock = 60;     // step 3: the main stick shows base + 2

    ASSERT_EQ(PlanStick(kit, Snare, cx, cy, 9, 2, d), 1u);
    // Frame 602 (14 x 26) shares the bottom-right corner of 600 (10 x 30) placed at (129, 289).
    EXPECT_EQ(d[0].image->id, 602u);
    EXPECT_EQ(d[0].x, 129 + 10 - 14);
    EXPECT_EQ(d[0].y, 289 + 30 - 26);
    EXPECT_FLOAT_EQ(d[0].alpha, 1.0f);

    ASSERT_EQ(PlanStick(kit, Ride, cx, cy, 9, 2, d), 1u);
    // Frame 614 (18 x 22) shares the bottom-left corner of 612 (14 x 26) whose top-right is
    // at (364, 226).
    EXPECT_EQ(d[0].image->id, 614u);
    EXPECT_EQ(d[0].x, 364 - 14);
    EXPECT_EQ(d[0].y, 226 + 26 - 22);

    // With trails: three ghosts one frame higher each, fading.
    ASSERT_EQ(PlanStick(kit, Snare, cx, cy, 15, 2, d), 4u);
    const float alphas[4] = {1.0f, 0.4f, 0.25f, 0.1f};
    for (uint32_t i = 0; i < 4; ++i) {
        EXPECT_EQ(d[i].image->id, 602u + i);
        EXPECT_EQ(d[i].x + int32_t(d[i].image->fullWidth), 129 + 10);
        EXPECT_EQ(d[i].y + int32_t(d[i].image->fullHeight), 289 + 30);
        EXPECT_FLOAT_EQ(d[i].alpha, alphas[i]);
    }
    // Right after the hit the stick is high and the ghosts above base + 6 are left out.
    kit.clock = 0;
    ASSERT_EQ(PlanStick(kit, Snare, cx, cy, 15, 2, d), 2u);
    EXPECT_EQ(d[0].image->id, 605u);
    EXPECT_EQ(d[1].image->id, 606u);
    // Late in the swing the main stick rests on base; ghosts below base vanish.
    kit.clock = 150; // step 7: frames base - 2, base - 1, base, base + 1
    ASSERT_EQ(PlanStick(kit, Ride, cx, cy, 15, 2, d), 3u);
    EXPECT_EQ(d[0].image->id, 612u);
    EXPECT_FLOAT_EQ(d[0].alpha, 1.0f);
    EXPECT_EQ(d[1].image->id, 612u);
    EXPECT_FLOAT_EQ(d[1].alpha, 0.25f);
    EXPECT_EQ(d[2].image->id, 613u);
    // 200 ms after the hit the stick is gone; the bass has none at all.
    kit.clock = 199;
    EXPECT_EQ(PlanStick(kit, Snare, cx, cy, 15, 2, d), 1u);
    kit.clock = 200;
    EXPECT_EQ(PlanStick(kit, Snare, cx, cy, 15, 2, d), 0u);
    kit.clock = 10;
    Strike(kit, Bass);
    EXPECT_EQ(PlanStick(kit, Bass, cx, cy, 15, 2, d), 0u);
    // Without the stick bit nothing is planned.
    EXPECT_EQ(PlanStick(kit, Snare, cx, cy, 7, 2, d), 0u);

    // A player's tap lands the stick where the stylus went: kind 1, base 3 (16 x 24) at the
    // tap - (4, 6); right after the tap the stick shows base + 5 (26 x 14).
    Tap(kOverlapX, kOverlapY);
    ASSERT_EQ(PlanStick(kit, TomHi, cx, cy, 9, 2, d), 1u);
    EXPECT_EQ(d[0].image->id, 608u);
    EXPECT_EQ(d[0].x, cx + kOverlapX - 4 + 16 - 26);
    EXPECT_EQ(d[0].y, cy + kOverlapY - 6 + 24 - 14);
}

// What one draw leaves at a few telling pixels, for a given quality.
struct Picture {
    uint16_t rideCentre; // the ride's first frame is drawn centred on the screen
    uint16_t snareStick; // inside the snare's main stick, away from the ride frame
    uint16_t snareTrail; // a pixel only the first trail image covers
};

TEST_F(DrumKitTest, QualityDecidesBlendingSticksAndTrails) {
    auto draw = [&](uint32_t quality) {
        ResetClock(kit);
        Strike(kit, Ride);
        Strike(kit, Snare);
        kit.clock = 60; // ride i1 at 0.6 of its 100 ms: alpha min(1, 0.4 x 4 + 0.2) = 1
        DrawKit(kit, quality, 2);
        return Picture{At(240, 320), At(129 + 10 - 2, 289 + 30 - 2), At(123, 300)};
    };
    const uint16_t rideColour = FrameColour(212);
    // Quality 0: a plain cymbal frame and no stick.
    Picture q0 = draw(0);
    EXPECT_EQ(q0.rideCentre, rideColour);
    EXPECT_EQ(q0.snareStick, kBackgroundColour);
    EXPECT_EQ(q0.snareTrail, kBackgroundColour);
    // Quality 9: plain cymbal, one stick, no trail.
    Picture q9 = draw(9);
    EXPECT_EQ(q9.rideCentre, rideColour);
    EXPECT_EQ(q9.snareStick, StickColour(602));
    EXPECT_EQ(q9.snareTrail, kBackgroundColour);
    // Every bit: the trail shows, blended into the background.
    Picture all = draw(0xFFFFFFFF);
    EXPECT_NE(all.snareTrail, kBackgroundColour);
    EXPECT_NE(all.snareTrail, StickColour(603));

    // A blended cymbal frame fades: early in the frame it is only partly there.
    ResetClock(kit);
    Strike(kit, Ride);
    kit.clock = 10;
    DrawKit(kit, 0xFFFFFFFF, 2);
    EXPECT_NE(At(240, 320), rideColour);
    EXPECT_NE(At(240, 320), kBackgroundColour);
    DrawKit(kit, 9, 2);
    EXPECT_EQ(At(240, 320), rideColour);
}

TEST_F(DrumKitTest, BackgroundFollowsTheScreenSize) {
    DrawKit(kit, 9, 2);
    ASSERT_NE(kit.background, nullptr);
    EXPECT_EQ(At(0, 0), kBackgroundColour);
    EXPECT_EQ(At(kWidth - 1, kHeight - 1), kBackgroundColour);
    // Turned to landscape: rebuilt at the new size.
    VGBitmap landscape;
    landscape.Create(kHeight, kWidth, 0, 0);
    SetRenderTarget(&landscape);
    DrawKit(kit, 9, 2);
    EXPECT_EQ(kit.background->fullWidth, kHeight);
    EXPECT_EQ(kit.background->fullHeight, kWidth);
    EXPECT_EQ(landscape.pixels[kHeight * kWidth - 1], kBackgroundColour);
    // The previous target and its clip are the target again after the rebuild.
    EXPECT_EQ(RenderTarget.target, &landscape);
    EXPECT_EQ(RenderTarget.clipRight, kHeight);
}

TEST_F(DrumKitTest, TurnIndicatorShowsWhoseTurnItIs) {
    kit.mode = RhythmMaster;
    kit.phase = 1;
    DrawKit(kit, 9, 2);
    EXPECT_EQ(At(240, 5), 0xFFE0);
    kit.phase = 2;
    DrawKit(kit, 9, 2);
    EXPECT_EQ(At(240, 5), 0x001F);
    kit.mode = FreePlay;
    DrawKit(kit, 9, 2);
    EXPECT_EQ(At(240, 5), kBackgroundColour);
}

#ifdef TBX_GAME_DIR
// The baked kit, when this build has baked it: every stick's landing point lies on its own
// piece, so demonstrated strokes land visibly.
TEST(BakedKitTest, LandingPointsHitTheirOwnMasks) {
    const std::filesystem::path game = TBX_GAME_DIR;
    TBX_REQUIRE_BAKED(game / "imgs" / "drums.img");
    ClearErrors();
    std::u16string folder;
    for (char c : game.string()) folder += char16_t(c);
    SetAppPath(VGString(folder.c_str()));
    DrumKit kit;
    ASSERT_TRUE(LoadKit(kit, 2, nullptr));
    for (uint32_t i = 0; i < kPieceCount; ++i) {
        if (i == Bass || i == HihatClose) continue; // no stick lands on these
        EXPECT_TRUE(IsPieceHit(kit.pieces[i], kit.pieces[i].x, kit.pieces[i].y)) << "piece " << i;
    }
    EXPECT_EQ(ErrorFlag, 0u);
    ClearErrors();
}
#endif

} // namespace
