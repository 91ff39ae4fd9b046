// Not a Google benchmark: how closely clock-decided strokes land on their ideal times when the
// program runs on display-paced frames (16, 17, 17 ms: 60 Hz), on the virtual clock. For every
// case it prints the strokes heard against the strokes due and the max and sd of their error
// from the ideal grid, measured from the first stroke (so the constant look-ahead drops out),
// twice: as scheduled (where the headless output starts each stroke, to the sample) and as the
// frame that decides the stroke would have sounded it.
//
//     stroke_timing
#include "game/drumkit/DrumKit.h"
#include "game/drumkit/GameRules.h"
#include "game/drumkit/KitSounds.h"
#include "game/machine/Sequencer.h"
#include "game/machine/Track.h"
#include "platform/audio/AudioOutput.h"

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace {

const int32_t kFrames[] = {16, 17, 17};

// Where each stroke asked for is heard: at its start time when that lies ahead of the frame
// (on the stream's sample grid, as the headless output places it), else with the frame.
class TimedSounds final : public KitSounds {
public:
    void Restart(const VGString&, int32_t, float, SoundStart start) override { Add(start); }
    // The rhythm game's mistakes (priority 4) are not strokes of the pattern.
    void Play(const VGString&, int32_t priority, SoundStart start) override {
        if (priority != 4) Add(start);
    }
    void PlayOnce(const VGString&, int32_t) override {}
    void Preload(const VGString&) override {}

    double frameTime = 0.0;
    std::vector<double> scheduled, framed;

private:
    void Add(SoundStart start) {
        const double ahead = start.scheduled ? start.at - frameTime : 0.0;
        const double perMs = double(platform::kMixRate) / 1000.0;
        if (ahead > 0.0 && ahead <= double(platform::kMaxScheduleAheadMs))
            scheduled.push_back(frameTime + std::floor(ahead * perMs) / perMs);
        else
            scheduled.push_back(frameTime);
        framed.push_back(frameTime);
    }
};

struct Errors {
    double max = 0.0, sd = 0.0;
};

// Errors of the heard times against ideal ones, both taken from their first entry.
Errors Measure(const std::vector<double>& heard, const std::vector<double>& ideal) {
    Errors e;
    const size_t n = heard.size() < ideal.size() ? heard.size() : ideal.size();
    if (n == 0) return e;
    std::vector<double> err(n);
    double mean = 0.0;
    for (size_t i = 0; i < n; ++i) {
        err[i] = (heard[i] - heard[0]) - (ideal[i] - ideal[0]);
        mean += err[i] / double(n);
    }
    for (double x : err) {
        e.max = std::fmax(e.max, std::fabs(x));
        e.sd += (x - mean) * (x - mean) / double(n);
    }
    e.sd = std::sqrt(e.sd);
    return e;
}

void Report(const char* name, const TimedSounds& s, const std::vector<double>& ideal) {
    const Errors now = Measure(s.scheduled, ideal), old = Measure(s.framed, ideal);
    std::printf("%-34s %5zu/%-5zu %8.3f %8.3f   %8.3f %8.3f\n", name, s.scheduled.size(),
                ideal.size(), now.max, now.sd, old.max, old.sd);
}

// A hi-hat on every one of 16 steps.
void FillHats(Segment& segment, uint32_t tempo) {
    segment = Segment{};
    segment.steps = 16;
    segment.tempo = tempo;
    for (uint32_t step = 0; step < 16; ++step) Cell(segment, 8, step) = 1;
}

void SegmentLoopCase(uint32_t tempo) {
    Segment segment;
    FillHats(segment, tempo);
    TimedSounds sounds;
    SegmentLoop loop;
    MachineOutput out;
    out.sounds = &sounds;
    uint32_t now = 1000;
    for (int f = 0; now < 1000 + 8000; ++f) {
        now += uint32_t(kFrames[f % 3]);
        sounds.frameTime = now;
        out.now = now;
        SegmentLoopTick(loop, segment, uint32_t(kFrames[f % 3]), false, out);
    }
    // Steps fire from the loop's start on; the pass is its integer number of milliseconds.
    std::vector<double> ideal;
    const double stepLen = StepLengthMs(tempo);
    const double pass = double(uint32_t(stepLen * 16.0f));
    for (uint32_t i = 0; ideal.size() < sounds.scheduled.size(); ++i)
        ideal.push_back(double(i / 16) * pass + double(i % 16) * stepLen);
    char name[64];
    std::snprintf(name, sizeof name, "segment loop %u BPM", tempo);
    Report(name, sounds, ideal);
}

void PlayScreenCase(bool visualise, uint32_t speed) {
    Track track;
    Reset(track);
    track.speed = speed;
    track.entries->segment = new Segment;
    FillHats(*track.entries->segment, 120);
    track.entries->repeats = 50;
    TimedSounds sounds;
    DrumKit kit;
    kit.sounds = &sounds;
    kit.mode = MachineDriven;
    MachineOutput out;
    out.sounds = &sounds;
    out.kit = visualise ? &kit : nullptr;
    SequencerInput input;
    input.visualise = visualise;
    input.loop = true;
    uint32_t now = 1000;
    for (int f = 0; now < 1000 + 8000; ++f) {
        input.frameDelta = uint32_t(kFrames[f % 3]);
        now += input.frameDelta;
        sounds.frameTime = now;
        out.now = now;
        SequencerTick(track, input, out);
    }
    std::vector<double> ideal;
    const double stepLen = StepLengthMs(120) * 100.0 / double(speed);
    for (uint32_t i = 0; ideal.size() < sounds.scheduled.size(); ++i)
        ideal.push_back(double(i) * stepLen);
    char name[64];
    std::snprintf(name, sizeof name, "play screen visualise %s speed %u", visualise ? "on" : "off",
                  speed);
    Report(name, sounds, ideal);
}

void MetronomeCase(int32_t tempo) {
    TimedSounds sounds;
    DrumKit kit;
    kit.sounds = &sounds;
    kit.mode = FreePlay;
    kit.tempo = tempo;
    ResetClock(kit);
    uint32_t now = 1000;
    for (int f = 0; now < 1000 + 8000; ++f) {
        KitInput in;
        in.frameDelta = kFrames[f % 3];
        now += uint32_t(in.frameDelta);
        in.now = now;
        in.metronome = 1;
        sounds.frameTime = now;
        UpdateKit(kit, in);
    }
    std::vector<double> ideal;
    for (int32_t i = 0; ideal.size() < sounds.scheduled.size(); ++i)
        ideal.push_back(double(i * (60000 / tempo)));
    char name[64];
    std::snprintf(name, sizeof name, "metronome %d BPM", tempo);
    Report(name, sounds, ideal);
}

void RhythmCase(uint32_t level) {
    TimedSounds sounds;
    DrumKit kit;
    kit.sounds = &sounds;
    GenerateLevel(kit, level);
    kit.mode = RhythmMaster;
    kit.lives = 3;
    ResetClock(kit);
    // Every click and demonstrated stroke falls on the middle of its step's window.
    std::vector<double> ideal;
    uint32_t k = 0;
    const uint32_t window = 2 * kit.slotLength;
    for (const PatternStep* s = kit.rhythmPattern; s; s = s->next, ++k) {
        const double middle = double(window * k + kit.slotLength);
        if (s->click == ClickLoud || s->click == ClickNormal) ideal.push_back(middle);
        if (s->phase != PhasePlayer && s->piece < kPieceCount) ideal.push_back(middle);
    }
    // The player plays nothing: the player's steps are missed, which costs lives, so the
    // demonstration is measured with lives to spare.
    uint32_t now = 1000;
    for (int f = 0; !kit.levelDone && f < 100000; ++f) {
        kit.lives = 3;
        kit.gameOver = 0;
        KitInput in;
        in.frameDelta = kFrames[f % 3];
        now += uint32_t(in.frameDelta);
        in.now = now;
        sounds.frameTime = now;
        UpdateKit(kit, in);
    }
    FreePattern(kit.rhythmPattern);
    char name[64];
    std::snprintf(name, sizeof name, "rhythm game level %u", level);
    Report(name, sounds, ideal);
}

} // namespace

int main() {
    std::printf("%-34s %11s %8s %8s   %8s %8s\n", "case", "heard/due", "max ms", "sd ms", "framed",
                "sd ms");
    for (uint32_t tempo : {120u, 400u}) SegmentLoopCase(tempo);
    for (bool visualise : {true, false})
        for (uint32_t speed : {50u, 100u, 200u}) PlayScreenCase(visualise, speed);
    for (int32_t tempo : {120, 400}) MetronomeCase(tempo);
    for (uint32_t level : {25u, 100u, 150u, 200u}) RhythmCase(level);
    return 0;
}
