// The menu-item list, its layout and focus, and the standard screen behaviour.
#include "game/GameApp.h"
#include "game/GameButtons.h"
#include "game/ScreenFactory.h"
#include "game/menus/DrumMachineMenuScreen.h"
#include "game/menus/MainMenuScreen.h"
#include "game/menus/SettingsMenuScreen.h"
#include "tests/menus/MenuHarness.h"
#include "varnokengine/VGDeviceScreen.h"
#include "varnokengine/VGFont.h"
#include "varnokengine/VGMenuItems.h"
#include "varnokengine/VGScreen.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

// Counts the actions it is sent; three entries, with or without a soft button.
class RecordingScreen final : public VGScreen {
public:
    explicit RecordingScreen(int entries = 3, bool softButton = true)
        : entries(entries), softButton(softButton) {}
    void CreateSoftButtons() override {
        SetTitle(VGString(u"title words"));
        if (softButton) AddBackButton(1, 0);
    }
    void CreateItems() override {
        for (int i = 0; i < entries; ++i)
            AddMenuEntry(100 + i, 0.3f * float(i), 11, i == 0 ? FlagPulse : 0);
        AddDescription(0.0f, 11, 46);
    }
    VGScreen* OnAction(int32_t id) override {
        actions.push_back(id);
        return nullptr;
    }
    int entries;
    bool softButton;
    std::vector<int32_t> actions;
};

TEST(MenuLayoutTest, ContentAreaLiesBetweenTheBarsOnTheSmallScreen) {
    MenuHarness h(240, 320);
    LoadMenuImages();
    int32_t title = h.app->TitleBarHeight(), soft = h.app->SoftBarHeight();
    ASSERT_GT(title, 0);
    ASSERT_GT(soft, 0);
    EXPECT_EQ(ContentHeight(), 320);
    SetTitle(VGString(u"settings"));
    AddBackButton(1, 0);
    EXPECT_EQ(ContentHeight(), 320 - title - soft);
    EXPECT_EQ(ContentCentre(), title + (320 - title - soft) / 2);
    EXPECT_EQ(FractionToY(0.5f, kMenuSpread), ContentCentre());
    EXPECT_EQ(MenuExtent(), std::min(ContentHeight(), 175));
    EXPECT_EQ(FractionToY(0.0f, 1.0f),
              int32_t(float(ContentCentre()) - float(MenuExtent()) * 0.5f));
    // A title that fits stays on one line, lower than a two-line title; only a title too
    // wide for the screen is split at its middle blank.
    EXPECT_EQ(Items().slots[kTitleSlot]->y, 26);
    SetTitle(VGString(u"device\ninfo"));
    EXPECT_EQ(Items().slots[kTitleSlot]->y, 26);
    EXPECT_EQ(Items().slots[kTitleSlot]->lines->next, nullptr);
    SetTitle(VGString(u"a title far too wide for this screen"));
    EXPECT_EQ(Items().slots[kTitleSlot]->y, 18);
    ASSERT_NE(Items().slots[kTitleSlot]->lines->next, nullptr);
    EXPECT_LE(Items().slots[kTitleSlot]->LineWidth(Items().slots[kTitleSlot]->lines), 240);
    // Multi-line entries are centred on their fraction.
    const VGFont* large = MenuFontOf(FontLarge);
    EXPECT_EQ(ItemY(0.5f, VGString(u"a\nb\nc"), FontLarge, kMenuSpread),
              large->ascent / 2 - large->lineHeight + ContentCentre());
    ClearItems();
}

TEST(MenuLayoutTest, ShortTargetsShowOnlyTheBackGlyphAtTheRightEdge) {
    MenuHarness h(220, 176);
    LoadMenuImages();
    AddBackButton(1, 0);
    TextBlock* back = Items().slots[kSoftButtonSlot];
    ASSERT_NE(back, nullptr);
    ASSERT_NE(back->lines, nullptr);
    ASSERT_NE(back->lines->letters, nullptr);
    EXPECT_EQ(back->lines->letters->code, kBackGlyph);
    EXPECT_EQ(back->lines->letters->next, nullptr);
    EXPECT_EQ(back->y, 175);
    const VGFont* large = MenuFontOf(FontLarge);
    EXPECT_EQ(back->lines->x, int32_t(210.0f - float(large->CharWidth(kBackGlyph)) * 0.5f));
    EXPECT_EQ(ContentHeight(), 176);
    ClearItems();
}

TEST(MenuLayoutTest, EntriesFillFourteenSlotsAndFocusGoesRound) {
    MenuHarness h(240, 320);
    for (int i = 0; i < 15; ++i) AddEntry(i, 100, VGString(u"x"), i == 0 ? FlagPulse : 0);
    EXPECT_EQ(MenuEntryCount(), 14);
    EXPECT_EQ(ItemWithTag(14), nullptr);
    ClearItems();

    // Without a soft button the entries form a ring.
    for (int i = 0; i < 3; ++i)
        AddEntry(10 + i, 50 + 40 * i, VGString(u"x"), i == 0 ? FlagPulse : 0);
    FocusPrevious();
    EXPECT_EQ(FocusedItem()->tag, 12);
    FocusNext();
    EXPECT_EQ(FocusedItem()->tag, 10);
    // With one, it sits between the last entry and the first.
    AddBackButton(1, 0);
    FocusPrevious();
    EXPECT_EQ(FocusedIndex(), kSoftButtonSlot);
    FocusPrevious();
    EXPECT_EQ(FocusedItem()->tag, 12);
    FocusNext();
    EXPECT_EQ(FocusedIndex(), kSoftButtonSlot);
    FocusNext();
    EXPECT_EQ(FocusedItem()->tag, 10);
    SetFocus(11);
    EXPECT_EQ(FocusedItem()->tag, 11);
    EXPECT_EQ(ItemWithTag(10)->flags & FlagPulse, 0u);
    ClearItems();
    EXPECT_EQ(FocusedIndex(), -1);
}

