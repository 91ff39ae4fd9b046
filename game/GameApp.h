#pragma once
// The program's application object: the engine's game layer plus the drum-machine switches,
// the image packs, the drum kit with all game state and the third font.
#include "game/drumkit/DrumKeys.h"
#include "game/drumkit/DrumKit.h"
#include "varnokengine/VGBitmapManager.h"
#include "varnokengine/VGGame.h"

class VGFont;

class GameApp final : public VGGame {
public:
    // Reads the drum-machine switches.
    GameApp();
    ~GameApp() override;

    // The engine's Init, then the game settings are read and the kit's sounds loaded.
    void Init() override;
    // Full heights of the title and soft-button bar images of the menu pack; 0 while the
    // pack is not loaded.
    int32_t TitleBarHeight() override;
    int32_t SoftBarHeight() override;
    VGFont* CreateLargeFont() override;
    VGFont* CreateSmallFont() override;
    // The language choice on the very first run, else the main menu.
    void CreateFirstScreen() override;

    uint32_t metronome = 1;
    uint32_t play = 1;
    uint32_t visualise = 0;
    uint32_t repeat = 0;

    // The instrument and all game state, for the whole run.
    DrumKit kit;
    // The keys that strike the kit, read from the settings at start.
    DrumKeyMap drumKeys = DefaultDrumKeys();

    // Image packs, each loaded on first use.
    VGBitmapManager menuImages;
    VGBitmapManager buttonImages;
    VGBitmapManager machineImages;
    // The fixed-pitch font of the character window (owned).
    VGFont* displayFont = nullptr;
};

// The application object as the program's own (null when there is none).
GameApp* TheGameApp();

// The factory the engine's start-up uses.
VGGame* CreateGameApp();
