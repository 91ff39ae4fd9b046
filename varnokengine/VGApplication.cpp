#include "varnokengine/VGApplication.h"

#include "varnokengine/VGClock.h"
#include "varnokengine/VGDeviceScreen.h"
#include "varnokengine/VGError.h"

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

bool VGApplication::PressKey(int32_t key) {
    if (key < 0 || key >= kKeyCount || (keys[key].flags & KeyHeld)) return false;
    keys[key].flags = KeyHeld | KeyChanged;
    keys[key].downTime = Now;
    keys[key].nextRepeat = Now + kFirstRepeatMs;
    keys[key].eventTime = EventTime();
    inputChanged = 1;
    return true;
}

bool VGApplication::ReleaseKey(int32_t key) {
    if (key < 0 || key >= kKeyCount || !(keys[key].flags & KeyHeld)) return false;
    keys[key].flags = KeyChanged;
    keys[key].downTime = Now;
    keys[key].eventTime = EventTime();
    inputChanged = 1;
    return true;
}

uint32_t VGApplication::EventTime() const {
    // An event cannot have happened after the present.
    return messageTimed && int32_t(messageTime - Now) <= 0 ? messageTime : Now;
}

int32_t RemapDirectionKey(int32_t key, uint32_t orientation) {
    static const int32_t remap[4][4] = {
        {KeyUp, KeyDown, KeyLeft, KeyRight},
        {KeyLeft, KeyRight, KeyDown, KeyUp},
        {KeyDown, KeyUp, KeyRight, KeyLeft},
        {KeyRight, KeyLeft, KeyUp, KeyDown},
    };
    if (key < 0 || key > KeyRight || orientation > 3) return key;
    return remap[orientation][key];
}

int32_t LookUpKey(uint32_t keyCode, uint32_t orientation) {
    uint16_t code = uint16_t(keyCode);
    // The stylus entry has code 0 and must never match a key message.
    if (code == 0) return -1;
    for (int32_t i = 0; i < kKeyCount; ++i)
        if (KeyCodes[i] == code) return RemapDirectionKey(i, orientation);
    return -1;
}

void VGApplication::HandleKeyDown(uint32_t wParam, uint32_t lParam) {
    if (lParam & kAlreadyDownBit) return; // the host's own auto-repeat is not used
    int32_t key = LookUpKey(wParam, TheDisplay.orientation);
    if (key < 0) return;
    PressKey(key);
    OnKeyDown(key);
}

void VGApplication::HandleKeyUp(uint32_t wParam, uint32_t) {
    int32_t key = LookUpKey(wParam, TheDisplay.orientation);
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
    for (KeySlot& slot : app->keys) {
        if ((slot.flags & KeyHeld) && int32_t(Now - slot.nextRepeat) > 0) {
            if (!(slot.flags & KeyChanged)) {
                slot.flags = KeyHeld | KeyRepeated;
                app->inputChanged = 1;
            }
            slot.nextRepeat = Now + kRepeatMs;
        }
    }
    if (app->keys[KeyStylus].flags & KeyHeld) app->OnStylusMove();
    app->Frame();
    TheDisplay.Present();
    if (app->HeldTime(KeyBack) > kBackHoldQuitMs) app->quitRequest = 1;
    for (KeySlot& slot : app->keys) slot.flags &= ~(KeyChanged | KeyRepeated);
    app->inputChanged = 0;
}
