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

// How many of the next frames (at most limit) read both frames they interpolate from inside
// the head buffer: the stretch the plain loop below can mix without any of the checks a
// buffer's end needs.
uint32_t InteriorRun(const MixVoice& voice, uint64_t step, uint32_t limit) {
    const uint32_t frames = FramesIn(voice, voice.queue[0]);
    if (frames < 2) return 0;
    const uint64_t end = uint64_t(frames - 1) << 32; // the last position whose next frame is here
    if (voice.position >= end) return 0;
    const uint64_t run = (end - voice.position + step - 1) / step;
    return run < limit ? uint32_t(run) : limit;
}

// Sample c of frame f as -1..1, for one format known at compile time.
template <bool Eight, bool Stereo> float Sample(const uint8_t* data, uint32_t f, uint32_t c) {
    constexpr uint32_t bytes = (Eight ? 1 : 2) * (Stereo ? 2 : 1);
    const uint8_t* p = data + size_t(f) * bytes;
    if constexpr (Eight) {
        return float(int(p[c]) - 128) * (1.0f / 128.0f);
    } else {
        p += c * 2;
        return float(int16_t(uint16_t(p[0] | p[1] << 8))) * (1.0f / 32768.0f);
    }
}

// Mixes n frames whose interpolation stays inside one buffer: the same arithmetic as the
// frame-by-frame loop, in the same order, so the sum is the same to the last bit.
template <bool Eight, bool Stereo>
void MixInterior(const uint8_t* data, uint64_t position, uint64_t step, float gainL, float gainR,
                 float* acc, uint32_t n) {
    for (uint32_t i = 0; i < n; ++i, position += step) {
        const uint32_t f = uint32_t(position >> 32);
        const float frac = float(uint32_t(position)) * (1.0f / 4294967296.0f);
        const float l0 = Sample<Eight, Stereo>(data, f, 0);
        const float l1 = Sample<Eight, Stereo>(data, f + 1, 0);
        const float left = l0 + (l1 - l0) * frac;
        if constexpr (Stereo) {
            const float r0 = Sample<Eight, Stereo>(data, f, 1);
            const float r1 = Sample<Eight, Stereo>(data, f + 1, 1);
            acc[2 * i] += left * gainL;
            acc[2 * i + 1] += (r0 + (r1 - r0) * frac) * gainR;
        } else {
            acc[2 * i] += left * gainL;
            acc[2 * i + 1] += left * gainR;
        }
    }
}

// A source at the mix rate that sits on a whole frame stays on whole frames: the weight of the
// next frame is exactly 0, so l0 + (l1 - l0) x 0 is l0 itself and the next frame need not be
// read. (The samples are finite and never -0, so adding the zero product changes nothing.)
template <bool Eight, bool Stereo>
void MixWholeFrames(const uint8_t* __restrict data, uint32_t first, float gainL, float gainR,
                    float* __restrict acc, uint32_t n) {
    constexpr size_t channels = Stereo ? 2 : 1;
    if constexpr (Eight) {
        const uint8_t* __restrict p = data + size_t(first) * channels;
        for (size_t i = 0; i < n; ++i) {
            const float left = float(int(p[channels * i]) - 128) * (1.0f / 128.0f);
            const float right =
                Stereo ? float(int(p[channels * i + 1]) - 128) * (1.0f / 128.0f) : left;
            acc[2 * i] += left * gainL;
            acc[2 * i + 1] += right * gainR;
        }
    } else {
        const uint8_t* __restrict p = data + size_t(first) * channels * 2;
        for (size_t i = 0; i < n; ++i) {
            const uint8_t* q = p + 2 * channels * i;
            const float left = float(int16_t(uint16_t(q[0] | q[1] << 8))) * (1.0f / 32768.0f);
            const float right =
                Stereo ? float(int16_t(uint16_t(q[2] | q[3] << 8))) * (1.0f / 32768.0f) : left;
            acc[2 * i] += left * gainL;
            acc[2 * i + 1] += right * gainR;
        }
    }
}

template <bool Eight, bool Stereo>
void MixInteriorOf(const uint8_t* data, uint64_t position, uint64_t step, float gainL, float gainR,
                   float* acc, uint32_t n) {
    if (step == uint64_t(1) << 32 && uint32_t(position) == 0)
        MixWholeFrames<Eight, Stereo>(data, uint32_t(position >> 32), gainL, gainR, acc, n);
    else
        MixInterior<Eight, Stereo>(data, position, step, gainL, gainR, acc, n);
}

void MixInterior(const AudioFormat& format, const uint8_t* data, uint64_t position, uint64_t step,
                 float gainL, float gainR, float* acc, uint32_t n) {
    const bool eight = format.bitsPerSample == 8, stereo = format.channels > 1;
    if (eight && stereo) MixInteriorOf<true, true>(data, position, step, gainL, gainR, acc, n);
    if (eight && !stereo) MixInteriorOf<true, false>(data, position, step, gainL, gainR, acc, n);
    if (!eight && stereo) MixInteriorOf<false, true>(data, position, step, gainL, gainR, acc, n);
    if (!eight && !stereo) MixInteriorOf<false, false>(data, position, step, gainL, gainR, acc, n);
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
        if (const uint32_t run = InteriorRun(voice, step, frames - i)) {
            if (acc)
                MixInterior(format, voice.queue[0].data, voice.position, step, gainL, gainR,
                            acc + 2 * size_t(i), run);
            voice.position += uint64_t(run) * step;
            i += run - 1;
            continue;
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

// Rounds to the nearest whole number, ties to even, as nearbyint does in the default mode but
// without a library call: adding and taking away 1.5 x 2^23 (2^52 for doubles) leaves no bits
// below the point. Exact for |x| up to 2^22 (2^51), far more than the clamped range.
float RoundEven(float x) {
    constexpr float kShift = 12582912.0f;
    return (x + kShift) - kShift;
}
double RoundEven(double x) {
    constexpr double kShift = 6755399441055744.0;
    return (x + kShift) - kShift;
}

// Clamping before rounding gives what rounding and then clamping gives, since both limits
// are whole numbers.
void ToSample(float x, int16_t& out) {
    float scaled = x * 32767.0f;
    if (scaled > 32767.0f) scaled = 32767.0f;
    if (scaled < -32768.0f) scaled = -32768.0f;
    out = int16_t(RoundEven(scaled));
}

// 24 bits in an int32: double precision, since a float holds only 24 bits of mantissa.
void ToSample(float x, int32_t& out) {
    double scaled = double(x) * 8388607.0;
    if (scaled > 8388607.0) scaled = 8388607.0;
    if (scaled < -8388608.0) scaled = -8388608.0;
    out = int32_t(RoundEven(scaled));
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
                // The sums are finite, so a plain comparison picks what fmax would.
                const float l = std::fabs(acc[2 * i]), r = std::fabs(acc[2 * i + 1]);
                const float louder = l > r ? l : r;
                if (louder > peak) peak = louder;
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
