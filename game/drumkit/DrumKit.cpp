#include "game/drumkit/DrumKit.h"

#include "game/drumkit/GameRules.h"
#include "game/drumkit/HighScore.h"
#include "game/drumkit/Metronome.h"
#include "varnokengine/VGError.h"

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

void HitPiece(DrumKit& kit, uint32_t index, int32_t dx, int32_t dy, float volume,
              SoundStart start) {
    DrumKitPiece& piece = kit.pieces[index];
    kit.sounds->Restart(piece.soundName, 3, volume, start);
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
    // The pieces know their sounds whatever becomes of the pictures, so a stroke never asks
    // for a sound without a name.
    for (uint32_t i = 0; i < kPieceCount; ++i) kit.pieces[i].soundName = kPieces[i].sound;
    const uint32_t reported = ErrorLog.Length();
    bool ok = kit.drums.Load(u"drums");
    // A pack without a single picture (empty, or a count of 0) is as damaged for the kit as
    // one that does not load, and is named as such.
    if (!IsKitLoaded(kit) && ErrorLog.Length() == reported) {
        ReportError(u"Bitmap manager load failed: drums", 227,
                    u"..\\..\\varnokengine\\VGBitmapManager");
        ok = false;
    }
    ok = kit.sticks.Load(u"sticks") && ok;
    // A failed pack is already reported; building from it would only add a report per image.
    if (IsKitLoaded(kit)) BuildPieces(kit, layoutScale);
    return ok;
}

void PreloadKitSounds(DrumKit& kit) {
    for (const char16_t* name : kPreloadOrder) kit.sounds->Preload(name);
}

void Strike(DrumKit& kit, uint32_t piece, SoundStart start) {
    if (piece >= kPieceCount) return;
    kit.lastPiece = piece;
    kit.lastStrike = kit.clock;
    DrumKitPiece& p = kit.pieces[piece];
    HitPiece(kit, piece, p.x, p.y, 1.0f, start);
}

SoundStart KitStrokeStart(const DrumKit& kit, int32_t t) {
    return StartAt(double(kit.clockTime) + double(KitTimeSince(t, kit.clock)) +
                   double(kStrokeLookAheadMs));
}

void PlayerStrike(DrumKit& kit, uint32_t piece, int32_t dx, int32_t dy, float volume,
                  int32_t strokeTime) {
    if (piece >= kPieceCount) return;
    HitPiece(kit, piece, dx, dy, volume, StartNow());
    kit.lastStrike = kit.clock;
    kit.lastPiece = piece;
    if (kit.mode == MemoryMaster || kit.mode == RhythmMaster)
        JudgeTap(kit, Stroke{piece, strokeTime, volume});
}

void PlayerStrike(DrumKit& kit, uint32_t piece, int32_t dx, int32_t dy, float volume) {
    PlayerStrike(kit, piece, dx, dy, volume, kit.clock);
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

namespace {

// The player's tap on every piece under the stylus, counted at kit time strokeTime.
void TakeTap(DrumKit& kit, const KitInput& input, int32_t strokeTime) {
    if (!AcceptsInput(kit) || !input.stylusPressed) return;
    int32_t dx = input.stylusX - input.screenWidth / 2;
    int32_t dy = input.stylusY - input.screenHeight / 2;
    // Overlapping masks all sound: there is no tie-break.
    for (uint32_t i = 0; i < kPieceCount; ++i)
        if (IsPieceHit(kit.pieces[i], dx, dy)) PlayerStrike(kit, i, dx, dy, 1.0f, strokeTime);
}

// The frame's key and controller strokes, each on its piece's landing point. Each stroke may
// end the player's turn, so the next one is asked again.
void TakeKeyStrokes(DrumKit& kit, const KitInput& input, int32_t strokeTime) {
    for (uint32_t i = 0; i < input.strokeCount && i < kPieceCount; ++i) {
        if (!AcceptsInput(kit)) break;
        const KitStroke& stroke = input.strokes[i];
        if (stroke.piece >= kPieceCount) continue;
        const DrumKitPiece& piece = kit.pieces[stroke.piece];
        PlayerStrike(kit, stroke.piece, piece.x, piece.y, stroke.volume, strokeTime);
    }
}

// The rhythm game moves its clock on a millisecond at a time, so no step's window is passed
// over however long the frame, and takes the player's tap at the millisecond it was made. The
// player plays to strokes heard the look-ahead late, so a tap counts that much earlier.
void UpdateRhythmKit(DrumKit& kit, const KitInput& input) {
    const int32_t start = kit.clock;
    const int32_t steps = input.frameDelta > 0 ? input.frameDelta : 0;
    int32_t tapStep = -1;
    if (input.stylusPressed) {
        int32_t age = int32_t(input.now - input.stylusTime);
        if (age < 0 || steps == 0) age = 0;
        if (steps > 0 && age > steps - 1) age = steps - 1;
        tapStep = steps - age;
    }
    for (int32_t i = steps == 0 ? 0 : 1; i <= steps && !kit.gameOver; ++i) {
        kit.clock = KitTimeAdd(start, i);
        kit.clockTime = input.now - uint32_t(steps - i);
        if (i == tapStep) TakeTap(kit, input, KitTimeAdd(kit.clock, -kStrokeLookAheadMs));
        // Keys carry no time of their own: they count at the frame's end.
        if (i == steps) TakeKeyStrokes(kit, input, KitTimeAdd(kit.clock, -kStrokeLookAheadMs));
        if (!kit.gameOver) GameStep(kit);
    }
}

} // namespace

void UpdateKit(DrumKit& kit, const KitInput& input) {
    if (kit.mode == RhythmMaster && !kit.gameOver) return UpdateRhythmKit(kit, input);
    if (kit.mode != MachineDriven) kit.clock = KitTimeAdd(kit.clock, input.frameDelta);
    kit.clockTime = input.now;
    MetronomeStep(kit, input.metronome);
    TakeTap(kit, input, kit.clock);
    TakeKeyStrokes(kit, input, kit.clock);
    if (!kit.gameOver) GameStep(kit);
}
