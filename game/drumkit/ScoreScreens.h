#pragma once
// A new high score: the three-letter name is entered, then both tables are shown.
#include "game/MenuScreen.h"
#include "game/menus/CharEntryScreen.h"
#include "varnokengine/VGString.h"

// Edits the default name in place; confirming enters the result under it.
class NameEntryScreen final : public CharEntryScreen {
public:
    void CreateSoftButtons() override;
    void CreateItems() override;
    VGScreen* OnAction(int32_t id) override;
    void OnExit() override;
    uint32_t Length() override { return 3; }
    int32_t CellWidth() override;
    uint8_t* Buffer() override;
};

// Both tables; the soft button leads back to the main menu or on to the results menu.
class HighScoreScreen final : public MenuScreen {
public:
    explicit HighScoreScreen(uint32_t returnId) : returnId(returnId) {}
    void CreateSoftButtons() override;
    void CreateItems() override;
    VGScreen* OnAction(int32_t id) override;

    uint32_t returnId;
};

struct HighScoreEntry;
// One line of a table: rank, initials and result.
VGString HighScoreLine(uint32_t rank, const HighScoreEntry& entry);
