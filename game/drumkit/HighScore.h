#pragma once
// The three best results of a game, as kept in the settings store (24 bytes).
#include <cstdint>

struct HighScoreEntry {
    char initials[3] = {'t', 'b', 'x'}; // 8-bit ASCII, no terminator
    uint8_t reserved = 0;               // stored as it happens to be, never interpreted
    uint32_t result = 0;
};

struct HighScoreTable {
    HighScoreEntry entries[3];
};
