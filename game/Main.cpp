// Program entry: reads the command line, chooses the windowed or the headless backend and
// its audio output, and runs the engine with the program's application object.
#include "game/GameApp.h"
#include "game/Version.h"
#include "game/machine/FileCommands.h"
#include "platform/Clock.h"
#include "platform/Files.h"
#include "platform/RegistryStore.h"
#include "platform/Text.h"
#include "platform/audio/AudioOutput.h"
#include "platform/video/HeadlessBackend.h"
#include "platform/video/SdlBackend.h"
#include "varnokengine/VGAppPath.h"
#include "varnokengine/VGOptionNames.h"
#include "varnokengine/VGRegistry.h"
#include "varnokengine/VGUserPath.h"
#include "varnokengine/VGWindows.h"

#include <cstring>
#include <iostream>
#include <string>

namespace {

constexpr int kMaxSide = 2048;

struct Options {
    bool headless = false;
    std::string script;
    int width = 480;
    int height = 640;
    std::string registry;
    std::string data;
    std::string userDir;
    std::string shots = ".";
    std::string audioLog;
    std::string audioWav;
    std::string windowShot;
    bool reportPresents = false;
    uint32_t audioPeriod = 0; // 0: the "AudioPeriod" option, else the default
    FileCommand fileCommand;  // an export or import to run instead of the game
};

void PrintHelp() {
    std::cout << "Usage: tamborix [options]\n"
                 "  --help              show this text\n"
                 "  --version           show the version\n"
                 "  --size WxH          screen size in portrait pixels (default 480x640)\n"
                 "  --registry FILE     keep settings in FILE instead of the per-user file\n"
                 "  --data DIR          read the game's data from DIR (default: the installed\n"
                 "                      data, ../share/tamborix, else beside the program)\n"
                 "  --user-dir DIR      keep the player's files in DIR (default\n"
                 "                      $TAMBORIX_USER_DIR, else $XDG_DATA_HOME/tamborix)\n"
                 "  --headless          run without a window, on a virtual clock\n"
                 "  --script FILE       headless input script (see README, \"Headless runs\")\n"
                 "  --shots DIR         folder for the script's shot images (default .)\n"
                 "  --audio-log FILE    headless: log every sound buffer started\n"
                 "  --audio-wav FILE    headless: write everything heard as a WAV file\n"
                 "  --window-shot FILE  windowed: save the window's last picture as PNG\n"
                 "  --audio-period N    windowed: ask the sound device for N frames per period\n"
                 "                      (64 to 1024, default 256; also the option AudioPeriod)\n"
                 "  --present-stats     windowed: at exit, tell how many frames were shown\n"
                 "Keys, the drum keys and the game controller's buttons: see the README,\n"
                 "section \"Keys\" (on the kit, hold H or ? to see each piece's key).\n"
              << FileCommandHelp();
}

bool ParseSize(const char* text, int& width, int& height) {
    char* end = nullptr;
    long w = std::strtol(text, &end, 10);
    if (end == text || (*end != 'x' && *end != 'X')) return false;
    const char* rest = end + 1;
    long h = std::strtol(rest, &end, 10);
    if (end == rest || *end != '\0') return false;
    if (w < 16 || h < 16 || w > kMaxSide || h > kMaxSide) return false;
    width = int(w), height = int(h);
    return true;
}

bool IsPeriodAllowed(long frames) {
    return frames >= long(platform::kMinPeriodFrames) && frames <= long(platform::kMaxPeriodFrames);
}

bool ParsePeriod(const char* text, uint32_t& frames) {
    char* end = nullptr;
    long n = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || !IsPeriodAllowed(n)) return false;
    frames = uint32_t(n);
    return true;
}

// The period asked of the sound device: the command line's, else the stored option's when it
// lies in range, else the default.
uint32_t AudioPeriod(const Options& o) {
    if (o.audioPeriod) return o.audioPeriod;
    uint32_t stored = ReadOption(kOptionAudioPeriod, platform::kDefaultPeriodFrames);
    return IsPeriodAllowed(long(stored)) ? stored : platform::kDefaultPeriodFrames;
}

