#pragma once
// The choice between free play and the two games.
#include "game/MenuScreen.h"

class GameSelectScreen final : public MenuScreen {
public:
    void CreateSoftButtons() override;
    void CreateItems() override;
    VGScreen* OnAction(int32_t id) override;

    static constexpr int32_t kFreePlay = 26;
    static constexpr int32_t kMemoryMaster = 27;
    static constexpr int32_t kRhythmMaster = 28;
};
