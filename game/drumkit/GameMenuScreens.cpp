#include "game/drumkit/GameMenuScreens.h"

#include "game/GameApp.h"
#include "game/ScreenFactory.h"
#include "game/TextIds.h"
#include "game/drumkit/GameRules.h"
#include "game/drumkit/GameScreenParts.h"
#include "game/drumkit/ResumeFile.h"
#include "game/menus/OptionsScreen.h"
#include "varnokengine/VGApplication.h"
#include "varnokengine/VGBitmap.h"
#include "varnokengine/VGClock.h"
#include "varnokengine/VGDeviceScreen.h"
#include "varnokengine/VGFont.h"
#include "varnokengine/VGFormat.h"
#include "varnokengine/VGMenuItems.h"

#include <new>

namespace {

constexpr int32_t kRevealMs = 400;
// From this highest level on the rhythm game asks where to start.
constexpr uint32_t kStartChoiceLevel = 5;
constexpr int32_t kValueShadow = 4;
constexpr float kValueScale = 2.0f;

void SetFullClip() {
    if (const VGBitmap* target = RenderTarget.target) {
        RenderTarget.clipRight = int16_t(target->fullWidth);
        RenderTarget.clipLeft = 0;
    }
}

void DrawLevel(uint32_t level, int32_t x, float alpha) {
    TextBlock text;
    text.font = MenuFontOf(FontLarge);
    if (!text.font) return;
    text.alignment = AlignCentre;
    text.scale = kValueScale;
    text.shadowOffset = kValueShadow;
    text.x = int16_t(x);
    text.y = int16_t(FractionToY(0.25f, 1.0f) + text.font->ascent);
    text.SetText(Formatted(u"%d", level), Now);
    text.Draw(alpha, Now, TextShadowsOn());
}

} // namespace

int32_t RevealRight(int32_t elapsed, int32_t width) {
    if (elapsed >= kRevealMs) return width;
    if (elapsed < 0) return 0;
    return int32_t(float(elapsed) * 0.0025f * float(width));
}

VGScreen* StartNewGame(uint32_t mode) {
    DeleteResume();
    StartGame(TheKit(), mode);
    return CreateScreen(ScreenGameIntro);
}

void InGameMenuScreen::CreateSoftButtons() {
    SetTitle(GetText(TextPaused));
}

void InGameMenuScreen::CreateItems() {
    AddMenuEntry(kResume, 0.2f, 49, FlagPulse);
    AddMenuEntry(kOptions, 0.4f, 18, 0);
    AddMenuEntry(kExit, 0.6f, 50, 0);
    AddMenuEntry(kMainMenu, 0.8f, 51, 0);
}

void InGameMenuScreen::Draw() {
    // The clip stays set after drawing so that the menu's texts are revealed with it.
    SetFullClip();
    if (RenderTarget.target) {
        int32_t elapsed = int32_t(Now - uint32_t(enterTime));
        RenderTarget.clipRight = int16_t(RevealRight(elapsed, RenderTarget.target->fullWidth));
    }
    MenuScreen::Draw();
}

void InGameMenuScreen::Leave() {
    SetFullClip();
    MenuScreen::Leave();
}

VGScreen* InGameMenuScreen::OnAction(int32_t id) {
    switch (id) {
    case kResume:
    case ActionBack:
        return CreateScreen(ScreenKit);
    case kOptions:
        return new (std::nothrow) OptionsScreen(ScreenInGameMenu);
    case kExit:
        TheApp->quitRequest = 1;
        return nullptr;
    case kMainMenu:
        return CreateScreen(ScreenMainMenu);
    default:
        return nullptr;
    }
}

void InGameMenuScreen::OnExit() {
    SaveResume(TheKit());
}

void ResultsMenuScreen::Enter() {
    MenuScreen::Enter();
    PrepareKit();
}

void ResultsMenuScreen::CreateItems() {
    const VGString& title = GetText(TextPlayAgain);
    AddItem(ItemY(0.2f, title, FontLarge, kMenuSpread), title, 0, FontLarge, AlignCentre,
            TargetWidth() / 2);
    AddMenuEntry(kPlayAgain, 0.5f, 69, FlagPulse);
    AddMenuEntry(kMainMenu, 0.7f, 70, 0);
}

