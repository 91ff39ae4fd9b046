#include "game/drumkit/GameRules.h"

#include "game/drumkit/DrumKit.h"
#include "game/drumkit/LevelFile.h"
#include "platform/Runtime.h"
#include "varnokengine/VGFormat.h"

namespace {

// The memory game: the kit sounds a step every 500 ms from 500 ms on, and the next round
// starts 1000 ms after the player's last stroke.
constexpr int32_t kDemoInterval = 500;
constexpr int32_t kNextRoundPause = 1000;
// The rhythm counter shows the score this long after a stroke in time.
constexpr int32_t kScoreShownMs = 1500;
constexpr uint32_t kGlyphHeart = 28;
constexpr uint32_t kGlyphNoHeart = 21;

constexpr uint32_t kTemplateCount = 19;
constexpr uint32_t kBarSteps = 16;
constexpr uint32_t kBarPairs = 10;
// Rhythm templates of generated levels: 0 is a rest, 1..4 a voice of the bar.
constexpr uint8_t kTemplates[kTemplateCount][kBarSteps] = {
    {1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0},
    {1, 0, 0, 0, 2, 0, 0, 0, 1, 0, 0, 0, 2, 0, 0, 0},
    {1, 0, 1, 0, 2, 0, 0, 0, 1, 0, 1, 0, 2, 0, 0, 0},
    {1, 0, 0, 1, 2, 0, 0, 0, 1, 0, 0, 1, 2, 0, 0, 0},
    {1, 1, 0, 0, 2, 0, 0, 0, 1, 1, 0, 0, 2, 0, 0, 0},
    {1, 0, 0, 0, 2, 0, 2, 0, 1, 0, 0, 0, 2, 0, 2, 0},
    {1, 0, 0, 0, 2, 0, 0, 0, 1, 0, 1, 0, 3, 0, 4, 0},
    {1, 0, 0, 0, 2, 0, 0, 0, 1, 0, 1, 0, 3, 3, 4, 4},
    {1, 0, 0, 0, 2, 0, 0, 0, 3, 0, 0, 0, 4, 0, 0, 0},
    {1, 0, 0, 0, 2, 0, 0, 0, 3, 0, 3, 0, 4, 0, 4, 0},
    {1, 0, 1, 0, 2, 0, 0, 0, 3, 3, 0, 0, 2, 0, 0, 0},
    {0, 0, 1, 0, 2, 0, 0, 0, 0, 0, 1, 0, 2, 0, 0, 0},
    {3, 0, 0, 3, 4, 0, 0, 0, 3, 0, 3, 0, 4, 0, 0, 0},
    {1, 0, 0, 1, 3, 0, 0, 0, 3, 0, 3, 0, 3, 0, 4, 0},
    {0, 0, 0, 1, 2, 0, 0, 0, 0, 0, 0, 1, 2, 0, 2, 0},
    {1, 0, 0, 1, 2, 0, 0, 0, 1, 0, 0, 1, 2, 0, 0, 0},
    {1, 0, 0, 1, 2, 0, 0, 2, 1, 0, 0, 1, 2, 0, 0, 0},
    {1, 0, 0, 1, 2, 0, 0, 2, 3, 0, 0, 3, 4, 0, 0, 0},
    {1, 0, 0, 1, 2, 0, 2, 0, 3, 0, 0, 3, 4, 0, 4, 0},
};

const VGString& IncorrectSound() {
    static const VGString name(u"incorrect");
    return name;
}

void ClearFlags(PatternStep* head) {
    for (; head; head = head->next) head->flags = 0;
}

PatternStep* FirstUnjudged(PatternStep* head) {
    for (; head; head = head->next)
        if (head->flags == 0) return head;
    return nullptr;
}

// Snare, ride, crash or open hi-hat.
void AppendMemoryStep(DrumKit& kit) {
    PatternStep** tail = &kit.memorySequence;
    while (*tail) tail = &(*tail)->next;
    *tail = new PatternStep;
    (*tail)->piece = Snare + (uint32_t(platform::Rand()) & 3);
}

// The step window kit time t lies in: each step lasts two slot lengths. False when there is
// no slot length to divide by (a level without steps, or a damaged one), or before the start.
bool StepWindow(const DrumKit& kit, int32_t t, uint32_t& index, uint32_t& into) {
    uint32_t window = 2 * kit.slotLength;
    if (window == 0 || t < 0) return false;
    index = uint32_t(t) / window;
    into = uint32_t(t) - window * index;
    return true;
}

void MemoryStep(DrumKit& kit) {
    if (kit.phase == 0) {
        if (kit.clock < kDemoInterval) return;
        uint32_t k = uint32_t((kit.clock - kDemoInterval) / kDemoInterval);
        if (PatternStep* step = PatternStepAt(kit.memorySequence, k)) {
            if (step->flags == 0) {
                const int32_t due = kDemoInterval * int32_t(k + 1);
                Strike(kit, step->piece, KitStrokeStart(kit, due));
                step->flags = StepJudged;
            }
            return;
        }
        kit.phase = 1;
        ClearFlags(kit.memorySequence);
        return;
    }
    if (!HasUnplayedStep(kit) && KitTimeSince(kit.clock, kit.lastStrike) > kNextRoundPause) {
        kit.phase = 0;
        ClearFlags(kit.memorySequence);
        AppendMemoryStep(kit);
        ResetClock(kit);
    }
}

// Clicks and demonstrated strokes belong to the middle of their step's window: decided when
// the clock gets there, heard the look-ahead later.
void SoundRhythmStep(DrumKit& kit) {
    uint32_t k = 0, r = 0;
    if (!StepWindow(kit, kit.clock, k, r) || r < kit.slotLength) return;
    PatternStep* step = PatternStepAt(kit.rhythmPattern, k);
    if (!step) return;
    const SoundStart middle = KitStrokeStart(kit, int32_t(2 * kit.slotLength * k + kit.slotLength));
    if (!(step->flags & StepClicked)) {
        if (step->click == ClickLoud) kit.sounds->Play(u"metronomeLoud", 0, middle);
        if (step->click == ClickNormal) kit.sounds->Play(u"metronome", 0, middle);
        step->flags |= StepClicked;
    }
    if (step->phase != PhasePlayer && !(step->flags & StepJudged) && step->piece < kPieceCount) {
        Strike(kit, step->piece, middle);
        step->flags |= StepJudged;
    }
}

// The game's progress on the time the player hears. Nothing is heard yet during the first
// look-ahead of a level that has steps; one without any is over at once.
void FollowRhythmStep(DrumKit& kit) {
    const int32_t heard = KitTimeAdd(kit.clock, -kStrokeLookAheadMs);
    if (heard < 0 && kit.rhythmPattern && kit.slotLength) return;
    uint32_t k = 0, r = 0;
    PatternStep* step = StepWindow(kit, heard < 0 ? 0 : heard, k, r)
                            ? PatternStepAt(kit.rhythmPattern, k)
                            : nullptr;
    if (!step) {
        if (kit.levelDone == 0) {
            kit.levelDone = 1;
            kit.score += kLevelBonus;
        }
        // The bar is over: the turn indicator no longer says it is the player's turn.
        kit.phase = 0;
        return;
    }
    if (step->phase != kit.phase) {
        kit.phase = step->phase;
        if (kit.phase == PhasePlayer) kit.lifeLostInPhase = 0;
    }
    // A player's step still open once the next window has begun was missed.
    if (k > 0) {
        PatternStep* previous = PatternStepAt(kit.rhythmPattern, k - 1);
        if (!(previous->flags & StepJudged) && previous->phase == PhasePlayer &&
            previous->piece != kRestPiece) {
            LoseLife(kit);
            previous->flags |= StepJudged;
        }
    }
}

void RhythmStep(DrumKit& kit) {
    SoundRhythmStep(kit);
    FollowRhythmStep(kit);
}

void JudgeMemoryTap(DrumKit& kit, const Stroke& stroke) {
    PatternStep* step = FirstUnjudged(kit.memorySequence);
    if (!step) return;
    step->flags = StepJudged;
    if (step->piece == stroke.piece) return;
    kit.sounds->Play(IncorrectSound(), 4);
    kit.gameOver = 1;
    CheckHighScore(kit);
    kit.phase = 0;
}

void JudgeRhythmTap(DrumKit& kit, const Stroke& stroke) {
    uint32_t k = 0, r = 0;
    PatternStep* step =
        StepWindow(kit, stroke.time, k, r) ? PatternStepAt(kit.rhythmPattern, k) : nullptr;
    if (!step) return;
    if (step->piece == stroke.piece && !(step->flags & StepJudged)) {
        kit.lastGoodHit = kit.clock;
        kit.score += kStrokeScore;
    } else {
        // A wrong piece, a stroke on a rest, or a second stroke in the same window.
        LoseLife(kit);
        kit.sounds->PlayOnce(IncorrectSound(), 4);
    }
    step->flags |= StepJudged;
}

PatternStep* NewStep(uint32_t piece, uint32_t click, uint32_t phase) {
    PatternStep* step = new PatternStep;
    step->piece = piece;
    step->click = click;
    step->phase = phase;
    return step;
}

// A voice is its favourite piece three times in five, else any piece but the closed hi-hat.
uint32_t ChooseVoice(uint32_t favourite) {
    float chance = (float(platform::Rand()) * (1.0f / float(platform::kRandMax))) * 100.0f;
    if (chance < 60.0f) return favourite;
    return uint32_t(platform::Rand()) & 7;
}

} // namespace

