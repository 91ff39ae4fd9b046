#include "tests/support/HeadlessApp.h"

#include "game/GameApp.h"
#include "platform/RegistryStore.h"
#include "platform/audio/AudioOutput.h"
#include "varnokengine/VGAppPath.h"
#include "varnokengine/VGApplication.h"
#include "varnokengine/VGDeviceScreen.h"
#include "varnokengine/VGError.h"
#include "varnokengine/VGRegistry.h"
#include "varnokengine/VGUserPath.h"
#include "varnokengine/VGWindows.h"

#include <memory>
#include <string>

namespace fs = std::filesystem;

GameApp* StartHeadlessApp(const HeadlessAppSetup& setup, platform::VirtualClock& clock) {
    ResetShellState();
    ClearErrors();
    platform::SetRegistryPath(setup.registry.string());
    if (setup.chooseLanguage) WriteOption(u"Language", 0);
    SetAppPath(VGString(setup.dataFolder.u16string().c_str()));
    SetUserPath(VGString(setup.userFolder.u16string().c_str()));
    platform::InstallBackend(std::make_unique<platform::HeadlessBackend>(setup.display, &clock));
    TheDisplay.Open();
    TheDisplay.SetUp();
    GameApp* app = static_cast<GameApp*>(CreateGameApp());
    TheApp = TheGame = app;
    app->Init();
    if (setup.resume) app->Resume();
    StartingUp = 0;
    return app;
}

void StopHeadlessApp() {
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

void RunFrames(platform::Clock& clock, uint32_t ms) {
    uint32_t start = clock.TickCount();
    do FrameTick();
    while (int32_t(clock.TickCount() - start) < int32_t(ms));
}

void PressKey(uint32_t code) {
    WindowProc(kMsgKeyDown, code, 0);
    FrameTick();
    WindowProc(kMsgKeyUp, code, kAlreadyDownBit);
    FrameTick();
}

void StylusDown(int32_t x, int32_t y) {
    WindowProc(kMsgButtonDown, 1, PackStylus(int16_t(x), int16_t(y)));
    FrameTick();
}

void StylusUp(int32_t x, int32_t y) {
    WindowProc(kMsgButtonUp, 0, PackStylus(int16_t(x), int16_t(y)));
    FrameTick();
}
