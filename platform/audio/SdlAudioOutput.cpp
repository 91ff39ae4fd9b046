// The real output: one SDL audio device whose callback runs the program's mixer. The voices
// are shared with the program's thread under one mutex held only for a few bookkeeping
// steps on that side and for one mixing block on the callback's side; the callback never
// allocates and never touches files.
//
// Scheduled starts: the program's clock is the host's monotonic clock in milliseconds, and
// each callback tells the stream clock when it renders which frames, so a start time becomes
// a frame of the stream. On an underrun the device plays silence and the callbacks fall
// behind; the stream clock then takes its mapping afresh, and a start whose frame has
// already been rendered begins at once, late.
#include "platform/audio/StreamClock.h"
#include "platform/audio/VoiceBankOutput.h"

#include <SDL.h>

#include <chrono>
#include <cstdio>
#include <mutex>

namespace platform {

namespace {

uint64_t SteadyNs() {
    return uint64_t(std::chrono::duration_cast<std::chrono::nanoseconds>(
                        std::chrono::steady_clock::now().time_since_epoch())
                        .count());
}

class SdlAudioOutput final : public VoiceBankOutput {
public:
    explicit SdlAudioOutput(uint32_t periodFrames) : wantedPeriod_(periodFrames) {}

    // False when no device could be opened; the object is then unusable.
    bool Start() {
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
        subsystem_ = true;
        SDL_AudioSpec want{};
        want.freq = int(kMixRate);
        want.format = AUDIO_S16SYS;
        want.channels = 2;
        want.samples = uint16_t(wantedPeriod_);
        want.callback = &SdlAudioOutput::Callback;
        want.userdata = this;
        SDL_AudioSpec have{};
        // Only the period may differ; SDL converts anything else the hardware needs.
        device_ = SDL_OpenAudioDevice(nullptr, 0, &want, &have, SDL_AUDIO_ALLOW_SAMPLES_CHANGE);
        if (device_ == 0) return false;
        periodFrames_ = have.samples;
        SDL_PauseAudioDevice(device_, 0);
        return true;
    }

    ~SdlAudioOutput() override {
        if (device_) SDL_CloseAudioDevice(device_);
        if (subsystem_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }

    uint32_t PeriodFrames() const override { return periodFrames_; }
    bool LastBufferStart(AudioDeviceId device, uint64_t& steadyNs, uint32_t& count) override {
        std::lock_guard<std::mutex> lock(mutex_);
        if (!bank_.Find(device)) return false;
        uint32_t index = VoiceBank::IndexOf(device);
        steadyNs = startNs_[index];
        count = startCount_[index];
        return true;
    }

private:
    void BeginCall() override { mutex_.lock(); }
    void EndCall() override { mutex_.unlock(); }
    void Opened(AudioDeviceId id) override {
        uint32_t index = VoiceBank::IndexOf(id);
        startCount_[index] = 0;
        startNs_[index] = 0;
    }
    uint64_t StartFrame(const AudioStart& start) override {
        if (!start.scheduled || !stream_.Started()) return 0;
        // The program's clock reads whole milliseconds of the same host clock.
        const uint64_t ms = SteadyNs() / 1000000u;
        return StartFrameFor(start, uint32_t(ms), stream_.FrameAt(ms * 1000000u),
                             stream_.FramesPerMs());
    }

    static void Callback(void* self, Uint8* stream, int length) {
        static_cast<SdlAudioOutput*>(self)->Render(reinterpret_cast<int16_t*>(stream),
                                                   uint32_t(length) / 4);
    }

    void Render(int16_t* out, uint32_t frames) {
        MixEvents events;
        std::lock_guard<std::mutex> lock(mutex_);
        // Taken inside the lock: a buffer written while the callback waited for it is mixed
        // now, and must not seem to have started before it was written.
        uint64_t now = SteadyNs();
        stream_.OnPeriod(now, mixer_.frame, frames);
        Mix(mixer_, bank_.Voices(), bank_.Count(), master_, out, frames, &events);
        for (uint32_t i = 0; i < events.count; ++i) {
            uint32_t v = events.items[i].voice;
            startNs_[v] = now;
            ++startCount_[v];
        }
    }

    std::mutex mutex_;
    MixerState mixer_;
    StreamClock stream_{double(kMixRate)};
    uint32_t wantedPeriod_;
    uint64_t startNs_[VoiceBank::kMaxVoices] = {};
    uint32_t startCount_[VoiceBank::kMaxVoices] = {};
    SDL_AudioDeviceID device_ = 0;
    bool subsystem_ = false;
    uint32_t periodFrames_ = 0;
};

} // namespace

std::unique_ptr<AudioOutput> CreateSdlAudioOutput(uint32_t periodFrames) {
    if (periodFrames < kMinPeriodFrames) periodFrames = kMinPeriodFrames;
    if (periodFrames > kMaxPeriodFrames) periodFrames = kMaxPeriodFrames;
    auto output = std::make_unique<SdlAudioOutput>(periodFrames);
    if (output->Start()) return output;
    std::fprintf(stderr, "tamborix: no audio device could be opened (%s); playing silently\n",
                 SDL_GetError());
    output.reset();
    return CreateNullAudioOutput();
}

} // namespace platform
