#pragma once
// The application layer that owns the current screen and switches screens.
#include "varnokengine/VGApplication.h"
#include "varnokengine/VGLanguage.h"

class VGScreen;

// No menu item is under a held stylus.
constexpr int32_t kNoPressedItem = -3;

class VGScreenHost : public VGApplication {
public:
    ~VGScreenHost() override;

    // The current screen gets its exit call, leaves and is deleted.
    void Shutdown() override;
    // The current screen's clock starts now (after loading), so its input lock and fade-in
    // are not eaten by the load.
    void Resume() override;
    void Frame() override { ScreenStep(); }
    void OnChar(char16_t c) override;

    // Update the current screen, switch to the screen it returns (the old one leaves and is
    // deleted before the new one enters), then draw the current screen.
    void ScreenStep();
    // Makes screen current and activates it (the host owns it from now on).
    void SetFirstScreen(VGScreen* screen);

    VGScreen* currentScreen = nullptr;
    LanguageTable language;
    // The music sources (the selected one, the game's own, the default "silence") arrive
    // with the sound manager.
    int32_t pressedMenuItem = kNoPressedItem;
};
