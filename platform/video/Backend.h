#pragma once
// The desktop stand-in for the handheld's display, input, power and message-box services.
// One backend is chosen at start and installed for the whole run; the engine reaches it only
// through these interfaces and never asks which backend it is.
//
// Contract shared by both backends:
// - Display memory is a portrait W x H RGB565 frame (xPitch 1, yPitch W pixels) that stays
//   at one address for the whole run. The program writes a frame into it and calls
//   FrameWritten; the backend shows it, turned upright for the orientation last given to
//   SetViewOrientation, no more than once per refresh and only when it differs from the
//   frame shown last.
// - WaitForRefresh returns at the next refresh, or earlier when wakeOnInput is set and an
//   input event arrives; it is the only place the program waits between frames.
// - Events come out of Poll in the order they happened; Poll never waits.
#include "platform/video/DeviceEvents.h"

#include <cstdint>
#include <memory>
#include <string_view>

namespace platform {

struct FrameBufferInfo {
    uint16_t* pixels = nullptr;
    int32_t width = 0;   // portrait width W
    int32_t height = 0;  // portrait height H
    int32_t xPitch = 1;  // pixels between horizontally adjacent pixels
    int32_t yPitch = 0;  // pixels between vertically adjacent pixels
    uint32_t format = 1; // 1 = RGB 5-6-5
};

class Display {
public:
    virtual ~Display() = default;
    virtual FrameBufferInfo FrameBuffer() = 0;
    virtual void SetViewOrientation(uint32_t orientation) = 0;
    virtual void FrameWritten() = 0;
    virtual void WaitForRefresh(bool wakeOnInput) = 0;
    virtual uint32_t RefreshMs() const = 0;
};

class InputQueue {
public:
    virtual ~InputQueue() = default;
    virtual bool Poll(DeviceEvent& event) = 0;
    // Drops every key, character and stylus event that is pending now; others stay.
    virtual void DiscardPendingInput() = 0;
};

class PowerControl {
public:
    virtual ~PowerControl() = default;
    // While the backlight is held, or the idle timer was reset recently, the screen saver
    // is kept off; otherwise the host may blank the screen on its own schedule.
    virtual void HoldBacklight(bool held) = 0;
    virtual void ResetIdleTimer() = 0;
};

class Backend : public Display, public InputQueue, public PowerControl {
public:
    // True when this process may run: false when another windowed instance already runs
    // (it has been asked to come to the front). Headless runs always may.
    virtual bool ClaimSingleInstance() = 0;
    // Shows the program's window (a no-op without one); false when it cannot be created.
    virtual bool CreateWindow() = 0;
    // A fatal error text for the user: always on stderr, and in a box where there is a screen.
    virtual void ShowErrorBox(std::u16string_view text) = 0;
};

// The installed backend; until one is installed, a quiet headless one of 240x320 on the
// host clock (enough for code that runs before start-up, and for tests that need none).
Backend& CurrentBackend();
void InstallBackend(std::unique_ptr<Backend> backend);
std::unique_ptr<Backend> UninstallBackend();

// How long the idle-timer reset keeps the screen saver off.
constexpr uint32_t kIdleResetHoldMs = 30000;

} // namespace platform
