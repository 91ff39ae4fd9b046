#include "tests/support/HeadlessApp.h"

#include "game/GameApp.h"
#include "platform/RegistryStore.h"
#include "varnokengine/VGAppPath.h"
#include "varnokengine/VGApplication.h"
#include "varnokengine/VGDeviceScreen.h"
#include "varnokengine/VGEngine.h"
#include "varnokengine/VGRegistry.h"
#include "varnokengine/VGUserPath.h"
#include "varnokengine/VGWindows.h"

#include <memory>
#include <string>

namespace fs = std::filesystem;

GameApp* StartHeadlessApp(const HeadlessAppSetup& setup, platform::VirtualClock& clock) {
    platform::SetRegistryPath(setup.registry.string());
    if (setup.chooseLanguage) WriteOption(u"Language", 0);
    SetAppPath(VGString(setup.dataFolder.u16string().c_str()));
    SetUserPath(VGString(setup.userFolder.u16string().c_str()));
    platform::InstallBackend(std::make_unique<platform::HeadlessBackend>(setup.display, &clock));
    StartEngine();
    TheDisplay.Open();
    TheDisplay.SetUp();
    GameApp* app = static_cast<GameApp*>(CreateGameApp());
    AdoptApplication(app);
    app->Init();
    if (setup.resume) app->Resume();
    StartingUp = 0;
    return app;
}

void StopHeadlessApp() {
    if (TheApp) TheApp->Shutdown();
    StopEngine();
    platform::UninstallBackend();
    platform::SetRegistryPath(std::string());
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
