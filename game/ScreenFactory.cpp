#include "game/ScreenFactory.h"

#include "game/drumkit/GameFlowScreens.h"
#include "game/drumkit/GameMenuScreens.h"
#include "game/drumkit/GameSelectScreen.h"
#include "game/drumkit/KitScreen.h"
#include "game/drumkit/ResumeFile.h"
#include "game/drumkit/ScoreScreens.h"
#include "game/machine/SelectionScreens.h"
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
    case ScreenInGameMenu:
        return new (std::nothrow) InGameMenuScreen;
    case ScreenResultsMenu:
        return new (std::nothrow) ResultsMenuScreen;
    case ScreenGameIntro:
        return new (std::nothrow) GameIntroScreen;
    case ScreenGameOver:
        return new (std::nothrow) GameOverScreen;
    default:
        return nullptr;
    }
}

VGScreen* CreatePlayScreen() {
    if (ResumeAvailable()) return new (std::nothrow) ResumeScreen;
    return CreateScreen(ScreenGameSelect);
}

VGScreen* CreateHighScoreScreen(uint32_t returnId) {
    return new (std::nothrow) HighScoreScreen(returnId);
}

VGScreen* CreateTrackSelectScreen(SelectionMode mode) {
    return new (std::nothrow) TrackSelectScreen(mode == SelectPlay ? TrackPlay : TrackEdit);
}

VGScreen* CreateSegmentSelectScreen(SelectionMode) {
    return new (std::nothrow) SegmentSelectScreen;
}