VGScreen* ResultsMenuScreen::Update() {
    RunKitClock();
    return MenuScreen::Update();
}

void ResultsMenuScreen::DrawContent() {
    DrawKitBehind();
    DrawBackingBehindItems();
    DrawResultTicker();
}

VGScreen* ResultsMenuScreen::OnAction(int32_t id) {
    DrumKit& kit = TheKit();
    if (id == kPlayAgain) {
        if (kit.mode == RhythmMaster && kit.maxLevel >= kStartChoiceLevel)
            return new (std::nothrow) RhythmStartScreen(ScreenResultsMenu);
        StartGame(kit, kit.mode);
        return CreateScreen(ScreenGameIntro);
    }
    if (id == kMainMenu) return CreateScreen(ScreenMainMenu);
    return nullptr;
}

VGString SavedGameText(const ResumeSummary& game) {
    if (game.mode == MemoryMaster)
        return Formatted(u"%s\n%s %d", GetText(TextMemoryMaster), GetText(TextScore), game.result);
    return Formatted(u"%s\n%s %d - %s %d", GetText(TextRhythmMaster), GetText(TextLevel),
                     game.level, GetText(TextScore), game.result);
}

void ResumeScreen::CreateSoftButtons() {
    SetTitle(GetText(TextSavedGame));
    AddBackButton(TextBack, 0);
}

void ResumeScreen::CreateItems() {
    AddMenuEntry(kResume, 0.1f, 49, FlagPulse);
    ResumeSummary game;
    if (PeekResume(game)) {
        VGString text = SavedGameText(game);
        AddItem(ItemY(0.4f, text, FontSmall, kMenuSpread), text, 0, FontSmall, AlignCentre,
                TargetWidth() / 2);
    }
    AddMenuEntry(kDecline, 0.7f, 109, 0);
}

VGScreen* ResumeScreen::OnAction(int32_t id) {
    switch (id) {
    case kResume: {
        bool restored = LoadResume(TheKit());
        DeleteResume();
        if (!restored) {
            // What a damaged file left half restored must not pass for a game.
            StartGame(TheKit(), FreePlay);
            return CreateScreen(ScreenGameSelect);
        }
        return CreateScreen(TheKit().gameOver ? ScreenGameOver : ScreenGameIntro);
    }
    case kDecline:
        return CreateScreen(ScreenGameSelect);
    case ActionBack:
        return CreateScreen(ScreenMainMenu);
    default:
        return nullptr;
    }
}

void RhythmStartScreen::CreateSoftButtons() {
    SetTitle(GetText(65));
    AddBackButton(TextBack, 0);
}

void RhythmStartScreen::CreateItems() {
    AddMenuEntry(kStart, 0.76f, 11, FlagPulse);
    previousLevel = TheKit().startLevel;
}

void RhythmStartScreen::DrawValue(int32_t x, float alpha) {
    DrawLevel(TheKit().startLevel, x, alpha);
}

void RhythmStartScreen::DrawPreviousValue(int32_t x, float alpha) {
    DrawLevel(previousLevel, x, alpha);
}

VGScreen* RhythmStartScreen::OnCentreTap() {
    OnRight();
    return nullptr;
}

void RhythmStartScreen::OnLeft() {
    DrumKit& kit = TheKit();
    previousLevel = kit.startLevel;
    kit.startLevel = PreviousStartLevel(kit.startLevel, kit.maxLevel);
}

void RhythmStartScreen::OnRight() {
    DrumKit& kit = TheKit();
    previousLevel = kit.startLevel;
    kit.startLevel = NextStartLevel(kit.startLevel, kit.maxLevel);
}

VGScreen* RhythmStartScreen::OnAction(int32_t id) {
    if (id == kStart) return StartNewGame(RhythmMaster);
    if (id == ActionBack) return CreateScreen(returnId);
    return nullptr;
}
