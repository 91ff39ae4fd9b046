#pragma once
// A game controller that exists only in software (SDL's virtual joystick, with SDL's own
// controller mapping for it), so controller input can be checked without hardware. SDL's
// game controller subsystem must be running while it is attached.
#include <cstdint>

struct _SDL_Joystick;

namespace platform {

class VirtualGamepad {
public:
    VirtualGamepad() = default;
    ~VirtualGamepad() { Detach(); }
    VirtualGamepad(const VirtualGamepad&) = delete;
    VirtualGamepad& operator=(const VirtualGamepad&) = delete;

    // Plugs it in; false (with nothing attached) when SDL cannot make one.
    bool Attach();
    // Unplugs it.
    void Detach();
    // control: a deskkey::Pad* code of a button or d-pad direction.
    void SetButton(uint16_t control, bool down);
    // Triggers 0..32767; the stick's axes -32768..32767.
    void SetTrigger(bool right, int32_t value);
    void SetStick(bool vertical, int32_t value);

private:
    int32_t deviceIndex_ = -1;
    _SDL_Joystick* joystick_ = nullptr;
};

} // namespace platform
