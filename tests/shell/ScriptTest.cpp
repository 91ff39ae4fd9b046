// Headless scripts: what each line becomes, what is refused, and how the headless backend
// hands the steps out as the virtual clock passes them.
#include "platform/video/HeadlessBackend.h"
#include "platform/video/HeadlessScript.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using platform::DeviceEvent;
using platform::EventType;
using platform::ScriptStep;

std::vector<ScriptStep> Parse(const std::string& text, bool expectOk = true) {
    std::vector<ScriptStep> steps;
    std::string errors;
    EXPECT_EQ(platform::ParseScript(text, steps, errors), expectOk) << errors;
    return steps;
}

TEST(ScriptTest, ReadsEveryCommandAndExpandsTapsAndKeys) {
    auto steps = Parse("# a comment line\n"
                       "at 6000 tap 120 200   # stylus down and up\n"
                       "at 6500 down 30 300 / at 6900 up 30 300\r\n"
                       "at 7000 key action\n"
                       "at 7100 keydown back\n"
                       "at 7150 move 31 301\n"
                       "at 7200 char \xC3\xA9\n"
                       "at 8000 shot menu.png\n"
                       "\n"
                       "at 20000 quit\n");
    ASSERT_EQ(steps.size(), 11u);
    EXPECT_EQ(steps[0].event.type, EventType::StylusDown);
    EXPECT_EQ(steps[1].event.type, EventType::StylusUp);
    EXPECT_EQ(steps[1].at, 6000u);
    EXPECT_EQ(steps[1].event.x, 120);
    EXPECT_EQ(steps[3].at, 6900u);
    EXPECT_EQ(steps[4].event.key, 0x86);
    EXPECT_EQ(steps[5].event.type, EventType::KeyUp);
    EXPECT_EQ(steps[6].event.key, 0xC4);
    EXPECT_EQ(steps[7].event.type, EventType::StylusMove);
    EXPECT_EQ(steps[8].event.character, u'\u00E9');
    EXPECT_EQ(steps[9].kind, ScriptStep::Kind::Shot);
    EXPECT_EQ(steps[9].shotName, "menu.png");
    EXPECT_EQ(steps[10].kind, ScriptStep::Kind::Quit);
}

TEST(ScriptTest, KeepsTimeOrderWithFileOrderForEqualTimes) {
    auto steps = Parse("at 300 key up\nat 100 char b\nat 100 char c\n");
    ASSERT_EQ(steps.size(), 4u);
    EXPECT_EQ(steps[0].event.character, u'b');
    EXPECT_EQ(steps[1].event.character, u'c');
    EXPECT_EQ(steps[2].at, 300u);
}

TEST(ScriptTest, RefusesMalformedLinesAndNamesThem) {
    std::vector<ScriptStep> steps;
    std::string errors;
    EXPECT_FALSE(platform::ParseScript("at 10 key up\n"
                                       "at -5 key up\n"
                                       "at 10 tap 1\n"
                                       "at 10 tap 1 99999\n"
                                       "at 10 key hyperspace\n"
                                       "at 10 char ab\n"
                                       "at 10 char \xE2\x82\xAC\n"
                                       "at 10 shot ../../etc/x.png\n"
                                       "at 10 shot .hidden.png\n"
                                       "at 10 shot picture.bmp\n"
                                       "at 10 quit now\n"
                                       "at x quit\n"
                                       "tap 1 2\n",
                                       steps, errors));
    EXPECT_EQ(steps.size(), 2u); // the good line, a key press and its release
    EXPECT_NE(errors.find("script line 2"), std::string::npos);
    EXPECT_NE(errors.find("script line 13"), std::string::npos);
    EXPECT_EQ(errors.find("script line 1:"), std::string::npos);
}

TEST(HeadlessBackendTest, HandsOutStepsAsTheClockPassesThemInDeviceCoordinates) {
    platform::VirtualClock clock(0);
    platform::HeadlessOptions options;
    options.width = 240;
    options.height = 320;
    options.endAfterScriptMs = 1000;
    platform::HeadlessBackend backend(options, &clock);
    backend.SetScript(Parse("at 100 down 10 20\nat 200 key up\n"));
    backend.SetViewOrientation(1); // landscape: view (10, 20) is device (219, 10)
    DeviceEvent e;
    EXPECT_FALSE(backend.Poll(e));
    clock.Advance(100);
    ASSERT_TRUE(backend.Poll(e));
    EXPECT_EQ(e.type, EventType::StylusDown);
    EXPECT_EQ(e.x, 219);
    EXPECT_EQ(e.y, 10);
    EXPECT_FALSE(backend.Poll(e));
    // Presents move the clock on by one refresh each.
    for (int i = 0; i < 7; ++i) backend.FrameWritten();
    EXPECT_EQ(clock.TickCount(), 212u);
    backend.DiscardPendingInput(); // the due key press and release go
    EXPECT_FALSE(backend.Poll(e));
    // The run ends by itself a while after the last step.
    clock.Advance(1000);
    ASSERT_TRUE(backend.Poll(e));
    EXPECT_EQ(e.type, EventType::Close);
    EXPECT_FALSE(backend.Poll(e));
}

TEST(HeadlessBackendTest, ShotSavesTheNextPresentedFrameUpright) {
    TempFolder folder;
    platform::VirtualClock clock(0);
    platform::HeadlessOptions options;
    options.width = 4;
    options.height = 6;
    options.shotsDir = folder.Path().string();
    platform::HeadlessBackend backend(options, &clock);
    backend.SetScript(Parse("at 20 shot a.png\n"));
    backend.SetViewOrientation(3);
    backend.FrameWritten(); // at 0: not yet due
    EXPECT_TRUE(backend.ShotsWritten().empty());
    backend.FrameWritten(); // at 16
    backend.FrameWritten(); // at 32: the first present after the shot's time
    ASSERT_EQ(backend.ShotsWritten().size(), 1u);
    std::string png = folder.ReadFile("a.png");
    ASSERT_GT(png.size(), 24u);
    EXPECT_EQ(png.substr(1, 3), "PNG");
    // Width and height in the header: the landscape view is 6 x 4.
    EXPECT_EQ(uint8_t(png[19]), 6);
    EXPECT_EQ(uint8_t(png[23]), 4);
}

TEST(HeadlessBackendTest, CreateRefusesAMissingOrMalformedScript) {
    TempFolder folder;
    std::string error;
    EXPECT_EQ(platform::HeadlessBackend::Create({}, (folder.Path() / "none.txt").string(), error),
              nullptr);
    EXPECT_NE(error.find("cannot read"), std::string::npos);
    folder.WriteFile("bad.txt", "at 10 dance\n");
    error.clear();
    EXPECT_EQ(platform::HeadlessBackend::Create({}, (folder.Path() / "bad.txt").string(), error),
              nullptr);
    EXPECT_NE(error.find("script line 1"), std::string::npos);
}

} // namespace
