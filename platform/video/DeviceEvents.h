#pragma once
// What the desktop "device" reports to the program: keys by the handheld's own key codes
// and by the desktop's own key (see DesktopKeys.h), game-controller buttons, typed
// characters, stylus contacts in device coordinates (display memory, portrait), and the
// window's life events.
#include <cstdint>

namespace platform {

// The handheld's key codes; the program's key table is written in these.
namespace keycode {
constexpr uint16_t Left = 0x25;
constexpr uint16_t Up = 0x26;
constexpr uint16_t Right = 0x27;
constexpr uint16_t Down = 0x28;
constexpr uint16_t Action = 0x86;
constexpr uint16_t App1 = 0xC1;
constexpr uint16_t App2 = 0xC2;
constexpr uint16_t App3 = 0xC3;
constexpr uint16_t Back = 0xC4;
} // namespace keycode

enum class EventType : uint8_t {
    KeyDown,    // key and/or deskKey; repeat set when the key was already down (host repeat)
    KeyUp,      // key and/or deskKey
    Character,  // character (Latin-1)
    StylusDown, // x, y in device coordinates
    StylusUp,
    StylusMove, // only while the stylus is down
    Close,      // the user closed the window (or a headless run ended)
    Activate,   // the window came back from being minimised
    Deactivate, // the window was minimised
};

struct DeviceEvent {
    EventType type = EventType::Close;
    uint16_t key = 0;     // the handheld's key code, 0 for keys the handheld had no use for
    uint16_t deskKey = 0; // the desktop key or controller control, 0 for none
    uint8_t depth = 255;  // how far a controller trigger went down (255 for everything else)
    bool repeat = false;
    char16_t character = 0;
    int16_t x = 0;
    int16_t y = 0;
    // When it happened, on the program's clock (Clock::TickCount), if the backend knows.
    bool timed = false;
    uint32_t time = 0;
};

inline bool IsKeyboardEvent(EventType t) {
    return t == EventType::KeyDown || t == EventType::KeyUp || t == EventType::Character;
}
inline bool IsStylusEvent(EventType t) {
    return t == EventType::StylusDown || t == EventType::StylusUp || t == EventType::StylusMove;
}

} // namespace platform
