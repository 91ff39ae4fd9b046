#pragma once
// The two rhythm games on the drum kit. The memory game demonstrates a growing sequence of
// strokes for the player to repeat; the rhythm game plays a bar that the player plays back in
// time, with lives, a score and levels (read from level files up to level 24, generated after).
#include "varnokengine/VGString.h"

#include <cstdint>

struct DrumKit;
struct Stroke;

// Levels from here on are generated rather than read.
constexpr uint32_t kFirstGeneratedLevel = 25;
// The bonus for finishing a level and the reward for each stroke in time.
constexpr uint32_t kLevelBonus = 200;
constexpr uint32_t kStrokeScore = 10;
constexpr uint32_t kStartLives = 3;

// Sets the mode and starts it from the beginning on a fresh clock.
void StartGame(DrumKit& kit, uint32_t mode);
// One call per piece hit by the player, after the kit set the last piece. The rhythm game
// counts the stroke in the window of its time, whenever the frame that reads it comes.
void JudgeTap(DrumKit& kit, const Stroke& stroke);
// Once per frame while the game is not over (does nothing in free play); the rhythm game's
// once per millisecond of its clock. Demonstrated strokes and clicks are heard the look-ahead
// after their time; the rhythm game's own progress (its phase, missed steps, the end of the
// level) follows the time the player hears, the look-ahead behind the clock.
void GameStep(DrumKit& kit);

// Memory game: the sequence still holds a step the player has not played.
bool HasUnplayedStep(const DrumKit& kit);
uint32_t SequenceLength(const DrumKit& kit);
// The rounds completed: one less than the sequence length.
uint32_t MemoryResult(const DrumKit& kit);

// Rhythm game: the next level, on a fresh clock, keeping the score.
void NextLevel(DrumKit& kit);
// Replaces the title and pattern with the current level's; a level file that cannot be read
// leaves no steps, so the level counts as finished at once.
void LoadLevel(DrumKit& kit);
// Builds a level of 25 or above; each level gives the same pattern every time.
void GenerateLevel(DrumKit& kit, uint32_t level);
// A mistake: at most one life goes per player phase; the last one ends the game.
void LoseLife(DrumKit& kit);

// What the five-place character window shows during the games.
VGString MemoryCounterText(const DrumKit& kit);
// The score while strokes keep landing, else the lives as hearts.
VGString RhythmCounterText(const DrumKit& kit);
// The game's result with its label and two blanks, twice, so that a five-place window can
// scroll through it; first gets the place shown first at the time now (one place per 200 ms).
VGString ResultTickerText(const VGString& label, uint32_t result, uint32_t now, int32_t& first);
