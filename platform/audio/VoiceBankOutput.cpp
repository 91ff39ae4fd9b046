#include "platform/audio/VoiceBankOutput.h"

namespace platform {

AudioDeviceId VoiceBankOutput::Open(const AudioFormat& format) {
    Call call(*this);
    AudioDeviceId id = bank_.Open(format);
    if (id != kNoAudioDevice) Opened(id);
    return id;
}

void VoiceBankOutput::Close(AudioDeviceId device) {
    Call call(*this);
    bank_.Close(device);
}

bool VoiceBankOutput::Write(AudioDeviceId device, int slot, const uint8_t* data, uint32_t size,
                            const AudioLabel& label, const AudioStart& start) {
    Call call(*this);
    return bank_.Write(device, slot, data, size, label, StartFrame(start));
}

bool VoiceBankOutput::IsDone(AudioDeviceId device, int slot) {
    Call call(*this);
    return bank_.IsDone(device, slot);
}

uint32_t VoiceBankOutput::PlayedBytes(AudioDeviceId device) {
    Call call(*this);
    return bank_.PlayedBytes(device);
}

void VoiceBankOutput::Reset(AudioDeviceId device) {
    Call call(*this);
    bank_.Reset(device);
}

uint32_t VoiceBankOutput::MasterVolume() {
    Call call(*this);
    return master_;
}

void VoiceBankOutput::SetMasterVolume(uint32_t volume) {
    Call call(*this);
    master_ = volume;
}

void VoiceBankOutput::SetDeviceVolume(AudioDeviceId device, uint32_t volume) {
    Call call(*this);
    bank_.SetVolume(device, volume);
}

} // namespace platform
