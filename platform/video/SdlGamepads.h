#pragma once
// Game controllers through SDL's game controller API: every controller SDL knows a mapping
// for, plugged in before or after start, reports through one PadTracker. The backend hands
// it SDL's controller events (SDL's game controller subsystem must be initialised first).
#include "platform/video/Gamepads.h"

#include <deque>
#include <vector>

union SDL_Event;
struct _SDL_GameController;

namespace platform {

// Starts and stops SDL's game controller support (calls nest, as SDL's subsystems do).
bool StartGamepadSupport();
void StopGamepadSupport();

class SdlGamepads final : public GamepadSource {
public:
    SdlGamepads() = default;
    ~SdlGamepads() override;
    SdlGamepads(const SdlGamepads&) = delete;
    SdlGamepads& operator=(const SdlGamepads&) = delete;

    // Takes one SDL event: true when it was a controller's (its changes are then ready).
    bool Handle(const SDL_Event& event);
    // Takes the controller events out of SDL's queue itself, for when no backend drains it.
    void PumpEvents();
    bool Poll(DeviceEvent& event) override;
    uint32_t Connected() const override { return uint32_t(open_.size()); }

private:
    struct Open {
        int32_t instance;
        _SDL_GameController* controller;
    };
    void Add(int32_t deviceIndex);
    void Remove(int32_t instance);

    std::vector<Open> open_;
    PadTracker tracker_;
    std::deque<DeviceEvent> pending_;
};

} // namespace platform
