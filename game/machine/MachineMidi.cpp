#include "game/machine/MachineMidi.h"

#include "game/drumkit/GeneralMidiDrums.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr uint8_t kStrokeVelocity = 127; // the sequencer strikes at full volume
constexpr uint32_t kNoteTicks = kMidiTicksPerStep / 2;
constexpr uint32_t kDefaultMicrosPerQuarter = 500000; // MIDI's own default, 120 beats

struct Pass {
    const Segment* segment;
    uint32_t speed;
};

uint32_t MicrosPerQuarter(uint32_t tempo, uint32_t speed) {
    const double beats = double(tempo) * double(speed) / 100.0;
    const double micros = std::nearbyint(60000000.0 / beats);
    // Three bytes hold the value; the very slowest tempos at the lowest speed are clamped.
    return uint32_t(std::clamp(micros, 1.0, double(0xFFFFFF)));
}

void NameWithoutPadding(const char (&name)[kNameLength], uint8_t* out, uint32_t& size) {
    size = kNameLength;
    while (size > 0 && (name[size - 1] == ' ' || name[size - 1] == '\0')) --size;
    for (uint32_t i = 0; i < size; ++i) out[i] = uint8_t(name[i]);
}

std::vector<uint8_t> PassesToMidi(const std::vector<Pass>& passes,
                                  const char (&name)[kNameLength]) {
    MidiTrackWriter tempoTrack, drumTrack;
    uint8_t text[kNameLength];
    uint32_t textSize = 0;
    NameWithoutPadding(name, text, textSize);
    tempoTrack.Meta(0, kMetaSequenceName, text, textSize);
    const uint8_t fourFour[4] = {4, 2, 24, 8};
    tempoTrack.Meta(0, kMetaTimeSignature, fourFour, 4);
    const uint8_t drums[] = {'D', 'r', 'u', 'm', 's'};
    drumTrack.Meta(0, kMetaSequenceName, drums, sizeof drums);

    const uint8_t on = kMidiNoteOn | kMidiDrumChannel, off = kMidiNoteOff | kMidiDrumChannel;
    uint64_t tick = 0;
    for (const Pass& pass : passes) {
        const Segment& segment = *pass.segment;
        const uint32_t micros = MicrosPerQuarter(segment.tempo, pass.speed);
        const uint8_t tempo[3] = {uint8_t(micros >> 16), uint8_t(micros >> 8), uint8_t(micros)};
        tempoTrack.Meta(tick, kMetaTempo, tempo, 3);
        const uint32_t steps = std::min(segment.steps, kMaxSteps);
        for (uint32_t step = 0; step < steps; ++step) {
            const uint64_t at = tick + uint64_t(step) * kMidiTicksPerStep;
            bool any = false;
            for (uint32_t row = 0; row < kMachineRows; ++row)
                if (Cell(segment, row, step)) {
                    drumTrack.Channel(at, on, kGeneralMidiDrumNotes[row], kStrokeVelocity);
                    any = true;
                }
            if (!any) continue;
            for (uint32_t row = 0; row < kMachineRows; ++row)
                if (Cell(segment, row, step))
                    drumTrack.Channel(at + kNoteTicks, off, kGeneralMidiDrumNotes[row], 0);
        }
        tick += uint64_t(steps) * kMidiTicksPerStep;
    }
    return MidiFileBytes(1, kMidiTicksPerQuarter,
                         {tempoTrack.Finish(tick), drumTrack.Finish(tick)});
}

// Ticks of one sixteenth note: a quarter's ticks over four, or with SMPTE timing the ticks
// per second times a sixteenth's seconds at the tempo.
double TicksPerStep(uint16_t division, uint32_t microsPerQuarter) {
    if (!(division & 0x8000)) return double(division) / 4.0;
    const int framesPerSecond = -int(int8_t(uint8_t(division >> 8)));
    const double frames = framesPerSecond == 29 ? 29.97 : double(framesPerSecond);
    const double ticksPerSecond = frames * double(division & 0xFF);
    return ticksPerSecond * double(microsPerQuarter) / 4.0 / 1000000.0;
}

} // namespace

std::vector<uint8_t> TrackToMidi(const Track& track) {
    std::vector<Pass> passes;
    for (const TrackEntry* entry = track.entries; entry; entry = entry->next)
        if (entry->segment)
            for (uint32_t r = 0; r < entry->repeats; ++r)
                passes.push_back({entry->segment, track.speed});
    return PassesToMidi(passes, track.name);
}

std::vector<uint8_t> SegmentToMidi(const Segment& segment, uint32_t loops) {
    std::vector<Pass> passes(loops, Pass{&segment, kDefaultSpeed});
    return PassesToMidi(passes, segment.name);
}

bool MidiToSegment(const MidiSong& song, Segment& segment, MidiImportReport& report,
                   std::string& error) {
    report = MidiImportReport{};
    if (song.format == 2) {
        error = "MIDI files of type 2 (independent patterns) cannot become one segment";
        return false;
    }
    // The first tempo is the earliest; of several at one tick, the first in the file.
    uint32_t micros = kDefaultMicrosPerQuarter;
    uint64_t firstTick = UINT64_MAX;
    for (const MidiTempo& t : song.tempos)
        if (t.tick < firstTick) firstTick = t.tick, micros = t.microsPerQuarter;
    const double beats = 60000000.0 / double(micros);
    report.fileTempo = uint32_t(std::nearbyint(std::min(beats, 1e6)));

    const double stepTicks = TicksPerStep(song.division, micros);
    if (!(stepTicks > 0.0)) {
        error = "the MIDI file's timing is unusable";
        return false;
    }
    const bool drumChannel =
        std::any_of(song.notes.begin(), song.notes.end(),
                    [](const MidiNoteOn& n) { return n.channel == kMidiDrumChannel; });

    Segment cells = segment;
    std::fill(std::begin(cells.grid), std::end(cells.grid), 0u);
    bool unmapped[128] = {};
    bool anyNote = false;
    double lastStep = -1.0;
    for (const MidiNoteOn& note : song.notes) {
        if (drumChannel && note.channel != kMidiDrumChannel) continue;
        const int32_t row = PieceOfGeneralMidiNote(note.key);
        if (row < 0) {
            unmapped[note.key & 0x7F] = true;
            continue;
        }
        const double step = std::floor(double(note.tick) / stepTicks + 0.5);
        lastStep = std::max(lastStep, step);
        anyNote = true;
        if (step < double(kMaxSteps)) Cell(cells, uint32_t(row), uint32_t(step)) = 1;
    }
    for (uint32_t key = 0; key < 128; ++key)
        if (unmapped[key]) report.unmappedKeys.push_back(uint8_t(key));
    if (!anyNote) {
        error = "the MIDI file holds no note of the drum kit";
        return false;
    }
    const double endStep = std::floor(double(song.endTick) / stepTicks + 0.5);
    const double length = std::max({endStep, lastStep + 1.0, 1.0});
    report.fileSteps = uint32_t(std::min(length, 1e9));

    cells.steps = std::min(report.fileSteps, kMaxSteps);
    cells.tempo = std::clamp(report.fileTempo, kMinTempo, kMaxTempo);
    segment = cells;
    return true;
}
