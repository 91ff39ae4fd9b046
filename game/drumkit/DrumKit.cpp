#include "game/drumkit/DrumKit.h"

#include "game/drumkit/GameRules.h"
#include "game/drumkit/HighScore.h"
#include "game/drumkit/Metronome.h"

namespace {

struct PieceLayout {
    const char16_t* sound;
    int16_t x, y; // landing point on the large screen
    uint32_t mask;
};

constexpr PieceLayout kPieces[kPieceCount] = {
    {u"tom_low", 134, -4, 204},  {u"tom_mid", 51, -111, 203},    {u"tom_hi", -43, -108, 202},
    {u"bass", 0, 0, 205},        {u"snare", -107, -25, 201},     {u"ride", 120, -88, 211},
    {u"crash", -102, -133, 215}, {u"hihat_open", -161, 15, 219}, {u"hihat_close", 0, 0, 223},
};

// The metronome's two ticks are loaded with the kit's own sounds.
const char16_t* const kPreloadOrder[] = {
    u"snare", u"tom_hi",     u"tom_mid",     u"tom_low",       u"bass",     u"ride",
    u"crash", u"hihat_open", u"hihat_close", u"metronomeLoud", u"metronome"};

constexpr uint32_t kNone = 0; // no image during this frame

void AddFrame(DrumKit& kit, DrumKitPiece& piece, uint32_t duration, uint32_t image) {
    if (piece.frameCount >= kMaxAnimFrames) return;
    AnimFrame& frame = piece.animation[piece.frameCount++];
    frame.duration = duration;
    frame.image = image == kNone ? nullptr : kit.drums.Get(image);
}

// A drum lights up 80 ms after the hit and stays lit for 200 ms.
void BuildDrum(DrumKit& kit, DrumKitPiece& piece, uint32_t lit) {
    AddFrame(kit, piece, 80, kNone);
    AddFrame(kit, piece, 200, lit);
}

// A pedal goes down in four quick steps, holds, and comes back up more slowly.
void BuildPedal(DrumKit& kit, DrumKitPiece& piece, uint32_t first) {
    for (uint32_t i = 0; i < 4; ++i) AddFrame(kit, piece, 20, first + i);
    AddFrame(kit, piece, 200, first + 4);
    for (uint32_t i = 4; i-- > 0;) AddFrame(kit, piece, 70, first + i);
}

// A cymbal swings hard once, then wobbles between two smaller tilts with rests between.
void BuildCymbal(DrumKit& kit, DrumKitPiece& piece, uint32_t i1) {
    const uint32_t i2 = i1 + 1, i3 = i1 + 2;
    const uint32_t frames[][2] = {{100, i1},   {60, i2},    {60, kNone},  {60, i3},    {75, kNone},
                                  {75, i2},    {75, kNone}, {90, i3},     {90, kNone}, {90, i2},
                                  {90, kNone}, {90, i3},    {100, kNone}, {100, i2}};
    for (const auto& f : frames) AddFrame(kit, piece, f[0], f[1]);
}

void BuildPieces(DrumKit& kit, int16_t layoutScale) {
    for (uint32_t i = 0; i < kPieceCount; ++i) {
        DrumKitPiece& piece = kit.pieces[i];
        const PieceLayout& layout = kPieces[i];
        piece.mask = kit.drums.Get(layout.mask);
        piece.soundName = layout.sound;
        piece.x = int16_t(float(layoutScale) * 0.5f * float(layout.x));
        piece.y = int16_t(float(layoutScale) * 0.5f * float(layout.y));
        piece.frameCount = 0;
        switch (i) {
        case Bass:
            BuildPedal(kit, piece, 206);
            break;
        case HihatClose:
            BuildPedal(kit, piece, 224);
            break;
        case Ride:
            BuildCymbal(kit, piece, 212);
            break;
        case Crash:
            BuildCymbal(kit, piece, 216);
            break;
        case HihatOpen:
            BuildCymbal(kit, piece, 220);
            break;
        default:
            BuildDrum(kit, piece, layout.mask);
            break;
        }
    }
}

void HitPiece(DrumKit& kit, uint32_t index, int32_t dx, int32_t dy, float volume) {
    DrumKitPiece& piece = kit.pieces[index];
    kit.sounds->Restart(piece.soundName, 3, volume);
    piece.lastHit = kit.clock;
    piece.hitX = int16_t(dx);
    piece.hitY = int16_t(dy);
}

} // namespace

