#include "platform/video/VirtualGamepad.h"

#include "platform/video/DesktopKeys.h"

#include <SDL.h>

namespace platform {

namespace {

int ButtonFor(uint16_t control) {
    switch (control) {
    case deskkey::PadA:
        return SDL_CONTROLLER_BUTTON_A;
    case deskkey::PadB:
        return SDL_CONTROLLER_BUTTON_B;
    case deskkey::PadX:
        return SDL_CONTROLLER_BUTTON_X;
    case deskkey::PadY:
        return SDL_CONTROLLER_BUTTON_Y;
    case deskkey::PadBack:
        return SDL_CONTROLLER_BUTTON_BACK;
    case deskkey::PadStart:
        return SDL_CONTROLLER_BUTTON_START;
    case deskkey::PadLeftStick:
        return SDL_CONTROLLER_BUTTON_LEFTSTICK;
    case deskkey::PadRightStick:
        return SDL_CONTROLLER_BUTTON_RIGHTSTICK;
    case deskkey::PadLeftShoulder:
        return SDL_CONTROLLER_BUTTON_LEFTSHOULDER;
    case deskkey::PadRightShoulder:
        return SDL_CONTROLLER_BUTTON_RIGHTSHOULDER;
    case deskkey::PadUp:
        return SDL_CONTROLLER_BUTTON_DPAD_UP;
    case deskkey::PadDown:
        return SDL_CONTROLLER_BUTTON_DPAD_DOWN;
    case deskkey::PadLeft:
        return SDL_CONTROLLER_BUTTON_DPAD_LEFT;
    case deskkey::PadRight:
        return SDL_CONTROLLER_BUTTON_DPAD_RIGHT;
    default:
        return -1;
    }
}

} // namespace

bool VirtualGamepad::Attach() {
    if (joystick_) return true;
    deviceIndex_ = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER,
                                             SDL_CONTROLLER_AXIS_MAX, SDL_CONTROLLER_BUTTON_MAX, 0);
    if (deviceIndex_ < 0) return false;
    joystick_ = SDL_JoystickOpen(deviceIndex_);
    if (!joystick_) {
        SDL_JoystickDetachVirtual(deviceIndex_);
        deviceIndex_ = -1;
        return false;
    }
    // At rest the triggers are all the way up.
    SetTrigger(false, 0);
    SetTrigger(true, 0);
    return true;
}

void VirtualGamepad::Detach() {
    if (!joystick_) return;
    SDL_JoystickClose(joystick_);
    joystick_ = nullptr;
    // The index may have moved when other joysticks came or went; find it again.
    for (int i = 0; i < SDL_NumJoysticks(); ++i) {
        if (SDL_JoystickIsVirtual(i)) {
            SDL_JoystickDetachVirtual(i);
            break;
        }
    }
    deviceIndex_ = -1;
}

void VirtualGamepad::SetButton(uint16_t control, bool down) {
    int button = ButtonFor(control);
    if (joystick_ && button >= 0) SDL_JoystickSetVirtualButton(joystick_, button, down ? 1 : 0);
}

void VirtualGamepad::SetTrigger(bool right, int32_t value) {
    if (!joystick_) return;
    // The controller mapping stretches the joystick axis -32768..32767 onto 0..32767.
    int32_t raw = value * 2 - 32768;
    if (raw > 32767) raw = 32767;
    SDL_JoystickSetVirtualAxis(
        joystick_, right ? SDL_CONTROLLER_AXIS_TRIGGERRIGHT : SDL_CONTROLLER_AXIS_TRIGGERLEFT,
        int16_t(raw));
}

void VirtualGamepad::SetStick(bool vertical, int32_t value) {
    if (!joystick_) return;
    SDL_JoystickSetVirtualAxis(joystick_,
                               vertical ? SDL_CONTROLLER_AXIS_LEFTY : SDL_CONTROLLER_AXIS_LEFTX,
                               int16_t(value < -32768  ? -32768
                                       : value > 32767 ? 32767
                                                       : value));
}

} // namespace platform
