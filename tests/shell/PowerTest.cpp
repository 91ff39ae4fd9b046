// Power: the system's backlight time-outs are held while the program runs and always put
// back; the idle timer is kept reset only as the auto-shutdown code says.
#include "tests/shell/ShellHarness.h"

#include "varnokengine/VGClock.h"
#include "varnokengine/VGPower.h"
#include "varnokengine/VGRegistry.h"
#include "varnokengine/VGWindows.h"

#include <gtest/gtest.h>

namespace {

uint32_t Timeout(const char16_t* name) {
    uint32_t value = 0, size = 4;
    EXPECT_TRUE(ReadValue(2, u"ControlPanel\\Backlight", name, &value, &size));
    return value;
}

class PowerTest : public ::testing::Test {
protected:
    ShellHarness shell;
    void SetUp() override {
        uint32_t battery = 30, ac = 60;
        WriteValue(2, u"ControlPanel\\Backlight", u"BatteryTimeout", &battery, 4);
        WriteValue(2, u"ControlPanel\\Backlight", u"ACTimeout", &ac, 4);
        Power.useDeviceBacklight = 0;
        Power.autoShutdown = 2;
    }
};

TEST_F(PowerTest, BacklightHeldDuringTheRunAndTimeoutsPutBackEvenAfterASwitch) {
    PowerStartUp();
    EXPECT_TRUE(shell.backend->BacklightHeld());
    EXPECT_EQ(Timeout(u"BatteryTimeout"), 0x7FFFFFFFu);
    EXPECT_EQ(Timeout(u"ACTimeout"), 0x7FFFFFFFu);
    SetUseDeviceBacklight(1); // the user asks for the device's own settings mid-run
    EXPECT_FALSE(shell.backend->BacklightHeld());
    EXPECT_EQ(Timeout(u"BatteryTimeout"), 30u);
    SetUseDeviceBacklight(0);
    EXPECT_TRUE(shell.backend->BacklightHeld());
    EXPECT_EQ(ReadOption(u"UseDeviceBacklightSetting", 9), 0u);
    PowerRestore();
    EXPECT_FALSE(shell.backend->BacklightHeld());
    EXPECT_EQ(Timeout(u"BatteryTimeout"), 30u);
    EXPECT_EQ(Timeout(u"ACTimeout"), 60u);
}

TEST_F(PowerTest, DeviceBacklightSettingLeavesTimeoutsAlone) {
    WriteOption(u"UseDeviceBacklightSetting", 1);
    PowerStartUp();
    EXPECT_FALSE(shell.backend->BacklightHeld());
    EXPECT_EQ(Timeout(u"BatteryTimeout"), 30u);
}

TEST_F(PowerTest, CodeZeroNeverResetsTheIdleTimerAfterStartUp) {
    WriteOption(u"AutoShutdownSetting", 0);
    PowerStartUp();
    StartingUp = 0;
    uint32_t resets = shell.backend->IdleResets();
    for (int i = 0; i < 100; ++i) {
        shell.Advance(1000);
        KeepAlive();
    }
    EXPECT_EQ(shell.backend->IdleResets(), resets);
}

TEST_F(PowerTest, OtherCodesResetTheIdleTimerEveryFiveSeconds) {
    WriteOption(u"AutoShutdownSetting", 6);
    PowerStartUp();
    StartingUp = 0;
    uint32_t resets = shell.backend->IdleResets();
    for (int i = 0; i < 60; ++i) {
        shell.Advance(1000);
        KeepAlive();
    }
    EXPECT_GE(shell.backend->IdleResets() - resets, 9u);
    EXPECT_LE(shell.backend->IdleResets() - resets, 12u);
}

TEST_F(PowerTest, InputDuringStartUpIsNotIdleTime) {
    ProbeGame& game = shell.Start();
    StartingUp = 1;
    shell.Advance(200000);
    KeepAlive(); // still starting: the last input time follows the clock
    StartingUp = 0;
    shell.Advance(1000);
    KeepAlive();
    EXPECT_EQ(game.quitRequest, 0u);
    shell.Advance(120000);
    KeepAlive();
    EXPECT_EQ(game.quitRequest, 1u);
}

TEST_F(PowerTest, NothingStoredMeansNeverEndAndAStoredCodeIsKept) {
    PowerStartUp(); // the in-memory value from before does not count as stored
    EXPECT_EQ(Power.autoShutdown, 6u);
    StartingUp = 0;
    ProbeGame& game = shell.Start();
    shell.Advance(3600000);
    KeepAlive();
    EXPECT_EQ(game.quitRequest, 0u);
    WriteOption(u"AutoShutdownSetting", 2);
    PowerStartUp();
    EXPECT_EQ(Power.autoShutdown, 2u);
}

TEST_F(PowerTest, DamagedShutdownCodeCountsAsTheDefault) {
    WriteOption(u"AutoShutdownSetting", 9);
    PowerStartUp();
    EXPECT_EQ(Power.autoShutdown, 6u);
    EXPECT_EQ(AutoShutdownLimit(2), 120000u);
    EXPECT_EQ(AutoShutdownLimit(6), 0u);
}

TEST_F(PowerTest, SettersWriteOnlyChanges) {
    PowerStartUp();
    SetAutoShutdown(6);
    EXPECT_FALSE(ReadValue(0, u"Options", u"AutoShutdownSetting", nullptr, nullptr));
    SetAutoShutdown(4);
    EXPECT_EQ(ReadOption(u"AutoShutdownSetting", 0), 4u);
}

} // namespace
