#pragma once
// The drum kit: nine pieces drawn over a full-screen kit picture, each with its sound, hit
// mask, hit animation and (at higher graphics quality) a stick swinging onto it. One DrumKit
// holds the kit, its clock and all game state; free play, the games and the drum machine's
// play screen update and draw it every frame.
#include "game/drumkit/HighScore.h"
#include "game/drumkit/KitSounds.h"
#include "game/drumkit/PatternStep.h"
#include "varnokengine/VGBitmap.h"
#include "varnokengine/VGBitmapManager.h"
#include "varnokengine/VGString.h"

#include <cstdint>

enum DrumPiece : uint32_t {
    TomLow = 0,
    TomMid = 1,
    TomHi = 2,
    Bass = 3,
    Snare = 4,
    Ride = 5,
    Crash = 6,
    HihatOpen = 7,
    HihatClose = 8,
};

// Mode 3 is the drum machine's play screen driving the kit: the kit's clock stands still.
enum GameMode : uint32_t { FreePlay = 0, MemoryMaster = 1, RhythmMaster = 2, MachineDriven = 3 };

// Bits of the "GraphicsQuality" option that the kit reads.
constexpr uint32_t QualityBlendCymbals = 2;
constexpr uint32_t QualityStickTrails = 4;
constexpr uint32_t QualitySticks = 8;

// Piece timestamps before any strike: long enough ago that nothing animates.
constexpr int32_t kNeverHit = -5000;
// The longest animation (the cymbals) has fourteen frames.
constexpr uint32_t kMaxAnimFrames = 14;

struct AnimFrame {
    uint32_t duration = 0;           // ms
    const VGBitmap* image = nullptr; // from the drums pack; null draws nothing for this long
};

struct DrumKitPiece {
    const VGBitmap* mask = nullptr;
    AnimFrame animation[kMaxAnimFrames];
    uint32_t frameCount = 0;
    VGString soundName;
    int16_t x = 0; // landing point of automatic strikes, relative to the screen centre
    int16_t y = 0;
    int32_t lastHit = kNeverHit; // kit clock of the last strike
    int16_t hitX = 0;            // where the stick lands for the last strike, centre-relative
    int16_t hitY = 0;
};

// A stroke on one piece, whatever struck it: the piece, the kit-clock time at which the games
// count it, and how hard it was struck (0 to 1).
struct Stroke {
    uint32_t piece = 0;
    int32_t time = 0;
    float volume = 1.0f;
};

struct DrumKit {
    VGBitmapManager drums;
    VGBitmapManager sticks;
    VGBitmap* background = nullptr; // owned, the kit picture at the screen's size
    DrumKitPiece pieces[kPieceCount];

    int32_t clock = 0;
    uint32_t clockTime = 0; // engine time at which the clock stood where it stands now
    int32_t nextBeat = 0;
    int32_t lastStrike = kNeverHit;
    int32_t lastGoodHit = 0;
    uint32_t lastPiece = Bass;

    // Game state: the rules live with the games.
    uint32_t phase = 0;
    uint32_t mode = FreePlay;
    uint32_t gameOver = 0;
    uint32_t newHighScore = 0;
    int32_t tempo = 120;
    PatternStep* memorySequence = nullptr; // owned
    uint32_t levelStartScore = 0;
    uint32_t score = 0;
    uint32_t lives = 3;
    uint32_t level = 1;
    uint32_t levelDone = 0;
    uint32_t lifeLostInPhase = 0;
    uint32_t slotLength = 0;
    VGString levelTitle;
    PatternStep* rhythmPattern = nullptr; // owned

    uint32_t startLevel = 1;
    uint32_t maxLevel = 1;
    HighScoreTable memoryScores;
    HighScoreTable rhythmScores;
    char defaultName[3] = {'t', 'b', 'x'};
    // Set once the settings were read at start-up: the kit writes them back when it goes.
    bool saveSettings = false;

    // Where the kit's sounds go; not owned (the sound manager unless a test swaps it).
    KitSounds* sounds = &DefaultKitSounds();

    DrumKit();
    ~DrumKit();
    DrumKit(const DrumKit&) = delete;
    DrumKit& operator=(const DrumKit&) = delete;
};

