// Whole runs of the loop on the headless backend: start-up, the message-and-frame loop, the
// ways out (quit, deactivation, long back press, auto-shutdown, errors, faults).
#include "tests/shell/ShellHarness.h"

#include "platform/RegistryStore.h"
#include "platform/video/HeadlessScript.h"
#include "varnokengine/VGApplication.h"
#include "varnokengine/VGClock.h"
#include "varnokengine/VGDeviceScreen.h"
#include "varnokengine/VGError.h"
#include "varnokengine/VGRegistry.h"
#include "varnokengine/VGWindows.h"

#include <gtest/gtest.h>

#include <csignal>

namespace {

class RecordingLoopTest;
RecordingLoopTest* current = nullptr;

// Start-up (with the splash's minimum time) ends about 5 s into a run; script steps for the
// loop come after that.

// Each run's probe game is deleted when the run ends, so every frame it sees is copied out
// to the test as it happens.
class RecordingLoopTest : public ::testing::Test {
protected:
    RecordingLoopTest() : shell(240, 320, /*steppedClock=*/true) { current = this; }
    ~RecordingLoopTest() override { current = nullptr; }

    void Script(const std::string& text) {
        std::vector<platform::ScriptStep> steps;
        std::string errors;
        ASSERT_TRUE(platform::ParseScript(text, steps, errors)) << errors;
        shell.backend->SetScript(std::move(steps));
    }

    int RunRecorded(std::function<void(ProbeGame&)> extra = nullptr) {
        hook = std::move(extra);
        SetApplicationFactory([]() -> VGGame* {
            // These runs have no data files; the splash's report of its missing images is
            // not what they look at.
            ClearErrors();
            Probe = new ProbeGame;
            Probe->onUpdate = [](ProbeGame& game) {
                current->frames.push_back(game.frames.back());
                if (current->hook) current->hook(game);
            };
            return Probe;
        });
        return RunApplication();
    }

