#pragma once
// Language sources: UTF-8 text, one entry per line written as "<number> <text>" (or the
// number alone for an empty entry), '#' starting a comment line. The baked table is 8-bit
// Latin-1, one entry per line in number order, with an empty line for every number the source
// leaves out, so entry n is always line n.
#include <cstdint>
#include <string>
#include <vector>

// The highest entry number the program reads; every table has at least this many + 1 lines.
constexpr uint32_t kHighestLanguageEntry = 118;

struct LanguageTable {
    std::vector<std::string> entries; // Latin-1 bytes, index = entry number
};

// Parses a source; false with a message naming the line on any fault: a number out of order
// or repeated, a character outside Latin-1, a control character, a missing entry 0.
bool ParseLanguageSource(const std::string& utf8, LanguageTable& table, std::string& error);
// The bytes of lang_N.dat: every entry followed by LF.
std::string LanguageFileBytes(const LanguageTable& table);
