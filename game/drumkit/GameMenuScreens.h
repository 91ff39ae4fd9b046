#pragma once
// The menus around a game: the in-game menu, the results menu, the resume offer and the
// choice of the rhythm game's start level.
#include "game/MenuScreen.h"
#include "game/menus/ArrowScreen.h"
#include "varnokengine/VGString.h"

// Opened from the kit during a game; it slides in from the left over the last kit frame.
class InGameMenuScreen final : public MenuScreen {
public:
    void CreateSoftButtons() override;
    void CreateItems() override;
    void Draw() override;
    void Leave() override;
    VGScreen* OnAction(int32_t id) override;
    void OnExit() override;

    static constexpr int32_t kResume = 3;
    static constexpr int32_t kOptions = 4;
    static constexpr int32_t kExit = 21;
    static constexpr int32_t kMainMenu = 22;
};

// The right edge of the in-game menu's drawing while it is revealed, elapsed ms after entry.
int32_t RevealRight(int32_t elapsed, int32_t width);

// After a game (and its high score): play the same game again or go back to the main menu.
class ResultsMenuScreen final : public MenuScreen {
public:
    void Enter() override;
    void CreateItems() override;
    VGScreen* Update() override;
    void DrawContent() override;
    VGScreen* OnAction(int32_t id) override;

    static constexpr int32_t kPlayAgain = 32;
    static constexpr int32_t kMainMenu = 33;
};

struct ResumeSummary;
// The saved game's name with its score (and level) as the resume offer shows it.
VGString SavedGameText(const ResumeSummary& game);

// A saved game exists: resume it, or leave it for later and choose a new game.
class ResumeScreen final : public MenuScreen {
public:
    void CreateSoftButtons() override;
    void CreateItems() override;
    VGScreen* OnAction(int32_t id) override;

    static constexpr int32_t kResume = 3;
    static constexpr int32_t kDecline = 39;
};

// The rhythm game's start level, stepped 1, 5, 10 ... up to the highest level reached.
class RhythmStartScreen final : public ArrowScreen {
public:
    explicit RhythmStartScreen(uint32_t returnId) : returnId(returnId) {}
    void CreateSoftButtons() override;
    void CreateItems() override;
    void DrawValue(int32_t x, float alpha) override;
    void DrawPreviousValue(int32_t x, float alpha) override;
    VGScreen* OnCentreTap() override;
    void OnLeft() override;
    void OnRight() override;
    VGScreen* OnAction(int32_t id) override;

    uint32_t returnId;
    uint32_t previousLevel = 1;
    static constexpr int32_t kStart = 20;
};

// A new game of the mode from the start, throwing away a saved one, then its introduction.
VGScreen* StartNewGame(uint32_t mode);
