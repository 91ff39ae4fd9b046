#pragma once
// Pieces the game screens share: the kit behind them, the game's counter and the scrolling
// result, and the saved game written when the program ends on one of them.
#include <cstdint>

struct DrumKit;

DrumKit& TheKit();
// Loads the kit (the first time with the loading message) and the button images.
void PrepareKit();
void DrawKitBehind();
// After a game the rules stand still but the kit's clock runs on, so the last stroke's
// animation and stick finish instead of hanging mid-swing.
void RunKitClock();
// Darkens a band across the screen behind the menu texts (entries and text items, not the
// title or the soft button), so they read over the kit picture while the kit stays visible.
void DrawBackingBehindItems();
// The memory game's sequence counter or the rhythm game's score-or-lives counter.
void DrawGameCounter();
// The result with its label ("new high score" or "score") scrolling through the window.
void DrawResultTicker();
// The mode is one of the two games.
bool IsGameMode(uint32_t mode);
