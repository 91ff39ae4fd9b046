// The kit screen inside the real application object on the headless display, with the baked
// data of this build: reaching it from the menus, the tempo button's press and auto-repeat,
// the metronome switch, taps on the kit, and the ways back to the game selection.
#include "game/drumkit/KitScreen.h"
#include "game/GameApp.h"
#include "game/GameButtons.h"
#include "game/ScreenFactory.h"
#include "game/drumkit/GameSelectScreen.h"
#include "platform/video/DeviceEvents.h"
#include "tests/drumkit/KitAppFixture.h"
#include "varnokengine/VGApplication.h"
#include "varnokengine/VGClock.h"
#include "varnokengine/VGDeviceScreen.h"
#include "varnokengine/VGError.h"
#include "varnokengine/VGRegistry.h"
#include "varnokengine/VGWindows.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class KitScreenTest : public KitAppFixture {
protected:
    void SetUp() override {
        StartApp();
        if (IsSkipped()) return;
        // Main menu, play, free play: the first entry is focused on both.
        Run(400);
        Key(kActionKey);
        Run(400);
        Key(kActionKey);
        Run(50);
        ASSERT_NE(dynamic_cast<KitScreen*>(TheGameApp()->currentScreen), nullptr);
        ASSERT_EQ(ErrorFlag, 0u) << "start-up failed";
    }
    // A point inside a button of the "buttons" pack, from where the bottom row puts it.
    static const VGBitmap* Button(uint32_t id) { return TheGameApp()->buttonImages.Get(id); }
    // The picture drawn last (the metronome is off, so nothing else moves on it).
    static std::vector<uint16_t> ScreenPixels() {
        const VGBitmap* b = TheDisplay.backBuffer;
        return std::vector<uint16_t>(b->pixels, b->pixels + size_t(b->width) * size_t(b->height));
    }
    static int32_t BarRight() {
        return TheDisplay.backBuffer->halfWidth + Button(ButtonCentreBar)->halfWidth;
    }
};

TEST_F(KitScreenTest, TempoButtonStepsOneOnAPressAndTenOnEachRepeat) {
    const VGBitmap* arrows = Button(ButtonUpDown);
    const int32_t x = BarRight() + arrows->halfWidth;
    const int32_t h = TheDisplay.backBuffer->fullHeight;
    const int32_t upperY = h - arrows->fullHeight * 3 / 4, lowerY = h - arrows->fullHeight / 4;

    Run(500);
    Down(x, upperY);
    EXPECT_EQ(kit().tempo, 121);
    EXPECT_LT(kit().clock, 20); // the change restarts the bar
    Up(x, upperY);

    // Held on the lower half: -1 at once, then -10 for every repeat pulse (300 ms, then
    // every 160 ms).
    Down(x, lowerY);
    const uint32_t pressed = clock.TickCount();
    EXPECT_EQ(kit().tempo, 120);
    std::vector<std::pair<int32_t, uint32_t>> changes; // tempo, ms after the press
    while (clock.TickCount() - pressed < 700) {
        int32_t before = kit().tempo;
        FrameTick();
        if (kit().tempo != before) changes.push_back({kit().tempo, clock.TickCount() - pressed});
    }
    Up(x, lowerY);
    ASSERT_EQ(changes.size(), 3u);
    EXPECT_EQ(changes[0].first, 110);
    EXPECT_EQ(changes[1].first, 100);
    EXPECT_EQ(changes[2].first, 90);
    EXPECT_NEAR(double(changes[0].second), 300, 20);
    EXPECT_NEAR(double(changes[1].second - changes[0].second), 160, 20);

    // The limits hold however long the button is held.
    Down(x, lowerY);
    Run(3000);
    Up(x, lowerY);
    EXPECT_EQ(kit().tempo, 10);
}

TEST_F(KitScreenTest, MetronomeButtonFlipsTheStoredSwitchOncePerTap) {
    const VGBitmap* button = Button(ButtonMetronomeOn);
    const int32_t x =
        TheDisplay.backBuffer->halfWidth - Button(ButtonCentreBar)->halfWidth - button->halfWidth;
    const int32_t y = TheDisplay.backBuffer->fullHeight - button->halfHeight;
    ASSERT_EQ(TheGameApp()->metronome, 1u);
    Down(x, y);
    Run(1000); // held: no flicker
    Up(x, y);
    EXPECT_EQ(TheGameApp()->metronome, 0u);
    EXPECT_EQ(ReadOption(u"Metronome", 1), 0u);
    recorder->played.clear();
    Run(2000);
    EXPECT_TRUE(recorder->played.empty()); // switched off: silent
    Down(x, y);
    Up(x, y);
    EXPECT_EQ(TheGameApp()->metronome, 1u);
    EXPECT_EQ(ReadOption(u"Metronome", 0), 1u);
}

