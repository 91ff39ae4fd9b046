#pragma once
// The program's mixer: a pure function from voices to 44.1 kHz 16-bit stereo samples. Each
// voice plays its queued buffers in order in its own format (rate converted by linear
// interpolation, mono spread to both sides, 8-bit unsigned and 16-bit signed samples), scaled
// by its own volume; the sum is scaled by the master volume and passed through a peak
// limiter that looks at each block before it is written, so overlapping full-scale voices
// are turned down instead of clipped.
#include "platform/audio/AudioOutput.h"

#include <cstddef>
#include <cstdint>

namespace platform {

struct MixBuffer {
    const uint8_t* data = nullptr;
    uint32_t size = 0;
    int32_t slot = 0;
    // Stream frame (MixerState::frame) before which the buffer does not begin; 0 = no wait.
    uint64_t startFrame = 0;
};

struct MixVoice {
    bool open = false;
    AudioFormat format;
    uint32_t volume = kFullAudioVolume;
    MixBuffer queue[kAudioSlots]; // play order; queue[0] is playing
    uint32_t queued = 0;
    bool slotBusy[kAudioSlots] = {};
    AudioLabel slotLabel[kAudioSlots];
    uint64_t position = 0;      // source frames within queue[0], 32.32 fixed point
    uint32_t finishedBytes = 0; // full sizes of the buffers finished since the last reset
    bool headStarted = false;   // queue[0] has produced its first frame
};

// Queues a buffer on an open voice; false when the slot is busy or out of range. The buffer
// begins at stream frame startFrame, or as soon as it comes to the head when that has passed.
bool QueueBuffer(MixVoice& voice, int slot, const uint8_t* data, uint32_t size,
                 const AudioLabel& label, uint64_t startFrame = 0);
// Stops the voice: every slot free, nothing queued, played count 0.
void ResetVoice(MixVoice& voice);
// Bytes played since the last reset, in whole frames.
uint32_t PlayedBytes(const MixVoice& voice);

// A buffer that began to play during a Mix call: voice index, slot, and the frame of the
// call's output at which its first frame sounds.
struct MixEvent {
    uint32_t voice;
    int32_t slot;
    uint32_t frame;
};
struct MixEvents {
    static constexpr uint32_t kCapacity = 64;
    MixEvent items[kCapacity];
    uint32_t count = 0; // events beyond the capacity are dropped
};

struct MixerState {
    float limiterGain = 1.0f;
    uint64_t frame = 0; // stream frames mixed so far: the position scheduled starts refer to
};

// The loudest sample the limiter lets through, as a fraction of full scale.
constexpr float kLimiterCeiling = 0.98f;

// Advances every open voice by frames output frames (44.1 kHz), freeing finished slots.
// out (interleaved stereo, 2 x frames values) may be null: the voices then only advance, as
// if heard. events may be null. Never allocates.
void Mix(MixerState& state, MixVoice* voices, size_t voiceCount, uint32_t masterVolume,
         int16_t* out, uint32_t frames, MixEvents* events);
// The same mix with 24-bit samples (-8388608..8388607, in int32) for exports.
void Mix(MixerState& state, MixVoice* voices, size_t voiceCount, uint32_t masterVolume,
         int32_t* out24, uint32_t frames, MixEvents* events);

} // namespace platform
