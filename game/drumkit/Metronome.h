#pragma once
// The free-play metronome: a tick on every beat of the kit's clock at the kit's tempo, the
// first of every four accented, and the tempo text with its beat lamp.
#include "varnokengine/VGString.h"

#include <cstdint>

struct DrumKit;

constexpr int32_t kMinTempo = 10;
constexpr int32_t kMaxTempo = 400;

// Lamp glyphs of the display font.
constexpr char16_t kLampOff = 20;
constexpr char16_t kLampBeat = 23;
constexpr char16_t kLampAccent = 27;

int32_t BeatLength(const DrumKit& kit);
// Runs within the kit's update; acts only in free play. At most one tick per call.
void MetronomeStep(DrumKit& kit, uint32_t metronomeOn);
// Both restart the clock, so the next tick sounds at once and is accented.
void TempoUp(DrumKit& kit, int32_t n);
void TempoDown(DrumKit& kit, int32_t n);
// Stores the switch and writes it to the "Metronome" option.
void SetMetronomeSwitch(uint32_t& metronomeSwitch, uint32_t on);
// Five characters: the lamp glyph and the tempo, "%c%4d".
VGString TempoText(const DrumKit& kit, uint32_t metronomeOn);
