#include "varnokengine/VGGame.h"

#include "platform/video/Backend.h"
#include "varnokengine/VGBitmap.h"
#include "varnokengine/VGClock.h"
#include "varnokengine/VGDeviceScreen.h"
#include "varnokengine/VGEngine.h"
#include "varnokengine/VGFont.h"
#include "varnokengine/VGOptionNames.h"
#include "varnokengine/VGPower.h"
#include "varnokengine/VGRegistry.h"
#include "varnokengine/VGScreen.h"
#include "varnokengine/VGSplash.h"
#include "varnokengine/VGTextBlock.h"

#include <algorithm>

namespace {
ApplicationFactory factory = nullptr;
} // namespace

VGGame::~VGGame() {
    if (selectedMusic) {
        // The music channel is given time to fall silent.
        TheSoundManager.StopChannel(0);
        SleepKeepingAlive(100);
    }
    // The menu items go with their list after this; deleting them never touches a font.
    delete largeFont;
    delete smallFont;
    largeFont = smallFont = nullptr;
    FreeLanguage(language);
}

void VGGame::Init() {
    // A stored number without a file falls back to the first language rather than showing
    // "entry missing" everywhere.
    LoadLanguage(language, ShownLanguage());
    KeepAlive();
    largeFont = CreateLargeFont();
    smallFont = CreateSmallFont();
    KeepAlive();
    CreateFirstScreen();
}

VGGame* TheGame() {
    return TheApp ? TheApp->Game() : nullptr;
}

float VGGame::MenuFade() const {
    if (!currentScreen || !currentScreen->WantsFadeIn()) return 1.0f;
    float fade = float(int32_t(Now - uint32_t(currentScreen->enterTime)) - 100) * 0.001f;
    return std::clamp(fade, 0.0f, 1.0f);
}

void VGGame::Frame() {
    ScreenStep();
    // The menu items are drawn over whatever the screen drew; the focused one keeps moving.
    float fade = MenuFade();
    for (TextBlock* item : menuItems.slots) {
        if (!item) continue;
        if (item->lines) item->Update((item->flags & FlagPulse) != 0, Now);
        item->Draw(fade, Now, TextShadowsOn());
    }
    if (RenderTarget.target) SetRenderTarget(RenderTarget.target);
    if (IsReleased(KeyStylus)) pressedMenuItem = kNoPressedItem;
    MusicStep();
}

void SetApplicationFactory(ApplicationFactory f) {
    factory = f;
}

bool StartApplication() {
    ReadGraphicsQuality();
    uint32_t splashStart = 0;
    ShowSplash(splashStart);
    KeepAlive();
    VGGame* game = factory ? factory() : nullptr;
    if (!game) return false;
    AdoptApplication(game);
    KeepAlive();
    game->Init();
    KeepAlive();
    EndSplash(splashStart);
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
