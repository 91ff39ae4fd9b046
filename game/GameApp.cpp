#include "game/GameApp.h"

#include "game/MenuScreen.h"
#include "game/menus/LanguageScreen.h"
#include "game/menus/MainMenuScreen.h"
#include "varnokengine/VGDeviceScreen.h"
#include "varnokengine/VGFont.h"
#include "varnokengine/VGOptionNames.h"
#include "varnokengine/VGRegistry.h"

#include <new>

GameApp::GameApp() {
    metronome = ReadOption(kOptionMetronome, 1);
    play = ReadOption(kOptionPlay, 1);
    visualise = ReadOption(kOptionVisualise, 0);
    repeat = ReadOption(kOptionRepeat, 0);
    displayFont = new (std::nothrow) VGFont(LayoutScale, 9700, 0, 13, 2, 19, 19);
}

GameApp::~GameApp() {
    delete displayFont;
}

void GameApp::Init() {
    VGGame::Init();
    LoadGameSettings(kit);
    drumKeys = ReadDrumKeys();
}

namespace {

int32_t MenuImageHeight(const VGBitmapManager& pack, uint32_t id) {
    if (pack.count == 0) return 0;
    const VGBitmap* image = pack.Find(id);
    return image ? image->fullHeight : 0;
}

} // namespace

int32_t GameApp::TitleBarHeight() {
    return MenuImageHeight(menuImages, MenuTitleBar);
}

int32_t GameApp::SoftBarHeight() {
    return MenuImageHeight(menuImages, MenuSoftBar);
}

VGFont* GameApp::CreateLargeFont() {
    return new (std::nothrow) VGFont(LayoutScale, 9100, -2, 10, 2, 21, 20);
}

VGFont* GameApp::CreateSmallFont() {
    return new (std::nothrow) VGFont(LayoutScale, 9400, -1, 4, 2, 10, 12);
}

void GameApp::CreateFirstScreen() {
    if (StoredLanguage() == kNoLanguageChosen)
        SetFirstScreen(new LanguageScreen);
    else
        SetFirstScreen(new MainMenuScreen);
}

VGGame* CreateGameApp() {
    return new GameApp;
}

GameApp* TheGameApp() {
    // The program's one application object is always a GameApp.
    return static_cast<GameApp*>(TheGame());
}
