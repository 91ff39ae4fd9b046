#include "game/ScreenFactory.h"

#include "game/drumkit/GameSelectScreen.h"
#include "game/drumkit/KitScreen.h"
#include "game/menus/DrumMachineMenuScreen.h"
#include "game/menus/MainMenuScreen.h"
#include "game/menus/SettingsMenuScreen.h"

#include <new>

VGScreen* CreateScreen(uint32_t id) {
    switch (id) {
    case ScreenSettingsMenu:
        return new (std::nothrow) SettingsMenuScreen;
    case ScreenMainMenu:
        return new (std::nothrow) MainMenuScreen;
    case ScreenDrumMachineMenu:
        return new (std::nothrow) DrumMachineMenuScreen;
    case ScreenGameSelect:
        return new (std::nothrow) GameSelectScreen;
    case ScreenKit:
        return new (std::nothrow) KitScreen;
    // The in-game menu, results, game intro and game over screens are added here with the
    // games.
    default:
        return nullptr;
    }
}

VGScreen* CreatePlayScreen() {
    return CreateScreen(ScreenGameSelect);
}

VGScreen* CreateHighScoreScreen(uint32_t) {
    return nullptr;
}

VGScreen* CreateTrackSelectScreen(SelectionMode) {
    return nullptr;
}

VGScreen* CreateSegmentSelectScreen(SelectionMode) {
    return nullptr;
}