// 0 to run, otherwise the exit code (1 for a bad command line, -1 for help or version).
int ParseOptions(int argc, char** argv, Options& o) {
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        auto value = [&](std::string& target) {
            if (i + 1 >= argc) return false;
            target = argv[++i];
            return true;
        };
        if (TakeFileCommandOption(argc, argv, i, o.fileCommand)) continue;
        bool ok = true;
        if (arg == "--help") {
            PrintHelp();
            return -1;
        } else if (arg == "--version") {
            std::cout << kProgramName << " " << kProgramVersion << "\n";
            return -1;
        } else if (arg == "--headless") {
            o.headless = true;
        } else if (arg == "--size") {
            ok = i + 1 < argc && ParseSize(argv[++i], o.width, o.height);
        } else if (arg == "--script") {
            ok = value(o.script);
        } else if (arg == "--registry") {
            ok = value(o.registry);
        } else if (arg == "--data") {
            ok = value(o.data);
        } else if (arg == "--user-dir") {
            ok = value(o.userDir);
        } else if (arg == "--shots") {
            ok = value(o.shots);
        } else if (arg == "--audio-log") {
            ok = value(o.audioLog);
        } else if (arg == "--audio-wav") {
            ok = value(o.audioWav);
        } else if (arg == "--present-stats") {
            o.reportPresents = true;
        } else if (arg == "--window-shot") {
            ok = value(o.windowShot);
        } else if (arg == "--audio-period") {
            std::string text;
            ok = value(text) && ParsePeriod(text.c_str(), o.audioPeriod);
        } else {
            std::cerr << "tamborix: unknown option " << arg << "; --help lists the options\n";
            return 1;
        }
        if (!ok) {
            if (arg == "--size")
                std::cerr << "tamborix: --size needs WxH, each side from 16 to " << kMaxSide
                          << "\n";
            else if (arg == "--audio-period")
                std::cerr << "tamborix: --audio-period needs a number of frames from 64 to 1024\n";
            else
                std::cerr << "tamborix: " << arg << " needs a value; --help lists the options\n";
            return 1;
        }
    }
    return 0;
}

// A headless run's backend goes on virtualClock, which must outlive the engine's run.
std::unique_ptr<platform::Backend> ChooseBackend(const Options& o,
                                                 platform::VirtualClock& virtualClock) {
    std::string error;
    if (o.headless) {
        platform::HeadlessOptions options;
        options.width = o.width;
        options.height = o.height;
        options.shotsDir = o.shots;
        platform::MakeFolder(platform::FromUtf8(o.shots));
        auto backend = platform::HeadlessBackend::Create(options, o.script, error, &virtualClock);
        if (!backend) {
            std::cerr << "tamborix: " << error;
            if (!error.empty() && error.back() != '\n') std::cerr << "\n";
            return nullptr;
        }
        platform::SetAudioOutput(
            platform::CreateHeadlessAudioOutput(platform::CurrentClock(), o.audioLog, o.audioWav));
        return backend;
    }
    platform::SdlOptions options;
    options.width = o.width;
    options.height = o.height;
    options.windowShotPath = o.windowShot;
    options.reportPresents = o.reportPresents;
    auto backend = platform::CreateSdlBackend(options, error);
    if (!backend) {
        std::cerr << "tamborix: no display is available (" << error
                  << ").\nRun without a window with: tamborix --headless --script FILE\n";
        return nullptr;
    }
    platform::SetAudioOutput(platform::CreateSdlAudioOutput(AudioPeriod(o)));
    return backend;
}

} // namespace

int main(int argc, char** argv) {
    Options options;
    int parsed = ParseOptions(argc, argv, options);
    if (parsed != 0) return parsed < 0 ? 0 : parsed;
    if (!options.registry.empty()) platform::SetRegistryPath(options.registry);
    if (!options.data.empty()) SetAppPath(VGString(platform::FromUtf8(options.data).c_str()));
    if (!options.userDir.empty())
        SetUserPath(VGString(platform::FromUtf8(options.userDir).c_str()));
    if (FileCommandGiven(options.fileCommand)) return RunFileCommand(options.fileCommand);

    platform::VirtualClock virtualClock(0);
    auto backend = ChooseBackend(options, virtualClock);
    if (!backend) return 1;
    platform::InstallBackend(std::move(backend));
    SetApplicationFactory(CreateGameApp);
    int result = VGMain();
    // The engine has stopped: nothing plays any more, so the output can go before its clock.
    platform::SetAudioOutput(nullptr);
    platform::UninstallBackend();
    return result;
}