void StartGame(DrumKit& kit, uint32_t mode) {
    kit.mode = mode;
    kit.gameOver = 0;
    kit.newHighScore = 0;
    kit.levelDone = 0;
    ResetClock(kit);
    if (mode == MemoryMaster) {
        kit.phase = 0;
        FreePattern(kit.memorySequence);
        AppendMemoryStep(kit);
    } else if (mode == RhythmMaster) {
        kit.score = 0;
        kit.lives = kStartLives;
        kit.levelStartScore = 0;
        kit.level = kit.startLevel;
        kit.phase = 0;
        kit.lifeLostInPhase = 0;
        LoadLevel(kit);
    }
}

void JudgeTap(DrumKit& kit, const Stroke& stroke) {
    if (kit.mode == MemoryMaster) JudgeMemoryTap(kit, stroke);
    if (kit.mode == RhythmMaster) JudgeRhythmTap(kit, stroke);
}

void GameStep(DrumKit& kit) {
    if (kit.mode == MemoryMaster) MemoryStep(kit);
    if (kit.mode == RhythmMaster) RhythmStep(kit);
}

bool HasUnplayedStep(const DrumKit& kit) {
    for (const PatternStep* step = kit.memorySequence; step; step = step->next)
        if (step->flags == 0) return true;
    return false;
}

