#pragma once
// The wave-out devices of one output as mixer voices, found by id. Ids carry a generation so
// an id kept after its device closed never reaches the voice that reused its place.
// Not thread-safe: an output that mixes on another thread locks around every call.
#include "platform/audio/Mixer.h"

namespace platform {

class VoiceBank {
public:
    static constexpr uint32_t kMaxVoices = 32;

    AudioDeviceId Open(const AudioFormat& format);
    void Close(AudioDeviceId device);
    bool Write(AudioDeviceId device, int slot, const uint8_t* data, uint32_t size,
               const AudioLabel& label, uint64_t startFrame = 0);
    bool IsDone(AudioDeviceId device, int slot) const;
    uint32_t PlayedBytes(AudioDeviceId device) const;
    void Reset(AudioDeviceId device);
    void SetVolume(AudioDeviceId device, uint32_t volume);

    // The voice behind an id, or null when the id is unknown or stale.
    MixVoice* Find(AudioDeviceId device);
    const MixVoice* Find(AudioDeviceId device) const;
    // The index of the voice an id names (valid only after Find succeeded for it).
    static uint32_t IndexOf(AudioDeviceId device);

    MixVoice* Voices() { return voices_; }
    static constexpr size_t Count() { return kMaxVoices; }

private:
    MixVoice voices_[kMaxVoices];
    uint32_t generation_[kMaxVoices] = {};
};

} // namespace platform
