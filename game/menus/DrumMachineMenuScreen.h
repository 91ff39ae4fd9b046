#pragma once
// The drum-machine menu: play a track, edit segments, edit tracks.
#include "game/MenuScreen.h"

class DrumMachineMenuScreen final : public MenuScreen {
public:
    void CreateSoftButtons() override;
    void CreateItems() override;
    VGScreen* OnAction(int32_t id) override;

    static constexpr int32_t kPlayTrack = 34;
    static constexpr int32_t kEditSegments = 35;
    static constexpr int32_t kEditTracks = 36;
};

// Whether a saved file "<player's folder>save/<slot>.<extension>" exists for a slot 1 to 99
// (the search stops at the first one found).
bool AnySavedFile(const char16_t* extension);
