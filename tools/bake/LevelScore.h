#pragma once
// Readable level scores (assets/levels/N.txt) and the level data baked from them.
//
//   title [4/4]          the caption shown before the level
//   slot 120             slot length in ms; every step lasts two slots
//   count ................
//   show  B...B...B...B...   X...x...x...x...
//   play  B...B...B...B...
//
// Each bar line is a phase (count = count-in, show = the kit plays it, play = the player's
// turn), 16 steps of drum letters or '.' for a rest, and optionally 16 click marks
// (X loud click, x click, . none); without them a bar clicks X...x...x...x... .
// Drum letters: F floor (low) tom, M mid tom, T high tom, B bass, S snare, R ride, C crash,
// O open hi-hat, H closed hi-hat. '#' starts a comment line.
// The baked level ends with one silent step, so a missed stroke on the player's last step is
// still charged while that step is current.
#include <cstdint>
#include <string>
#include <vector>

struct LevelStepSource {
    uint8_t piece; // 0..8, or 10 for a rest
    uint8_t click; // 0 none, 1 loud, 2 normal
    uint8_t phase; // 0 shown, 1 player, 2 count-in
};

struct LevelScore {
    std::string title; // 8-bit text
    uint32_t slotLength = 0;
    std::vector<LevelStepSource> steps;
};

bool ParseLevelScore(const std::string& text, LevelScore& score, std::string& error);
// The decoded level data: counted title, slot length, one byte per step.
std::vector<uint8_t> LevelDataBytes(const LevelScore& score);
uint8_t EncodeLevelStep(const LevelStepSource& step);