uint32_t SequenceLength(const DrumKit& kit) {
    return PatternLength(kit.memorySequence);
}

uint32_t MemoryResult(const DrumKit& kit) {
    uint32_t length = SequenceLength(kit);
    return length > 0 ? length - 1 : 0;
}

void LoseLife(DrumKit& kit) {
    if (kit.lifeLostInPhase) return;
    kit.lifeLostInPhase = 1;
    // A restored game can arrive with no lives left; it ends instead of wrapping round.
    if (kit.lives <= 1) {
        kit.lives = 0;
        kit.gameOver = 1;
        kit.phase = 0;
        CheckHighScore(kit);
    } else {
        --kit.lives;
    }
    kit.sounds->Play(IncorrectSound(), 4);
}

void NextLevel(DrumKit& kit) {
    kit.levelDone = 0;
    kit.lifeLostInPhase = 0;
    kit.levelStartScore = kit.score;
    ++kit.level;
    if (kit.level > kit.maxLevel) kit.maxLevel = kit.level;
    ResetClock(kit);
    LoadLevel(kit);
}

void LoadLevel(DrumKit& kit) {
    kit.levelTitle.Clear();
    FreePattern(kit.rhythmPattern);
    if (kit.level >= kFirstGeneratedLevel) {
        GenerateLevel(kit, kit.level);
        return;
    }
    LevelData data;
    if (!LoadLevelFile(LevelFilePath(kit.level), data)) return;
    kit.levelTitle = data.title;
    kit.slotLength = data.slotLength;
    kit.rhythmPattern = data.pattern;
    data.pattern = nullptr;
}

void GenerateLevel(DrumKit& kit, uint32_t level) {
    kit.levelTitle.Clear();
    FreePattern(kit.rhythmPattern);
    // Faster with every level, down to 10 ms slots from level 101 on.
    kit.slotLength = level >= 101 ? 10 : 111 - level;
    kit.levelTitle = u"[4/4]";
    PatternStep** tail = &kit.rhythmPattern;
    auto append = [&tail](PatternStep* step) {
        *tail = step;
        tail = &step->next;
    };
    // Four beats of count-in, the first accented.
    for (uint32_t i = 0; i < kBarSteps; ++i) {
        uint32_t click = i == 0 ? ClickLoud : i % 4 == 0 ? ClickNormal : ClickNone;
        append(NewStep(kRestPiece, click, PhaseCountIn));
    }
    platform::SRand(level);
    for (uint32_t pair = 0; pair < kBarPairs; ++pair) {
        uint32_t voices[5] = {kRestPiece, 0, 0, 0, 0};
        voices[1] = ChooseVoice(Bass);
        voices[2] = ChooseVoice(Snare);
        voices[3] = ChooseVoice(HihatOpen);
        voices[4] = uint32_t(platform::Rand()) & 7;
        const uint8_t* bar = kTemplates[uint32_t(platform::Rand()) % kTemplateCount];
        for (uint32_t phase : {uint32_t(PhaseDemo), uint32_t(PhasePlayer)}) {
            for (uint32_t i = 0; i < kBarSteps; ++i) {
                uint32_t click = i == 0 ? ClickLoud : i % 4 == 0 ? ClickNormal : ClickNone;
                append(NewStep(voices[bar[i]], click, phase));
            }
        }
    }
    append(NewStep(kRestPiece, ClickNone, PhaseDemo));
}

VGString MemoryCounterText(const DrumKit& kit) {
    return Formatted(u"%5d", SequenceLength(kit));
}

VGString RhythmCounterText(const DrumKit& kit) {
    if (!kit.lifeLostInPhase && KitTimeSince(kit.clock, kit.lastGoodHit) <= kScoreShownMs)
        return Formatted(u"%5d", kit.score);
    auto heart = [&kit](uint32_t n) { return kit.lives >= n ? kGlyphHeart : kGlyphNoHeart; };
    return Formatted(u" %c%c%c ", heart(1), heart(2), heart(3));
}

VGString ResultTickerText(const VGString& label, uint32_t result, uint32_t now, int32_t& first) {
    VGString once = Formatted(u"%s %d  ", label, result);
    first = int32_t((now / 200) % once.Length());
    return once + once;
}
