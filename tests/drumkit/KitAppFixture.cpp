#include "tests/drumkit/KitAppFixture.h"

#include "tests/support/BakedData.h"
#include "tests/support/HeadlessApp.h"
#include "varnokengine/VGScreen.h"

namespace fs = std::filesystem;

void KitAppFixture::StartApp() {
    const fs::path game = TBX_GAME_DIR;
    TBX_REQUIRE_BAKED(game / "imgs" / "drums.img");
    HeadlessAppSetup setup;
    setup.dataFolder = game;
    setup.userFolder = temp.Path() / "user";
    setup.registry = temp.Path() / "registry.reg";
    setup.display.shotsDir = temp.Path().string();
    StartHeadlessApp(setup, clock);
    started = true;
    recorder = std::make_unique<RecordingSounds>(kit());
    kit().sounds = recorder.get();
}

void KitAppFixture::TearDown() {
    if (!started) return;
    kit().sounds = &DefaultKitSounds();
    StopHeadlessApp();
}

void KitAppFixture::Run(uint32_t ms) {
    RunFrames(clock, ms);
}
void KitAppFixture::Key(uint32_t code) {
    PressKey(code);
}
void KitAppFixture::Down(int32_t x, int32_t y) {
    StylusDown(x, y);
}
void KitAppFixture::Up(int32_t x, int32_t y) {
    StylusUp(x, y);
}

void KitAppFixture::SwitchTo(VGScreen* screen) {
    VGScreen* old = TheGameApp()->currentScreen;
    old->Leave();
    delete old;
    TheGameApp()->currentScreen = nullptr;
    TheGameApp()->SetFirstScreen(screen);
}
