// The null and headless outputs: nothing plays on its own; every call first mixes the
// voices forward to the clock's present time, so a virtual clock gives repeatable runs.
#include "platform/audio/VoiceBankOutput.h"

#include <cstdio>
#include <cstring>

namespace platform {

namespace {

constexpr uint32_t kRenderFrames = 4096;
// WAV sizes are 32-bit: stop appending well before they would wrap.
constexpr uint64_t kMaxWavDataBytes = 0x7FF00000u;

void PutU32(uint8_t* p, uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = uint8_t(v >> (8 * i));
}

class PullAudioOutput final : public VoiceBankOutput {
public:
    PullAudioOutput(Clock* clock, const std::string& logPath, const std::string& wavPath)
        : clock_(clock) {
        last_ = origin_ = ClockNow();
        if (!logPath.empty()) {
            log_ = std::fopen(logPath.c_str(), "w");
            if (!log_) std::fprintf(stderr, "audio: cannot write the log %s\n", logPath.c_str());
        }
        if (!wavPath.empty()) {
            wav_ = std::fopen(wavPath.c_str(), "wb");
            if (wav_)
                WriteWavHeader();
            else
                std::fprintf(stderr, "audio: cannot write %s\n", wavPath.c_str());
        }
    }

    ~PullAudioOutput() override {
        if (log_) std::fclose(log_);
        if (wav_) std::fclose(wav_);
    }

private:
    void BeginCall() override { CatchUp(); }
    uint64_t StartFrame(const AudioStart& start) override {
        // The stream runs exactly on the clock: its frame at the clock's present is known.
        const double framesPerMs = double(kMixRate) / 1000.0;
        uint64_t frame = StartFrameFor(start, last_, double(elapsedMs_) * framesPerMs, framesPerMs);
        return frame <= rendered_ ? 0 : frame;
    }

    uint32_t ClockNow() { return (clock_ ? *clock_ : CurrentClock()).TickCount(); }

    bool AnyQueued() {
        for (size_t i = 0; i < bank_.Count(); ++i)
            if (bank_.Voices()[i].queued) return true;
        return false;
    }

    void CatchUp() {
        uint32_t now = ClockNow();
        int32_t elapsed = int32_t(now - last_);
        last_ = now;
        if (elapsed < 0) origin_ += uint32_t(elapsed); // a clock set back: carry on from there
        if (elapsed <= 0) return;
        elapsedMs_ += uint64_t(elapsed);
        const uint64_t target = elapsedMs_ * kMixRate / 1000;
        bool wrote = false;
        while (rendered_ < target) {
            // With no WAV to write, silence needs no rendering.
            if (!wav_ && !AnyQueued()) {
                mixer_.frame += target - rendered_; // the stream moves on all the same
                rendered_ = target;
                break;
            }
            uint32_t n =
                uint32_t(target - rendered_ < kRenderFrames ? target - rendered_ : kRenderFrames);
            MixEvents events;
            Mix(mixer_, bank_.Voices(), bank_.Count(), master_, wav_ ? samples_ : nullptr, n,
                log_ ? &events : nullptr);
            if (log_) LogStarts(events);
            if (wav_ && wavBytes_ + 4u * n <= kMaxWavDataBytes) {
                std::fwrite(samples_, 4, n, wav_);
                wavBytes_ += 4u * n;
                wrote = true;
            }
            rendered_ += n;
        }
        if (wrote) PatchWavSizes();
        if (log_) std::fflush(log_);
    }

    void LogStarts(const MixEvents& events) {
        for (uint32_t i = 0; i < events.count; ++i) {
            const MixEvent& e = events.items[i];
            const AudioLabel& label = bank_.Voices()[e.voice].slotLabel[e.slot];
            // The first frame at or after a millisecond belongs to that millisecond.
            uint64_t ms = ((rendered_ + e.frame) * 1000 + kMixRate - 1) / kMixRate;
            std::fprintf(log_, "%u %s channel %d priority %d\n", uint32_t(origin_ + ms),
                         label.sound[0] ? label.sound : "-", label.channel, label.priority);
        }
    }

    void WriteWavHeader() {
        uint8_t h[44] = {'R', 'I', 'F', 'F', 0,  0, 0, 0, 'W', 'A', 'V', 'E',
                         'f', 'm', 't', ' ', 16, 0, 0, 0, 1,   0,   2,   0};
        PutU32(h + 24, kMixRate);
        PutU32(h + 28, kMixRate * 4);
        h[32] = 4;
        h[34] = 16;
        std::memcpy(h + 36, "data", 4);
        PutU32(h + 4, 36);
        std::fwrite(h, 1, sizeof h, wav_);
        std::fflush(wav_);
    }

    void PatchWavSizes() {
        uint8_t size[4];
        PutU32(size, uint32_t(36 + wavBytes_));
        std::fseek(wav_, 4, SEEK_SET);
        std::fwrite(size, 1, 4, wav_);
        PutU32(size, uint32_t(wavBytes_));
        std::fseek(wav_, 40, SEEK_SET);
        std::fwrite(size, 1, 4, wav_);
        std::fseek(wav_, 0, SEEK_END);
        std::fflush(wav_);
    }

    Clock* clock_; // null: the program's current clock
    uint32_t last_ = 0;
    uint32_t origin_ = 0; // clock time of the first rendered frame
    uint64_t elapsedMs_ = 0;
    uint64_t rendered_ = 0;
    MixerState mixer_;
    std::FILE* log_ = nullptr;
    std::FILE* wav_ = nullptr;
    uint64_t wavBytes_ = 0;
    int16_t samples_[2 * kRenderFrames];
};

} // namespace

std::unique_ptr<AudioOutput> CreateNullAudioOutput() {
    return std::make_unique<PullAudioOutput>(nullptr, std::string(), std::string());
}

std::unique_ptr<AudioOutput> CreateHeadlessAudioOutput(Clock& clock, const std::string& logPath,
                                                       const std::string& wavPath) {
    return std::make_unique<PullAudioOutput>(&clock, logPath, wavPath);
}

} // namespace platform
