#pragma once
// Level files of the rhythm game, "level/N.lvc" beside the program. The file is the
// compressed container (u32 decoded length, u32 stored length, zlib stream); the decoded data
// is a counted 8-bit title, the slot length in ms (u32), then one byte per pattern step:
//   bits 0-3  piece (10 = rest)
//   0x10      loud click, else 0x20 click, else none
//   0x40      phase 0 (demonstrated), else 0x80 phase 1 (the player's), else phase 2 (count-in)
#include "game/drumkit/PatternStep.h"
#include "varnokengine/VGStream.h"
#include "varnokengine/VGString.h"

#include <cstdint>

// No level comes near these; larger values can only come from damage. The step cap also
// bounds the game's per-frame walk along the pattern.
constexpr uint32_t kMaxLevelDataSize = 64u * 1024u;
constexpr uint32_t kMaxLevelSteps = 16384;

struct LevelData {
    VGString title;
    uint32_t slotLength = 0;
    PatternStep* pattern = nullptr; // owned: FreePattern
};

VGString LevelFilePath(uint32_t level);
// One step from its byte. Piece numbers outside 0..8 other than the rest (9, 11..15) would
// index past the kit, so they are read as rests.
PatternStep DecodeStepByte(uint8_t byte);
// Reads the decoded data. Fails (with an empty title and pattern) when the title, the slot
// length or the first step byte cannot be read. Steps past kMaxLevelSteps are not read.
bool ReadLevelData(VGReader& reader, LevelData& level);
// Opens and inflates a level file, then reads it as above. A missing file, a damaged
// container or data that inflates short fails the same way, with nothing reported: the
// game treats such a level as one without steps.
bool LoadLevelFile(const VGString& path, LevelData& level);
void FreeLevel(LevelData& level);
