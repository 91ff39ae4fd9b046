#pragma once
// The first screen of the very first run: one entry per language file.
#include "game/MenuScreen.h"

constexpr int32_t kLanguageTagBase = 10000;

class LanguageScreen final : public MenuScreen {
public:
    void CreateSoftButtons() override;
    void CreateItems() override;
    VGScreen* OnAction(int32_t id) override;
};
