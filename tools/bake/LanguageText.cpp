#include "tools/bake/LanguageText.h"

#include <charconv>

namespace {
// Decodes one UTF-8 sequence at text[i]; false on a malformed or overlong sequence.
bool NextCodePoint(const std::string& text, size_t& i, uint32_t& code) {
    auto byte = [&](size_t k) { return static_cast<uint8_t>(text[k]); };
    uint8_t first = byte(i);
    size_t extra = 0;
    if (first >= 0x80) {
        if ((first & 0xE0) == 0xC0)
            extra = 1;
        else if ((first & 0xF0) == 0xE0)
            extra = 2;
        else if ((first & 0xF8) == 0xF0)
            extra = 3;
        else
            return false;
    }
    if (extra >= text.size() - i) return false;
    code = extra == 0 ? first : first & (0x3F >> extra);
    for (size_t k = 1; k <= extra; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) return false;
        code = (code << 6) | (byte(i + k) & 0x3F);
    }
    static const uint32_t minimum[] = {0, 0x80, 0x800, 0x10000};
    if (code < minimum[extra]) return false;
    i += extra + 1;
    return true;
}

std::string TrimRightBlanks(std::string text) {
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r'))
        text.pop_back();
    return text;
}
} // namespace

bool ParseLanguageSource(const std::string& utf8, LanguageTable& table, std::string& error) {
    table.entries.clear();
    size_t lineStart = 0;
    int lineNumber = 0;
    long previous = -1;
    while (lineStart < utf8.size()) {
        size_t lineEnd = utf8.find('\n', lineStart);
        if (lineEnd == std::string::npos) lineEnd = utf8.size();
        std::string line = TrimRightBlanks(utf8.substr(lineStart, lineEnd - lineStart));
        lineStart = lineEnd + 1;
        ++lineNumber;
        auto fail = [&](const std::string& what) {
            error = "line " + std::to_string(lineNumber) + ": " + what;
            return false;
        };
        if (line.empty() || line[0] == '#') continue;

        uint32_t number = 0;
        auto [end, status] = std::from_chars(line.data(), line.data() + line.size(), number);
        if (status != std::errc() || end == line.data()) return fail("no entry number");
        if (number > 999) return fail("entry number too large");
        if (static_cast<long>(number) <= previous) return fail("entry number out of order");
        size_t textStart = static_cast<size_t>(end - line.data());
        if (textStart < line.size()) {
            if (line[textStart] != ' ') return fail("a blank must follow the number");
            ++textStart;
        }

        std::string latin1;
        for (size_t i = textStart; i < line.size();) {
            uint32_t code = 0;
            if (!NextCodePoint(line, i, code)) return fail("malformed UTF-8");
            if (code > 0xFF) return fail("character outside Latin-1");
            if (code < 0x20 || (code >= 0x7F && code < 0xA0)) return fail("control character");
            latin1.push_back(static_cast<char>(code));
        }
        table.entries.resize(number + 1);
        table.entries[number] = latin1;
        previous = number;
    }
    if (table.entries.empty() || table.entries[0].empty()) {
        error = "entry 0 (the language's own name) is missing";
        return false;
    }
    if (table.entries.size() <= kHighestLanguageEntry)
        table.entries.resize(kHighestLanguageEntry + 1);
    return true;
}

std::string LanguageFileBytes(const LanguageTable& table) {
    std::string bytes;
    for (const std::string& entry : table.entries) bytes += entry + '\n';
    return bytes;
}
