#pragma once
// A notice with a back button that returns to the screen that showed it.
#include "game/MenuScreen.h"

class MessageScreen final : public MenuScreen {
public:
    MessageScreen(uint32_t returnId, uint32_t textEntry)
        : returnId(returnId), textEntry(textEntry) {}
    void CreateSoftButtons() override;
    void CreateItems() override;
    VGScreen* OnAction(int32_t id) override;

    uint32_t returnId;
    uint32_t textEntry;
};
