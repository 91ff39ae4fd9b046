// A MIDI file's bytes read into notes and tempos, the drum notes made into a segment, and that
// segment written out and read back: whatever the input, the reader stays inside it, the
// segment is playable, and the segment survives its own round trip unchanged.
#include "game/machine/MachineMidi.h"
#include "tests/fuzz/FuzzSupport.h"

#include <cstdlib>
#include <cstring>

namespace {

void Check(bool ok) {
    if (!ok) std::abort();
}

bool Import(const std::vector<uint8_t>& bytes, Segment& segment, MidiImportReport& report) {
    MidiSong song;
    std::string error;
    if (!ReadMidiFile(bytes.data(), bytes.size(), song, error)) return false;
    return MidiToSegment(song, segment, report, error);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    MidiSong song;
    std::string error;
    if (!ReadMidiFile(data, size, song, error)) {
        Check(!error.empty());
        return 0;
    }
    for (const MidiNoteOn& note : song.notes)
        Check(note.channel < 16 && note.key < 128 && note.velocity > 0 && note.velocity < 128);
    for (const MidiTempo& tempo : song.tempos) Check(tempo.microsPerQuarter <= 0xFFFFFF);

    Segment segment;
    Reset(segment);
    MidiImportReport report;
    if (!MidiToSegment(song, segment, report, error)) {
        Check(!error.empty());
        return 0;
    }
    Check(segment.steps >= 1 && segment.steps <= kMaxSteps);
    Check(segment.tempo >= kMinTempo && segment.tempo <= kMaxTempo);
    bool any = false;
    for (uint32_t row = 0; row < kMachineRows; ++row)
        for (uint32_t step = 0; step < kMaxSteps; ++step) {
            const uint32_t cell = Cell(segment, row, step);
            Check(cell <= 1 && (cell == 0 || step < segment.steps));
            any = any || cell;
        }
    for (size_t i = 0; i < report.unmappedKeys.size(); ++i)
        Check(report.unmappedKeys[i] < 128 &&
              (i == 0 || report.unmappedKeys[i - 1] < report.unmappedKeys[i]));
    // Notes that all fell past the 64th step leave nothing to write back.
    if (!any) return 0;

    Segment again;
    Reset(again);
    MidiImportReport second;
    Check(Import(SegmentToMidi(segment, 1), again, second));
    Check(again.steps == segment.steps && again.tempo == segment.tempo &&
          std::memcmp(again.grid, segment.grid, sizeof segment.grid) == 0);
    Check(second.unmappedKeys.empty());
    return 0;
}
