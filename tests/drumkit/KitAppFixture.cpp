#include "tests/drumkit/KitAppFixture.h"

#include "platform/RegistryStore.h"
#include "platform/audio/AudioOutput.h"
#include "platform/video/HeadlessBackend.h"
#include "varnokengine/VGAppPath.h"
#include "varnokengine/VGDeviceScreen.h"
#include "varnokengine/VGError.h"
#include "varnokengine/VGRegistry.h"
#include "varnokengine/VGScreen.h"
#include "varnokengine/VGWindows.h"

namespace fs = std::filesystem;

void KitAppFixture::StartApp(bool ownFolder) {
    const fs::path game = TBX_GAME_DIR;
    if (!fs::exists(game / "imgs" / "drums.img")) GTEST_SKIP() << "not baked";
    fs::path program = game;
    if (ownFolder) {
        program = temp.Path() / "data";
        fs::create_directories(program);
        for (const char* sub : {"imgs", "language", "soundfx", "music", "level"})
            fs::create_directory_symlink(game / sub, program / sub);
    }
    ResetShellState();
    ClearErrors();
    platform::SetRegistryPath((temp.Path() / "registry.reg").string());
    WriteOption(u"Language", 0);
    std::u16string folder;
    for (char c : program.string()) folder += char16_t(c);
    SetAppPath(VGString(folder.c_str()));
    platform::HeadlessOptions options;
    options.shotsDir = temp.Path().string();
    platform::InstallBackend(std::make_unique<platform::HeadlessBackend>(options, &clock));
    TheDisplay.Open();
    TheDisplay.SetUp();
    GameApp* app = static_cast<GameApp*>(CreateGameApp());
    TheApp = TheGame = app;
    app->Init();
    app->Resume();
    StartingUp = 0;
    started = true;
    recorder = std::make_unique<RecordingSounds>(kit());
    kit().sounds = recorder.get();
}

void KitAppFixture::TearDown() {
    if (!started) return;
    kit().sounds = &DefaultKitSounds();
    // The static sound manager still uses its output while it is destroyed at exit, after
    // the host clock's static object; give it an output on a clock that is never freed.
    static auto* exitClock = new platform::VirtualClock(0);
    platform::SetAudioOutput(platform::CreateHeadlessAudioOutput(*exitClock, "", ""));
    TheGameApp->Shutdown();
    delete TheApp;
    TheApp = nullptr;
    TheGame = nullptr;
    TheGameApp = nullptr;
    TheDisplay.Close();
    TheDisplay = VGDeviceScreen();
    platform::UninstallBackend();
    platform::SetRegistryPath(std::string());
    ResetShellState();
    ClearErrors();
}

void KitAppFixture::Run(uint32_t ms) {
    uint32_t start = clock.TickCount();
    do FrameTick();
    while (int32_t(clock.TickCount() - start) < int32_t(ms));
}

void KitAppFixture::Key(uint32_t code) {
    WindowProc(kMsgKeyDown, code, 0);
    FrameTick();
    WindowProc(kMsgKeyUp, code, kAlreadyDownBit);
    FrameTick();
}

void KitAppFixture::Down(int32_t x, int32_t y) {
    WindowProc(kMsgButtonDown, 1, PackStylus(int16_t(x), int16_t(y)));
    FrameTick();
}

void KitAppFixture::Up(int32_t x, int32_t y) {
    WindowProc(kMsgButtonUp, 0, PackStylus(int16_t(x), int16_t(y)));
    FrameTick();
}

void KitAppFixture::SwitchTo(VGScreen* screen) {
    VGScreen* old = TheGameApp->currentScreen;
    old->Leave();
    delete old;
    TheGameApp->currentScreen = nullptr;
    TheGameApp->SetFirstScreen(screen);
}
