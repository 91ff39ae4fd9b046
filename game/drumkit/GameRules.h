#pragma once
// The hooks through which the drum kit runs the rhythm games' rules each frame.
#include <cstdint>

struct DrumKit;

// Sets the mode and starts it from the beginning on a fresh clock.
void StartGame(DrumKit& kit, uint32_t mode);
// One call per piece hit by the player, after the kit set the last piece.
void JudgeTap(DrumKit& kit);
// Once per frame while the game is not over (does nothing in free play).
void GameStep(DrumKit& kit);
// Memory game: the sequence still holds a step the player has not played.
bool HasUnplayedStep(const DrumKit& kit);
