#include "platform/audio/VoiceBank.h"

namespace platform {

namespace {
constexpr uint32_t kIndexBits = 8;
constexpr uint32_t kIndexMask = (1u << kIndexBits) - 1;
} // namespace

AudioDeviceId VoiceBank::Open(const AudioFormat& format) {
    if (!IsPlayableFormat(format)) return kNoAudioDevice;
    for (uint32_t i = 0; i < kMaxVoices; ++i) {
        if (voices_[i].open) continue;
        voices_[i] = MixVoice{};
        voices_[i].open = true;
        voices_[i].format = format;
        // Generation 0 is never handed out, so no id is ever kNoAudioDevice.
        if (++generation_[i] >= (1u << (32 - kIndexBits))) generation_[i] = 1;
        return generation_[i] << kIndexBits | (i + 1);
    }
    return kNoAudioDevice;
}

MixVoice* VoiceBank::Find(AudioDeviceId device) {
    return const_cast<MixVoice*>(static_cast<const VoiceBank*>(this)->Find(device));
}

const MixVoice* VoiceBank::Find(AudioDeviceId device) const {
    uint32_t index = device & kIndexMask;
    if (index == 0 || index > kMaxVoices) return nullptr;
    --index;
    if (!voices_[index].open || generation_[index] != device >> kIndexBits) return nullptr;
    return &voices_[index];
}

uint32_t VoiceBank::IndexOf(AudioDeviceId device) {
    return (device & kIndexMask) - 1;
}

void VoiceBank::Close(AudioDeviceId device) {
    if (MixVoice* voice = Find(device)) *voice = MixVoice{};
}

bool VoiceBank::Write(AudioDeviceId device, int slot, const uint8_t* data, uint32_t size,
                      const AudioLabel& label, uint64_t startFrame) {
    MixVoice* voice = Find(device);
    return voice && QueueBuffer(*voice, slot, data, size, label, startFrame);
}

bool VoiceBank::IsDone(AudioDeviceId device, int slot) const {
    const MixVoice* voice = Find(device);
    if (!voice || slot < 0 || slot >= kAudioSlots) return true;
    return !voice->slotBusy[slot];
}

uint32_t VoiceBank::PlayedBytes(AudioDeviceId device) const {
    const MixVoice* voice = Find(device);
    return voice ? platform::PlayedBytes(*voice) : 0;
}

void VoiceBank::Reset(AudioDeviceId device) {
    if (MixVoice* voice = Find(device)) ResetVoice(*voice);
}

void VoiceBank::SetVolume(AudioDeviceId device, uint32_t volume) {
    if (MixVoice* voice = Find(device)) voice->volume = volume;
}

} // namespace platform
