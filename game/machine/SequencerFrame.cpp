#include "game/machine/Sequencer.h"

#include "varnokengine/VGClock.h"
#include "varnokengine/VGWindows.h"

uint32_t SequencerTickFrame(Track& track, bool paused, bool loop, uint32_t mode, bool visualise,
                            DrumKit* kit) {
    SequencerInput input;
    input.paused = paused;
    input.loop = loop;
    input.mode = mode;
    input.visualise = visualise;
    input.frameDelta = uint32_t(FrameDelta);
    MachineOutput out;
    out.kit = kit;
    out.now = Frame.start;
    bool playing = false;
    const uint32_t ended = SequencerTick(track, input, out, &playing);
    // A running track counts as input, so the automatic shutdown does not strike.
    if (playing) LastInputTime = GetMilliseconds();
    return ended;
}
