// Figures of the windowed program on the kit screen. The whole program runs in this process
// (splash, menus, kit screen) on the SDL backend; a driver thread beside it goes into free
// play with the keyboard, as a user would, by pushing events into SDL's queue.
//
//     kit_measure latency [taps]     (default 200)
// From the stylus-down event entering the program's event queue to the first sample of the
// piece's sound leaving SDL's audio driver. Off-screen video; the disk audio driver writes
// into a FIFO whose stdio stream is made unbuffered, and a reader thread stamps the first
// loud sample. The snare of a copy of the baked data is replaced by a 10 ms burst so its
// first sample is unmistakable, and the metronome is off so nothing else sounds.
//
// KIT_MEASURE_PERIOD=N asks SDL for N frames per period (as --audio-period does).
//
//     kit_measure idle [seconds]     (default 60; run it under xvfb-run)
// The process's CPU time (all threads but the FIFO's reader) while the kit screen stands
// idle with the metronome ticking, on the display SDL finds, as a share of one core.
#include "game/GameApp.h"
#include "platform/RegistryStore.h"
#include "platform/audio/AudioOutput.h"
#include "platform/video/SdlBackend.h"
#include "tests/bench/DiskAudioCapture.h"
#include "varnokengine/VGAppPath.h"
#include "varnokengine/VGGame.h"
#include "varnokengine/VGWindows.h"

#include <SDL.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <thread>
#include <vector>

