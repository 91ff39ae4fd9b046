#include "game/ScreenFactory.h"

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
    // The in-game menu, results, game selection, kit, game intro and game over screens are
    // added here with the games.
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
