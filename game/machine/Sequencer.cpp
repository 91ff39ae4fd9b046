#include "game/machine/Sequencer.h"

#include "game/drumkit/DrumKit.h"
#include "game/drumkit/KitSounds.h"

#include <algorithm>
#include <cmath>

namespace {

// Drum strokes interrupt like a struck piece; clicks ask like a screen's click.
constexpr int32_t kDrumPriority = 3;
constexpr int32_t kClickPriority = 0;
constexpr float kFastFactor = 10.0f;
constexpr uint32_t kBeatSteps = 4;

KitSounds& SoundsOf(const MachineOutput& out) {
    return out.sounds ? *out.sounds : DefaultKitSounds();
}

// When a step that began sinceMs of real time before this frame is to be heard.
SoundStart StepStart(const MachineOutput& out, float sinceMs) {
    return StartAt(double(out.now) - double(sinceMs) + double(kStrokeLookAheadMs));
}

void FireStep(const Segment& segment, uint32_t step, bool visualise, const MachineOutput& out,
              SoundStart start) {
    for (uint32_t row = 0; row < kMachineRows; ++row) {
        if (Cell(segment, row, step) == 0) continue;
        if (visualise && out.kit)
            Strike(*out.kit, row, start);
        else
            SoundsOf(out).Restart(RowSoundName(row), kDrumPriority, 1.0f, start);
    }
}

float EntryDuration(const TrackEntry* entry) {
    return entry && entry->segment ? float(DurationMs(*entry->segment)) : 0.0f;
}

bool AtStart(const Track& track) {
    return track.position == 0.0f && track.entryIndex == 0 && track.repeatIndex == 0 &&
           track.lastStep == -1;
}

// How many whole passes of duration fit into distance (strictly: leave some distance over),
// at most limit. Work is constant however large a repeat count read from a file is.
uint32_t WholePasses(float distance, float duration, uint32_t limit, bool strict = false) {
    if (!(duration > 0.0f) || !(distance > 0.0f)) return 0;
    const double d = duration, x = distance;
    auto fits = [&](double n) { return strict ? n * d < x : n * d <= x; };
    double passes = std::floor(x / d);
    while (passes > 0.0 && !fits(passes)) passes -= 1.0; // the division may round either way
    while (fits(passes + 1.0)) passes += 1.0;
    return passes >= double(limit) ? limit : uint32_t(passes);
}

// Moves back over whole passes while the position is before the start of the current one.
void Rewind(Track& track, float distance) {
    track.position -= distance;
    const TrackEntry* entry = EntryAt(track, track.entryIndex);
    while (track.position < 0.0f) {
        const float duration = EntryDuration(entry);
        if (track.repeatIndex > 0) {
            if (duration <= 0.0f) {
                track.repeatIndex = 0; // passes of no length: all at once
                continue;
            }
            // All the passes needed but the last in one step; the loop adds the last one.
            uint32_t passes = WholePasses(-track.position, duration, track.repeatIndex - 1, true);
            track.repeatIndex -= passes + 1;
            track.position += float(passes) * duration;
        } else if (track.entryIndex > 0) {
            --track.entryIndex;
            entry = EntryAt(track, track.entryIndex);
            track.repeatIndex = entry && entry->repeats > 0 ? entry->repeats - 1 : 0;
        } else {
            track.position = 0.0f;
            break;
        }
        track.position += EntryDuration(entry);
    }
}

enum class Carry { Playing, Ended, HeldAtEnd };

// Moves whole segment passes out of the position onto the repeat and entry counters. Each
// entry is passed in one step however many repeats it has, and a looping track wraps at most
// once, so the work is bounded by the number of entries.
Carry CarryForward(Track& track, uint32_t count, bool loop, uint32_t mode) {
    const TrackEntry* entry = EntryAt(track, track.entryIndex);
    float duration = EntryDuration(entry);
    while (entry && track.position >= duration) {
        const uint32_t left =
            entry->repeats > track.repeatIndex ? entry->repeats - track.repeatIndex : 0;
        if (duration > 0.0f) {
            const uint32_t passes = std::max(WholePasses(track.position, duration, left), 1u);
            track.position -= float(passes) * duration;
            track.repeatIndex += passes;
        } else {
            track.repeatIndex = entry->repeats; // passes of no length: all at once
        }
        track.lastStep = -1;
        if (track.repeatIndex < entry->repeats) continue;
        track.repeatIndex = 0;
        ++track.entryIndex;
        entry = entry->next;
        if (track.entryIndex >= count || !entry) {
            if (mode == ModeFastForward) {
                track.entryIndex = count - 1;
                const TrackEntry* last = EntryAt(track, track.entryIndex);
                track.repeatIndex = last && last->repeats > 0 ? last->repeats - 1 : 0;
                track.position = EntryDuration(last);
                return Carry::HeldAtEnd;
            }
            track.entryIndex = 0;
            if (!loop) {
                track.position = 0.0f;
                return Carry::Ended;
            }
            // Whole passes of the track are dropped at once.
            const float total = float(TotalDurationMs(track));
            if (total > 0.0f && track.position >= total)
                track.position = std::fmod(track.position, total);
            entry = track.entries;
        }
        duration = EntryDuration(entry);
    }
    return Carry::Playing;
}

} // namespace