namespace {

namespace fs = std::filesystem;

LoudSampleWatch watch;

void PushButton(bool down, int32_t x, int32_t y) {
    SDL_Event event;
    SDL_zero(event);
    event.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    event.button.button = SDL_BUTTON_LEFT;
    event.button.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.button.clicks = 1;
    event.button.x = x;
    event.button.y = y;
    SDL_PushEvent(&event);
}

void PushReturn() {
    for (int down = 1; down >= 0; --down) {
        SDL_Event event;
        SDL_zero(event);
        event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
        event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
        event.key.keysym.sym = SDLK_RETURN;
        event.key.keysym.scancode = SDL_SCANCODE_RETURN;
        SDL_PushEvent(&event);
        std::this_thread::sleep_for(std::chrono::milliseconds(60));
    }
}

void PushQuit() {
    SDL_Event event;
    SDL_zero(event);
    event.type = SDL_QUIT;
    SDL_PushEvent(&event);
}

// A copy of the program's data folder (links), with the snare replaced by a burst.
bool PrepareData(const fs::path& from, const fs::path& to) {
    std::error_code error;
    fs::create_directories(to / "soundfx", error);
    for (const auto& entry : fs::directory_iterator(from, error)) {
        if (entry.path().filename() == "soundfx") continue;
        fs::create_symlink(entry.path(), to / entry.path().filename(), error);
    }
    for (const auto& entry : fs::directory_iterator(from / "soundfx", error))
        fs::create_symlink(entry.path(), to / "soundfx" / entry.path().filename(), error);
    fs::remove(to / "soundfx" / "snare.wavc", error);
    const std::vector<uint8_t> file = BurstSoundFile();
    std::ofstream(to / "soundfx" / "snare.wavc", std::ios::binary)
        .write(reinterpret_cast<const char*>(file.data()), std::streamsize(file.size()));
    return fs::exists(to / "imgs" / "drums.img");
}

std::vector<double> results;
int wanted = 200;
bool failed = false;
bool idleMode = false;
// Idle runs hear the program through the FIFO only when asked (KIT_MEASURE_DISK); otherwise
// SDL opens whatever audio the machine has, as the program does when run by a user.
bool useDisk = true;
int idleSeconds = 60;
double idleShare = -1;

double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

void Idle() {
    std::this_thread::sleep_for(std::chrono::seconds(2)); // the kit is loaded and drawn
    double cpu = CpuSeconds();
    uint64_t reader = watch.readerCpuNs.load();
    uint64_t start = SteadyNs();
    std::this_thread::sleep_for(std::chrono::seconds(idleSeconds));
    double used = CpuSeconds() - cpu - double(watch.readerCpuNs.load() - reader) / 1e9;
    idleShare = used / (double(SteadyNs() - start) / 1e9);
    // Proof that the time was spent on the kit screen: only its update moves the kit's clock.
    if (!TheGameApp() || TheGameApp()->kit.clock < idleSeconds * 900) idleShare = -1;
    PushQuit();
}

// One tap on the snare: the milliseconds until it was heard, or a negative value.
double TapOnce(int32_t x, int32_t y) {
    watch.armed = true;
    uint64_t pushed = SteadyNs();
    PushButton(true, x, y);
    while (watch.armed && SteadyNs() < pushed + 500000000ull)
        std::this_thread::sleep_for(std::chrono::microseconds(50));
    bool heard = !watch.armed;
    watch.armed = false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    PushButton(false, x, y);
    return heard ? double(watch.arrivalNs.load() - pushed) / 1e6 : -1.0;
}

// The action key once; true when its click was heard (a menu item was activated).
bool ReturnHeard() {
    watch.armed = true;
    uint64_t pushed = SteadyNs();
    PushReturn();
    while (watch.armed && SteadyNs() < pushed + 500000000ull)
        std::this_thread::sleep_for(std::chrono::microseconds(50));
    bool heard = !watch.armed;
    watch.armed = false;
    return heard;
}

// Runs beside the program: into free play by the keyboard (main menu, then game selection:
// two clicks heard, however long loading takes), then taps on the snare at random
// moments, each once the previous one has been heard.
void Drive() {
    // The splash and its jingle are over before the first key.
    std::this_thread::sleep_for(std::chrono::seconds(9));
    int clicks = 0;
    for (int attempt = 0; attempt < 40 && clicks < 2; ++attempt) {
        std::this_thread::sleep_for(std::chrono::seconds(1));
        if (!useDisk) {
            // Nothing to hear: the splash is over, so one key per screen, then check at the end.
            PushReturn();
            ++clicks;
            continue;
        }
        if (ReturnHeard()) ++clicks;
    }
    if (clicks < 2) {
        std::fprintf(stderr, "never reached the kit\n");
        failed = true;
        return PushQuit();
    }
    std::this_thread::sleep_for(std::chrono::seconds(1)); // the kit loads
    // The snare's landing point on the 480 x 640 screen, where the window shows it (the
    // window may start smaller than the screen when the desktop is small).
    int ww = 480, wh = 640;
    if (SDL_Window* window = SDL_GetWindowFromID(1)) SDL_GetWindowSize(window, &ww, &wh);
    const int32_t x = (240 - 107) * ww / 480, y = (320 - 25) * wh / 640;
    if (idleMode) return Idle();
    std::mt19937 random(1);
    for (int i = 0; i < wanted; ++i) {
        std::this_thread::sleep_for(std::chrono::microseconds(60000 + random() % 40000));
        double ms = TapOnce(x, y);
        if (ms < 0) {
            std::fprintf(stderr, "tap %d: not heard within 500 ms\n", i);
            failed = true;
            break;
        }
        results.push_back(ms);
    }
    PushQuit();
}

} // namespace

