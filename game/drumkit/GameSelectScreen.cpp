#include "game/drumkit/GameSelectScreen.h"

#include "game/GameApp.h"
#include "game/ScreenFactory.h"
#include "game/TextIds.h"
#include "game/drumkit/GameMenuScreens.h"
#include "game/drumkit/GameRules.h"
#include "game/drumkit/ResumeFile.h"
#include "varnokengine/VGMenuItems.h"

#include <new>

namespace {

struct Choice {
    int32_t action;
    float y;
    uint32_t name, description;
    uint32_t mode;
};
constexpr Choice kChoices[] = {
    {GameSelectScreen::kFreePlay, 0.0f, 61, 62, FreePlay},
    {GameSelectScreen::kMemoryMaster, 0.4f, 63, 64, MemoryMaster},
    {GameSelectScreen::kRhythmMaster, 0.8f, 65, 66, RhythmMaster},
};

} // namespace

void GameSelectScreen::CreateSoftButtons() {
    SetTitle(GetText(TextChooseGame));
    AddBackButton(TextBack, 0);
}

void GameSelectScreen::CreateItems() {
    // The entry of the mode last played starts focused (free play after the drum machine).
    uint32_t mode = TheGameApp()->kit.mode;
    if (mode > RhythmMaster) mode = FreePlay;
    for (const Choice& c : kChoices) {
        AddMenuEntry(c.action, c.y, c.name, c.mode == mode ? FlagPulse : 0);
        AddDescription(c.y, c.name, c.description);
    }
}

VGScreen* GameSelectScreen::OnAction(int32_t id) {
    DrumKit& kit = TheGameApp()->kit;
    switch (id) {
    case kFreePlay:
        DeleteResume();
        StartGame(kit, FreePlay);
        return CreateScreen(ScreenKit);
    case kMemoryMaster:
        return StartNewGame(MemoryMaster);
    case kRhythmMaster:
        // Once level 5 has been reached the player chooses where to start.
        if (kit.maxLevel < 5) return StartNewGame(RhythmMaster);
        kit.mode = RhythmMaster;
        return new (std::nothrow) RhythmStartScreen(ScreenGameSelect);
    case ActionBack:
        return ResumeAvailable() ? new (std::nothrow) ResumeScreen : CreateScreen(ScreenMainMenu);
    default:
        return nullptr;
    }
}
