#include "platform/video/DesktopKeys.h"

#include "platform/video/DeviceEvents.h"

#include <array>

namespace platform {

namespace {

struct NamedKey {
    const char* name;
    uint16_t code;
};

constexpr NamedKey kNamed[] = {
    {"backspace", deskkey::Backspace},
    {"tab", deskkey::Tab},
    {"return", deskkey::Return},
    {"escape", deskkey::Escape},
    {"space", deskkey::Space},
    {"pageup", deskkey::PageUp},
    {"pagedown", deskkey::PageDown},
    {"end", deskkey::End},
    {"home", deskkey::Home},
    {"left", deskkey::Left},
    {"up", deskkey::Up},
    {"right", deskkey::Right},
    {"down", deskkey::Down},
    {"insert", deskkey::Insert},
    {"delete", deskkey::Delete},
    {"f1", deskkey::F1},
    {"f2", deskkey::F2},
    {"f3", deskkey::F3},
    {";", deskkey::Semicolon},
    {"+", deskkey::Plus},
    {",", deskkey::Comma},
    {"-", deskkey::Minus},
    {".", deskkey::Period},
    {"/", deskkey::Slash},
    {"`", deskkey::Backquote},
    {"[", deskkey::LeftBracket},
    {"\\", deskkey::Backslash},
    {"]", deskkey::RightBracket},
    {"'", deskkey::Quote},
    {"pad_a", deskkey::PadA},
    {"pad_b", deskkey::PadB},
    {"pad_x", deskkey::PadX},
    {"pad_y", deskkey::PadY},
    {"pad_back", deskkey::PadBack},
    {"pad_start", deskkey::PadStart},
    {"pad_ls", deskkey::PadLeftStick},
    {"pad_rs", deskkey::PadRightStick},
    {"pad_lb", deskkey::PadLeftShoulder},
    {"pad_rb", deskkey::PadRightShoulder},
    {"pad_lt", deskkey::PadLeftTrigger},
    {"pad_rt", deskkey::PadRightTrigger},
    {"pad_up", deskkey::PadUp},
    {"pad_down", deskkey::PadDown},
    {"pad_left", deskkey::PadLeft},
    {"pad_right", deskkey::PadRight},
};

// One-character names for letters and digits, indexed by code.
const std::array<char, 2>* SingleName(uint16_t code) {
    static std::array<std::array<char, 2>, 128> names = [] {
        std::array<std::array<char, 2>, 128> n{};
        for (char c = '0'; c <= '9'; ++c) n[size_t(c)] = {c, 0};
        for (char c = 'A'; c <= 'Z'; ++c) n[size_t(c)] = {char(c + 32), 0};
        return n;
    }();
    if (code >= 128 || names[code][0] == 0) return nullptr;
    return &names[code];
}

} // namespace

uint16_t HandheldKeyFor(uint16_t deskKey) {
    switch (deskKey) {
    case deskkey::Up:
        return keycode::Up;
    case deskkey::Down:
        return keycode::Down;
    case deskkey::Left:
        return keycode::Left;
    case deskkey::Right:
        return keycode::Right;
    case deskkey::Return:
    case deskkey::Space:
        return keycode::Action;
    case deskkey::Escape:
        return keycode::Back;
    case deskkey::F1:
        return keycode::App1;
    case deskkey::F2:
        return keycode::App2;
    case deskkey::F3:
        return keycode::App3;
    default:
        return 0;
    }
}

uint16_t DeskKeyByName(std::string_view name) {
    if (name.size() == 1) {
        char c = name[0];
        if (c >= 'a' && c <= 'z') return uint16_t(deskkey::A + (c - 'a'));
        if (c >= 'A' && c <= 'Z') return uint16_t(deskkey::A + (c - 'A'));
        if (c >= '0' && c <= '9') return uint16_t(deskkey::Digit0 + (c - '0'));
        if (c == '=') return deskkey::Plus;
        if (c == '?') return deskkey::Slash;
    }
    for (const NamedKey& k : kNamed)
        if (name == k.name) return k.code;
    return 0;
}

std::string_view DeskKeyName(uint16_t code) {
    if (const auto* single = SingleName(code)) return std::string_view(single->data(), 1);
    for (const NamedKey& k : kNamed)
        if (k.code == code) return k.name;
    return {};
}

} // namespace platform
