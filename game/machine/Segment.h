#pragma once
// A drum-machine pattern: up to 64 sixteenth-note steps for each of the nine drum pieces, with
// its own tempo. Segments live in slots 1..99, one file per slot in the save folder; a slot
// whose segment equals its defaults has no file.
#include "varnokengine/VGString.h"

#include <cstdint>

constexpr uint32_t kMachineRows = 9;
constexpr uint32_t kMaxSteps = 64;
constexpr uint32_t kFirstSlot = 1;
constexpr uint32_t kLastSlot = 99;
constexpr uint32_t kNameLength = 5;
// "No override" for the slot given to Save.
constexpr uint32_t kNoSlot = 0xFFFFFFFFu;

constexpr uint32_t kDefaultSteps = 16;
constexpr uint32_t kDefaultTempo = 120;
constexpr uint32_t kMinTempo = 10;
constexpr uint32_t kMaxTempo = 400;

// Bytes of a segment file: name, steps, tempo, then every cell of every row.
constexpr uint32_t kSegmentFileSize = kNameLength + 4 + 4 + kMachineRows * kMaxSteps * 4;

struct Segment {
    uint32_t slot = kFirstSlot;
    char name[kNameLength] = {};
    uint32_t steps = kDefaultSteps;
    uint32_t tempo = kDefaultTempo;
    uint32_t grid[kMachineRows * kMaxSteps] = {}; // cell (row, step) at row * 64 + step
};

inline uint32_t& Cell(Segment& segment, uint32_t row, uint32_t step) {
    return segment.grid[row * kMaxSteps + step];
}
inline uint32_t Cell(const Segment& segment, uint32_t row, uint32_t step) {
    return segment.grid[row * kMaxSteps + step];
}

// The sound each row fires, in row order (the drum kit's piece order).
const char16_t* RowSoundName(uint32_t row);

// "save/<slot>.tbs" in the player's folder.
VGString SegmentPath(uint32_t slot);

// Defaults of the record's slot: 16 steps at 120, every cell 0, the name "segNN".
void Reset(Segment& segment);
// Reads the slot's file; true only when every field was read. A file that is missing or
// ends early leaves the fields it did not hold as they were; steps and tempo always end up
// in range (1..64, 10..400) so the record can be played.
bool Load(Segment& segment);
// Writes the record to slotOverride's file (kNoSlot: its own) under nameOverride (null: its
// own name). A record equal to its slot's defaults deletes that file instead.
bool Save(const Segment& segment, uint32_t slotOverride = kNoSlot,
          const char* nameOverride = nullptr);
// Default steps, tempo and name, and nothing struck in the first 16 steps.
bool IsEmpty(const Segment& segment);
bool HasDefaultName(const Segment& segment);
// The five name bytes widened.
VGString NameText(const Segment& segment);
// Whole milliseconds of one pass: trunc(15000 / tempo * steps) in single precision.
int32_t DurationMs(const Segment& segment);
// The length of one step in milliseconds.
float StepLengthMs(uint32_t tempo);
// True when a segment file exists for a slot other than exceptSlot.
bool AnyOtherSegmentSaved(uint32_t exceptSlot);

// Fills name with the five characters of prefix followed by the slot in two digits.
void DefaultName(char (&name)[kNameLength], const char16_t* prefix, uint32_t slot);
