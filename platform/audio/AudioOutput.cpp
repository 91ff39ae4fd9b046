#include "platform/audio/AudioOutput.h"

#include "platform/audio/OfflineAudioOutput.h"

#include "platform/Text.h"

#include <cmath>
#include <cstring>

namespace platform {

bool IsPlayableFormat(const AudioFormat& format) {
    if (format.formatTag != 1) return false;
    if (format.channels != 1 && format.channels != 2) return false;
    if (format.bitsPerSample != 8 && format.bitsPerSample != 16) return false;
    if (format.samplesPerSecond < 1000 || format.samplesPerSecond > 192000) return false;
    return format.blockAlign == format.channels * format.bitsPerSample / 8;
}

AudioLabel MakeAudioLabel(std::u16string_view sound, int32_t channel, int32_t priority) {
    AudioLabel label;
    std::string name = ToUtf8(sound);
    size_t n = name.size() < sizeof label.sound - 1 ? name.size() : sizeof label.sound - 1;
    std::memcpy(label.sound, name.data(), n);
    label.channel = channel;
    label.priority = priority;
    return label;
}

AudioStart AudioStartAt(double clockMs) {
    AudioStart start;
    start.scheduled = true;
    const double whole = std::floor(clockMs);
    // The clock wraps at 2^32: keep the whole milliseconds modulo that.
    start.ms = uint32_t(int64_t(std::fmod(whole, 4294967296.0)));
    start.fraction = clockMs - whole;
    return start;
}

double MsUntil(const AudioStart& start, uint32_t now) {
    return double(int32_t(start.ms - now)) + start.fraction;
}

uint64_t StartFrameFor(const AudioStart& start, uint32_t nowMs, double nowFrame,
                       double framesPerMs) {
    if (!start.scheduled) return 0;
    const double ahead = MsUntil(start, nowMs);
    if (!(ahead > 0.0) || ahead > double(kMaxScheduleAheadMs) || nowFrame < 0.0) return 0;
    return uint64_t(std::floor(nowFrame + ahead * framesPerMs));
}

namespace {
AudioOutput*& Current() {
    // Never destroyed: static objects shutting down at exit may still close their devices.
    static AudioOutput* current = nullptr;
    return current;
}
} // namespace

void SetAudioOutput(std::unique_ptr<AudioOutput> output) {
    AudioOutput* old = Current();
    Current() = output.release();
    delete old;
}

AudioOutput& Audio() {
    if (!Current()) Current() = CreateNullAudioOutput().release();
    return *Current();
}

ScopedAudioOutput::ScopedAudioOutput(AudioOutput& output) : previous_(Current()) {
    Current() = &output;
}

ScopedAudioOutput::~ScopedAudioOutput() {
    Current() = previous_;
}

} // namespace platform
