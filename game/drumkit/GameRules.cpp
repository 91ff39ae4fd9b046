#include "game/drumkit/GameRules.h"

#include "game/drumkit/DrumKit.h"

void StartGame(DrumKit& kit, uint32_t mode) {
    kit.mode = mode;
    kit.gameOver = 0;
    kit.levelDone = 0;
    ResetClock(kit);
}

// The judging and stepping of the two games join here; free play needs neither.
void JudgeTap(DrumKit&) {}

void GameStep(DrumKit&) {}

bool HasUnplayedStep(const DrumKit& kit) {
    for (const PatternStep* step = kit.memorySequence; step; step = step->next)
        if (step->flags == 0) return true;
    return false;
}
