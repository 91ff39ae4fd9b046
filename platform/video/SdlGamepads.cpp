#include "platform/video/SdlGamepads.h"

#include "platform/video/DesktopKeys.h"

#include <SDL.h>

#include <algorithm>

namespace platform {

namespace {

uint16_t ControlFor(uint8_t button) {
    switch (button) {
    case SDL_CONTROLLER_BUTTON_A:
        return deskkey::PadA;
    case SDL_CONTROLLER_BUTTON_B:
        return deskkey::PadB;
    case SDL_CONTROLLER_BUTTON_X:
        return deskkey::PadX;
    case SDL_CONTROLLER_BUTTON_Y:
        return deskkey::PadY;
    case SDL_CONTROLLER_BUTTON_BACK:
        return deskkey::PadBack;
    case SDL_CONTROLLER_BUTTON_START:
        return deskkey::PadStart;
    case SDL_CONTROLLER_BUTTON_LEFTSTICK:
        return deskkey::PadLeftStick;
    case SDL_CONTROLLER_BUTTON_RIGHTSTICK:
        return deskkey::PadRightStick;
    case SDL_CONTROLLER_BUTTON_LEFTSHOULDER:
        return deskkey::PadLeftShoulder;
    case SDL_CONTROLLER_BUTTON_RIGHTSHOULDER:
        return deskkey::PadRightShoulder;
    case SDL_CONTROLLER_BUTTON_DPAD_UP:
        return deskkey::PadUp;
    case SDL_CONTROLLER_BUTTON_DPAD_DOWN:
        return deskkey::PadDown;
    case SDL_CONTROLLER_BUTTON_DPAD_LEFT:
        return deskkey::PadLeft;
    case SDL_CONTROLLER_BUTTON_DPAD_RIGHT:
        return deskkey::PadRight;
    default:
        return 0;
    }
}

bool AxisFor(uint8_t axis, PadAxis& out) {
    switch (axis) {
    case SDL_CONTROLLER_AXIS_LEFTX:
        out = PadAxis::LeftX;
        return true;
    case SDL_CONTROLLER_AXIS_LEFTY:
        out = PadAxis::LeftY;
        return true;
    case SDL_CONTROLLER_AXIS_TRIGGERLEFT:
        out = PadAxis::LeftTrigger;
        return true;
    case SDL_CONTROLLER_AXIS_TRIGGERRIGHT:
        out = PadAxis::RightTrigger;
        return true;
    default:
        return false;
    }
}

} // namespace

bool StartGamepadSupport() {
    return SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0;
}

void StopGamepadSupport() {
    SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

SdlGamepads::~SdlGamepads() {
    for (const Open& o : open_) SDL_GameControllerClose(o.controller);
}

void SdlGamepads::Add(int32_t deviceIndex) {
    SDL_GameController* controller = SDL_GameControllerOpen(deviceIndex);
    if (!controller) return;
    int32_t instance = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(controller));
    // SDL announces a controller that was present at start more than once on some systems.
    for (const Open& o : open_) {
        if (o.instance == instance) {
            SDL_GameControllerClose(controller);
            return;
        }
    }
    open_.push_back({instance, controller});
}

void SdlGamepads::Remove(int32_t instance) {
    auto it = std::find_if(open_.begin(), open_.end(),
                           [&](const Open& o) { return o.instance == instance; });
    if (it == open_.end()) return;
    SDL_GameControllerClose(it->controller);
    open_.erase(it);
    tracker_.Forget(uint32_t(instance), pending_);
}

bool SdlGamepads::Handle(const SDL_Event& event) {
    switch (event.type) {
    case SDL_CONTROLLERDEVICEADDED:
        Add(event.cdevice.which);
        return true;
    case SDL_CONTROLLERDEVICEREMOVED:
        Remove(event.cdevice.which);
        return true;
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP:
        if (uint16_t control = ControlFor(event.cbutton.button))
            tracker_.Button(uint32_t(event.cbutton.which), control,
                            event.type == SDL_CONTROLLERBUTTONDOWN, pending_);
        return true;
    case SDL_CONTROLLERAXISMOTION: {
        PadAxis axis;
        if (AxisFor(event.caxis.axis, axis))
            tracker_.Axis(uint32_t(event.caxis.which), axis, event.caxis.value, pending_);
        return true;
    }
    default:
        return false;
    }
}

void SdlGamepads::PumpEvents() {
    SDL_PumpEvents();
    SDL_Event event;
    while (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_CONTROLLERAXISMOTION,
                          SDL_CONTROLLERDEVICEREMAPPED) > 0)
        Handle(event);
}

bool SdlGamepads::Poll(DeviceEvent& event) {
    if (pending_.empty()) return false;
    event = pending_.front();
    pending_.pop_front();
    return true;
}

} // namespace platform