DrumKit::DrumKit() = default;

DrumKit::~DrumKit() {
    if (saveSettings) SaveGameSettings(*this);
    FreeKitBackground(*this);
    FreePattern(memorySequence);
    FreePattern(rhythmPattern);
}

bool IsKitLoaded(const DrumKit& kit) {
    return kit.drums.count != 0;
}

bool LoadKit(DrumKit& kit, int16_t layoutScale, LoadingNotice notice) {
    if (IsKitLoaded(kit)) return true;
    if (notice) notice();
    bool ok = kit.drums.Load(u"drums");
    ok = kit.sticks.Load(u"sticks") && ok;
    // A failed pack is already reported; building from it would only add a report per image.
    if (IsKitLoaded(kit)) BuildPieces(kit, layoutScale);
    return ok;
}

void PreloadKitSounds(DrumKit& kit) {
    for (const char16_t* name : kPreloadOrder) kit.sounds->Preload(name);
}

void Strike(DrumKit& kit, uint32_t piece) {
    if (piece >= kPieceCount) return;
    kit.lastPiece = piece;
    kit.lastStrike = kit.clock;
    DrumKitPiece& p = kit.pieces[piece];
    HitPiece(kit, piece, p.x, p.y, 1.0f);
}

void PlayerStrike(DrumKit& kit, uint32_t piece, int32_t dx, int32_t dy, float volume) {
    if (piece >= kPieceCount) return;
    HitPiece(kit, piece, dx, dy, volume);
    kit.lastStrike = kit.clock;
    kit.lastPiece = piece;
    if (kit.mode == MemoryMaster || kit.mode == RhythmMaster) JudgeTap(kit);
}

void AddStroke(KitInput& input, uint32_t piece, float volume) {
    if (piece >= kPieceCount || input.strokeCount >= kPieceCount) return;
    for (uint32_t i = 0; i < input.strokeCount; ++i)
        if (input.strokes[i].piece == piece) return;
    input.strokes[input.strokeCount++] = KitStroke{piece, volume};
}

void ResetClock(DrumKit& kit) {
    kit.clock = 0;
    kit.nextBeat = 0;
    kit.lastGoodHit = 0;
    kit.lastStrike = kNeverHit;
    for (DrumKitPiece& piece : kit.pieces) piece.lastHit = kNeverHit;
}

bool IsPieceHit(const DrumKitPiece& piece, int32_t dx, int32_t dy) {
    if (!piece.mask) return false;
    // Anything outside the stored image reads as the key, so the point may be anywhere.
    return piece.mask->GetPixel(piece.mask->halfWidth + dx, piece.mask->halfHeight + dy) !=
           kColourKey;
}

bool AcceptsInput(const DrumKit& kit) {
    switch (kit.mode) {
    case FreePlay:
    case MachineDriven:
        return true;
    case RhythmMaster:
        return !kit.gameOver && kit.phase == 1;
    case MemoryMaster:
        return !kit.gameOver && kit.phase == 1 && HasUnplayedStep(kit);
    default:
        return false;
    }
}

void UpdateKit(DrumKit& kit, const KitInput& input) {
    if (kit.mode != MachineDriven) kit.clock = KitTimeAdd(kit.clock, input.frameDelta);
    MetronomeStep(kit, input.metronome);
    if (AcceptsInput(kit) && input.stylusPressed) {
        int32_t dx = input.stylusX - input.screenWidth / 2;
        int32_t dy = input.stylusY - input.screenHeight / 2;
        // Overlapping masks all sound: there is no tie-break.
        for (uint32_t i = 0; i < kPieceCount; ++i)
            if (IsPieceHit(kit.pieces[i], dx, dy)) PlayerStrike(kit, i, dx, dy, 1.0f);
    }
    // Each stroke may end the player's turn, so the next one is asked again.
    for (uint32_t i = 0; i < input.strokeCount && i < kPieceCount; ++i) {
        if (!AcceptsInput(kit)) break;
        const KitStroke& stroke = input.strokes[i];
        if (stroke.piece >= kPieceCount) continue;
        const DrumKitPiece& piece = kit.pieces[stroke.piece];
        PlayerStrike(kit, stroke.piece, piece.x, piece.y, stroke.volume);
    }
    if (!kit.gameOver) GameStep(kit);
}
