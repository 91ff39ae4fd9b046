#pragma once
// A small drum kit for tests: packs "drums" and "sticks" and the background "drumkit" written
// into a temporary program folder, and a recorder in place of the sound manager.
#include "game/drumkit/DrumKit.h"
#include "tests/support/TempFolder.h"

#include <string>
#include <vector>

// Each piece's mask is a disc of this radius around its test spot.
constexpr int32_t kMaskRadius = 12;
// TomHi and Snare also share a square around this point, so a tap there hits both.
constexpr int32_t kOverlapX = -70;
constexpr int32_t kOverlapY = -70;
// A point no mask covers.
constexpr int32_t kEmptyX = 200;
constexpr int32_t kEmptyY = 250;

constexpr uint16_t kBackgroundColour = 0x4208;
// Stick frame f of a kind is (10 + 2f) x (30 - 2f) in one colour; animation images are
// 20 x 20 squares of their own colour.
uint16_t StickColour(uint32_t id);
uint16_t FrameColour(uint32_t id);

// The centre-relative spot of each piece's disc: the landing point on the large screen, and
// two spots of their own for the pieces without a stick.
void PieceSpot(uint32_t piece, int32_t& dx, int32_t& dy);

// Writes imgs/drums.img, imgs/sticks.img and imgs/drumkit.img under the folder.
void WriteTestKit(const TempFolder& folder);
// Clears the errors, writes the test kit into the folder, makes it the program folder and
// loads the kit (large screen) with the given sounds; false when it does not load.
bool LoadTestKit(const TempFolder& folder, DrumKit& kit, KitSounds& sounds);
// The kit set for a rhythm game on the pattern it holds: three lives, no score, the
// demonstration's turn, the clock back at its start.
void ArmRhythmGame(DrumKit& kit, uint32_t slotLength);

struct PlayedSound {
    std::string name;
    int32_t priority;
    int32_t clock; // the kit's clock when it was asked for
    SoundStart start;
    float volume = 1.0f;
};

class RecordingSounds : public KitSounds {
public:
    explicit RecordingSounds(const DrumKit& kit) : kit_(kit) {}
    void Restart(const VGString& name, int32_t priority, float volume, SoundStart start) override {
        Add("restart ", name, priority, start);
        played.back().volume = volume;
    }
    void Play(const VGString& name, int32_t priority, SoundStart start) override {
        Add("", name, priority, start);
    }
    void PlayOnce(const VGString& name, int32_t priority) override { Add("once ", name, priority); }
    void Preload(const VGString& name) override { Add("preload ", name, 0); }
    std::vector<PlayedSound> played;
    std::vector<std::string> Names() const;

private:
    void Add(const char* how, const VGString& name, int32_t priority,
             SoundStart start = StartNow());
    const DrumKit& kit_;
};