int main(int argc, char** argv) {
    idleMode = argc > 1 && std::strcmp(argv[1], "idle") == 0;
    if (!idleMode && (argc < 2 || std::strcmp(argv[1], "latency") != 0)) {
        std::fprintf(stderr, "usage: kit_measure latency [taps] | idle [seconds]\n");
        return 2;
    }
    if (argc > 2) {
        wanted = std::max(10, std::atoi(argv[2]));
        idleSeconds = std::max(5, std::atoi(argv[2]));
    }
    const fs::path folder = fs::temp_directory_path() / "tamborix-kit-latency";
    fs::remove_all(folder);
    if (!PrepareData(TBX_GAME_DIR, folder / "game")) {
        std::fprintf(stderr, "no baked data in %s\n", TBX_GAME_DIR);
        return 1;
    }
    const std::string fifoPath = (folder / "disk.fifo").string();
    SetUnbufferedPath(fifoPath);
    if (mkfifo(fifoPath.c_str(), 0600) != 0) {
        std::perror("mkfifo");
        return 1;
    }
    // Idle runs use the display SDL finds (Xvfb); both hear the program through the FIFO.
    if (!idleMode) setenv("SDL_VIDEODRIVER", "offscreen", 1);
    useDisk = !idleMode || std::getenv("KIT_MEASURE_DISK");
    if (useDisk) {
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", fifoPath.c_str(), 1);
    }
    {
        // The language is chosen; the metronome ticks only while idling.
        std::ofstream reg(folder / "registry.reg");
        reg << "Windows Registry Editor Version 5.00\n\n"
               "[HKEY_LOCAL_MACHINE\\Software\\VarnokGames\\Tamborix\\Options]\n"
               "\"Language\"=hex:00,00,00,00\n\"Metronome\"=hex:0"
            << (idleMode && !std::getenv("KIT_MEASURE_QUIET") ? 1 : 0) << ",00,00,00\n";
    }
    platform::SetRegistryPath((folder / "registry.reg").string());
    std::string data = (folder / "game").string();
    SetAppPath(VGString(std::u16string(data.begin(), data.end()).c_str()));

    std::thread reader;
    if (useDisk) reader = std::thread(ReadFifo, fifoPath, std::ref(watch));
    std::string error;
    platform::SdlOptions options;
    if (const char* shot = std::getenv("KIT_MEASURE_SHOT")) options.windowShotPath = shot;
    auto backend = platform::CreateSdlBackend(options, error);
    if (!backend) {
        std::fprintf(stderr, "no window: %s\n", error.c_str());
        std::_Exit(1); // the reader still waits on the FIFO
    }
    platform::InstallBackend(std::move(backend));
    // KIT_MEASURE_PERIOD asks the device for another period, as --audio-period does.
    const char* periodText = std::getenv("KIT_MEASURE_PERIOD");
    const uint32_t wantedPeriod =
        periodText ? uint32_t(std::atoi(periodText)) : platform::kDefaultPeriodFrames;
    platform::SetAudioOutput(platform::CreateSdlAudioOutput(wantedPeriod));
    uint32_t period = platform::Audio().PeriodFrames();
    if (!period && useDisk) {
        std::fprintf(stderr, "no SDL audio device opened\n");
        std::_Exit(1);
    }
    SetApplicationFactory(CreateGameApp);
    std::thread driver(Drive);
    int run = VGMain();
    std::fprintf(stderr, "program ended with %d\n", run);
    driver.join();
    platform::SetAudioOutput(platform::CreateNullAudioOutput()); // closes the FIFO
    platform::UninstallBackend();
    if (reader.joinable()) reader.join();
    fs::remove_all(folder);
    if (idleMode) {
        if (idleShare < 0) {
            std::fprintf(stderr, "the kit screen was not running the whole time\n");
            return 1;
        }
        std::printf("idle on the kit screen for %d s, audio %s: %.2f %% of one core\n", idleSeconds,
                    useDisk ? "through the disk driver" : "as SDL found it", idleShare * 100.0);
        return 0;
    }
    if (failed || results.empty()) return 1;
    std::printf("audio period: %u frames = %.2f ms at %u Hz\n", period,
                1000.0 * period / platform::kMixRate, platform::kMixRate);
    std::printf("stylus down to first sample out, %zu taps (p50 / p95 / max, ms): "
                "%.2f / %.2f / %.2f\n",
                results.size(), Percentile(results, 0.5), Percentile(results, 0.95),
                Percentile(results, 1.0));
    return 0;
}
