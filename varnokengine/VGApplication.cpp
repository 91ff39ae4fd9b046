#include "varnokengine/VGApplication.h"

#include "varnokengine/VGClock.h"
#include "varnokengine/VGDeviceScreen.h"
#include "varnokengine/VGError.h"

#include "platform/video/DeviceEvents.h"

VGApplication* TheApp = nullptr;

const uint16_t KeyCodes[kKeyCount] = {0x26, 0x28, 0x25, 0x27, 0x86, 0xC4, 0, 0xC1, 0xC2, 0xC3};

uint32_t VGApplication::HeldTime(int32_t key) const {
    if (!Has(key, KeyHeld) || keys[key].downTime == 0) return 0;
    return Now - keys[key].downTime;
}

bool VGApplication::IsInside(int32_t x, int32_t y, int32_t w, int32_t h) const {
    int32_t dx = stylusX - x;
    int32_t dy = stylusY - y;
    return (dx < 0 ? -dx : dx) < (w >> 1) && (dy < 0 ? -dy : dy) < (h >> 1);
}

namespace {

bool PressSlot(KeySlot& slot) {
    if (slot.flags & KeyHeld) return false;
    slot.flags = KeyHeld | KeyChanged;
    slot.downTime = Now;
    slot.nextRepeat = Now + kFirstRepeatMs;
    return true;
}

bool ReleaseSlot(KeySlot& slot) {
    if (!(slot.flags & KeyHeld)) return false;
    slot.flags = KeyChanged;
    slot.downTime = Now;
    return true;
}

// One frame's auto-repeat for a slot; true when it pulsed.
bool RepeatSlot(KeySlot& slot) {
    if (!(slot.flags & KeyHeld) || int32_t(Now - slot.nextRepeat) <= 0) return false;
    bool pulse = !(slot.flags & KeyChanged);
    if (pulse) slot.flags = KeyHeld | KeyRepeated;
    slot.nextRepeat = Now + kRepeatMs;
    return pulse;
}

} // namespace

bool VGApplication::PressKey(int32_t key) {
    if (key < 0 || key >= kKeyCount || !PressSlot(keys[key])) return false;
    keys[key].eventTime = EventTime();
    inputChanged = 1;
    return true;
}

bool VGApplication::ReleaseKey(int32_t key) {
    if (key < 0 || key >= kKeyCount || !ReleaseSlot(keys[key])) return false;
    keys[key].eventTime = EventTime();
    inputChanged = 1;
    return true;
}

uint32_t VGApplication::EventTime() const {
    // An event cannot have happened after the present.
    return messageTimed && int32_t(messageTime - Now) <= 0 ? messageTime : Now;
}

bool VGApplication::IsDeskKeyReleased(uint16_t code) const {
    return code < platform::kDeskKeyCount &&
           (deskKeys[code].flags & (KeyHeld | KeyChanged)) == KeyChanged;
}

bool VGApplication::IsDeskKeyPressedOrRepeated(uint16_t code) const {
    return DeskHas(code, KeyHeld) && (deskKeys[code].flags & (KeyChanged | KeyRepeated)) != 0;
}

float VGApplication::DeskKeyDepth(uint16_t code) const {
    if (code >= platform::kDeskKeyCount) return 0.0f;
    return float(deskKeyDepth[code]) / 255.0f;
}

int32_t LookUpKey(uint32_t keyCode) {
    uint16_t code = uint16_t(keyCode);
    // The stylus entry has code 0 and must never match a key message.
    if (code == 0) return -1;
    for (int32_t i = 0; i < kKeyCount; ++i)
        if (KeyCodes[i] == code) return i;
    return -1;
}

uint16_t PadHandheldKey(uint16_t control, bool padStrikes) {
    namespace dk = platform::deskkey;
    namespace kc = platform::keycode;
    switch (control) {
    case dk::PadUp:
        return kc::Up;
    case dk::PadDown:
        return kc::Down;
    case dk::PadLeft:
        return kc::Left;
    case dk::PadRight:
        return kc::Right;
    case dk::PadA:
        return padStrikes ? 0 : kc::Action;
    case dk::PadB:
    case dk::PadBack:
        return padStrikes && control == dk::PadB ? 0 : kc::Back;
    case dk::PadStart:
        return padStrikes ? kc::Back : kc::Action;
    default:
        return 0;
    }
}

void VGApplication::HandleKeyDown(uint32_t wParam, uint32_t lParam) {
    if (lParam & kAlreadyDownBit) return; // the host's own auto-repeat is not used
    uint16_t desk = uint16_t(wParam >> 16);
    if (desk != 0 && desk < platform::kDeskKeyCount && PressSlot(deskKeys[desk])) {
        // A message without a depth is a plain key: full depth.
        uint8_t depth = uint8_t(lParam >> kDepthShift);
        deskKeyDepth[desk] = depth ? depth : 255;
        inputChanged = 1;
    }
    uint16_t handheld = uint16_t(wParam);
    if (handheld == 0) handheld = PadHandheldKey(desk, padStrikes);
    int32_t key = LookUpKey(handheld);
    if (key < 0) return;
    PressKey(key);
    OnKeyDown(key);
}

void VGApplication::HandleKeyUp(uint32_t wParam, uint32_t) {
    uint16_t desk = uint16_t(wParam >> 16);
    if (desk != 0 && desk < platform::kDeskKeyCount && ReleaseSlot(deskKeys[desk]))
        inputChanged = 1;
    uint16_t handheld = uint16_t(wParam);
    // Whatever the button stood for when it went down, it is let go now.
    if (handheld == 0) {
        ReleaseKey(LookUpKey(PadHandheldKey(desk, !padStrikes)));
        handheld = PadHandheldKey(desk, padStrikes);
    }
    int32_t key = LookUpKey(handheld);
    if (key < 0) return;
    ReleaseKey(key);
    OnKeyUp(key);
}

void VGApplication::SetStylusPosition(uint32_t lParam) {
    int32_t x = int16_t(lParam & 0xFFFF);
    int32_t y = int16_t(lParam >> 16);
    int32_t w = TheDisplay.deviceWidth;
    int32_t h = TheDisplay.deviceHeight;
    // The screen's own turn, undone with W and H themselves (not W - 1 and H - 1).
    switch (TheDisplay.orientation) {
    case 0:
        stylusX = int16_t(x), stylusY = int16_t(y);
        break;
    case 1:
        stylusX = int16_t(y), stylusY = int16_t(w - x);
        break;
    case 2:
        stylusX = int16_t(w - x), stylusY = int16_t(h - y);
        break;
    case 3:
        stylusX = int16_t(h - y), stylusY = int16_t(x);
        break;
    default:
        break;
    }
}

void FrameTick() {
    PaceFrame();
    if (ErrorFlag) return;
    VGApplication* app = TheApp;
    if (!app) return;
    for (KeySlot& slot : app->keys)
        if (RepeatSlot(slot)) app->inputChanged = 1;
    for (KeySlot& slot : app->deskKeys)
        if (RepeatSlot(slot)) app->inputChanged = 1;
    if (app->keys[KeyStylus].flags & KeyHeld) app->OnStylusMove();
    app->Frame();
    TheDisplay.Present();
    if (app->HeldTime(KeyBack) > kBackHoldQuitMs) app->quitRequest = 1;
    for (KeySlot& slot : app->keys) slot.flags &= ~(KeyChanged | KeyRepeated);
    for (KeySlot& slot : app->deskKeys) slot.flags &= ~(KeyChanged | KeyRepeated);
    app->inputChanged = 0;
}
