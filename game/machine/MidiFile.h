#pragma once
// Standard MIDI Files at the byte level: a reader that turns a file's bytes into its notes,
// tempo changes and length, and a writer that lays out header and track chunks. The reader is
// a pure function over a buffer: it never reads outside it, runs in time linear in its size,
// and says in words what is wrong with a damaged file.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct MidiNoteOn {
    uint64_t tick = 0;
    uint8_t channel = 0; // 0..15; the drums' channel 10 is 9
    uint8_t key = 0;
    uint8_t velocity = 0; // never 0: a note-on of velocity 0 is a note-off and not listed
};

struct MidiTempo {
    uint64_t tick = 0;
    uint32_t microsPerQuarter = 0;
};

struct MidiSong {
    uint16_t format = 0;           // 0 one track, 1 parallel tracks, 2 independent patterns
    uint16_t division = 0;         // ticks per quarter note, or SMPTE timing when bit 15 is set
    std::vector<MidiNoteOn> notes; // every track's, in file order
    std::vector<MidiTempo> tempos; // in file order
    uint64_t endTick = 0;          // the latest end of any track
};

// False, with the reason in error, for anything that is not a complete Standard MIDI File.
bool ReadMidiFile(const uint8_t* data, size_t size, MidiSong& song, std::string& error);

// Builds one track chunk; events must come in order of their ticks.
class MidiTrackWriter {
public:
    // A channel message: status byte and its one or two data bytes.
    void Channel(uint64_t tick, uint8_t status, uint8_t data1, uint8_t data2);
    void Meta(uint64_t tick, uint8_t type, const uint8_t* data, uint32_t size);
    // The chunk, "MTrk" and length included, closed by an end-of-track event at endTick.
    std::vector<uint8_t> Finish(uint64_t endTick);

private:
    void Delta(uint64_t tick);
    std::vector<uint8_t> events_;
    uint64_t tick_ = 0;
};

constexpr uint8_t kMidiNoteOff = 0x80;
constexpr uint8_t kMidiNoteOn = 0x90;
constexpr uint8_t kMetaSequenceName = 0x03;
constexpr uint8_t kMetaEndOfTrack = 0x2F;
constexpr uint8_t kMetaTempo = 0x51;
constexpr uint8_t kMetaTimeSignature = 0x58;

// Header chunk followed by the track chunks.
std::vector<uint8_t> MidiFileBytes(uint16_t format, uint16_t division,
                                   const std::vector<std::vector<uint8_t>>& tracks);