// Kit times are signed milliseconds that wrap like the engine's u32 clock: after weeks of
// play the arithmetic wraps instead of overflowing.
inline int32_t KitTimeAdd(int32_t time, int32_t ms) {
    return int32_t(uint32_t(time) + uint32_t(ms));
}
inline int32_t KitTimeSince(int32_t now, int32_t then) {
    return int32_t(uint32_t(now) - uint32_t(then));
}

// A stroke made without a point to strike: a key or a controller button; it lands on the
// piece's own landing point.
struct KitStroke {
    uint32_t piece = 0;
    float volume = 1.0f; // 0..1
};

// What one frame of the kit needs from the application.
struct KitInput {
    int32_t frameDelta = 0;     // ms counted for this frame
    uint32_t now = 0;           // engine time of this frame, when the clock has moved on
    bool stylusPressed = false; // the stylus went down this frame
    uint32_t stylusTime = 0;    // engine time at which it went down (at most now)
    int32_t stylusX = 0;        // screen coordinates
    int32_t stylusY = 0;
    int32_t screenWidth = 0; // the back buffer's size
    int32_t screenHeight = 0;
    uint32_t metronome = 1; // the metronome switch
    // Keys and buttons that went down this frame, struck in this order after the stylus.
    KitStroke strokes[kPieceCount];
    uint32_t strokeCount = 0;
};

// Adds a stroke to the frame's input; nothing when the piece is no piece or already struck.
void AddStroke(KitInput& input, uint32_t piece, float volume);

// Called once before the packs load, to show the loading message on screen.
using LoadingNotice = void (*)();

// Loads the packs "drums" and "sticks" and builds the nine pieces, only while the drums pack
// is empty; layoutScale scales the landing points. The notice runs first, when given.
bool LoadKit(DrumKit& kit, int16_t layoutScale, LoadingNotice notice);
bool IsKitLoaded(const DrumKit& kit);
// Loads every sound the kit and its metronome play, so the first tap does not wait.
void PreloadKitSounds(DrumKit& kit);

// The entry point for the sequencer and the demonstrations: sounds the piece (at once, or at
// the start given) and lands its stick on the piece's own landing point now.
void Strike(DrumKit& kit, uint32_t piece, SoundStart start = StartNow());
// When a sound that belongs to kit time t is to be heard: the look-ahead after the engine time
// at which the clock reads t.
SoundStart KitStrokeStart(const DrumKit& kit, int32_t t);
// The player's stroke, however it was made (tap, key, controller): the sound at the volume,
// the animation, the stick landing at (dx, dy) from the screen centre, and in a game the
// judgement at kit time strokeTime (the kit's clock when not given). Taps, keys and buttons
// all strike through here.
void PlayerStrike(DrumKit& kit, uint32_t piece, int32_t dx, int32_t dy, float volume,
                  int32_t strokeTime);
void PlayerStrike(DrumKit& kit, uint32_t piece, int32_t dx, int32_t dy, float volume);
void ResetClock(DrumKit& kit);
// True when the point (relative to the screen centre) lies on the piece's mask.
bool IsPieceHit(const DrumKitPiece& piece, int32_t dx, int32_t dy);
bool AcceptsInput(const DrumKit& kit);
void UpdateKit(DrumKit& kit, const KitInput& input);

// The animation frame shown t ms after the piece's last hit, or null past its end; fraction
// gets how far into that frame t lies (0 to 1).
const AnimFrame* FrameAt(const DrumKitPiece& piece, int32_t t, float* fraction);
struct StickDraw {
    const VGBitmap* image = nullptr;
    int32_t x = 0; // top-left of the image's logical rectangle
    int32_t y = 0;
    float alpha = 1.0f;
};
// The stick images drawn for a piece this frame, in drawing order, around the screen centre
// (cx, cy); returns how many (at most 4).
uint32_t PlanStick(const DrumKit& kit, uint32_t piece, int32_t cx, int32_t cy, uint32_t quality,
                   int16_t layoutScale, StickDraw out[4]);
// Draws the kit into the current render target, which is the screen.
void DrawKit(DrumKit& kit, uint32_t quality, int16_t layoutScale);
// Frees the screen-sized background so the next draw rebuilds it.
void FreeKitBackground(DrumKit& kit);
