// A segment file, then its loop played for a bounded number of frames of varying length.
#include "game/machine/Sequencer.h"
#include "tests/fuzz/FuzzSupport.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    WriteFuzzFile("save/1.tbs", data, size);
    Segment segment;
    segment.slot = 1;
    Reset(segment);
    Load(segment);
    if (segment.steps < 1 || segment.steps > kMaxSteps || segment.tempo < kMinTempo ||
        segment.tempo > kMaxTempo)
        std::abort();
    SilentSounds silent;
    MachineOutput out;
    out.sounds = &silent;
    SegmentLoop loop;
    RestartLoop(loop);
    FuzzChoices choices(data, size);
    for (uint32_t frame = 0; frame < 200; ++frame)
        SegmentLoopTick(loop, segment, 1 + choices.Next() % 200, frame % 3 == 0, out);
    IsEmpty(segment);
    NameText(segment);
    ForgetErrors();
    return 0;
}
