#pragma once
// The engine's top application layer: the program-wide resources every screen uses and the
// per-frame work around the current screen. The program fills the pure slots.
#include "varnokengine/VGMenuItems.h"
#include "varnokengine/VGScreenHost.h"

class VGFont;

class VGGame : public VGScreenHost {
public:
    ~VGGame() override;
    VGGame* Game() override { return this; }

    // Loads the chosen language table and the two fonts, then creates the first screen.
    void Init() override;
    // The screen step, then the frame-wide chores: menu-item fade-in, clip reset, the
    // pressed-item reset after a release, and the music step.
    void Frame() override;

    virtual int32_t TitleBarHeight() = 0;
    virtual int32_t SoftBarHeight() = 0;
    virtual VGFont* CreateLargeFont() = 0;
    virtual VGFont* CreateSmallFont() = 0;
    virtual void CreateFirstScreen() = 0;

    // How far the menu items have faded in: invisible for 100 ms after the screen was
    // entered, then rising to 1 over one second.
    float MenuFade() const;

    VGFont* largeFont = nullptr; // owned
    VGFont* smallFont = nullptr; // owned
    MenuItemList menuItems;
};

// The application object as the engine's game layer (null when there is none).
VGGame* TheGame();

// Start-up after the display is ready: the application object is made by the factory the
// program registers, initialised, and its first screen's clock started.
using ApplicationFactory = VGGame* (*)();
void SetApplicationFactory(ApplicationFactory factory);
// False when no application object could be made.
bool StartApplication();
// Fades the screen to black, shuts the application down and closes the display.
void ShutdownApplication();
