#include "platform/video/Gamepads.h"

#include "platform/video/DesktopKeys.h"

#include <algorithm>

namespace platform {

namespace {

constexpr int32_t kStickPush = 16384;    // half the stick's travel
constexpr int32_t kStickRelease = 10923; // a third
constexpr int32_t kTriggerPress = 8192;  // a quarter of the trigger's travel
constexpr int32_t kTriggerRelease = 3277;
constexpr int32_t kAxisMax = 32767;

uint8_t Depth(int32_t value) {
    int32_t d = std::clamp(value, 0, kAxisMax) * 255 / kAxisMax;
    return uint8_t(std::max(d, 1));
}

} // namespace

bool PadTracker::IsHeld(uint32_t pad, uint16_t control) const {
    return std::any_of(held_.begin(), held_.end(),
                       [&](const Held& h) { return h.pad == pad && h.control == control; });
}

void PadTracker::Change(uint32_t pad, uint16_t control, bool down, uint8_t depth,
                        std::deque<DeviceEvent>& out) {
    if (down == IsHeld(pad, control)) return;
    if (down)
        held_.push_back({pad, control});
    else
        std::erase_if(held_, [&](const Held& h) { return h.pad == pad && h.control == control; });
    DeviceEvent e;
    e.type = down ? EventType::KeyDown : EventType::KeyUp;
    e.deskKey = control;
    e.depth = down ? depth : 255;
    out.push_back(e);
}

void PadTracker::Button(uint32_t pad, uint16_t control, bool down, std::deque<DeviceEvent>& out) {
    if (IsPadControl(control)) Change(pad, control, down, 255, out);
}

void PadTracker::Axis(uint32_t pad, PadAxis axis, int32_t value, std::deque<DeviceEvent>& out) {
    if (axis == PadAxis::LeftTrigger || axis == PadAxis::RightTrigger) {
        uint16_t control =
            axis == PadAxis::LeftTrigger ? deskkey::PadLeftTrigger : deskkey::PadRightTrigger;
        if (value > kTriggerPress) Change(pad, control, true, Depth(value), out);
        if (value < kTriggerRelease) Change(pad, control, false, 255, out);
        return;
    }
    uint16_t less = axis == PadAxis::LeftX ? deskkey::PadLeft : deskkey::PadUp;
    uint16_t more = axis == PadAxis::LeftX ? deskkey::PadRight : deskkey::PadDown;
    // Through the middle in one reading: the old direction goes up before the new one.
    if (value > -kStickRelease) Change(pad, less, false, 255, out);
    if (value < kStickRelease) Change(pad, more, false, 255, out);
    if (value <= -kStickPush) Change(pad, less, true, 255, out);
    if (value >= kStickPush) Change(pad, more, true, 255, out);
}

void PadTracker::Forget(uint32_t pad, std::deque<DeviceEvent>& out) {
    std::vector<Held> held = held_;
    for (const Held& h : held)
        if (h.pad == pad) Change(pad, h.control, false, 255, out);
}

} // namespace platform
