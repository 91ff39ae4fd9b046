#pragma once
// The main menu: play, drum machine, settings, high scores, about and exit, under the
// product logo.
#include "game/MenuScreen.h"
#include "varnokengine/VGBitmap.h"

class MainMenuScreen final : public MenuScreen {
public:
    void CreateItems() override;
    void Enter() override;
    void Leave() override;
    void DrawContent() override;
    VGScreen* OnAction(int32_t id) override;

    VGBitmap* logo = nullptr; // owned

    // Action ids of the entries.
    static constexpr int32_t kPlay = 20;
    static constexpr int32_t kDrumMachine = 37;
    static constexpr int32_t kSettings = 19;
    static constexpr int32_t kHighScores = 24;
    static constexpr int32_t kAbout = 5;
};
