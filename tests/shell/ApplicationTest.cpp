// Frame pacing, the polled key tables with their auto-repeat, and the orientation, seen
// through the frames of a probe application on a clock the test moves.
#include "tests/shell/ShellHarness.h"

#include "platform/video/DeviceEvents.h"
#include "varnokengine/VGApplication.h"
#include "varnokengine/VGClock.h"
#include "varnokengine/VGDeviceScreen.h"
#include "varnokengine/VGSoundManager.h"
#include "varnokengine/VGWindows.h"

#include <gtest/gtest.h>

namespace {

constexpr uint32_t Bit(int32_t key) {
    return 1u << key;
}

class ApplicationTest : public ::testing::Test {
protected:
    ShellHarness shell;
    ProbeGame* game = nullptr;

    void SetUp() override {
        game = &shell.Start();
        shell.Advance(50); // start-up takes a while; frames begin after it
    }
    // One frame after ms more milliseconds.
    const FrameSeen& FrameAfter(uint32_t ms) {
        shell.Advance(ms);
        FrameTick();
        return game->frames.back();
    }
    void PressCode(uint32_t code, uint32_t lParam = 1) { shell.Send(kMsgKeyDown, code, lParam); }
    void ReleaseCode(uint32_t code) { shell.Send(kMsgKeyUp, code, 0xC0000001u); }
};

TEST_F(ApplicationTest, MusicIsTheGamesWhileTheScreenWantsItAndSilenceOtherwise) {
    struct CountingSource final : MusicSource {
        CountingSource() : MusicSource(7) {}
        void QueueMusic() override { ++queued; }
        int queued = 0;
    } own;
    SoundChannel& music = TheSoundManager.Channel(0);
    FrameAfter(16);
    // The default source keeps "silence" queued on the music channel.
    EXPECT_EQ(game->selectedMusic, &game->defaultMusic);
    EXPECT_EQ(music.mode, uint32_t(ModeMusic));
    EXPECT_GT(music.queuedBytes, 0u);

    game->gameMusic = &own;
    FrameAfter(16); // the screen does not want music: still silence
    EXPECT_EQ(own.queued, 0);
    game->wantsMusic = true;
    FrameAfter(16);
    EXPECT_EQ(game->selectedMusic, &own);
    EXPECT_EQ(music.queuedBytes, 0u); // the silence was cut when the source changed
    EXPECT_EQ(own.queued, 1);

    own.enabled = 0; // a switched-off source gives way to the default again
    FrameAfter(16);
    EXPECT_EQ(game->selectedMusic, &game->defaultMusic);
    EXPECT_EQ(own.queued, 1);
}

TEST_F(ApplicationTest, FrameDeltaStartsAtOneIsCappedAt200AndNeverZero) {
    EXPECT_EQ(FrameAfter(0).delta, 1);
    EXPECT_EQ(FrameAfter(16).delta, 16);
    EXPECT_EQ(FrameAfter(5000).delta, 200); // a long stall counts as 200
    // A frame in the same millisecond waits for the clock (the virtual clock sleeps forward).
    const FrameSeen& same = FrameAfter(0);
    EXPECT_EQ(same.delta, 1);
    EXPECT_EQ(same.now, game->frames[game->frames.size() - 2].now + 1);
}

TEST_F(ApplicationTest, HeldKeyRepeatsFirstAfter300ThenEvery160) {
    FrameAfter(10);
    PressCode(platform::keycode::Down);
    uint32_t downAt = Now;
    EXPECT_EQ(FrameAfter(0).pressed, Bit(KeyDown));
    // Frames every 10 ms: the pulses land on the first frame later than each due time.
    std::vector<uint32_t> pulses;
    for (int i = 0; i < 70; ++i) {
        const FrameSeen& f = FrameAfter(10);
        EXPECT_EQ(f.pressed, 0u);
        if (f.repeated & Bit(KeyDown)) pulses.push_back(f.now - downAt);
    }
    ASSERT_EQ(pulses.size(), 3u);
    EXPECT_GT(pulses[0], 300u);
    EXPECT_LE(pulses[0], 311u);
    EXPECT_GT(pulses[1] - pulses[0], 160u);
    EXPECT_LE(pulses[1] - pulses[0], 170u);
    EXPECT_GT(pulses[2] - pulses[1], 160u);
    ReleaseCode(platform::keycode::Down);
    const FrameSeen& up = FrameAfter(10);
    EXPECT_EQ(up.released, Bit(KeyDown));
    EXPECT_EQ(up.repeated, 0u);
}

TEST_F(ApplicationTest, HostRepeatAndUnknownKeysChangeNothing) {
    PressCode(platform::keycode::Action, 1u | kAlreadyDownBit); // the host's own auto-repeat
    PressCode('A');                                             // not in the key table
    PressCode(0);                                               // the stylus has no key code
    EXPECT_EQ(TheApp->inputChanged, 0u);
    EXPECT_TRUE(game->keyDowns.empty());
    const FrameSeen& f = FrameAfter(16);
    EXPECT_EQ(f.pressed, 0u);
    // A character still reaches the screen.
    shell.Send(kMsgChar, 'a', 1);
    EXPECT_EQ(game->chars, u"a");
    // A second key-down without bit 30 while held: no new press, but the slot still hears it.
    PressCode(platform::keycode::App1);
    PressCode(platform::keycode::App1);
    EXPECT_EQ(game->keyDowns, (std::vector<int32_t>{KeyApp1, KeyApp1}));
    EXPECT_EQ(FrameAfter(16).pressed, Bit(KeyApp1));
}

TEST_F(ApplicationTest, BackHeldLongerThanTwoSecondsQuits) {
    PressCode(platform::keycode::Back);
    FrameAfter(0);
    FrameAfter(1999);
    EXPECT_EQ(TheApp->quitRequest, 0u);
    FrameAfter(1);
    EXPECT_EQ(TheApp->quitRequest, 0u); // exactly 2000 ms is not yet "more than"
    FrameAfter(1);
    EXPECT_EQ(TheApp->quitRequest, 1u);
}

TEST_F(ApplicationTest, BackReleasedEarlyIsOnlyAPressAndARelease) {
    PressCode(platform::keycode::Back);
    EXPECT_EQ(FrameAfter(0).pressed, Bit(KeyBack));
    FrameAfter(1000);
    ReleaseCode(platform::keycode::Back);
    EXPECT_EQ(FrameAfter(16).released, Bit(KeyBack));
    FrameAfter(3000);
    EXPECT_EQ(TheApp->quitRequest, 0u);
}

TEST_F(ApplicationTest, SecondStylusDownWithoutUpIsIgnored) {
    shell.Send(kMsgButtonDown, 1, PackStylus(10, 20));
    shell.Send(kMsgButtonDown, 1, PackStylus(50, 60));
    EXPECT_EQ(game->stylusDowns, 1);
    EXPECT_EQ(TheApp->stylusX, 10);
    EXPECT_EQ(TheApp->stylusY, 20);
    shell.Send(kMsgButtonUp, 0, PackStylus(70, 80));
    shell.Send(kMsgButtonUp, 0, PackStylus(90, 99));
    EXPECT_EQ(TheApp->stylusX, 70); // only the up that released the stylus moves it
}

TEST_F(ApplicationTest, InsideTestIsStrictOnBothAxes) {
    shell.Send(kMsgButtonDown, 1, PackStylus(100, 50));
    EXPECT_TRUE(TheApp->IsInside(100, 50, 2, 2));
    EXPECT_TRUE(TheApp->IsInside(96, 50, 10, 2));  // |4| < 5
    EXPECT_FALSE(TheApp->IsInside(95, 50, 11, 2)); // |5| < 11 >> 1 = 5 is false
    EXPECT_FALSE(TheApp->IsInside(100, 52, 10, 4));
}

// The stylus follows the turned picture; the arrows act as they look on the upright
// picture the desktop shows, whichever way the game is turned.
struct OrientationCase {
    uint32_t orientation;
    int16_t stylusX, stylusY; // for a tap at device (10, 20) on 240 x 320
};

class OrientationTest : public ApplicationTest,
                        public ::testing::WithParamInterface<OrientationCase> {};

TEST_P(OrientationTest, ArrowsActAsTheyLookAndTheStylusIsTurned) {
    const OrientationCase& c = GetParam();
    TheDisplay.SetOrientation(c.orientation);
    const uint16_t codes[] = {platform::keycode::Up,     platform::keycode::Down,
                              platform::keycode::Left,   platform::keycode::Right,
                              platform::keycode::Action, platform::keycode::Back};
    for (uint16_t code : codes) {
        PressCode(code);
        ReleaseCode(code);
    }
    EXPECT_EQ(game->keyDowns,
              (std::vector<int32_t>{KeyUp, KeyDown, KeyLeft, KeyRight, KeyAction, KeyBack}));
    EXPECT_EQ(game->keyUps, game->keyDowns);
    shell.Send(kMsgButtonDown, 1, PackStylus(10, 20));
    EXPECT_EQ(TheApp->stylusX, c.stylusX);
    EXPECT_EQ(TheApp->stylusY, c.stylusY);
}

INSTANTIATE_TEST_SUITE_P(AllFour, OrientationTest,
                         ::testing::Values(OrientationCase{0, 10, 20}, OrientationCase{1, 20, 230},
                                           OrientationCase{2, 230, 300},
                                           OrientationCase{3, 300, 10}));

// Desktop keys have a table of their own beside the handheld's ten keys.
TEST_F(ApplicationTest, DesktopKeyHasEdgesAndRepeatsButLeavesTheKeyTableAlone) {
    namespace dk = platform::deskkey;
    const uint16_t d = dk::A + 3;
    PressCode(PackKeyCodes(0, d));
    PressCode(PackKeyCodes(0, d), 1 | kAlreadyDownBit); // the host's repeat changes nothing
    EXPECT_TRUE(TheApp->IsDeskKeyPressed(d));
    EXPECT_EQ(FrameAfter(0).pressed, 0u);
    EXPECT_TRUE(game->keyDowns.empty());
    EXPECT_FALSE(TheApp->IsDeskKeyPressed(d)); // for one frame only
    EXPECT_TRUE(TheApp->IsDeskKeyHeld(d));
    FrameAfter(301); // the first repeat pulse, and the next one due 160 ms later
    EXPECT_EQ(TheApp->deskKeys[d].nextRepeat, Now + kRepeatMs);
    ReleaseCode(PackKeyCodes(0, d));
    EXPECT_TRUE(TheApp->IsDeskKeyReleased(d));
    // Return is both a desktop key and the action key.
    PressCode(PackKeyCodes(platform::keycode::Action, dk::Return));
    EXPECT_EQ(game->keyDowns, (std::vector<int32_t>{KeyAction}));
    EXPECT_TRUE(TheApp->IsDeskKeyPressed(dk::Return));
}

TEST_F(ApplicationTest, ControllerButtonsMeanWhatTheScreenNeeds) {
    namespace dk = platform::deskkey;
    PressCode(PackKeyCodes(0, dk::PadA));
    PressCode(PackKeyCodes(0, dk::PadDown));
    EXPECT_EQ(game->keyDowns, (std::vector<int32_t>{KeyAction, KeyDown}));
    // A held down as the action key on a menu is still let go on a kit screen.
    TheApp->padStrikes = true;
    ReleaseCode(PackKeyCodes(0, dk::PadA));
    EXPECT_FALSE(TheApp->keys[KeyAction].flags & KeyHeld);
    game->keyDowns.clear();
    PressCode(PackKeyCodes(0, dk::PadB));
    PressCode(PackKeyCodes(0, dk::PadStart));
    EXPECT_EQ(game->keyDowns, (std::vector<int32_t>{KeyBack})); // B strikes, Start is the menu
    // A trigger's depth comes with its press.
    PressCode(PackKeyCodes(0, dk::PadLeftTrigger), 1 | 51u << kDepthShift);
    EXPECT_FLOAT_EQ(TheApp->DeskKeyDepth(dk::PadLeftTrigger), 0.2f);
}

TEST_F(ApplicationTest, LandscapeTapAtDeviceOriginUsesWidthItself) {
    TheDisplay.SetOrientation(1);
    shell.Send(kMsgButtonDown, 1, PackStylus(0, 0));
    EXPECT_EQ(TheApp->stylusX, 0);
    EXPECT_EQ(TheApp->stylusY, 240);
    // Negative device coordinates (a drag beyond the edge) keep their sign.
    shell.Send(kMsgMouseMove, 1, PackStylus(-5, -7));
    EXPECT_EQ(TheApp->stylusX, -7);
    EXPECT_EQ(TheApp->stylusY, 245);
}

} // namespace
