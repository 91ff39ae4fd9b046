#pragma once
// The application object's base layer: the quit request, the polled key table and the stylus
// position. The window procedure feeds it (press, release, position); FrameTick adds the
// auto-repeat pulses and clears the edges after each frame, so a screen polling during a
// frame sees a stable snapshot: a press is Changed for exactly one frame, a repeat pulse is
// Repeated for exactly one frame.
#include "platform/video/DesktopKeys.h"

#include <cstdint>

class VGGame;

enum InputKey : int32_t {
    KeyUp = 0,
    KeyDown = 1,
    KeyLeft = 2,
    KeyRight = 3,
    KeyAction = 4,
    KeyBack = 5,
    KeyStylus = 6,
    KeyApp1 = 7,
    KeyApp2 = 8,
    KeyApp3 = 9,
};
constexpr int32_t kKeyCount = 10;

// KeySlot::flags bits.
constexpr uint32_t KeyHeld = 1;
constexpr uint32_t KeyChanged = 2;  // pressed or released during this frame
constexpr uint32_t KeyRepeated = 4; // an auto-repeat pulse during this frame

constexpr uint32_t kFirstRepeatMs = 300;
constexpr uint32_t kRepeatMs = 160;
// Holding the back button longer than this ends the program.
constexpr uint32_t kBackHoldQuitMs = 2000;

struct KeySlot {
    uint32_t flags = 0;
    uint32_t downTime = 0;   // when the key went down (also written on release)
    uint32_t nextRepeat = 0; // when the next auto-repeat pulse is due
    uint32_t eventTime = 0;  // when the input event of the last press or release happened
};

// The key code that drives each key, in search order (the stylus has none).
extern const uint16_t KeyCodes[kKeyCount];

// Input messages as the window procedure receives them. A key message's wParam holds the
// handheld key code in its low 16 bits (the only part the key table reads) and the desktop
// key or controller control in its high 16 bits; a key-down's lParam carries a controller
// trigger's depth (1..255, 255 for keys) in bits 16..23.
constexpr uint32_t kAlreadyDownBit = 1u << 30;
constexpr uint32_t kDepthShift = 16;
inline uint32_t PackKeyCodes(uint16_t handheld, uint16_t deskKey) {
    return handheld | uint32_t(deskKey) << 16;
}
inline uint32_t PackStylus(int16_t x, int16_t y) {
    return uint16_t(x) | uint32_t(uint16_t(y)) << 16;
}

class VGApplication {
public:
    VGApplication() = default;
    virtual ~VGApplication() = default;
    VGApplication(const VGApplication&) = delete;
    VGApplication& operator=(const VGApplication&) = delete;

    // The game layer of this object, when it has one.
    virtual VGGame* Game() { return nullptr; }
    virtual void Init() {}
    virtual void Shutdown() {}
    virtual void Resume() {}
    virtual void EmergencyStop() {}
    virtual void Frame() {}
    virtual void OnChar(char16_t) {}
    virtual void OnKeyDown(int32_t /*key*/) {}
    virtual void OnKeyUp(int32_t /*key*/) {}
    virtual void OnStylusMove() {}
    virtual void OnStylusDown() {}
    virtual void OnStylusUp() {}

    bool IsPressed(int32_t key) const { return Has(key, KeyHeld) && Has(key, KeyChanged); }
    bool IsReleased(int32_t key) const { return !Has(key, KeyHeld) && Has(key, KeyChanged); }
    bool IsRepeated(int32_t key) const { return Has(key, KeyHeld) && Has(key, KeyRepeated); }
    bool IsPressedOrRepeated(int32_t key) const {
        return Has(key, KeyHeld) && (Has(key, KeyChanged) || Has(key, KeyRepeated));
    }
    uint32_t HeldTime(int32_t key) const;

    // The desktop's keys and controller controls, by their desktop codes (DesktopKeys.h),
    // with the same edges and auto-repeat as the key table.
    bool IsDeskKeyPressed(uint16_t code) const { return DeskHas(code, KeyHeld | KeyChanged); }
    bool IsDeskKeyReleased(uint16_t code) const;
    bool IsDeskKeyHeld(uint16_t code) const { return DeskHas(code, KeyHeld); }
    bool IsDeskKeyPressedOrRepeated(uint16_t code) const;
    // How deep a controller trigger was when it went down, 0..1 (1 for keys and buttons).
    float DeskKeyDepth(uint16_t code) const;
    // Stylus strictly inside the w x h rectangle centred on (x, y).
    bool IsInside(int32_t x, int32_t y, int32_t w, int32_t h) const;

    // True when the key changed state.
    bool PressKey(int32_t key);
    bool ReleaseKey(int32_t key);
    void HandleKeyDown(uint32_t wParam, uint32_t lParam);
    void HandleKeyUp(uint32_t wParam, uint32_t lParam);
    // lParam: device x in the low 16 bits, y in the high 16 bits (both signed); stored
    // turned into screen coordinates for the display's orientation.
    void SetStylusPosition(uint32_t lParam);

    uint32_t quitRequest = 0;
    // The engine time at which the input message being handled happened, as the window
    // procedure sets it; presses and releases made without it happened at Now.
    uint32_t messageTime = 0;
    bool messageTimed = false;
    KeySlot keys[kKeyCount];
    uint32_t inputChanged = 0;
    int16_t stylusX = 0;
    int16_t stylusY = 0;
    KeySlot deskKeys[platform::kDeskKeyCount];
    uint8_t deskKeyDepth[platform::kDeskKeyCount] = {};
    // Set while a screen plays the kit: the controller's A and B buttons then strike pieces
    // instead of being the action and back keys, and Start is the back key (the menu).
    bool padStrikes = false;

private:
    uint32_t EventTime() const;
    bool DeskHas(uint16_t code, uint32_t bits) const {
        return code < platform::kDeskKeyCount && (deskKeys[code].flags & bits) == bits;
    }
    bool Has(int32_t key, uint32_t bit) const {
        return key >= 0 && key < kKeyCount && (keys[key].flags & bit) != 0;
    }
};

// The one application object, owned by the engine (VGEngine.h).
extern VGApplication* TheApp;

// The key index for a key code, or -1 for keys not in the table. The arrows are not turned
// with the screen: the desktop shows the picture upright, so they act as they look.
int32_t LookUpKey(uint32_t keyCode);
// The handheld key a controller control stands for on the current screen, or 0.
uint16_t PadHandheldKey(uint16_t control, bool padStrikes);

// One frame of the application: pace, auto-repeat, screen update and draw, present, the
// long-back-press check, and the clearing of this frame's edges.
void FrameTick();
