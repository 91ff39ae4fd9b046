#pragma once
// The real application object on the headless display with the baked data of this build,
// started on the main menu, with the kit's sounds going to a recorder. Input goes through
// the window procedure one frame at a time, as the shell delivers it.
#include "game/GameApp.h"
#include "platform/Clock.h"
#include "tests/drumkit/KitTestData.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

class VGScreen;

constexpr uint32_t kUpKey = 0x26;
constexpr uint32_t kDownKey = 0x28;
constexpr uint32_t kLeftKey = 0x25;
constexpr uint32_t kRightKey = 0x27;
constexpr uint32_t kActionKey = 0x86;
constexpr uint32_t kBackKey = 0xC4;

class KitAppFixture : public testing::Test {
protected:
    // On the build's baked data, with a fresh player's folder, so what a player left in their
    // own folder (a saved game) never reaches the test and the test's saves stay with it.
    void StartApp();
    void TearDown() override;

    static DrumKit& kit() { return TheGameApp()->kit; }
    template <typename S> static bool On() {
        return dynamic_cast<S*>(TheGameApp()->currentScreen) != nullptr;
    }
    // Frames (each present moves the clock on by one refresh) for at least ms.
    void Run(uint32_t ms);
    void Key(uint32_t code);
    void Down(int32_t x, int32_t y);
    void Up(int32_t x, int32_t y);
    // Replaces the current screen as a returned screen would.
    static void SwitchTo(VGScreen* screen);

    platform::VirtualClock clock{1000};
    TempFolder temp;
    std::unique_ptr<RecordingSounds> recorder;
    bool started = false;
};
