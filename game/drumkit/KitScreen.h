#pragma once
// The screen on which the drum kit is played: free play with the metronome and tempo
// buttons, and the two games.
#include "game/drumkit/DrumKit.h"
#include "game/drumkit/KitHelp.h"
#include "varnokengine/VGScreen.h"

class KitScreen final : public VGScreen {
public:
    void Enter() override;
    void Leave() override;
    VGScreen* Update() override;
    void Draw() override;
    // A game in progress is saved when the program ends here.
    void OnExit() override;

private:
    // The free-play buttons below the kit: the metronome switch and the tempo's two halves.
    void UpdateFreePlayButtons();

    KitHelp help;
};

// The kit's input for this frame: the stylus, the screen's size and the metronome switch.
KitInput FrameKitInput();

// Clears the screen to the loading message and shows it at once.
void ShowLoadingMessage();
