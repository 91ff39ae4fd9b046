#pragma once
// The screens a game passes through around the kit screen: the introduction before play, the
// finished level, and the end of the game. Each saves the game when the program ends on it.
#include "game/MenuScreen.h"
#include "varnokengine/VGString.h"

// The game's name (or the level's number and title) scrolling in after the window's glyphs
// have run down; play starts by itself, or after the first second on a key or a tap.
class GameIntroScreen final : public VGScreen {
public:
    void Enter() override;
    VGScreen* Update() override;
    void Draw() override;
    void OnExit() override;

    VGString caption;
};

// The five glyphs of the opening run (from 27 down to 20, the outer places first) and the
// first caption place shown, elapsed ms after entry.
VGString IntroGlyphs(int32_t elapsed);
int32_t IntroCaptionFirst(int32_t elapsed);
// How long the introduction lasts with a caption of this many characters.
int32_t IntroLength(uint32_t captionLength);

// Shows the score after a finished rhythm level; continuing starts the next level.
class LevelCompleteScreen final : public MenuScreen {
public:
    void Enter() override;
    void CreateSoftButtons() override;
    void CreateItems() override;
    VGScreen* Update() override;
    void DrawContent() override;
    VGScreen* OnAction(int32_t id) override;
    void OnExit() override;
};

// The result scrolling over the kit; after a second a tap ends it, after five it ends by
// itself, leading to the name entry for a new high score, else to the results menu.
class GameOverScreen final : public VGScreen {
public:
    void Enter() override;
    VGScreen* Update() override;
    void Draw() override;
    void OnExit() override;
};
