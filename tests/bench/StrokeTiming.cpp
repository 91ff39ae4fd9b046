// Not a Google benchmark: how closely clock-decided strokes land on their ideal times when the
// program runs on display-paced frames (16, 17, 17 ms: 60 Hz). For every case it prints the
// strokes heard against the strokes due and the max and sd of their error from the ideal
// grid, measured from the first stroke (so the constant look-ahead drops out).
//
// On the virtual clock (always), twice: as scheduled (where the headless output starts each
// stroke, to the sample) and as the frame that decides the stroke would have sounded it.
// With --sdl, the same cases again on the real clock through the SDL output, on SDL's disk
// driver writing into a file: every stroke is a short burst, and the strokes heard are the
// bursts' first samples in the stream that file holds. Positions in the stream are what a
// listener hears; they carry none of the driver's own pacing jitter. Strokes due at one
// moment (a click and a demonstrated stroke) are heard as one burst and counted once.
//
//     stroke_timing [--sdl [PERIOD_FRAMES]]
#include "game/drumkit/DrumKit.h"
#include "game/drumkit/GameRules.h"
#include "game/drumkit/KitSounds.h"
#include "game/machine/Sequencer.h"
#include "game/machine/Track.h"
#include "platform/RegistryStore.h"
#include "platform/audio/AudioOutput.h"
#include "tests/bench/DiskAudioCapture.h"
#include "varnokengine/VGAppPath.h"
#include "varnokengine/VGClock.h"
#include "varnokengine/VGSoundManager.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace {

const int32_t kFrames[] = {16, 17, 17};
// How long the clock-driven cases run.
constexpr uint32_t kCaseMs = 8000;

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

// The mistakes of the rhythm game (the player plays nothing) are left out on the SDL output
// too, so that every burst in the stream is a stroke of the pattern.
// It also keeps the moment of every stroke asked for, and whether its frame came too late
// to schedule it (the frame started more than the look-ahead after the stroke's moment, as
// happens when the program's thread waits for a core): such a stroke sounds at once, late.
class PatternSounds final : public KitSounds {
public:
    void Restart(const VGString& name, int32_t priority, float volume, SoundStart start) override {
        Ask(start);
        KitSounds::Restart(name, priority, volume, start);
    }
    void Play(const VGString& name, int32_t priority, SoundStart start) override {
        if (priority == 4) return;
        Ask(start);
        KitSounds::Play(name, priority, start);
    }
    struct Asked {
        double at;
        bool late;
    };
    std::vector<Asked> asked;

private:
    void Ask(SoundStart start) {
        const double now = double(GetMilliseconds());
        asked.push_back({start.scheduled ? start.at : now, !start.scheduled || start.at <= now});
    }
};

// The frames a case runs on and the sounds its strokes go to.
class CaseRun {
public:
    virtual ~CaseRun() = default;
    // Moves on by one frame: its length in ms and the clock at its start.
    virtual void Next(uint32_t& delta, uint32_t& now) = 0;
    // The clock before the first frame.
    virtual uint32_t Start() const = 0;
    virtual KitSounds& Sounds() = 0;
    // Strokes asked for so far.
    virtual size_t Asked() const = 0;
};

// The virtual clock: exactly 16, 17, 17 ms.
class VirtualRun final : public CaseRun {
public:
    void Next(uint32_t& delta, uint32_t& now) override {
        delta = uint32_t(kFrames[frame_++ % 3]);
        now_ += delta;
        now = now_;
        sounds.frameTime = now;
    }
    uint32_t Start() const override { return 1000; }
    KitSounds& Sounds() override { return sounds; }
    size_t Asked() const override { return sounds.scheduled.size(); }
    TimedSounds sounds;

private:
    uint32_t now_ = 1000;
    int frame_ = 0;
};

