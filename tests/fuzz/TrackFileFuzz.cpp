// A track file beside two fixed segments, then the sequencer run over it for a bounded number
// of frames in every mode, looping and not, with pauses chosen by the input.
#include "game/machine/Sequencer.h"
#include "tests/fuzz/FuzzSupport.h"

#include <cstdlib>

namespace {

void WriteSegments() {
    static bool written = false;
    if (written) return;
    written = true;
    for (uint32_t slot = 1; slot <= 2; ++slot) {
        Segment segment;
        segment.slot = slot;
        Reset(segment);
        segment.steps = slot == 1 ? 16 : 1;
        segment.tempo = slot == 1 ? 120 : 400;
        Cell(segment, 3, 0) = 1;
        Save(segment);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    WriteSegments();
    WriteFuzzFile("save/1.tbt", data, size);
    Track track;
    track.slot = 1;
    Reset(track);
    Load(track);
    if (!track.entries || EntryCount(track) > kMaxEntries) std::abort();
    SilentSounds silent;
    MachineOutput out;
    out.sounds = &silent;
    FuzzChoices choices(data, size);
    for (uint32_t frame = 0; frame < 120; ++frame) {
        uint8_t choice = choices.Next();
        SequencerInput input;
        input.mode = choice % 3;
        input.loop = (choice & 4) != 0;
        input.paused = (choice & 8) != 0;
        input.frameDelta = 1 + (choice >> 4) * 13;
        SequencerTick(track, input, out);
        ElapsedMs(track);
    }
    TotalDurationMs(track);
    ForgetErrors();
    return 0;
}
