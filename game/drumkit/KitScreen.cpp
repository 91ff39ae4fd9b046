#include "game/drumkit/KitScreen.h"

#include "game/GameApp.h"
#include "game/GameButtons.h"
#include "game/ScreenFactory.h"
#include "game/TextIds.h"
#include "game/drumkit/GameFlowScreens.h"
#include "game/drumkit/GameScreenParts.h"
#include "game/drumkit/Metronome.h"
#include "game/drumkit/ResumeFile.h"
#include "varnokengine/VGApplication.h"
#include "varnokengine/VGClock.h"
#include "varnokengine/VGDeviceScreen.h"
#include "varnokengine/VGGame.h"
#include "varnokengine/VGMenuItems.h"
#include "varnokengine/VGScreenMenu.h"
#include "varnokengine/VGTextBlock.h"

#include <new>

namespace {

// A fresh press steps the tempo by one; each auto-repeat pulse of a held stylus by ten.
constexpr int32_t kTempoStep = 1;
constexpr int32_t kTempoRepeatStep = 10;

uint32_t MenuButton(const DrumKit& kit) {
    return IsGameMode(kit.mode) ? ButtonPause : ButtonBack;
}

} // namespace

KitInput FrameKitInput() {
    const VGApplication& app = *TheApp;
    KitInput in;
    in.frameDelta = FrameDelta;
    in.now = FrameStart;
    in.stylusPressed = app.IsPressed(KeyStylus);
    in.stylusTime = app.keys[KeyStylus].eventTime;
    in.stylusX = app.stylusX;
    in.stylusY = app.stylusY;
    in.screenWidth = TargetWidth();
    in.screenHeight = TargetHeight();
    in.metronome = TheGameApp()->metronome;
    return in;
}

void ShowLoadingMessage() {
    VGBitmap* screen = RenderTarget.target;
    if (!screen || !TheGame() || !TheGame()->largeFont) return;
    screen->Fill(ColourBlack);
    TextBlock message;
    message.font = TheGame()->largeFont;
    message.alignment = AlignCentre;
    message.x = int16_t(screen->halfWidth);
    message.y = int16_t(screen->halfHeight);
    message.SetText(GetText(TextLoading), Now);
    message.Draw(1.0f, Now, TextShadowsOn());
    TheDisplay.Present();
}

void KitScreen::Enter() {
    VGScreen::Enter();
    LoadKit(TheGameApp()->kit, LayoutScale, ShowLoadingMessage);
    LoadButtonImages();
    TheApp->padStrikes = true;
}

void KitScreen::Leave() {
    TheApp->padStrikes = false;
    VGScreen::Leave();
}

VGScreen* KitScreen::Update() {
    if (VGScreen* next = VGScreen::Update()) return next;
    DrumKit& kit = TheGameApp()->kit;
    KitInput input = FrameKitInput();
    AddKeyStrokes(TheGameApp()->drumKeys, *TheApp, input);
    UpdateKit(kit, input);
    UpdateKitHelp(help, *TheApp, Now);
    if (kit.gameOver && IsGameMode(kit.mode)) return CreateScreen(ScreenGameOver);
    if (kit.levelDone && kit.mode == RhythmMaster) return new (std::nothrow) LevelCompleteScreen;
    const VGApplication& app = *TheApp;
    bool menuTapped = app.IsPressed(KeyStylus) && HitCornerButton(MenuButton(kit));
    if (app.IsPressed(KeyBack) || menuTapped) {
        if (menuTapped) PlayClick();
        return CreateScreen(IsGameMode(kit.mode) ? ScreenInGameMenu : ScreenGameSelect);
    }
    if (kit.mode == FreePlay) UpdateFreePlayButtons();
    return nullptr;
}

void KitScreen::OnExit() {
    SaveResume(TheGameApp()->kit);
}

void KitScreen::UpdateFreePlayButtons() {
    const VGApplication& app = *TheApp;
    bool pressed = app.IsPressed(KeyStylus);
    bool repeated = app.IsRepeated(KeyStylus);
    if (!pressed && !repeated) return;
    DrumKit& kit = TheGameApp()->kit;
    int32_t step = pressed ? kTempoStep : kTempoRepeatStep;
    // The switch flips once per tap; holding it does not make it flicker.
    if (pressed && HitMetronomeButton()) {
        PlayClick();
        SetMetronomeSwitch(TheGameApp()->metronome, TheGameApp()->metronome ? 0 : 1);
    } else if (HitUpDownUpper()) {
        PlayClick();
        TempoUp(kit, step);
    } else if (HitUpDownLower()) {
        PlayClick();
        TempoDown(kit, step);
    }
}

void KitScreen::Draw() {
    DrumKit& kit = TheGameApp()->kit;
    DrawKit(kit, GraphicsQuality, LayoutScale);
    DrawCornerButton(MenuButton(kit));
    if (kit.mode != FreePlay) {
        DrawGameCounter();
    } else {
        DrawMetronomeButton();
        DrawCharWindow(TempoText(kit, TheGameApp()->metronome), 0);
        DrawRightOfBar(ButtonUpDown);
    }
    DrawKitHelp(help, kit, TheGameApp()->drumKeys);
}
