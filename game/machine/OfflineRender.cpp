#include "game/machine/OfflineRender.h"

#include "game/drumkit/KitSounds.h"
#include "game/machine/Sequencer.h"
#include "varnokengine/VGError.h"
#include "varnokengine/VGSoundManager.h"

namespace {

// The level at which the game's volume control is fully open: an export does not depend on
// how loud the player last listened.
constexpr uint32_t kFullLevel = 10;
// The sequencer moves by whole milliseconds; one at a time it passes no step unsounded.
constexpr uint32_t kTickMs = 1;

uint64_t PassStartMs(const Track& track) {
    uint64_t start = 0;
    const TrackEntry* entry = track.entries;
    for (uint32_t i = 0; entry && i < track.entryIndex; ++i, entry = entry->next)
        if (entry->segment)
            start += uint64_t(entry->repeats) * uint64_t(DurationMs(*entry->segment));
    if (entry && entry->segment)
        start += uint64_t(track.repeatIndex) * uint64_t(DurationMs(*entry->segment));
    return start;
}

// Where the sequencer's strokes go: the render is first brought up to the stroke's own frame,
// then the sound is played as the play screen plays it.
class RenderSounds final : public KitSounds {
public:
    RenderSounds(VGSoundManager& manager, platform::OfflineAudioOutput& output,
                 platform::FrameSink& sink, const Track& track)
        : manager_(manager), output_(output), sink_(sink), track_(track) {}

    // The start the sequencer gives (its look-ahead for live playback) is not needed: the render
    // has been brought to the stroke's ideal frame already.
    void Restart(const VGString& name, int32_t priority, float volume, SoundStart) override {
        if (CatchUp()) manager_.RestartSound(name, priority, volume);
    }
    void Play(const VGString& name, int32_t priority, SoundStart) override {
        if (CatchUp()) manager_.PlaySound(name, priority, 1.0f);
    }
    void PlayOnce(const VGString& name, int32_t priority) override {
        if (CatchUp()) manager_.PlaySoundOnce(name, priority, 1.0f);
    }
    void Preload(const VGString& name) override { manager_.GetSound(name, EffectsFolder); }

    bool failed = false;

private:
    bool CatchUp() {
        if (failed) return false;
        const TrackEntry* entry = EntryAt(track_, track_.entryIndex);
        if (!entry || !entry->segment || track_.lastStep < 0) return true;
        const uint64_t frame = StrokeFrame(PassStartMs(track_), uint32_t(track_.lastStep),
                                           entry->segment->tempo, track_.speed);
        failed = !output_.RenderTo(frame, sink_);
        return !failed;
    }

    VGSoundManager& manager_;
    platform::OfflineAudioOutput& output_;
    platform::FrameSink& sink_;
    const Track& track_;
};

} // namespace

uint64_t StrokeFrame(uint64_t passStartMs, uint32_t step, uint32_t tempo, uint32_t speed) {
    if (tempo == 0 || speed == 0) return 0;
    // frame = (passStart + step x 15000 / tempo) x (100 / speed) x 44.1, in whole numbers.
    const uint64_t numerator = (passStartMs * tempo + uint64_t(step) * 15000u) * 4410u;
    return numerator / (uint64_t(tempo) * speed);
}

uint64_t TrackRealMs(const Track& track) {
    const uint64_t total = TotalDurationMs(track) > 0 ? uint64_t(TotalDurationMs(track)) : 0;
    return track.speed ? total * 100u / track.speed : 0;
}

bool RenderTrack(Track& track, uint32_t bits, platform::FrameSink& sink, std::string& error,
                 uint64_t* frames) {
    if (TotalDurationMs(track) < 1) {
        error = "the track has nothing to play";
        return false;
    }
    const uint64_t realMs = TrackRealMs(track);
    if (realMs > kMaxRenderMs) {
        error = "the track is too long to export (more than 6 hours)";
        return false;
    }
    const bool hadError = ErrorFlag != 0;
    bool ok = true;
    platform::OfflineAudioOutput output(bits);
    {
        platform::ScopedAudioOutput scope(output);
        // Declared inside the scope: it closes its devices on the render's output.
        VGSoundManager manager;
        manager.StartDetached(kFullLevel);
        RenderSounds sounds(manager, output, sink, track);
        MachineOutput out;
        out.sounds = &sounds;
        SequencerInput input;
        input.frameDelta = kTickMs;

        ResetPosition(track);
        // Every tick moves the track on, so it ends within its length (plus slack for the
        // float steps of odd speeds).
        const uint64_t maxTicks = realMs + 1000;
        bool ended = false;
        for (uint64_t tick = 0; tick <= maxTicks && !sounds.failed && !ended; ++tick)
            ended = SequencerTick(track, input, out) == 1;
        ResetPosition(track);

        const uint64_t end = realMs * platform::kMixRate / 1000;
        ok = !sounds.failed && output.RenderTo(end, sink);
        // The tail: a block at a time until the last sound has died away.
        while (ok && output.AnyQueued()) ok = output.RenderTo(output.Frame() + 4096, sink);
        if (!ended && ok) {
            error = "the track did not come to its end";
            ok = false;
        }
    }
    if (!hadError && ErrorFlag) {
        error = "a drum sound is missing from the data folder";
        ok = false;
    } else if (!ok && error.empty()) {
        error = "the rendered sound could not be written";
    }
    if (frames) *frames = output.Frame();
    return ok;
}
