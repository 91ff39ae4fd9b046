#pragma once
// Drum-machine songs as Standard MIDI Files and back. A file written here is type 1 with 480
// ticks per quarter note: the first track carries the song's name, a 4/4 time signature and
// one tempo event at the start of every segment pass (the segment's tempo times the track's
// speed); the second carries every stroke as a note on channel 10, General MIDI drum map.
// Reading turns the drum notes of a file into one segment.
#include "game/machine/MidiFile.h"
#include "game/machine/Track.h"

#include <cstdint>
#include <string>
#include <vector>

constexpr uint16_t kMidiTicksPerQuarter = 480;
constexpr uint32_t kMidiTicksPerStep = kMidiTicksPerQuarter / 4;

std::vector<uint8_t> TrackToMidi(const Track& track);
// The segment played loops times at its own tempo, named after the segment.
std::vector<uint8_t> SegmentToMidi(const Segment& segment, uint32_t loops);

// What an import left out, for the one report it gives.
struct MidiImportReport {
    std::vector<uint8_t> unmappedKeys; // each drum key outside the kit's map, once, ascending
    uint32_t fileSteps = 0;            // the file's length in steps, before the cut to 64
    uint32_t fileTempo = 0;            // the first tempo of the file in beats per minute
};

// Fills the cells, steps and tempo of segment (its slot and name stay) from the drum notes of
// a song: the notes of channel 10, or of every channel when none is on 10, each at the step
// nearest to it (a step is a sixteenth note at the file's first tempo), the tempo clamped to
// 10..400 and at most the first 64 steps. False, with the reason, for a type 2 file or one
// without a single note of the kit.
bool MidiToSegment(const MidiSong& song, Segment& segment, MidiImportReport& report,
                   std::string& error);
