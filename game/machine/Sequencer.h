#pragma once
// The drum machine's two playback clocks, both driven once per frame: the segment loop of
// the segment editor and the sequencer that plays a track. Neither has a timer of its own;
// each advances by the frame's milliseconds and fires at most one step per frame, so steps
// passed over inside a long frame stay silent. A fired step is heard at the moment it began
// plus the look-ahead (kStrokeLookAheadMs), not at the frame that fires it, so every stroke
// lands on the pattern's grid; a frame later than the look-ahead plays its step at once.
#include "game/machine/Track.h"

#include <cstdint>

class KitSounds;
struct DrumKit;

enum SequencerMode : uint32_t { ModeNormal = 0, ModeFastForward = 1, ModeRewind = 2 };

// Where the clocks send their strokes. Tests put recorders in place of the defaults.
struct MachineOutput {
    KitSounds* sounds = nullptr; // null: the kit's default sounds (silent while SoundFX is off)
    DrumKit* kit = nullptr;      // struck in visualise mode; null: plain sounds instead
    uint32_t now = 0; // engine time of this frame (the kit's clock in visualise), when the
                      // clock has moved on by the frame
};

struct SegmentLoop {
    uint32_t clock = 0; // ms inside the current pass
    int32_t lastStep = -1;
};

// Starts the loop again from step 0.
void RestartLoop(SegmentLoop& loop);
// One frame of the segment loop: advances by frameDelta and fires the due step, with the
// metronome's clicks when metronome is set.
void SegmentLoopTick(SegmentLoop& loop, const Segment& segment, uint32_t frameDelta, bool metronome,
                     const MachineOutput& out);

struct SequencerInput {
    bool paused = false;
    bool loop = false;
    uint32_t mode = ModeNormal;
    bool visualise = false;
    uint32_t frameDelta = 0;
};

// One frame of track playback. Returns 1 when a track that does not loop has just played to
// its end (it then stands at its start), otherwise 0. A track with no sound at all neither
// moves nor ends. playing, when not null, is set to true whenever the track has something to
// play, so callers can hold off the automatic shutdown.
uint32_t SequencerTick(Track& track, const SequencerInput& input, const MachineOutput& out,
                       bool* playing = nullptr);

// The frame-driven wrapper the screens use (built with them): the engine's frame time and clock,
// the default sounds, and the automatic shutdown held off while something plays.
uint32_t SequencerTickFrame(Track& track, bool paused, bool loop, uint32_t mode, bool visualise,
                            DrumKit* kit);
