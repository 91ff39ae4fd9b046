#pragma once
// The three best results of each game, as kept in the settings store (24 bytes a table), and
// the rhythm game's start and highest levels.
#include <cstdint>

struct DrumKit;

struct HighScoreEntry {
    char initials[3] = {'t', 'b', 'x'}; // 8-bit ASCII, no terminator
    uint8_t reserved = 0;               // stored as it happens to be, never interpreted
    uint32_t result = 0;
};

struct HighScoreTable {
    HighScoreEntry entries[3];
};

constexpr uint32_t kHighScoreTableBytes = 24;

// The stored form: per entry three initials, the reserved byte, the result little-endian.
void EncodeHighScores(const HighScoreTable& table, uint8_t out[kHighScoreTableBytes]);
void DecodeHighScores(const uint8_t in[kHighScoreTableBytes], HighScoreTable& table);

// The place the result would take (0 best), or -1 when it beats no entry. An equal result is
// not better: it goes below the entries it equals.
int32_t HighScorePlace(const HighScoreTable& table, uint32_t result);
// Puts the result under the name at its place; the entries below move down one, the last
// falls out. Nothing changes when the result beats no entry.
void InsertHighScore(HighScoreTable& table, uint32_t result, const char name[3]);

// What the current game's result is: the rounds completed, or the score.
uint32_t GameResult(const DrumKit& kit);
// The table of the current game, or null outside the two games.
HighScoreTable* CurrentTable(DrumKit& kit);
// At the end of a game: sets the new-high-score flag when the result would enter the table.
void CheckHighScore(DrumKit& kit);
// On confirming the name: enters the result under the name now in force.
void InsertCurrentHighScore(DrumKit& kit);

// The start level after one more press on its control: 1, 5, 10, 15 ... and back to 1 once
// the next value would pass the highest level reached.
uint32_t NextStartLevel(uint32_t startLevel, uint32_t maxLevel);
// The value before it in the same cycle, so that the left arrow undoes the right one.
uint32_t PreviousStartLevel(uint32_t startLevel, uint32_t maxLevel);

// Reads the levels, both tables and the default name (absent or damaged values keep their
// defaults), then loads the kit's sounds; from then on the kit writes them back when it goes.
void LoadGameSettings(DrumKit& kit);
void SaveGameSettings(const DrumKit& kit);
