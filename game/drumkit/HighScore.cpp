#include "game/drumkit/HighScore.h"

#include "game/drumkit/DrumKit.h"
#include "game/drumkit/GameRules.h"
#include "varnokengine/VGOptionNames.h"
#include "varnokengine/VGRegistry.h"

namespace {

constexpr uint32_t kEntryBytes = 8;
constexpr uint32_t kNameBytes = 3;

bool ReadTable(const char16_t* name, HighScoreTable& table) {
    uint8_t bytes[kHighScoreTableBytes] = {};
    uint32_t size = kHighScoreTableBytes;
    if (!ReadValue(0, u"Highscores", name, bytes, &size) || size != kHighScoreTableBytes)
        return false;
    DecodeHighScores(bytes, table);
    return true;
}

void WriteTable(const char16_t* name, const HighScoreTable& table) {
    uint8_t bytes[kHighScoreTableBytes];
    EncodeHighScores(table, bytes);
    WriteValue(0, u"Highscores", name, bytes, kHighScoreTableBytes);
}

} // namespace

void EncodeHighScores(const HighScoreTable& table, uint8_t out[kHighScoreTableBytes]) {
    for (uint32_t i = 0; i < 3; ++i) {
        const HighScoreEntry& e = table.entries[i];
        uint8_t* p = out + i * kEntryBytes;
        for (uint32_t c = 0; c < kNameBytes; ++c) p[c] = uint8_t(e.initials[c]);
        p[3] = e.reserved;
        for (uint32_t b = 0; b < 4; ++b) p[4 + b] = uint8_t(e.result >> (8 * b));
    }
}

void DecodeHighScores(const uint8_t in[kHighScoreTableBytes], HighScoreTable& table) {
    for (uint32_t i = 0; i < 3; ++i) {
        HighScoreEntry& e = table.entries[i];
        const uint8_t* p = in + i * kEntryBytes;
        for (uint32_t c = 0; c < kNameBytes; ++c) e.initials[c] = char(p[c]);
        e.reserved = p[3];
        e.result = 0;
        for (uint32_t b = 0; b < 4; ++b) e.result |= uint32_t(p[4 + b]) << (8 * b);
    }
}

int32_t HighScorePlace(const HighScoreTable& table, uint32_t result) {
    for (int32_t i = 0; i < 3; ++i)
        if (table.entries[i].result < result) return i;
    return -1;
}

void InsertHighScore(HighScoreTable& table, uint32_t result, const char name[3]) {
    int32_t place = HighScorePlace(table, result);
    if (place < 0) return;
    for (int32_t i = 2; i > place; --i) table.entries[i] = table.entries[i - 1];
    // The reserved byte of the place keeps whatever it held.
    HighScoreEntry& e = table.entries[place];
    for (uint32_t c = 0; c < kNameBytes; ++c) e.initials[c] = name[c];
    e.result = result;
}

uint32_t GameResult(const DrumKit& kit) {
    return kit.mode == MemoryMaster ? MemoryResult(kit) : kit.score;
}

HighScoreTable* CurrentTable(DrumKit& kit) {
    if (kit.mode == MemoryMaster) return &kit.memoryScores;
    if (kit.mode == RhythmMaster) return &kit.rhythmScores;
    return nullptr;
}

void CheckHighScore(DrumKit& kit) {
    kit.newHighScore = 0;
    const HighScoreTable* table = CurrentTable(kit);
    if (table && HighScorePlace(*table, GameResult(kit)) >= 0) kit.newHighScore = 1;
}

void InsertCurrentHighScore(DrumKit& kit) {
    if (HighScoreTable* table = CurrentTable(kit))
        InsertHighScore(*table, GameResult(kit), kit.defaultName);
}

uint32_t NextStartLevel(uint32_t startLevel, uint32_t maxLevel) {
    uint32_t next = startLevel < 5 ? 5 : startLevel + 5;
    return next > maxLevel || next < startLevel ? 1 : next;
}

uint32_t PreviousStartLevel(uint32_t startLevel, uint32_t maxLevel) {
    // The cycle is 1, 5, 10 ... up to the last multiple of five not above the max level.
    if (startLevel == 1) return maxLevel < 5 ? 1 : maxLevel - maxLevel % 5;
    if (startLevel > maxLevel || startLevel % 5 != 0 || startLevel == 5) return 1;
    return startLevel - 5;
}

void LoadGameSettings(DrumKit& kit) {
    kit.maxLevel = ReadOption(kOptionMaxLevel, 1);
    kit.startLevel = ReadOption(kOptionStartLevel, 1);
    // Level 0 has no level file; a damaged store must not start the game there.
    if (kit.maxLevel == 0) kit.maxLevel = 1;
    if (kit.startLevel > kit.maxLevel || kit.startLevel == 0) kit.startLevel = 1;
    ReadTable(u"MemoryMaster", kit.memoryScores);
    ReadTable(u"RhythmMaster", kit.rhythmScores);
    uint8_t name[kNameBytes] = {};
    uint32_t size = kNameBytes;
    if (ReadValue(0, u"Options", u"DefaultName", name, &size) && size == kNameBytes) {
        for (uint32_t c = 0; c < kNameBytes; ++c) kit.defaultName[c] = char(name[c]);
    } else {
        kit.defaultName[0] = 't';
        kit.defaultName[1] = 'b';
        kit.defaultName[2] = 'x';
    }
    PreloadKitSounds(kit);
    kit.saveSettings = true;
}

void SaveGameSettings(const DrumKit& kit) {
    WriteTable(u"MemoryMaster", kit.memoryScores);
    WriteTable(u"RhythmMaster", kit.rhythmScores);
    WriteValue(0, u"Options", u"DefaultName", kit.defaultName, kNameBytes);
    WriteOption(kOptionStartLevel, kit.startLevel);
    WriteOption(kOptionMaxLevel, kit.maxLevel);
}
