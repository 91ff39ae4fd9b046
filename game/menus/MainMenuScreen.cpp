#include "game/menus/MainMenuScreen.h"

#include "game/ScreenFactory.h"
#include "game/menus/AboutScreen.h"
#include "varnokengine/VGApplication.h"
#include "varnokengine/VGDeviceScreen.h"
#include "varnokengine/VGMenuItems.h"

#include <new>

namespace {

constexpr int32_t kLogoTop = 14; // the logo's top edge, before LayoutScale

} // namespace

void MainMenuScreen::CreateItems() {
    AddMenuEntry(kPlay, 0.43f, 11, FlagPulse);
    AddMenuEntry(kDrumMachine, 0.58f, 73, 0);
    AddMenuEntry(kSettings, 0.73f, 44, 0);
    AddMenuEntry(kHighScores, 0.88f, 42, 0);
    AddMenuEntry(kAbout, 1.03f, 45, 0);
    AddMenuEntry(ActionBack, 1.18f, 3, 0);
}

void MainMenuScreen::Enter() {
    MenuScreen::Enter();
    logo = new (std::nothrow) VGBitmap;
    if (logo && !logo->LoadFile(MenuLogo, u"tamborix")) {
        delete logo;
        logo = nullptr;
    }
}

void MainMenuScreen::Leave() {
    ClearItems();
    delete logo;
    logo = nullptr;
}

void MainMenuScreen::DrawContent() {
    MenuScreen::DrawContent();
    if (!logo || !RenderTarget.target) return;
    int32_t cx = RenderTarget.target->fullWidth / 2;
    int32_t cy = logo->halfHeight + kLogoTop * LayoutScale;
    VGBitmap::Draw(logo, cx - logo->halfWidth, cy - logo->halfHeight);
}

VGScreen* MainMenuScreen::OnAction(int32_t id) {
    switch (id) {
    case ActionBack:
        TheApp->quitRequest = 1;
        return nullptr;
    case kPlay:
        return CreatePlayScreen();
    case kDrumMachine:
        return CreateScreen(ScreenDrumMachineMenu);
    case kSettings:
        return CreateScreen(ScreenSettingsMenu);
    case kHighScores:
        return CreateHighScoreScreen(ScreenMainMenu);
    case kAbout:
        return new (std::nothrow) AboutScreen;
    default:
        return nullptr;
    }
}
