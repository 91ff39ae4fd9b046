// One frame of the drum kit on the large portrait screen with every graphics detail on and
// all nine pieces animating: the kit's update and its drawing (background, animations,
// sticks with trails), and the whole kit screen's update and draw (the kit, its buttons and
// the tempo window) inside the application object on the headless display. Uses the baked
// data of this build.
#include "game/GameApp.h"
#include "game/drumkit/DrumKit.h"
#include "game/drumkit/GameRules.h"
#include "game/drumkit/KitScreen.h"
#include "platform/Clock.h"
#include "tests/support/HeadlessApp.h"
#include "varnokengine/VGAppPath.h"
#include "varnokengine/VGBitmap.h"
#include "varnokengine/VGClock.h"
#include "varnokengine/VGDeviceScreen.h"
#include "varnokengine/VGTextBlock.h"
#include "varnokengine/VGWindows.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>

namespace {

constexpr int16_t kW = 480, kH = 640;
constexpr uint32_t kAllDetails = 0xFFFFFFFF;
constexpr int32_t kFrameMs = 16;

// Silent: the benchmark measures the kit, not the mixer.
class NoSounds : public KitSounds {
public:
    void Restart(const VGString&, int32_t, float, SoundStart) override {}
    void Play(const VGString&, int32_t, SoundStart) override {}
};

// state.range(0): 1 = every piece animating (struck every ten frames), 0 = nothing struck.
void BM_KitFrame(benchmark::State& state) {
    const std::filesystem::path game = TBX_GAME_DIR;
    if (!std::filesystem::exists(game / "imgs" / "drums.img")) {
        state.SkipWithError("kit not baked: build bake_data first");
        return;
    }
    std::u16string folder;
    for (char c : game.string()) folder += char16_t(c);
    SetAppPath(VGString(folder.c_str()));
    VGBitmap screen;
    screen.Create(kW, kH, 0, 0);
    SetRenderTarget(&screen);
    DrumKit kit;
    NoSounds sounds;
    kit.sounds = &sounds;
    LoadKit(kit, 2, nullptr);
    KitInput input;
    input.frameDelta = kFrameMs;
    input.screenWidth = kW;
    input.screenHeight = kH;
    input.metronome = 1;
    DrawKit(kit, kAllDetails, 2); // builds the background once, as the first frame does
    int32_t frame = 0;
    for (auto _ : state) {
        // Every piece struck again every ten frames: the sticks (200 ms) never rest and
        // every animation is running.
        if (state.range(0) && frame++ % 10 == 0)
            for (uint32_t i = 0; i < kPieceCount; ++i) Strike(kit, i);
        UpdateKit(kit, input);
        DrawKit(kit, kAllDetails, 2);
        benchmark::ClobberMemory();
    }
    SetRenderTarget(nullptr);
}
BENCHMARK(BM_KitFrame)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

void BM_KitScreenFrame(benchmark::State& state) {
    const std::filesystem::path game = TBX_GAME_DIR;
    if (!std::filesystem::exists(game / "imgs" / "drums.img")) {
        state.SkipWithError("kit not baked: build bake_data first");
        return;
    }
    const std::filesystem::path registry =
        std::filesystem::temp_directory_path() / "tamborix-kit-bench.reg";
    std::filesystem::remove(registry);
    platform::VirtualClock clock{1000};
    HeadlessAppSetup setup;
    setup.dataFolder = game;
    setup.registry = registry;
    setup.userFolder = std::filesystem::temp_directory_path() / "tamborix-kit-bench-user";
    setup.chooseLanguage = false;
    setup.resume = false;
    GameApp* app = StartHeadlessApp(setup, clock);
    GraphicsQuality = kAllDetails;
    NoSounds sounds;
    app->kit.sounds = &sounds;
    StartGame(app->kit, FreePlay);
    KitScreen* screen = new KitScreen;
    screen->Enter();
    FrameDelta = kFrameMs;
    int32_t frame = 0;
    for (auto _ : state) {
        if (state.range(0) && frame++ % 10 == 0)
            for (uint32_t i = 0; i < kPieceCount; ++i) Strike(app->kit, i);
        screen->Update();
        screen->Draw();
        benchmark::ClobberMemory();
    }
    screen->Leave();
    delete screen;
    app->kit.sounds = &DefaultKitSounds();
    StopHeadlessApp();
    std::filesystem::remove(registry);
}
BENCHMARK(BM_KitScreenFrame)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

} // namespace
