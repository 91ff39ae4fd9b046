#pragma once
// Seven pages of settings turned with the arrows: master volume, language, device backlight,
// automatic shutdown, screen orientation, graphics quality and sound effects. Language and
// orientation are chosen first and applied with a second entry.
#include "game/menus/ArrowScreen.h"
#include "varnokengine/VGString.h"

enum OptionsPage : uint32_t {
    PageVolume = 0,
    PageLanguage = 1,
    PageBacklight = 2,
    PageAutoShutdown = 3,
    PageOrientation = 4,
    PageGraphics = 5,
    PageSoundFX = 6,
};
constexpr uint32_t kOptionsPages = 7;

// Action ids of the entries.
enum OptionsAction : int32_t {
    ActionVolumeUp = 6,
    ActionVolumeDown = 7,
    ActionNextOrientation = 8,
    ActionApplyOrientation = 9,
    ActionNextShutdown = 10,
    ActionToggleBacklight = 11,
    ActionNextLanguage = 12,
    ActionApplyLanguage = 13,
    ActionToggleSoundFX = 14,
    ActionNextQuality = 16,
    ActionRefresh = 29,
    ActionRefreshToo = 30,
};

class OptionsScreen : public ArrowScreen {
public:
    explicit OptionsScreen(uint32_t returnId) : returnId(returnId) {}
    void Enter() override;
    void CreateSoftButtons() override;
    void CreateItems() override;
    void OnLeft() override;
    void OnRight() override;
    VGScreen* OnAction(int32_t id) override;
    void OnExit() override;

    // The page's title and value texts.
    VGString PageTitle() const;
    VGString PageValue() const;

    uint32_t orientationPending = 0;
    uint32_t page = PageVolume;
    uint32_t languagePending = 0;
    uint32_t returnId;

private:
    // Builds the items again, keeping the focus on the entry that had it.
    void RebuildItems();
};

// The graphics-quality cycle: 9, 0, every bit, 9; other values stay.
uint32_t NextGraphicsQuality(uint32_t quality);
// The language after this one, or 0 when there is no file for it.
uint32_t NextLanguage(uint32_t language);
