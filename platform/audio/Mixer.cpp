#include "platform/audio/Mixer.h"

#include <cmath>

namespace platform {

namespace {

constexpr uint32_t kBlockFrames = 256;
// About 50 ms for the limiter to let the level back up after a peak.
const float kReleasePerFrame = 1.0f - std::exp(-1.0f / (0.05f * float(kMixRate)));

float LeftGain(uint32_t volume) {
    return float(volume & 0xFFFF) / 65535.0f;
}
float RightGain(uint32_t volume) {
    return float(volume >> 16) / 65535.0f;
}

uint32_t FramesIn(const MixVoice& voice, const MixBuffer& buffer) {
    return buffer.size / voice.format.blockAlign;
}

// Sample c (0 or 1) of frame f of a buffer, as -1..1.
float SampleAt(const AudioFormat& format, const uint8_t* data, uint32_t f, uint32_t c) {
    const uint8_t* p = data + size_t(f) * format.blockAlign;
    if (format.bitsPerSample == 8) return float(int(p[c]) - 128) * (1.0f / 128.0f);
    p += c * 2;
    return float(int16_t(uint16_t(p[0] | p[1] << 8))) * (1.0f / 32768.0f);
}

void FinishHead(MixVoice& voice) {
    MixBuffer& head = voice.queue[0];
    voice.finishedBytes += head.size;
    voice.slotBusy[head.slot] = false;
    voice.position -= uint64_t(FramesIn(voice, head)) << 32;
    for (uint32_t i = 1; i < voice.queued; ++i) voice.queue[i - 1] = voice.queue[i];
    voice.queue[--voice.queued] = MixBuffer{};
    voice.headStarted = false;
}

// Frees every head buffer already played to its end; true when one is left to play.
bool DropFinished(MixVoice& voice) {
    while (voice.queued && (voice.position >> 32) >= FramesIn(voice, voice.queue[0]))
        FinishHead(voice);
    if (!voice.queued) voice.position = 0;
    return voice.queued != 0;
}

void RenderVoice(MixVoice& voice, uint32_t index, float* acc, uint32_t frames, uint32_t frameBase,
                 uint64_t streamFrame, MixEvents* events) {
    const AudioFormat& format = voice.format;
    const uint64_t step = (uint64_t(format.samplesPerSecond) << 32) / kMixRate;
    const float gainL = LeftGain(voice.volume), gainR = RightGain(voice.volume);
    const uint32_t right = format.channels > 1 ? 1 : 0;
    for (uint32_t i = 0; i < frames; ++i) {
        if (!DropFinished(voice)) return;
        if (!voice.headStarted) {
            // A scheduled buffer waits in silence until its frame comes.
            const uint64_t now = streamFrame + frameBase + i;
            const uint64_t start = voice.queue[0].startFrame;
            if (start > now) {
                if (start - now >= frames - i) return;
                i += uint32_t(start - now) - 1;
                continue;
            }
            voice.headStarted = true;
            if (events && events->count < MixEvents::kCapacity)
                events->items[events->count++] = {index, voice.queue[0].slot, frameBase + i};
        }
        if (acc) {
            const MixBuffer& head = voice.queue[0];
            uint32_t f = uint32_t(voice.position >> 32);
            float frac = float(uint32_t(voice.position)) * (1.0f / 4294967296.0f);
            // The frame after f: in this buffer, else the first of the next one queued.
            const uint8_t* nextData = head.data;
            uint32_t next = f + 1;
            if (next >= FramesIn(voice, head)) {
                if (voice.queued > 1 && FramesIn(voice, voice.queue[1]) > 0 &&
                    voice.queue[1].startFrame == 0) {
                    nextData = voice.queue[1].data;
                    next = 0;
                } else {
                    next = f;
                }
            }
            float l0 = SampleAt(format, head.data, f, 0),
                  r0 = SampleAt(format, head.data, f, right);
            float l1 = SampleAt(format, nextData, next, 0),
                  r1 = SampleAt(format, nextData, next, right);
            acc[2 * i] += (l0 + (l1 - l0) * frac) * gainL;
            acc[2 * i + 1] += (r0 + (r1 - r0) * frac) * gainR;
        }
        voice.position += step;
    }
    // A buffer that ended on the last frame is done now, not at the next call.
    DropFinished(voice);
}

void ToSample(float x, int16_t& out) {
    float scaled = std::nearbyint(x * 32767.0f);
    if (scaled > 32767.0f) scaled = 32767.0f;
    if (scaled < -32768.0f) scaled = -32768.0f;
    out = int16_t(scaled);
}

// 24 bits in an int32: double precision, since a float holds only 24 bits of mantissa.
void ToSample(float x, int32_t& out) {
    double scaled = std::nearbyint(double(x) * 8388607.0);
    if (scaled > 8388607.0) scaled = 8388607.0;
    if (scaled < -8388608.0) scaled = -8388608.0;
    out = int32_t(scaled);
}

} // namespace

bool QueueBuffer(MixVoice& voice, int slot, const uint8_t* data, uint32_t size,
                 const AudioLabel& label, uint64_t startFrame) {
    if (!voice.open || slot < 0 || slot >= kAudioSlots || voice.slotBusy[slot]) return false;
    if (voice.queued >= uint32_t(kAudioSlots)) return false;
    if (!data) size = 0;
    voice.slotBusy[slot] = true;
    voice.slotLabel[slot] = label;
    voice.queue[voice.queued++] = MixBuffer{data, size, slot, startFrame};
    return true;
}

void ResetVoice(MixVoice& voice) {
    for (auto& buffer : voice.queue) buffer = MixBuffer{};
    for (auto& busy : voice.slotBusy) busy = false;
    voice.queued = 0;
    voice.position = 0;
    voice.finishedBytes = 0;
    voice.headStarted = false;
}

uint32_t PlayedBytes(const MixVoice& voice) {
    uint32_t played = voice.finishedBytes;
    if (voice.queued) {
        uint64_t frames = voice.position >> 32;
        uint64_t inHead = frames * voice.format.blockAlign;
        played += uint32_t(inHead < voice.queue[0].size ? inHead : voice.queue[0].size);
    }
    return played;
}

namespace {

template <typename Sample>
void MixInto(MixerState& state, MixVoice* voices, size_t voiceCount, uint32_t masterVolume,
             Sample* out, uint32_t frames, MixEvents* events) {
    const float masterL = LeftGain(masterVolume), masterR = RightGain(masterVolume);
    float acc[2 * kBlockFrames];
    for (uint32_t done = 0; done < frames;) {
        uint32_t n = frames - done < kBlockFrames ? frames - done : kBlockFrames;
        if (out)
            for (uint32_t i = 0; i < 2 * n; ++i) acc[i] = 0.0f;
        for (size_t v = 0; v < voiceCount; ++v)
            if (voices[v].open && voices[v].queued)
                RenderVoice(voices[v], uint32_t(v), out ? acc : nullptr, n, done, state.frame,
                            events);
        if (out) {
            float peak = 0.0f;
            for (uint32_t i = 0; i < n; ++i) {
                acc[2 * i] *= masterL;
                acc[2 * i + 1] *= masterR;
                peak = std::fmax(peak, std::fmax(std::fabs(acc[2 * i]), std::fabs(acc[2 * i + 1])));
            }
            // Any gain up to the block's own limit keeps every sample of it under the ceiling,
            // so the gain drops at once to that limit and recovers smoothly below it.
            float limit = peak > kLimiterCeiling ? kLimiterCeiling / peak : 1.0f;
            float gain = state.limiterGain < limit ? state.limiterGain : limit;
            Sample* o = out + 2 * size_t(done);
            for (uint32_t i = 0; i < n; ++i) {
                gain += (1.0f - gain) * kReleasePerFrame;
                if (gain > limit) gain = limit;
                ToSample(acc[2 * i] * gain, o[2 * i]);
                ToSample(acc[2 * i + 1] * gain, o[2 * i + 1]);
            }
            state.limiterGain = gain;
        }
        done += n;
    }
    state.frame += frames;
}

} // namespace

void Mix(MixerState& state, MixVoice* voices, size_t voiceCount, uint32_t masterVolume,
         int16_t* out, uint32_t frames, MixEvents* events) {
    MixInto(state, voices, voiceCount, masterVolume, out, frames, events);
}

void Mix(MixerState& state, MixVoice* voices, size_t voiceCount, uint32_t masterVolume,
         int32_t* out24, uint32_t frames, MixEvents* events) {
    MixInto(state, voices, voiceCount, masterVolume, out24, frames, events);
}

} // namespace platform
