#include "game/drumkit/GameFlowScreens.h"

#include "game/GameApp.h"
#include "game/GameButtons.h"
#include "game/ScreenFactory.h"
#include "game/TextIds.h"
#include "game/drumkit/GameRules.h"
#include "game/drumkit/GameScreenParts.h"
#include "game/drumkit/ResumeFile.h"
#include "game/drumkit/ScoreScreens.h"
#include "varnokengine/VGApplication.h"
#include "varnokengine/VGClock.h"
#include "varnokengine/VGFormat.h"
#include "varnokengine/VGMenuItems.h"
#include "varnokengine/VGScreenMenu.h"

#include <new>

namespace {

// The introduction cannot be skipped in its first second; the caption moves one place every
// 150 ms once the glyphs have run down.
constexpr int32_t kIntroLockMs = 1000;
constexpr int32_t kGlyphRunMs = 1200;
constexpr int32_t kCaptionStepMs = 150;
// The game-over screen ignores taps for a second and leaves by itself after five.
constexpr int32_t kGameOverLockMs = 1000;
constexpr int32_t kGameOverMs = 5000;

int32_t Elapsed(const VGScreen& screen) {
    return int32_t(Now - uint32_t(screen.enterTime));
}

bool AnyKeyOrTap() {
    const VGApplication& app = *TheApp;
    return app.IsPressed(KeyBack) || app.IsPressed(KeyAction) || app.IsPressed(KeyStylus);
}

} // namespace

VGString IntroGlyphs(int32_t elapsed) {
    static constexpr int32_t kDelay[5] = {0, 1, 2, 1, 0};
    VGString glyphs;
    for (int32_t d : kDelay) {
        int32_t step = (elapsed - 200) / 70 - d;
        step = step < 0 ? 0 : step > 7 ? 7 : step;
        glyphs.Append(char16_t(27 - step));
    }
    return glyphs;
}

int32_t IntroCaptionFirst(int32_t elapsed) {
    return (elapsed - 1300) / kCaptionStepMs - 5;
}

int32_t IntroLength(uint32_t captionLength) {
    return kCaptionStepMs * int32_t(captionLength) + 2200;
}

void GameIntroScreen::Enter() {
    VGScreen::Enter();
    PrepareKit();
    const DrumKit& kit = TheKit();
    if (kit.mode == RhythmMaster)
        caption = Formatted(u"%s %d: %s", GetText(TextLevel), kit.level, kit.levelTitle);
    else
        caption = GetText(TextMemoryMasterTitle);
}

VGScreen* GameIntroScreen::Update() {
    int32_t elapsed = Elapsed(*this);
    if (elapsed > IntroLength(caption.Length())) return CreateScreen(ScreenKit);
    if (elapsed > kIntroLockMs && AnyKeyOrTap()) {
        PlayClick();
        return CreateScreen(ScreenKit);
    }
    return nullptr;
}

void GameIntroScreen::Draw() {
    DrawKitBehind();
    int32_t elapsed = Elapsed(*this);
    if (elapsed < kGlyphRunMs)
        DrawCharWindow(IntroGlyphs(elapsed), 0);
    else
        DrawCharWindow(caption, IntroCaptionFirst(elapsed));
}

void GameIntroScreen::OnExit() {
    SaveResume(TheKit());
}

void LevelCompleteScreen::Enter() {
    MenuScreen::Enter();
    PrepareKit();
}

void LevelCompleteScreen::CreateSoftButtons() {
    AddForwardButton(TextContinue, FlagPulse);
}

void LevelCompleteScreen::CreateItems() {
    VGString text = Formatted(u"%s %d", GetText(TextScore), TheKit().score);
    AddItem(ItemY(0.4f, text, FontLarge, kMenuSpread), text, 0, FontLarge, AlignCentre,
            TargetWidth() / 2);
}

VGScreen* LevelCompleteScreen::Update() {
    RunKitClock();
    return MenuScreen::Update();
}

void LevelCompleteScreen::DrawContent() {
    DrawKitBehind();
    DrawBackingBehindItems();
}

VGScreen* LevelCompleteScreen::OnAction(int32_t id) {
    if (id != kTagForward) return nullptr;
    NextLevel(TheKit());
    return CreateScreen(ScreenGameIntro);
}

void LevelCompleteScreen::OnExit() {
    SaveResume(TheKit());
}

void GameOverScreen::Enter() {
    VGScreen::Enter();
    PrepareKit();
}

VGScreen* GameOverScreen::Update() {
    RunKitClock();
    int32_t elapsed = Elapsed(*this);
    if (elapsed < kGameOverLockMs) return nullptr;
    if (elapsed < kGameOverMs) {
        // A tap, or the action or back key, ends the screen early.
        const VGApplication& app = *TheApp;
        if (!app.IsPressed(KeyStylus) && !app.IsPressed(KeyAction) && !app.IsPressed(KeyBack))
            return nullptr;
        PlayClick();
    }
    if (TheKit().newHighScore) return new (std::nothrow) NameEntryScreen;
    return CreateScreen(ScreenResultsMenu);
}

void GameOverScreen::Draw() {
    DrawKitBehind();
    DrawResultTicker();
}

void GameOverScreen::OnExit() {
    SaveResume(TheKit());
}
