#pragma once
// Game controllers in the program's terms. Every button, d-pad direction, left-stick
// direction and trigger is a control (deskkey::Pad*) that goes down and up, reported as key
// events with no handheld key. The left stick counts as pushed past half its travel and as
// let go below a third; a trigger goes down once it passes a quarter of its travel, carrying
// how deep it was at that moment (1..255), and is ready again below a tenth. Unplugging a
// controller lets go of everything it held.
#include "platform/video/DeviceEvents.h"

#include <cstdint>
#include <deque>
#include <vector>

namespace platform {

enum class PadAxis : uint8_t { LeftX, LeftY, LeftTrigger, RightTrigger };

// Turns one controller's raw readings into control changes; pure, so it is tested alone.
class PadTracker {
public:
    // pad: any id that tells controllers apart.
    void Button(uint32_t pad, uint16_t control, bool down, std::deque<DeviceEvent>& out);
    // value: sticks -32768..32767 (negative = left / up), triggers 0..32767.
    void Axis(uint32_t pad, PadAxis axis, int32_t value, std::deque<DeviceEvent>& out);
    void Forget(uint32_t pad, std::deque<DeviceEvent>& out);

private:
    struct Held {
        uint32_t pad;
        uint16_t control;
    };
    void Change(uint32_t pad, uint16_t control, bool down, uint8_t depth,
                std::deque<DeviceEvent>& out);
    bool IsHeld(uint32_t pad, uint16_t control) const;
    std::vector<Held> held_;
};

// Where controller changes come from; the backend passes them on with its other input.
class GamepadSource {
public:
    virtual ~GamepadSource() = default;
    // The next control change, in the order they happened; never waits.
    virtual bool Poll(DeviceEvent& event) = 0;
    virtual uint32_t Connected() const = 0;
};

} // namespace platform