TEST_F(KitScreenTest, TapsPlayThePiecesAndBackLeadsToTheGameSelection) {
    const int32_t cx = TheDisplay.backBuffer->halfWidth, cy = TheDisplay.backBuffer->halfHeight;
    recorder->played.clear();
    Down(cx + kit().pieces[Snare].x, cy + kit().pieces[Snare].y);
    Up(cx + kit().pieces[Snare].x, cy + kit().pieces[Snare].y);
    ASSERT_FALSE(recorder->played.empty());
    EXPECT_EQ(recorder->played[0].name, "restart snare");
    EXPECT_EQ(kit().lastPiece, uint32_t(Snare));

    Key(kBackKey);
    EXPECT_NE(dynamic_cast<GameSelectScreen*>(TheGameApp()->currentScreen), nullptr);

    // Back in, then out through the corner button.
    Run(400);
    Key(kActionKey);
    ASSERT_NE(dynamic_cast<KitScreen*>(TheGameApp()->currentScreen), nullptr);
    const VGBitmap* corner = Button(ButtonBack);
    Down(TheDisplay.backBuffer->fullWidth - corner->halfWidth,
         TheDisplay.backBuffer->fullHeight - corner->halfHeight);
    EXPECT_NE(dynamic_cast<GameSelectScreen*>(TheGameApp()->currentScreen), nullptr);
}

// Keys and controller buttons strike through the same path as taps.
class KitKeysTest : public KitScreenTest {
protected:
    static uint32_t Letter(char c) { return PackKeyCodes(0, platform::LetterKey(c)); }
    static void KeyDown(uint32_t wParam, uint32_t lParam = 1) {
        WindowProc(kMsgKeyDown, wParam, lParam);
    }
    static void KeyUp(uint32_t wParam) { WindowProc(kMsgKeyUp, wParam, 0xC0000001u); }
    std::vector<std::string> Strikes() const {
        std::vector<std::string> names;
        for (const PlayedSound& p : recorder->played)
            if (p.name.rfind("restart ", 0) == 0) names.push_back(p.name.substr(8));
        return names;
    }
};

TEST_F(KitKeysTest, HeldKeyStrikesOnceAndKeysInOneFrameStrikeEachPiece) {
    Run(400);
    recorder->played.clear();
    KeyDown(Letter('d'));
    FrameTick();
    KeyDown(Letter('d'), 1 | kAlreadyDownBit); // the host's own repeat
    Run(1000);                                 // past several repeat pulses
    EXPECT_EQ(Strikes(), std::vector<std::string>{"snare"});
    EXPECT_EQ(kit().lastPiece, uint32_t(Snare));
    // The stick lands where a tap on the snare's landing point would put it.
    EXPECT_EQ(kit().pieces[Snare].hitX, kit().pieces[Snare].x);
    EXPECT_EQ(kit().pieces[Snare].hitY, kit().pieces[Snare].y);
    KeyUp(Letter('d'));
    FrameTick();

    recorder->played.clear();
    KeyDown(Letter('l'));
    KeyDown(PackKeyCodes(platform::keycode::Action, platform::deskkey::Space));
    KeyDown(Letter('w'));
    FrameTick();
    EXPECT_EQ(Strikes(), (std::vector<std::string>{"tom_low", "bass", "crash"}));
}

TEST_F(KitKeysTest, TriggersStrikeAsDeepAsTheyArePressedAndBButtonsDoNotLeave) {
    Run(400);
    recorder->played.clear();
    KeyDown(PackKeyCodes(0, platform::deskkey::PadLeftTrigger), 1 | 102u << kDepthShift);
    FrameTick();
    KeyDown(PackKeyCodes(0, platform::deskkey::PadB));
    FrameTick();
    std::vector<PlayedSound> strikes;
    for (const PlayedSound& p : recorder->played)
        if (p.name.rfind("restart ", 0) == 0) strikes.push_back(p);
    ASSERT_EQ(strikes.size(), 2u);
    EXPECT_EQ(strikes[0].name, "restart bass");
    EXPECT_FLOAT_EQ(strikes[0].volume, 0.4f);
    EXPECT_EQ(strikes[1].name, "restart tom_mid");
    EXPECT_FLOAT_EQ(strikes[1].volume, 1.0f);
    EXPECT_TRUE(On<KitScreen>()); // B strikes here; Start is the way to the menu
    KeyDown(PackKeyCodes(0, platform::deskkey::PadStart));
    FrameTick();
    EXPECT_NE(dynamic_cast<GameSelectScreen*>(TheGameApp()->currentScreen), nullptr);
    EXPECT_FALSE(TheApp->padStrikes);
}

TEST_F(KitKeysTest, HelpShowsWhileHeldOrFromOnePressToTheNext) {
    Run(400);
    WindowProc(kMsgKeyDown, Letter('h'), 1);
    Run(600);
    const std::vector<uint16_t> held = ScreenPixels();
    WindowProc(kMsgKeyUp, Letter('h'), 0xC0000001u);
    Run(100);
    const std::vector<uint16_t> afterHold = ScreenPixels();
    EXPECT_NE(held, afterHold); // a hold: gone when let go
    KeyDown(Letter('h'));
    FrameTick();
    KeyUp(Letter('h'));
    Run(500);
    EXPECT_EQ(ScreenPixels(), held); // a short press: it stays up
    KeyDown(Letter('h'));
    FrameTick();
    KeyUp(Letter('h'));
    Run(100);
    EXPECT_EQ(ScreenPixels(), afterHold);
}

} // namespace
