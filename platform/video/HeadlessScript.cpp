#include "platform/video/HeadlessScript.h"

#include "platform/video/DesktopKeys.h"

#include <algorithm>
#include <charconv>

namespace platform {

namespace {

std::vector<std::string_view> Words(std::string_view text) {
    std::vector<std::string_view> words;
    size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '\r')) ++i;
        size_t start = i;
        while (i < text.size() && text[i] != ' ' && text[i] != '\t' && text[i] != '\r') ++i;
        if (i > start) words.push_back(text.substr(start, i - start));
    }
    return words;
}

bool ParseNumber(std::string_view word, int64_t low, int64_t high, int64_t& value) {
    auto result = std::from_chars(word.data(), word.data() + word.size(), value);
    return result.ec == std::errc() && result.ptr == word.data() + word.size() && value >= low &&
           value <= high;
}

// One Latin-1 character from its UTF-8 spelling; 0 when it is not exactly one such character.
char16_t Latin1Character(std::string_view word) {
    if (word.size() == 1 && uint8_t(word[0]) < 0x80) return char16_t(uint8_t(word[0]));
    if (word.size() == 2 && (uint8_t(word[0]) & 0xE0) == 0xC0 &&
        (uint8_t(word[1]) & 0xC0) == 0x80) {
        uint32_t c = (uint32_t(uint8_t(word[0])) & 0x1F) << 6 | (uint8_t(word[1]) & 0x3F);
        if (c >= 0x80 && c <= 0xFF) return char16_t(c);
    }
    return 0;
}

// A shot name is a plain file name ending in ".png": no folders, nothing hidden.
bool IsShotName(std::string_view name) {
    if (name.size() < 5 || name.size() > 200 || name[0] == '.') return false;
    if (name.substr(name.size() - 4) != ".png") return false;
    return name.find('/') == std::string_view::npos && name.find('\\') == std::string_view::npos;
}

bool ParseStep(std::string_view text, ScriptStep& step) {
    auto words = Words(text);
    int64_t at = 0;
    if (words.size() < 3 || words[0] != "at" || !ParseNumber(words[1], 0, 0x7FFFFFFF, at))
        return false;
    step.at = uint32_t(at);
    std::string_view command = words[2];
    auto args = std::vector<std::string_view>(words.begin() + 3, words.end());
    DeviceEvent& e = step.event;
    if (command == "tap" || command == "down" || command == "up" || command == "move") {
        int64_t x, y;
        if (args.size() != 2 || !ParseNumber(args[0], -32768, 32767, x) ||
            !ParseNumber(args[1], -32768, 32767, y))
            return false;
        e.type = command == "up"     ? EventType::StylusUp
                 : command == "move" ? EventType::StylusMove
                                     : EventType::StylusDown;
        e.x = int16_t(x), e.y = int16_t(y);
        return true;
    }
    if (command == "key" || command == "keydown" || command == "keyup") {
        int64_t depth = 255;
        if (args.empty() || args.size() > 2 || !ScriptKey(args[0], e)) return false;
        if (args.size() == 2 && (command == "keyup" || !ParseNumber(args[1], 1, 255, depth)))
            return false;
        e.depth = uint8_t(depth);
        e.type = command == "keyup" ? EventType::KeyUp : EventType::KeyDown;
        return true;
    }
    if (command == "char") {
        // Backspace types character 8, as the keyboard's Backspace does in a window.
        if (args.size() == 1 && args[0] == "backspace") args[0] = "\b";
        if (args.size() != 1 || !(e.character = Latin1Character(args[0]))) return false;
        e.type = EventType::Character;
        return true;
    }
    if (command == "shot") {
        if (args.size() != 1 || !IsShotName(args[0])) return false;
        step.kind = ScriptStep::Kind::Shot;
        step.shotName = std::string(args[0]);
        return true;
    }
    if (command == "quit" && args.empty()) {
        step.kind = ScriptStep::Kind::Quit;
        return true;
    }
    return false;
}

} // namespace

bool ScriptKey(std::string_view name, DeviceEvent& event) {
    if (uint16_t handheld = ScriptKeyCode(name)) {
        event.key = handheld;
        // The arrows are desktop keys too, as the keyboard's arrows are.
        event.deskKey = handheld >= keycode::Left && handheld <= keycode::Down ? handheld : 0;
        return true;
    }
    uint16_t desk = DeskKeyByName(name);
    if (!desk) return false;
    event.key = HandheldKeyFor(desk);
    event.deskKey = desk;
    return true;
}

uint16_t ScriptKeyCode(std::string_view name) {
    static const struct {
        const char* name;
        uint16_t code;
    } names[] = {{"up", keycode::Up},       {"down", keycode::Down},     {"left", keycode::Left},
                 {"right", keycode::Right}, {"action", keycode::Action}, {"back", keycode::Back},
                 {"app1", keycode::App1},   {"app2", keycode::App2},     {"app3", keycode::App3}};
    for (const auto& n : names)
        if (name == n.name) return n.code;
    return 0;
}

bool ParseScript(std::string_view text, std::vector<ScriptStep>& steps, std::string& errors) {
    bool ok = true;
    size_t lineNumber = 0;
    while (!text.empty()) {
        ++lineNumber;
        size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        line = line.substr(0, line.find('#'));
        while (!line.empty()) {
            size_t slash = line.find(" / ");
            std::string_view piece = line.substr(0, slash);
            line = slash == std::string_view::npos ? std::string_view() : line.substr(slash + 3);
            if (Words(piece).empty()) continue;
            ScriptStep step;
            if (ParseStep(piece, step)) {
                bool tap = step.event.type == EventType::StylusDown &&
                           Words(piece)[2] == std::string_view("tap");
                steps.push_back(step);
                if (tap) { // a tap is a press and a release arriving together
                    step.event.type = EventType::StylusUp;
                    steps.push_back(step);
                }
                if (step.kind == ScriptStep::Kind::Input && Words(piece)[2] == "key") {
                    step.event.type = EventType::KeyUp;
                    steps.push_back(step);
                }
            } else {
                ok = false;
                errors += "script line " + std::to_string(lineNumber) + ": cannot read \"" +
                          std::string(piece) + "\"\n";
            }
        }
    }
    std::stable_sort(steps.begin(), steps.end(),
                     [](const ScriptStep& a, const ScriptStep& b) { return a.at < b.at; });
    return ok;
}

} // namespace platform
