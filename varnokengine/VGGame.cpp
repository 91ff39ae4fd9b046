#include "varnokengine/VGGame.h"

#include "platform/video/Backend.h"
#include "varnokengine/VGBitmap.h"
#include "varnokengine/VGClock.h"
#include "varnokengine/VGDeviceScreen.h"
#include "varnokengine/VGPower.h"
#include "varnokengine/VGRegistry.h"
#include "varnokengine/VGScreen.h"

#include <algorithm>

VGGame* TheGame = nullptr;

namespace {
ApplicationFactory factory = nullptr;
} // namespace

VGGame::~VGGame() {
    // Stopping the music (and waiting 100 ms for the channel to fall silent) and deleting
    // the menu items and fonts join here with the sound manager and the text engine.
    FreeLanguage(language);
}

void VGGame::Init() {
    LoadLanguage(language, ReadOption(u"Language", 0));
    KeepAlive();
    KeepAlive();
    CreateFirstScreen();
}

float VGGame::MenuFade() const {
    if (!currentScreen || !currentScreen->WantsFadeIn()) return 1.0f;
    float fade = float(int32_t(Now - uint32_t(currentScreen->enterTime)) - 100) * 0.001f;
    return std::clamp(fade, 0.0f, 1.0f);
}

void VGGame::Frame() {
    ScreenStep();
    // The 32 menu items are updated and drawn here with MenuFade() as alpha once the
    // menu-item list exists.
    if (RenderTarget.target) SetRenderTarget(RenderTarget.target);
    if (IsReleased(KeyStylus)) pressedMenuItem = kNoPressedItem;
    // The music step (game music while the screen wants it, else the "silence" source)
    // joins here with the sound manager.
}

void SetApplicationFactory(ApplicationFactory f) {
    factory = f;
}

bool StartApplication() {
    // The splash logo is shown here (and awaited after Init) once it exists.
    KeepAlive();
    VGGame* game = factory ? factory() : nullptr;
    if (!game) return false;
    TheGame = game;
    TheApp = game;
    KeepAlive();
    game->Init();
    KeepAlive();
    KeepAlive();
    game->Resume();
    return true;
}

void ShutdownApplication() {
    if (RenderTarget.target) {
        // One step per refresh so the user sees the fade. Sixteen steps of 16 darken any
        // pixel fully; the bound only guards against a step that never reaches black.
        for (int step = 0; step < 64 && FadeToBlackStep(16); ++step) {
            TheDisplay.Present();
            platform::CurrentBackend().WaitForRefresh(false);
        }
    }
    if (TheApp) TheApp->Shutdown();
    TheDisplay.Close();
}