void RestartLoop(SegmentLoop& loop) {
    loop.clock = 0;
    loop.lastStep = -1;
}

void SegmentLoopTick(SegmentLoop& loop, const Segment& segment, uint32_t frameDelta, bool metronome,
                     const MachineOutput& out) {
    loop.clock += frameDelta;
    const float stepLen = StepLengthMs(segment.tempo);
    const float inverse = 1.0f / stepLen;
    const uint32_t steps = segment.steps == 0 ? 1 : segment.steps;
    uint32_t step = uint32_t(float(loop.clock) * inverse);
    while (step >= steps) {
        loop.lastStep = -1;
        // A pass lasts the segment's whole milliseconds; never step back below zero.
        const uint32_t pass = uint32_t(float(steps) * stepLen);
        loop.clock = loop.clock >= pass ? loop.clock - pass : 0;
        step = uint32_t(float(loop.clock) * inverse);
        if (pass == 0) break;
    }
    if (step >= kMaxSteps || int32_t(step) == loop.lastStep) return;
    loop.lastStep = int32_t(step);
    const float since = float(loop.clock) - float(step) * stepLen;
    const SoundStart start = StepStart(out, since > 0.0f ? since : 0.0f);
    if (metronome) {
        if (step == 0)
            SoundsOf(out).Play(u"metronomeLoud", kClickPriority, start);
        else if (step % kBeatSteps == 0)
            SoundsOf(out).Play(u"metronome", kClickPriority, start);
    }
    FireStep(segment, step, false, out, start);
}

uint32_t SequencerTick(Track& track, const SequencerInput& input, const MachineOutput& out,
                       bool* playing) {
    if (TotalDurationMs(track) < 1) return 0;
    if (playing) *playing = true;

    if (!(AtStart(track) && input.mode == ModeNormal)) {
        const float delta = (float(track.speed) * 0.01f) * float(input.frameDelta);
        if (input.mode == ModeNormal) {
            if (!input.paused) track.position += delta;
        } else if (input.mode == ModeFastForward) {
            track.position += delta * kFastFactor;
        } else if (input.mode == ModeRewind) {
            Rewind(track, delta * kFastFactor);
        }
    }

    const uint32_t count = EntryCount(track);
    if (track.entryIndex >= count) ResetPosition(track);

    switch (CarryForward(track, count, input.loop, input.mode)) {
    case Carry::Ended:
        return 1;
    case Carry::HeldAtEnd:
        return 0;
    case Carry::Playing:
        break;
    }

    const TrackEntry* entry = EntryAt(track, track.entryIndex);
    if (!entry || !entry->segment) return 0;
    const Segment& segment = *entry->segment;
    if (input.visualise && out.kit) out.kit->clock = int32_t(out.now);
    const float stepLen = StepLengthMs(segment.tempo);
    uint32_t step = uint32_t(track.position / stepLen);
    // The integer pass length can leave a sliver past the last step; it belongs to it.
    if (step >= segment.steps) step = segment.steps - 1;
    if (int32_t(step) == track.lastStep || input.paused) return 0;
    track.lastStep = int32_t(step);
    // Segment time runs at the speed (ten times that while winding forward); winding back
    // reaches a step from its end, so its stroke is heard at once.
    float rate = float(track.speed) * 0.01f;
    if (input.mode == ModeFastForward) rate *= kFastFactor;
    const float since = (track.position - float(step) * stepLen) / rate;
    const SoundStart start = input.mode == ModeRewind || !(rate > 0.0f)
                                 ? StartNow()
                                 : StepStart(out, since > 0.0f ? since : 0.0f);
    FireStep(segment, step, input.visualise, out, start);
    return 0;
}
