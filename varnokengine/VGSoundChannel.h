#pragma once
// One output channel: a wave-out device of its own, opened in the format of the sound it
// plays, with three buffer headers that can be queued on it. The headers point straight
// into the decoded sound (no copy); a finished header of the same sound is reused as it is.
#include "platform/audio/AudioOutput.h"
#include "varnokengine/VGSoundData.h"
#include "varnokengine/VGSoundStart.h"

#include <cstdint>

enum WaveHeaderFlags : uint32_t {
    WaveDone = 1,      // the device has played it (or was stopped)
    WavePrepared = 2,  // filled for a sound and known to the device
    WaveBeginLoop = 4, // set on music buffers
};

struct WaveHeader {
    const uint8_t* data = nullptr;
    uint32_t length = 0;
    const SoundData* user = nullptr; // the sound the header was prepared for
    uint32_t flags = 0;
};

enum ChannelMode : uint32_t { ModeMusic = 0, ModeEffect = 1 };

struct SoundChannel {
    WaveHeader headers[3];
    platform::AudioDeviceId device = platform::kNoAudioDevice;
    float volume = 1.0f;
    uint32_t queuedBytes = 0;           // buffer lengths written since the last stop
    const SoundData* current = nullptr; // the sound whose format the device has; none = closed
    int32_t priority = 0;
    uint32_t mode = ModeEffect;
    bool scheduled = false; // the last write was given a start time
};

// What a write needs from the manager: the channel's number and the sound's name for the
// output's log, and when the buffer begins.
struct ChannelWrite {
    int32_t channelIndex = 0;
    const char16_t* name = nullptr;
    SoundStart start; // when the written buffer begins
};

// A current sound and at least one header queued and not yet played.
bool IsChannelPlaying(SoundChannel& channel);
// Stops what plays (every header becomes done) and clears the queued count.
void StopChannel(SoundChannel& channel);
bool IsSameFormat(const SoundChannel& channel, const SoundData& sound);
// Opens the device in the sound's format; false (channel left closed) when it cannot.
bool OpenChannel(SoundChannel& channel, const SoundData& sound);
// Stops, forgets the headers and closes the device; nothing when already closed.
void CloseChannel(SoundChannel& channel);
// Plays the sound on the channel: mode 1 stops what plays first, mode 0 queues behind it.
// False when nothing was queued (device cannot open, volume under 0.05, no free header).
bool WriteChannel(SoundChannel& channel, const SoundData& sound, uint32_t mode, int32_t priority,
                  const ChannelWrite& how);
// Bytes played since the device was opened or last stopped; 0 when closed.
uint32_t PlayedPosition(SoundChannel& channel);
// Playing a write given a start time that has not begun yet.
bool IsChannelWaiting(SoundChannel& channel);
// The per-device gain for a channel volume alone (1.0 = unity), both halves equal.
uint32_t StrokeVolumeValue(float volume);