TEST(MenuLayoutTest, HitTestFindsEntriesButNeverTitlesTextsOrHiddenItems) {
    MenuHarness h(480, 640);
    SetTitle(VGString(u"title"));
    AddEntry(7, 300, VGString(u"play"), 0);
    AddItem(400, VGString(u"description"), 0, FontSmall, AlignCentre, 240);
    EXPECT_EQ(ItemAt(240, 290), ItemWithTag(7));
    EXPECT_EQ(ItemAt(240, 305), nullptr);
    EXPECT_EQ(ItemAt(240, 45), nullptr);
    EXPECT_EQ(ItemAt(240, 395), nullptr);
    ItemWithTag(7)->flags |= FlagHidden;
    EXPECT_EQ(ItemAt(240, 290), nullptr);
    ClearItems();
}

TEST(StandardUpdateTest, InputIsIgnoredForThreeHundredMillisecondsAfterEntry) {
    MenuHarness h(240, 320);
    auto* screen = static_cast<RecordingScreen*>(h.Show(new RecordingScreen));
    h.app->PressKey(KeyAction);
    h.Step();
    h.Wait(400);
    h.Step(); // still held, but the press was in the locked time and no repeat is due yet
    EXPECT_TRUE(screen->actions.empty());
    h.app->ReleaseKey(KeyAction);
    h.Step();
    h.Press(KeyAction);
    EXPECT_EQ(screen->actions, std::vector<int32_t>{100});
}

TEST(StandardUpdateTest, KeysMoveTheFocusActivateAndGoBack) {
    MenuHarness h(240, 320);
    auto* screen = static_cast<RecordingScreen*>(h.Show(new RecordingScreen));
    h.Wait(400);
    h.Press(KeyDown);
    h.Press(KeyAction);
    h.Press(KeyUp);
    h.Press(KeyUp); // to the soft button
    h.Press(KeyAction);
    h.Press(KeyBack);
    EXPECT_EQ(screen->actions, (std::vector<int32_t>{101, ActionBack, ActionBack}));
    // The action key's repeat reaches only entries marked to repeat.
    h.app->PressKey(KeyAction);
    h.Step();
    h.app->keys[KeyAction].flags |= KeyRepeated;
    h.Step();
    EXPECT_EQ(screen->actions.size(), 4u);
    ItemWithTag(kTagBack)->flags |= FlagRepeat;
    h.app->keys[KeyAction].flags |= KeyRepeated;
    h.Step();
    EXPECT_EQ(screen->actions.size(), 5u);
    h.app->ReleaseKey(KeyAction);
}

TEST(StandardUpdateTest, ASingleEntryWithoutSoftButtonDoesNotMove) {
    MenuHarness h(240, 320);
    h.Show(new RecordingScreen(1, false));
    h.Wait(400);
    TextBlock* only = FocusedItem();
    h.Press(KeyDown);
    h.Press(KeyUp);
    EXPECT_EQ(FocusedItem(), only);
}

TEST(StandardUpdateTest, ATapActivatesOnlyTheItemItWentDownOn) {
    MenuHarness h(480, 640);
    auto* screen = static_cast<RecordingScreen*>(h.Show(new RecordingScreen));
    h.Wait(400);
    auto centreOf = [](int32_t tag) {
        TextBlock* item = ItemWithTag(tag);
        return std::pair<int32_t, int32_t>{item->lines->x + 4, item->lines->y - 4};
    };
    auto [x1, y1] = centreOf(101);
    auto [x2, y2] = centreOf(102);
    h.app->stylusX = int16_t(x1), h.app->stylusY = int16_t(y1);
    h.app->PressKey(KeyStylus);
    h.Step();
    EXPECT_EQ(FocusedItem()->tag, 101);
    EXPECT_EQ(h.app->pressedMenuItem, 101);
    h.app->stylusX = int16_t(x2), h.app->stylusY = int16_t(y2);
    h.app->ReleaseKey(KeyStylus);
    h.Step();
    EXPECT_TRUE(screen->actions.empty());
    h.Tap(x2, y2);
    EXPECT_EQ(screen->actions, std::vector<int32_t>{102});
    // A tap on the title does nothing.
    h.Tap(120, 20);
    EXPECT_EQ(screen->actions.size(), 1u);
}

TEST(ScreenFactoryTest, NumbersWithoutScreensGiveNone) {
    MenuHarness h(240, 320);
    for (uint32_t id : {2u, 6u, 7u, 12u, 1000u}) EXPECT_EQ(CreateScreen(id), nullptr) << id;
    std::unique_ptr<VGScreen> settings(CreateScreen(ScreenSettingsMenu));
    std::unique_ptr<VGScreen> main(CreateScreen(ScreenMainMenu));
    std::unique_ptr<VGScreen> machine(CreateScreen(ScreenDrumMachineMenu));
    EXPECT_NE(dynamic_cast<SettingsMenuScreen*>(settings.get()), nullptr);
    EXPECT_NE(dynamic_cast<MainMenuScreen*>(main.get()), nullptr);
    EXPECT_NE(dynamic_cast<DrumMachineMenuScreen*>(machine.get()), nullptr);
}

} // namespace
