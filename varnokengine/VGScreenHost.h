#pragma once
// The application layer that owns the current screen and switches screens.
#include "varnokengine/VGApplication.h"
#include "varnokengine/VGLanguage.h"
#include "varnokengine/VGSoundManager.h"

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
    // Selects the source the current screen calls for (cutting channel 0 when the source
    // changes) and lets it queue its next buffer when the channel needs one.
    void MusicStep();

    VGScreen* currentScreen = nullptr;
    LanguageTable language;
    // The source that keeps channel 0 fed: the program's own while the current screen wants
    // music and that source is enabled, else the default one, which queues "silence".
    MusicSource* selectedMusic = nullptr;
    MusicSource* gameMusic = nullptr; // the program's own music, when it has any (not owned)
    SilenceMusicSource defaultMusic;
    int32_t pressedMenuItem = kNoPressedItem;
};
