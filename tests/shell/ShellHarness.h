#pragma once
// A whole engine shell on the headless backend with a clock the test controls, a registry
// and program folder in a temporary folder, and a probe application whose one screen writes
// down what every frame saw.
#include "platform/Clock.h"
#include "platform/video/HeadlessBackend.h"
#include "tests/support/TempFolder.h"
#include "varnokengine/VGGame.h"
#include "varnokengine/VGScreen.h"

#include <functional>
#include <string>
#include <vector>

// What one frame's screen update saw.
struct FrameSeen {
    uint32_t now = 0;
    int32_t delta = 0;
    uint32_t pressed = 0; // bit per key
    uint32_t released = 0;
    uint32_t repeated = 0;
    int16_t stylusX = 0;
    int16_t stylusY = 0;
};

class ProbeGame;

class ProbeScreen final : public VGScreen {
public:
    explicit ProbeScreen(ProbeGame& game) : game_(game) {}
    VGScreen* Update() override;
    void OnChar(char16_t c) override;
    void OnExit() override;
    bool WantsMusic() override;

private:
    ProbeGame& game_;
};

class ProbeGame final : public VGGame {
public:
    int32_t TitleBarHeight() override { return 0; }
    int32_t SoftBarHeight() override { return 0; }
    VGFont* CreateLargeFont() override { return nullptr; }
    VGFont* CreateSmallFont() override { return nullptr; }
    void CreateFirstScreen() override { SetFirstScreen(new ProbeScreen(*this)); }
    void OnKeyDown(int32_t key) override { keyDowns.push_back(key); }
    void OnKeyUp(int32_t key) override { keyUps.push_back(key); }
    void OnStylusDown() override { ++stylusDowns; }
    void EmergencyStop() override { ++emergencyStops; }

    std::vector<FrameSeen> frames;
    std::vector<int32_t> keyDowns;
    std::vector<int32_t> keyUps;
    std::u16string chars;
    int stylusDowns = 0;
    int exits = 0;
    int emergencyStops = 0;
    bool wantsMusic = false; // what the probe screen answers
    // Runs inside every screen update, after the frame has been written down.
    std::function<void(ProbeGame&)> onUpdate;
};

// The probe game the last StartApplication made.
extern ProbeGame* Probe;

class ShellHarness {
public:
    // A width x height portrait device. With a stepped clock every present moves the clock
    // on by 16 ms (as in a headless run); otherwise only the test moves it.
    ShellHarness(int32_t width = 240, int32_t height = 320, bool steppedClock = false,
                 uint32_t endAfterScriptMs = 10000, uint32_t pixelFormat = 1);
    ~ShellHarness();

    platform::VirtualClock clock{1000};
    platform::HeadlessBackend* backend = nullptr;
    TempFolder folder;

    // Opens the display, sets it up and starts the probe application, as start-up does.
    ProbeGame& Start();
    void Send(uint32_t message, uint32_t wParam, uint32_t lParam);
    void Advance(uint32_t ms) { clock.Advance(ms); }
    std::string ReadFile(const std::string& name) const;
    bool Exists(const std::string& name) const;
};
