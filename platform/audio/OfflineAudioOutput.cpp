#include "platform/audio/OfflineAudioOutput.h"

namespace platform {

OfflineAudioOutput::OfflineAudioOutput(uint32_t bits) : bits_(bits == 24 ? 24 : 16) {}

bool OfflineAudioOutput::AnyQueued() {
    for (size_t i = 0; i < bank_.Count(); ++i)
        if (bank_.Voices()[i].open && bank_.Voices()[i].queued) return true;
    return false;
}

bool OfflineAudioOutput::RenderTo(uint64_t frame, FrameSink& sink) {
    while (frame_ < frame) {
        const uint32_t n = uint32_t(frame - frame_ < kBlock ? frame - frame_ : kBlock);
        if (bits_ == 24) {
            Mix(mixer_, bank_.Voices(), bank_.Count(), master_, mix32_, n, nullptr);
            for (uint32_t i = 0; i < 2 * n; ++i) mix32_[i] = int32_t(uint32_t(mix32_[i]) << 8);
        } else {
            Mix(mixer_, bank_.Voices(), bank_.Count(), master_, mix16_, n, nullptr);
            for (uint32_t i = 0; i < 2 * n; ++i)
                mix32_[i] = int32_t(uint32_t(int32_t(mix16_[i])) << 16);
        }
        if (!sink.Put(mix32_, n)) return false;
        frame_ += n;
    }
    return true;
}

} // namespace platform
