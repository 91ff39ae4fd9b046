#pragma once
// An output with no clock but its own frame count: voices advance only when the owner mixes
// up to a frame, so a song renders as fast as the CPU allows and every buffer written between
// two renders starts on the exact frame the owner chose. Nothing is played anywhere; the
// mixed frames go to a sink. Same mixer, volumes and limiter as the outputs that play.
#include "platform/audio/VoiceBank.h"

#include <cstdint>

namespace platform {

// Receives mixed frames: interleaved stereo, each value left-justified in 32 bits (a 16-bit
// sample times 65536, a 24-bit one times 256), as audio file libraries take them.
class FrameSink {
public:
    virtual ~FrameSink() = default;
    // False stops the render (the sink could not keep the frames).
    virtual bool Put(const int32_t* samples, uint32_t frames) = 0;
};

class OfflineAudioOutput final : public AudioOutput {
public:
    // bits: 16 or 24, the resolution of the values handed to the sink.
    explicit OfflineAudioOutput(uint32_t bits);

    // Mixes from the current frame up to frame (nothing when already there or past it).
    bool RenderTo(uint64_t frame, FrameSink& sink);
    uint64_t Frame() const { return frame_; }
    // True while some voice still has a buffer to play.
    bool AnyQueued();

    AudioDeviceId Open(const AudioFormat& format) override { return bank_.Open(format); }
    void Close(AudioDeviceId device) override { bank_.Close(device); }
    // The render has already caught up to each stroke's ideal sample when it is written, so a
    // buffer starts at the current frame whatever start it is given.
    bool Write(AudioDeviceId device, int slot, const uint8_t* data, uint32_t size,
               const AudioLabel& label, const AudioStart& = AudioStart{}) override {
        return bank_.Write(device, slot, data, size, label);
    }
    bool IsDone(AudioDeviceId device, int slot) override { return bank_.IsDone(device, slot); }
    uint32_t PlayedBytes(AudioDeviceId device) override { return bank_.PlayedBytes(device); }
    void Reset(AudioDeviceId device) override { bank_.Reset(device); }
    uint32_t MasterVolume() override { return master_; }
    void SetMasterVolume(uint32_t volume) override { master_ = volume; }
    void SetDeviceVolume(AudioDeviceId device, uint32_t volume) override {
        bank_.SetVolume(device, volume);
    }

private:
    static constexpr uint32_t kBlock = 4096;
    uint32_t bits_;
    uint64_t frame_ = 0;
    uint32_t master_ = kFullAudioVolume;
    VoiceBank bank_;
    MixerState mixer_;
    int16_t mix16_[2 * kBlock];
    int32_t mix32_[2 * kBlock];
};

// Makes Audio() answer with another output for as long as the object lives, then gives the
// previous one back untouched (it is neither closed nor destroyed meanwhile). Used to render
// offline on the program's thread while the real output keeps playing.
class ScopedAudioOutput {
public:
    explicit ScopedAudioOutput(AudioOutput& output);
    ~ScopedAudioOutput();
    ScopedAudioOutput(const ScopedAudioOutput&) = delete;
    ScopedAudioOutput& operator=(const ScopedAudioOutput&) = delete;

private:
    AudioOutput* previous_;
};

} // namespace platform
