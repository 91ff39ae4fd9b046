#pragma once
// The desktop's own keys and the game controller's controls, in one code space beside the
// handheld's key codes. Keyboard keys use the common PC key numbers (letters and digits are
// their upper-case characters); controller controls lie above the keyboard's range.
// Every code has one lower-case name, used by headless scripts and the settings file.
#include <cstdint>
#include <string_view>

namespace platform {

namespace deskkey {
constexpr uint16_t Backspace = 0x08;
constexpr uint16_t Tab = 0x09;
constexpr uint16_t Return = 0x0D;
constexpr uint16_t Escape = 0x1B;
constexpr uint16_t Space = 0x20;
constexpr uint16_t PageUp = 0x21;
constexpr uint16_t PageDown = 0x22;
constexpr uint16_t End = 0x23;
constexpr uint16_t Home = 0x24;
constexpr uint16_t Left = 0x25;
constexpr uint16_t Up = 0x26;
constexpr uint16_t Right = 0x27;
constexpr uint16_t Down = 0x28;
constexpr uint16_t Insert = 0x2D;
constexpr uint16_t Delete = 0x2E;
constexpr uint16_t Digit0 = 0x30; // .. 0x39
constexpr uint16_t A = 0x41;      // .. 0x5A
constexpr uint16_t F1 = 0x70;
constexpr uint16_t F2 = 0x71;
constexpr uint16_t F3 = 0x72;
constexpr uint16_t Semicolon = 0xBA;
constexpr uint16_t Plus = 0xBB; // the "=" / "+" key, and the keypad's plus
constexpr uint16_t Comma = 0xBC;
constexpr uint16_t Minus = 0xBD; // also the keypad's minus
constexpr uint16_t Period = 0xBE;
constexpr uint16_t Slash = 0xBF; // the "/" / "?" key
constexpr uint16_t Backquote = 0xC0;
constexpr uint16_t LeftBracket = 0xDB;
constexpr uint16_t Backslash = 0xDC;
constexpr uint16_t RightBracket = 0xDD;
constexpr uint16_t Quote = 0xDE;

// Game controller controls (any controller: they all report alike).
constexpr uint16_t PadFirst = 0x100;
constexpr uint16_t PadA = 0x100;
constexpr uint16_t PadB = 0x101;
constexpr uint16_t PadX = 0x102;
constexpr uint16_t PadY = 0x103;
constexpr uint16_t PadBack = 0x104;
constexpr uint16_t PadStart = 0x105;
constexpr uint16_t PadLeftStick = 0x106; // pressing the stick
constexpr uint16_t PadRightStick = 0x107;
constexpr uint16_t PadLeftShoulder = 0x108;
constexpr uint16_t PadRightShoulder = 0x109;
constexpr uint16_t PadLeftTrigger = 0x10A;
constexpr uint16_t PadRightTrigger = 0x10B;
constexpr uint16_t PadUp = 0x10C; // the d-pad and the left stick pushed that way
constexpr uint16_t PadDown = 0x10D;
constexpr uint16_t PadLeft = 0x10E;
constexpr uint16_t PadRight = 0x10F;
constexpr uint16_t PadLast = 0x10F;
} // namespace deskkey

// Size of a table indexed by any desktop code.
constexpr uint16_t kDeskKeyCount = deskkey::PadLast + 1;

// The code of a letter key, from its lower-case letter.
constexpr uint16_t LetterKey(char c) {
    return uint16_t(deskkey::A + (c - 'a'));
}

inline bool IsPadControl(uint16_t code) {
    return code >= deskkey::PadFirst && code <= deskkey::PadLast;
}

// The handheld key a keyboard key also drives (arrows, Return/Space = action, Escape = back,
// F1-F3 = application buttons), or 0. Controller controls get 0: what they mean depends on
// the screen, so the program decides.
uint16_t HandheldKeyFor(uint16_t deskKey);

// The code for a name ("a", "7", "space", "pageup", "[", "pad_a", ...), or 0.
uint16_t DeskKeyByName(std::string_view name);
// The name of a code, or an empty view.
std::string_view DeskKeyName(uint16_t code);

} // namespace platform
