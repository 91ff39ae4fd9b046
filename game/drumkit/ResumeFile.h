#pragma once
// The saved game "resume.dat" in the player's folder: enough to restart a game at a clean point.
// All fields are little-endian u32: mode, game over, new high score, then for the memory game
// the sequence length and its pieces, for the rhythm game the score, the level-start score,
// the lives, the level and whether the level was finished.
#include "varnokengine/VGString.h"

struct DrumKit;

VGString ResumeFilePath();
// True when the file opens and holds at least its first two fields.
bool ResumeAvailable();
// What the saved game is, read without touching the kit: the game, whether it is over, and
// for the memory game the strokes repeated so far, for the rhythm game the level and score.
struct ResumeSummary {
    uint32_t mode = 0;
    uint32_t gameOver = 0;
    uint32_t result = 0;
    uint32_t level = 0;
};
// False when the file is missing or does not hold a game's fields.
bool PeekResume(ResumeSummary& summary);
// Starting a new game from the selection screens throws the saved one away.
void DeleteResume();
// Writes the running game; nothing outside the games, nor for a game that is over without a
// new high score. A file that cannot be written is not reported.
void SaveResume(const DrumKit& kit);
// Restores the kit; false at the first field that cannot be read (what was read stays set).
// The memory game is demonstrated again from its first step; the rhythm game restarts its
// level with the score it had when the level began, or starts the next one if it was done.
bool LoadResume(DrumKit& kit);