    ShellHarness shell;
    std::vector<FrameSeen> frames;
    std::function<void(ProbeGame&)> hook;
};

TEST_F(RecordingLoopTest, TapQueuedTogetherIsSeenAsPressThenReleaseInTwoFrames) {
    Script("at 7000 tap 30 40\nat 8000 quit\n");
    EXPECT_EQ(RunRecorded(), 0);
    size_t press = frames.size(), release = frames.size();
    for (size_t i = 0; i < frames.size(); ++i) {
        if (frames[i].pressed & (1u << KeyStylus)) press = i;
        if (frames[i].released & (1u << KeyStylus)) release = i;
    }
    ASSERT_LT(press, frames.size());
    ASSERT_LT(release, frames.size());
    EXPECT_EQ(release, press + 1);
    EXPECT_EQ(frames[press].stylusX, 30);
    EXPECT_EQ(frames[press].stylusY, 40);
}

TEST_F(RecordingLoopTest, InputMadeDuringStartUpIsThrownAway) {
    shell.backend->Inject(platform::DeviceEvent{platform::EventType::KeyDown, 0x86});
    shell.backend->Inject(platform::DeviceEvent{platform::EventType::StylusDown});
    shell.backend->Inject(platform::DeviceEvent{platform::EventType::Character, 0, false, 'x'});
    Script("at 0 key action\nat 500 quit\n");
    EXPECT_EQ(RunRecorded(), 0);
    ASSERT_FALSE(frames.empty());
    for (const FrameSeen& f : frames) EXPECT_EQ(f.pressed, 0u);
}

TEST_F(RecordingLoopTest, DeactivationEndsTheRunWithoutAnErrorBox) {
    Script("at 1000 key up\n");
    // Pending before the loop starts: the start-up flush keeps everything but input.
    shell.backend->Inject(platform::DeviceEvent{platform::EventType::Deactivate});
    EXPECT_EQ(RunRecorded(), 0);
    EXPECT_EQ(frames.size(), 1u);
    EXPECT_EQ(ErrorFlag, 0u);
    EXPECT_TRUE(shell.backend->LastErrorBox().empty());
    EXPECT_FALSE(shell.Exists("error.txt"));
}

TEST_F(RecordingLoopTest, ClosingTheWindowEndsTheRunAndTheScreenGetsItsExitCall) {
    int exitsSeen = 0;
    Script("at 8000 quit\n");
    EXPECT_EQ(RunRecorded([&](ProbeGame& g) { exitsSeen = g.exits; }), 0);
    EXPECT_EQ(exitsSeen, 0); // OnExit comes after the last update
    ASSERT_FALSE(frames.empty());
    EXPECT_GE(frames.back().now, 8000u - 1000u - 32u); // the clock's origin was its start, 1000
}

TEST_F(RecordingLoopTest, HoldingBackEndsTheRunAfterTwoSeconds) {
    Script("at 7000 keydown back\nat 15000 quit\n");
    EXPECT_EQ(RunRecorded(), 0);
    ASSERT_FALSE(frames.empty());
    uint32_t pressedAt = 0;
    for (const FrameSeen& f : frames)
        if (f.pressed & (1u << KeyBack)) pressedAt = f.now;
    ASSERT_NE(pressedAt, 0u);
    uint32_t held = frames.back().now - pressedAt;
    EXPECT_GT(held, 2000u);
    EXPECT_LE(held, 2000u + 16u);
}

TEST_F(RecordingLoopTest, ErrorReportedInAFrameIsWrittenAndShownIdentically) {
    Script("at 9000 quit\n");
    int calls = 0;
    EXPECT_EQ(RunRecorded([&](ProbeGame&) {
                  if (++calls == 3) {
                      ReportError(u"first", 7, u"a");
                      ReportError(u"second", 0, nullptr);
                  }
              }),
              0);
    EXPECT_EQ(frames.size(), 3u); // the loop ends after the frame of the report
    const std::u16string box = shell.backend->LastErrorBox();
    EXPECT_EQ(box, u"first\r\nLine 7, File a\r\n\r\nsecond\r\n\r\n");
    EXPECT_EQ(shell.ReadFile("error.txt"), "first\r\nLine 7, File a\r\n\r\nsecond\r\n\r\n\r\n");
}

TEST_F(RecordingLoopTest, FaultInAFrameIsReportedWithItsCodeAndTheRunEnds) {
    Script("at 9000 quit\n");
    int calls = 0;
    int result = RunRecorded([&](ProbeGame&) {
        if (++calls == 2) std::raise(SIGSEGV);
    });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(frames.size(), 2u);
    EXPECT_EQ(TheApp, nullptr);
    EXPECT_EQ(
        shell.ReadFile("error.txt"),
        "Exception: 0xc0000005\r\nLine 323, File ..\\..\\varnokengine\\VGWindows\r\n\r\n\r\n");
}

TEST_F(RecordingLoopTest, DivisionFaultHasItsOwnCode) {
    Script("at 9000 quit\n");
    RunRecorded([&](ProbeGame&) { std::raise(SIGFPE); });
    EXPECT_EQ(shell.ReadFile("error.txt").substr(0, 21), "Exception: 0xc0000094");
}

TEST(DisplayCheckTest, DisplayOtherThan565IsRefusedWithItsFormatCode) {
    for (uint32_t format : {2u, 3u}) {
        ShellHarness shell(240, 320, true, 10000, format);
        SetApplicationFactory([]() -> VGGame* {
            ADD_FAILURE() << "the application must not start";
            return nullptr;
        });
        EXPECT_EQ(RunApplication(), 0);
        const std::u16string box = shell.backend->LastErrorBox();
        const std::u16string end = format == 2 ? u"error code: 2" : u"error code: 3";
        EXPECT_EQ(box.substr(0, 45), u"Game does not work with this type of display.");
        ASSERT_GE(box.size(), end.size());
        EXPECT_EQ(box.substr(box.size() - end.size()), end);
        EXPECT_EQ(TheDisplay.backBuffer, nullptr);
        EXPECT_EQ(shell.backend->FramesShown(), 0u);
    }
}

struct AutoShutdownCase {
    uint32_t code;
    uint32_t limit;
};

class AutoShutdownTest : public ::testing::TestWithParam<AutoShutdownCase> {};

TEST_P(AutoShutdownTest, EndsAfterTheTableTimeWithoutInput) {
    // The script's own end is far away, so only the auto-shutdown can end the run.
    ShellHarness shell(240, 320, true, 4000000);
    WriteOption(u"AutoShutdownSetting", GetParam().code);
    // The probe's frames die with it; the last frame's time is kept here.
    static uint32_t lastFrame;
    lastFrame = 0;
    SetApplicationFactory([]() -> VGGame* {
        ClearErrors(); // no data files here: see above
        Probe = new ProbeGame;
        Probe->onUpdate = [](ProbeGame&) { lastFrame = Now; };
        return Probe;
    });
    std::vector<platform::ScriptStep> steps;
    std::string errors;
    ASSERT_TRUE(platform::ParseScript("at 20000 tap 5 5\n", steps, errors));
    shell.backend->SetScript(steps);
    EXPECT_EQ(VGMain(), 0);
    uint32_t lastInput = 20000 - 1000; // the tap, on the engine clock (origin 1000)
    EXPECT_GT(lastFrame - lastInput, GetParam().limit);
    EXPECT_LE(lastFrame - lastInput, GetParam().limit + 2 * 16);
}

INSTANTIATE_TEST_SUITE_P(Codes, AutoShutdownTest,
                         ::testing::Values(AutoShutdownCase{1, 60000}, AutoShutdownCase{2, 120000},
                                           AutoShutdownCase{3, 300000}));

} // namespace
