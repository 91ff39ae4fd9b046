#pragma once
// Screens by number: screens that send the user back where they came from keep one of these.
#include <cstdint>

class VGScreen;

enum ScreenId : uint32_t {
    ScreenInGameMenu = 0,
    ScreenSettingsMenu = 1,
    ScreenMainMenu = 3,
    ScreenResultsMenu = 4,
    ScreenGameSelect = 5,
    ScreenDrumMachineMenu = 8,
    ScreenKit = 9,
    ScreenGameIntro = 10,
    ScreenGameOver = 11,
};
constexpr uint32_t kLastScreenId = 11;

// A new screen for the id, or null for ids without a screen (2, 6, 7, above 11).
VGScreen* CreateScreen(uint32_t id);

// Screens the menus lead to that are made by the drum kit's and the drum machine's code.
// The resume offer when a saved game exists, else the game selection.
VGScreen* CreatePlayScreen();
// The high-score tables, returning to the given screen.
VGScreen* CreateHighScoreScreen(uint32_t returnId);
// Selection screens of the drum machine.
enum SelectionMode : uint32_t { SelectEdit = 0, SelectPlay = 1 };
VGScreen* CreateTrackSelectScreen(SelectionMode mode);
VGScreen* CreateSegmentSelectScreen(SelectionMode mode);
