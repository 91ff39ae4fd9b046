#include "tests/shell/ShellHarness.h"

#include "platform/RegistryStore.h"
#include "tests/sound/SoundTestFiles.h"
#include "varnokengine/VGAppPath.h"
#include "varnokengine/VGApplication.h"
#include "varnokengine/VGClock.h"
#include "varnokengine/VGDeviceScreen.h"
#include "varnokengine/VGEngine.h"
#include "varnokengine/VGUserPath.h"
#include "varnokengine/VGWindows.h"

#include <filesystem>

ProbeGame* Probe = nullptr;

VGScreen* ProbeScreen::Update() {
    FrameSeen seen;
    seen.now = Now;
    seen.delta = FrameDelta;
    for (int32_t k = 0; k < kKeyCount; ++k) {
        if (game_.IsPressed(k)) seen.pressed |= 1u << k;
        if (game_.IsReleased(k)) seen.released |= 1u << k;
        if (game_.IsRepeated(k)) seen.repeated |= 1u << k;
    }
    seen.stylusX = game_.stylusX;
    seen.stylusY = game_.stylusY;
    game_.frames.push_back(seen);
    if (game_.onUpdate) game_.onUpdate(game_);
    return nullptr;
}

void ProbeScreen::OnChar(char16_t c) {
    game_.chars.push_back(c);
}
bool ProbeScreen::WantsMusic() {
    return game_.wantsMusic;
}
void ProbeScreen::OnExit() {
    ++game_.exits;
}

namespace {
VGGame* MakeProbe() {
    Probe = new ProbeGame;
    return Probe;
}
} // namespace

ShellHarness::ShellHarness(int32_t width, int32_t height, bool steppedClock,
                           uint32_t endAfterScriptMs, uint32_t pixelFormat) {
    platform::SetCurrentClock(nullptr);
    platform::SetRegistryPath((folder.Path() / "registry.reg").string());
    // The application object's default music source plays the program's "silence".
    WriteSoundFile(folder, "music", "silence", ToneImage(1, 22050, 16, 22050, 0));
    SetAppPath(VGString(folder.Wide().c_str()));
    SetUserPath(VGString(folder.Wide().c_str()));
    platform::HeadlessOptions options;
    options.width = width;
    options.height = height;
    options.shotsDir = folder.Path().string();
    options.advanceClockOnPresent = steppedClock;
    options.endAfterScriptMs = endAfterScriptMs;
    options.pixelFormat = pixelFormat;
    auto owned = std::make_unique<platform::HeadlessBackend>(options, &clock);
    backend = owned.get();
    platform::InstallBackend(std::move(owned));
    StartEngine();
    SetApplicationFactory(MakeProbe);
    Probe = nullptr;
}

ShellHarness::~ShellHarness() {
    StopEngine();
    Probe = nullptr;
    platform::UninstallBackend();
    platform::SetRegistryPath(std::string());
}

ProbeGame& ShellHarness::Start() {
    TheDisplay.Open();
    TheDisplay.SetUp();
    // The application layers on their own, without the splash and its data files.
    Probe = new ProbeGame;
    AdoptApplication(Probe);
    Probe->Init();
    Probe->Resume();
    StartingUp = 0;
    return *Probe;
}

void ShellHarness::Send(uint32_t message, uint32_t wParam, uint32_t lParam) {
    WindowProc(message, wParam, lParam);
}

std::string ShellHarness::ReadFile(const std::string& name) const {
    return folder.ReadFile(name);
}

bool ShellHarness::Exists(const std::string& name) const {
    return std::filesystem::exists(folder.Path() / name);
}
