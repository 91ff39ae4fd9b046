#pragma once
// An audio output whose devices are the voices of one bank: the calls of the output contract
// are passed to the bank here, once for every such output. Each call runs between BeginCall
// and EndCall: the SDL output holds its lock there, the headless one first mixes up to the
// present.
#include "platform/audio/AudioOutput.h"
#include "platform/audio/VoiceBank.h"

namespace platform {

class VoiceBankOutput : public AudioOutput {
public:
    AudioDeviceId Open(const AudioFormat& format) final;
    void Close(AudioDeviceId device) final;
    bool Write(AudioDeviceId device, int slot, const uint8_t* data, uint32_t size,
               const AudioLabel& label, const AudioStart& start) final;
    bool IsDone(AudioDeviceId device, int slot) final;
    uint32_t PlayedBytes(AudioDeviceId device) final;
    void Reset(AudioDeviceId device) final;
    uint32_t MasterVolume() final;
    void SetMasterVolume(uint32_t volume) final;
    void SetDeviceVolume(AudioDeviceId device, uint32_t volume) final;

protected:
    virtual void BeginCall() = 0;
    virtual void EndCall() {}
    // The stream frame at which a buffer written now with that start begins; 0 for at once.
    virtual uint64_t StartFrame(const AudioStart& start) = 0;
    // A device has just been opened (inside the call).
    virtual void Opened(AudioDeviceId) {}

    VoiceBank bank_;
    uint32_t master_ = kFullAudioVolume;

private:
    struct Call {
        explicit Call(VoiceBankOutput& o) : output(o) { output.BeginCall(); }
        ~Call() { output.EndCall(); }
        VoiceBankOutput& output;
    };
};

} // namespace platform