// The engine clock, each frame slept out to the same 16, 17, 17 ms pattern (late wake-ups
// make some frames longer, as a loaded machine does), counted as the program counts frames.
class RealRun final : public CaseRun {
public:
    RealRun() : last_(GetMilliseconds()), due_(std::chrono::steady_clock::now()) {}
    void Next(uint32_t& delta, uint32_t& now) override {
        due_ += std::chrono::milliseconds(kFrames[frame_++ % 3]);
        std::this_thread::sleep_until(due_);
        now = GetMilliseconds();
        while (now == last_) now = GetMilliseconds();
        delta = now - last_ < 200 ? now - last_ : 200;
        last_ = now;
    }
    uint32_t Start() const override { return last_; }
    KitSounds& Sounds() override { return sounds_; }
    size_t Asked() const override { return sounds_.asked.size(); }
    const std::vector<PatternSounds::Asked>& AskedStrokes() const { return sounds_.asked; }

private:
    PatternSounds sounds_;
    uint32_t last_;
    std::chrono::steady_clock::time_point due_;
    int frame_ = 0;
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

void Report(const std::string& name, const TimedSounds& s, const std::vector<double>& ideal) {
    const Errors now = Measure(s.scheduled, ideal), old = Measure(s.framed, ideal);
    std::printf("%-34s %5zu/%-5zu %8.3f %8.3f   %8.3f %8.3f\n", name.c_str(), s.scheduled.size(),
                ideal.size(), now.max, now.sd, old.max, old.sd);
}

// The kit's pieces strike their own sounds (a row of the drum machine is its piece).
void NameSounds(DrumKit& kit) {
    for (uint32_t i = 0; i < kPieceCount; ++i) kit.pieces[i].soundName = RowSoundName(i);
}

// A hi-hat on every one of 16 steps.
void FillHats(Segment& segment, uint32_t tempo) {
    segment = Segment{};
    segment.steps = 16;
    segment.tempo = tempo;
    for (uint32_t step = 0; step < 16; ++step) Cell(segment, 8, step) = 1;
}

// Each case runs on the frames it is given and returns its ideal stroke times.
struct Case {
    std::string name;
    std::vector<double> ideal;
};

Case SegmentLoopCase(CaseRun& run, uint32_t tempo) {
    Segment segment;
    FillHats(segment, tempo);
    SegmentLoop loop;
    MachineOutput out;
    out.sounds = &run.Sounds();
    uint32_t delta = 0, now = 0;
    const uint32_t start = run.Start();
    for (now = start; now - start < kCaseMs;) {
        run.Next(delta, now);
        out.now = now;
        SegmentLoopTick(loop, segment, delta, false, out);
    }
    // Steps fire from the loop's start on; the pass is its integer number of milliseconds.
    Case c{"segment loop " + std::to_string(tempo) + " BPM", {}};
    const double stepLen = StepLengthMs(tempo);
    const double pass = double(uint32_t(stepLen * 16.0f));
    for (uint32_t i = 0;; ++i) {
        const double at = double(i / 16) * pass + double(i % 16) * stepLen;
        if (at >= 2.0 * kCaseMs) break;
        c.ideal.push_back(at);
    }
    return c;
}

Case PlayScreenCase(CaseRun& run, bool visualise, uint32_t speed) {
    Track track;
    Reset(track);
    track.speed = speed;
    track.entries->segment = new Segment;
    FillHats(*track.entries->segment, 120);
    track.entries->repeats = 50;
    DrumKit kit;
    NameSounds(kit);
    kit.sounds = &run.Sounds();
    kit.mode = MachineDriven;
    MachineOutput out;
    out.sounds = &run.Sounds();
    out.kit = visualise ? &kit : nullptr;
    SequencerInput input;
    input.visualise = visualise;
    input.loop = true;
    uint32_t now = 0;
    const uint32_t start = run.Start();
    for (now = start; now - start < kCaseMs;) {
        run.Next(input.frameDelta, now);
        out.now = now;
        SequencerTick(track, input, out);
    }
    Case c{std::string("play screen visualise ") + (visualise ? "on" : "off") + " speed " +
               std::to_string(speed),
           {}};
    const double stepLen = StepLengthMs(120) * 100.0 / double(speed);
    for (uint32_t i = 0; double(i) * stepLen < 2.0 * kCaseMs; ++i)
        c.ideal.push_back(double(i) * stepLen);
    return c;
}

Case MetronomeCase(CaseRun& run, int32_t tempo) {
    DrumKit kit;
    kit.sounds = &run.Sounds();
    kit.mode = FreePlay;
    kit.tempo = tempo;
    ResetClock(kit);
    uint32_t delta = 0, now = 0;
    const uint32_t start = run.Start();
    for (now = start; now - start < kCaseMs;) {
        KitInput in;
        run.Next(delta, now);
        in.frameDelta = int32_t(delta);
        in.now = now;
        in.metronome = 1;
        UpdateKit(kit, in);
    }
    Case c{"metronome " + std::to_string(tempo) + " BPM", {}};
    for (int32_t i = 0; i * (60000 / tempo) < 2 * int32_t(kCaseMs); ++i)
        c.ideal.push_back(double(i * (60000 / tempo)));
    return c;
}

Case RhythmCase(CaseRun& run, uint32_t level) {
    DrumKit kit;
    NameSounds(kit);
    kit.sounds = &run.Sounds();
    GenerateLevel(kit, level);
    kit.mode = RhythmMaster;
    kit.lives = 3;
    ResetClock(kit);
    // Every click and demonstrated stroke falls on the middle of its step's window.
    Case c{"rhythm game level " + std::to_string(level), {}};
    uint32_t k = 0;
    const uint32_t window = 2 * kit.slotLength;
    for (const PatternStep* s = kit.rhythmPattern; s; s = s->next, ++k) {
        const double middle = double(window * k + kit.slotLength);
        if (s->click == ClickLoud || s->click == ClickNormal) c.ideal.push_back(middle);
        if (s->phase != PhasePlayer && s->piece < kPieceCount) c.ideal.push_back(middle);
    }
    // The player plays nothing: the player's steps are missed, which costs lives, so the
    // demonstration is measured with lives to spare.
    uint32_t delta = 0, now = 0;
    for (int f = 0; !kit.levelDone && f < 100000; ++f) {
        kit.lives = 3;
        kit.gameOver = 0;
        KitInput in;
        run.Next(delta, now);
        in.frameDelta = int32_t(delta);
        in.now = now;
        UpdateKit(kit, in);
    }
    FreePattern(kit.rhythmPattern);
    return c;
}

// Runs every case on the runs make() gives, handing each case and its run to done(). The
// ideal times of the clock-driven cases are cut to the strokes asked for, so that a case is
// measured over the strokes its frames reached.
template <typename Make, typename Done> void EveryCase(Make make, Done done) {
    auto finish = [&](Case c, CaseRun& run) {
        c.ideal.resize(std::min(c.ideal.size(), run.Asked()));
        done(c, run);
    };
    for (uint32_t tempo : {120u, 400u}) {
        auto run = make();
        finish(SegmentLoopCase(*run, tempo), *run);
    }
    for (bool visualise : {true, false})
        for (uint32_t speed : {50u, 100u, 200u}) {
            auto run = make();
            finish(PlayScreenCase(*run, visualise, speed), *run);
        }
    for (int32_t tempo : {120, 400}) {
        auto run = make();
        finish(MetronomeCase(*run, tempo), *run);
    }
    for (uint32_t level : {25u, 100u, 150u, 200u}) {
        auto run = make();
        done(RhythmCase(*run, level), *run);
    }
}

// --- the SDL output on the disk driver ---

constexpr int16_t kLoud = 2000;
// A burst begins after at least this much quiet; the bursts themselves alternate sign at the
// stored rate, so quiet frames also occur inside them.
constexpr uint32_t kQuietFrames = 88; // 2 ms

// The first frame of every burst in frames [from, to) of the stream, in stream ms.
std::vector<double> BurstStarts(const std::string& stream, uint64_t from, uint64_t to) {
    std::ifstream in(stream, std::ios::binary);
    in.seekg(std::streamoff(from * 4));
    std::vector<double> starts;
    uint32_t quiet = kQuietFrames;
    uint8_t frame[4];
    for (uint64_t f = from; f < to && in.read(reinterpret_cast<char*>(frame), 4); ++f) {
        const auto left = int16_t(uint16_t(frame[0] | frame[1] << 8));
        if (std::abs(left) > kLoud) {
            if (quiet >= kQuietFrames) starts.push_back(double(f) * 1000.0 / platform::kMixRate);
            quiet = 0;
        } else {
            ++quiet;
        }
    }
    return starts;
}

// Strokes due at one moment sound as one burst.
std::vector<double> Distinct(std::vector<double> ideal) {
    std::sort(ideal.begin(), ideal.end());
    std::vector<double> out;
    for (double t : ideal)
        if (out.empty() || t - out.back() > 0.5) out.push_back(t);
    return out;
}

// For each moment of Distinct(), whether a stroke asked for at it came late.
std::vector<bool> LateStrokes(std::vector<PatternSounds::Asked> asked) {
    std::sort(asked.begin(), asked.end(), [](auto& a, auto& b) { return a.at < b.at; });
    std::vector<bool> late;
    double last = 0.0;
    for (size_t i = 0; i < asked.size(); ++i) {
        if (i == 0 || asked[i].at - last > 0.5)
            late.push_back(asked[i].late);
        else
            late.back() = late.back() || asked[i].late;
        last = asked[i].at;
    }
    return late;
}

// Errors of heard against ideal times from the median of their differences (the constant
// look-ahead and the stream's start drop out, and a late first stroke does not shift the
// rest), over the strokes not marked in skip (null: all).
Errors Measure(const std::vector<double>& heard, const std::vector<double>& ideal,
               const std::vector<bool>* skip) {
    std::vector<double> diff;
    for (size_t i = 0; i < heard.size() && i < ideal.size(); ++i)
        if (!skip || i >= skip->size() || !(*skip)[i]) diff.push_back(heard[i] - ideal[i]);
    Errors e;
    if (diff.empty()) return e;
    const double median = Percentile(diff, 0.5);
    double mean = 0.0;
    for (double d : diff) mean += (d - median) / double(diff.size());
    for (double d : diff) {
        e.max = std::fmax(e.max, std::fabs(d - median));
        e.sd += (d - median - mean) * (d - median - mean) / double(diff.size());
    }
    e.sd = std::sqrt(e.sd);
    return e;
}

uint64_t StreamFrames(const std::string& stream) {
    std::error_code e;
    const auto size = std::filesystem::file_size(stream, e);
    return e ? 0 : uint64_t(size) / 4;
}

// Notes when the driver's file grows: (host ns, frames written), every half millisecond.
class StreamWatch {
public:
    explicit StreamWatch(std::string stream)
        : stream_(std::move(stream)), thread_([this] { Watch(); }) {}
    ~StreamWatch() { Stop(); }
    void Stop() {
        stop_ = true;
        if (thread_.joinable()) thread_.join();
    }
    // The host time (ms) at which frame was written, from a line through the notes within a
    // quarter of a second of it.
    double TimeMsOf(double frame) {
        std::lock_guard<std::mutex> lock(mutex_);
        const double span = 0.25 * platform::kMixRate;
        double n = 0, sf = 0, st = 0, sff = 0, sft = 0;
        for (const Note& note : notes_) {
            const double f = double(note.frames) - frame;
            if (std::fabs(f) > span) continue;
            const double t = double(note.ns) / 1e6;
            n += 1, sf += f, st += t, sff += f * f, sft += f * t;
        }
        if (n < 2) return frame * 1000.0 / platform::kMixRate;
        // t = a + b x (frames - frame): the time at the frame itself is a.
        const double b = (n * sft - sf * st) / (n * sff - sf * sf);
        return (st - b * sf) / n;
    }

private:
    struct Note {
        uint64_t ns, frames;
    };
    void Watch() {
        uint64_t last = 0;
        while (!stop_) {
            const uint64_t frames = StreamFrames(stream_);
            if (frames != last) {
                std::lock_guard<std::mutex> lock(mutex_);
                notes_.push_back({SteadyNs(), frames});
                last = frames;
            }
            std::this_thread::sleep_for(std::chrono::microseconds(500));
        }
    }
    std::string stream_;
    std::mutex mutex_;
    std::vector<Note> notes_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

int SdlCases(uint32_t period) {
    namespace fs = std::filesystem;
    const fs::path folder = fs::temp_directory_path() / "tamborix-stroke-timing";
    fs::remove_all(folder);
    fs::create_directories(folder / "soundfx");
    const std::string stream = (folder / "stream.raw").string();
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", stream.c_str(), 1);
    // Unbuffered, the file's length tells how far the driver has written, to the period.
    SetUnbufferedPath(stream);
    // Every sound a case strikes is the same 10 ms burst.
    const std::vector<uint8_t> file = BurstSoundFile();
    for (const char* name : {"snare", "tom_hi", "tom_mid", "tom_low", "bass", "ride", "crash",
                             "hihat_open", "hihat_close", "metronome", "metronomeLoud"})
        std::ofstream(folder / "soundfx" / (std::string(name) + ".wavc"), std::ios::binary)
            .write(reinterpret_cast<const char*>(file.data()), std::streamsize(file.size()));
    platform::SetRegistryPath((folder / "registry.reg").string());
    const std::string base = folder.string();
    SetAppPath(VGString(std::u16string(base.begin(), base.end()).c_str()));

    platform::SetAudioOutput(platform::CreateSdlAudioOutput(period));
    if (!platform::Audio().PeriodFrames()) {
        std::fprintf(stderr, "no SDL audio device opened\n");
        return 1;
    }
    TheSoundManager.Start();
    TheSoundManager.SetMasterVolume(10, false);
    std::printf("\nSDL output, disk driver, %u-frame period: bursts' first samples in the "
                "stream, in the driver's time\n(errors from the median offset; \"late\": "
                "strokes whose frame came after their moment, then the errors of the others)\n"
                "%-34s %11s %8s %8s %6s %8s %8s %8s\n",
                platform::Audio().PeriodFrames(), "case", "heard/due", "max ms", "sd ms", "late",
                "max ms", "sd ms", "rate %");
    // The driver paces itself by sleeping after each period, so its stream does not run at
    // 44.1 kHz of the host's clock: its rate is off by several per cent and wanders with the
    // machine's load. A position in the stream is turned into the driver's own time by the
    // times its periods were written: a watcher notes when the file grows, and a line fitted
    // through a quarter of a second of those notes on either side gives the frame's time, as
    // a device's steady clock would.
    StreamWatch watch(stream);
    bool allHeard = true;
    uint64_t from = 0, caseNs = 0, caseFrames = 0;
    EveryCase(
        [&] {
            caseNs = SteadyNs();
            caseFrames = StreamFrames(stream);
            return std::make_unique<RealRun>();
        },
        [&](const Case& c, CaseRun& run) {
            const double perMs =
                double(StreamFrames(stream) - caseFrames) / (double(SteadyNs() - caseNs) / 1e6);
            // Everything of the case has reached the file after a rest; the next case begins
            // behind it.
            std::this_thread::sleep_for(std::chrono::milliseconds(400));
            const uint64_t to = StreamFrames(stream);
            std::vector<double> heard = BurstStarts(stream, from, to);
            for (double& ms : heard) ms = watch.TimeMsOf(ms * platform::kMixRate / 1000.0);
            from = to;
            const std::vector<double> due = Distinct(c.ideal);
            const std::vector<bool> late = LateStrokes(static_cast<RealRun&>(run).AskedStrokes());
            allHeard = allHeard && heard.size() == due.size();
            const Errors all = Measure(heard, due, nullptr), onTime = Measure(heard, due, &late);
            size_t lateCount = 0;
            for (bool l : late) lateCount += l;
            std::printf("%-34s %5zu/%-5zu %8.3f %8.3f %6zu %8.3f %8.3f %8.1f\n", c.name.c_str(),
                        heard.size(), due.size(), all.max, all.sd, lateCount, onTime.max, onTime.sd,
                        100.0 * perMs * 1000.0 / platform::kMixRate);
            std::fflush(stdout);
        });
    watch.Stop();
    platform::SetAudioOutput(platform::CreateNullAudioOutput());
    fs::remove_all(folder);
    return allHeard ? 0 : 2;
}

} // namespace

int main(int argc, char** argv) {
    std::printf("%-34s %11s %8s %8s   %8s %8s\n", "case", "heard/due", "max ms", "sd ms", "framed",
                "sd ms");
    EveryCase([] { return std::make_unique<VirtualRun>(); },
              [](const Case& c, CaseRun& run) {
                  Report(c.name, static_cast<VirtualRun&>(run).sounds, c.ideal);
              });
    if (argc > 1 && std::strcmp(argv[1], "--sdl") == 0) {
        const uint32_t period =
            argc > 2 ? uint32_t(std::atoi(argv[2])) : platform::kDefaultPeriodFrames;
        return SdlCases(period);
    }
    return 0;
}
