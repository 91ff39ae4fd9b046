#pragma once
// The General MIDI percussion notes of the kit's nine pieces. Drums sound on MIDI channel 10
// (9 counted from 0); the same map serves files written and read and notes played in.
#include <cstdint>

constexpr uint8_t kMidiDrumChannel = 9;

// Indexed by DrumPiece (also the drum machine's row).
constexpr uint8_t kGeneralMidiDrumNotes[9] = {
    43, // tom low: high floor tom
    47, // tom mid: low-mid tom
    50, // tom high: high tom
    36, // bass: bass drum 1
    38, // snare: acoustic snare
    51, // ride: ride cymbal 1
    49, // crash: crash cymbal 1
    46, // open hi-hat
    42, // closed hi-hat
};

// The piece a note plays, or -1 when the note is not one of the nine.
constexpr int32_t PieceOfGeneralMidiNote(uint32_t note) {
    for (int32_t piece = 0; piece < 9; ++piece)
        if (kGeneralMidiDrumNotes[piece] == note) return piece;
    return -1;
}
