// Game controllers: the thresholds that turn sticks and triggers into controls, and a
// software controller plugged in and out through SDL's game controller API.
#include "platform/video/DesktopKeys.h"
#include "platform/video/Gamepads.h"
#include "platform/video/SdlGamepads.h"
#include "platform/video/VirtualGamepad.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <deque>
#include <string>
#include <vector>

namespace {

namespace dk = platform::deskkey;
using platform::DeviceEvent;
using platform::EventType;
using platform::PadAxis;

// "+name" for a control going down, "-name" for going up.
std::vector<std::string> Changes(std::deque<DeviceEvent>& events) {
    std::vector<std::string> out;
    for (const DeviceEvent& e : events)
        out.push_back((e.type == EventType::KeyDown ? "+" : "-") +
                      std::string(platform::DeskKeyName(e.deskKey)));
    events.clear();
    return out;
}

using Strings = std::vector<std::string>;

TEST(PadTrackerTest, StickPushesPastHalfAndLetsGoBelowAThird) {
    platform::PadTracker pads;
    std::deque<DeviceEvent> out;
    pads.Axis(1, PadAxis::LeftX, 16000, out); // not yet half way
    EXPECT_TRUE(out.empty());
    pads.Axis(1, PadAxis::LeftX, 20000, out);
    EXPECT_EQ(Changes(out), Strings{"+pad_right"});
    pads.Axis(1, PadAxis::LeftX, 12000, out); // still beyond a third: held
    EXPECT_TRUE(out.empty());
    pads.Axis(1, PadAxis::LeftX, -30000, out); // flung across: right goes before left comes
    EXPECT_EQ(Changes(out), (Strings{"-pad_right", "+pad_left"}));
    pads.Axis(1, PadAxis::LeftY, 32767, out); // down on the screen
    EXPECT_EQ(Changes(out), Strings{"+pad_down"});
    // Another controller holds its own controls; unplugging one lets go of only its own.
    pads.Button(2, dk::PadA, true, out);
    pads.Forget(1, out);
    EXPECT_EQ(Changes(out), (Strings{"+pad_a", "-pad_left", "-pad_down"}));
}

TEST(PadTrackerTest, TriggerStrikesOnceWithItsDepthAndRearmsBelowATenth) {
    platform::PadTracker pads;
    std::deque<DeviceEvent> out;
    pads.Axis(1, PadAxis::RightTrigger, 8000, out);
    EXPECT_TRUE(out.empty());
    pads.Axis(1, PadAxis::RightTrigger, 16384, out);
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0].deskKey, dk::PadRightTrigger);
    EXPECT_EQ(out[0].depth, 127);
    out.clear();
    pads.Axis(1, PadAxis::RightTrigger, 32767, out); // deeper: still the same stroke
    pads.Axis(1, PadAxis::RightTrigger, 5000, out);  // half let go: no new stroke
    pads.Axis(1, PadAxis::RightTrigger, 9000, out);
    EXPECT_TRUE(out.empty());
    pads.Axis(1, PadAxis::RightTrigger, 0, out);
    pads.Axis(1, PadAxis::RightTrigger, 32767, out);
    EXPECT_EQ(Changes(out), (Strings{"-pad_rt", "+pad_rt"}));
}

class SdlGamepadsTest : public ::testing::Test {
protected:
    void SetUp() override {
        // No real controllers or their drivers: only the software one.
        setenv("SDL_JOYSTICK_DISABLE_UDEV", "1", 1);
        setenv("SDL_HIDAPI", "0", 1);
        started = platform::StartGamepadSupport();
    }
    void TearDown() override {
        if (started) platform::StopGamepadSupport();
    }
    std::vector<std::string> Drain(platform::SdlGamepads& pads) {
        pads.PumpEvents();
        std::deque<DeviceEvent> events;
        DeviceEvent e;
        while (pads.Poll(e)) events.push_back(e);
        last = events;
        return Changes(events);
    }
    bool started = false;
    std::deque<DeviceEvent> last;
};

TEST_F(SdlGamepadsTest, ControllerPluggedInAfterStartPlaysAndLetsGoWhenUnplugged) {
    ASSERT_TRUE(started);
    platform::SdlGamepads pads;
    platform::VirtualGamepad pad;
    ASSERT_TRUE(pad.Attach());
    EXPECT_TRUE(Drain(pads).empty()); // plugged in: nothing pressed
    EXPECT_EQ(pads.Connected(), 1u);
    pad.SetButton(dk::PadA, true);
    pad.SetButton(dk::PadDown, true);
    EXPECT_EQ(Drain(pads), (Strings{"+pad_a", "+pad_down"}));
    pad.SetTrigger(false, 24576); // three quarters down
    EXPECT_EQ(Drain(pads), Strings{"+pad_lt"});
    ASSERT_EQ(last.size(), 1u);
    EXPECT_NEAR(last[0].depth, 191, 2);
    pad.SetStick(false, -30000);
    EXPECT_EQ(Drain(pads), Strings{"+pad_left"});
    pad.Detach();
    Strings gone = Drain(pads);
    EXPECT_EQ(pads.Connected(), 0u);
    std::sort(gone.begin(), gone.end());
    EXPECT_EQ(gone, (Strings{"-pad_a", "-pad_down", "-pad_left", "-pad_lt"}));
}

} // namespace
