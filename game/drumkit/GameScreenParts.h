#pragma once
// Pieces the game screens share: the kit behind them, the game's counter and the scrolling
// result, and the saved game written when the program ends on one of them.
#include <cstdint>

struct DrumKit;

DrumKit& TheKit();
// Loads the kit (the first time with the loading message) and the button images.
void PrepareKit();
void DrawKitBehind();
// The memory game's sequence counter or the rhythm game's score-or-lives counter.
void DrawGameCounter();
// The result with its label ("new high score" or "score") scrolling through the window.
void DrawResultTicker();
// The mode is one of the two games.
bool IsGameMode(uint32_t mode);
