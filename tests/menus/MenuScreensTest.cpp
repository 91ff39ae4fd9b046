// The menu screens on the baked data: where their entries go, what their actions do and
// where they lead.
#include "game/ScreenFactory.h"
#include "game/menus/CharEntryScreen.h"
#include "game/menus/DrumMachineMenuScreen.h"
#include "game/menus/LanguageScreen.h"
#include "game/menus/MainMenuScreen.h"
#include "game/menus/MessageScreen.h"
#include "game/menus/OptionsScreen.h"
#include "tests/menus/MenuHarness.h"
#include "varnokengine/VGDeviceScreen.h"
#include "varnokengine/VGMenuItems.h"
#include "varnokengine/VGPower.h"
#include "varnokengine/VGRegistry.h"
#include "varnokengine/VGSoundManager.h"

#include <gtest/gtest.h>

#include <fstream>
#include <memory>

namespace {

template <typename T> T* As(VGScreen* screen) {
    return dynamic_cast<T*>(screen);
}

TEST(LanguageScreenTest, LanguagesSpreadOverTheMenuAndTheChoiceIsKept) {
    MenuHarness h(480, 640, "3");
    h.Show(new LanguageScreen);
    ASSERT_EQ(MenuEntryCount(), 3);
    const float fractions[] = {0.0f, 0.5f, 1.0f};
    for (int i = 0; i < 3; ++i) {
        TextBlock* entry = ItemWithTag(kLanguageTagBase + i);
        ASSERT_NE(entry, nullptr);
        EXPECT_EQ(entry->y, ItemY(fractions[i], LanguageName(i), FontLarge, 0.45f)) << i;
    }
    EXPECT_NE(ItemWithTag(kLanguageTagBase)->flags & FlagPulse, 0u);

    std::unique_ptr<VGScreen> next(h.app->currentScreen->OnAction(kLanguageTagBase + 1));
    EXPECT_NE(As<MainMenuScreen>(next.get()), nullptr);
    EXPECT_EQ(ReadOption(u"Language", 100), 1u);
    EXPECT_EQ(GetText(18), u"optionen");

    EXPECT_EQ(h.app->currentScreen->OnAction(ActionBack), nullptr);
    EXPECT_NE(h.app->quitRequest, 0u);
}

TEST(LanguageScreenTest, ASingleLanguageSitsAtTheTop) {
    MenuHarness h(480, 640, "1");
    h.Show(new LanguageScreen);
    ASSERT_EQ(MenuEntryCount(), 1);
    EXPECT_EQ(ItemWithTag(kLanguageTagBase)->y, ItemY(0.0f, LanguageName(0), FontLarge, 0.15f));
}

TEST(MenuScreensTest, DrumMachineEntriesWithoutSavedFilesExplainAndReturn) {
    MenuHarness h(240, 320);
    h.Show(new DrumMachineMenuScreen);
    std::unique_ptr<VGScreen> noTracks(
        h.app->currentScreen->OnAction(DrumMachineMenuScreen::kPlayTrack));
    std::unique_ptr<VGScreen> noSegments(
        h.app->currentScreen->OnAction(DrumMachineMenuScreen::kEditTracks));
    ASSERT_NE(As<MessageScreen>(noTracks.get()), nullptr);
    ASSERT_NE(As<MessageScreen>(noSegments.get()), nullptr);
    EXPECT_EQ(As<MessageScreen>(noTracks.get())->textEntry, 98u);
    EXPECT_EQ(As<MessageScreen>(noSegments.get())->textEntry, 99u);
    EXPECT_EQ(As<MessageScreen>(noTracks.get())->returnId, uint32_t(ScreenDrumMachineMenu));

    h.Show(noTracks.release());
    EXPECT_NE(ItemWithTag(kTagBack)->flags & FlagPulse, 0u);
    std::unique_ptr<VGScreen> back(h.app->currentScreen->OnAction(ActionBack));
    EXPECT_NE(As<DrumMachineMenuScreen>(back.get()), nullptr);

    // Any slot counts, the last one too; tracks and segments are told apart.
    EXPECT_FALSE(AnySavedFile(u"tbt"));
    std::ofstream(h.User() / "save" / "99.tbs") << "x";
    EXPECT_TRUE(AnySavedFile(u"tbs"));
    EXPECT_FALSE(AnySavedFile(u"tbt"));
    std::ofstream(h.User() / "save" / "100.tbt") << "x";
    EXPECT_FALSE(AnySavedFile(u"tbt"));
}

class OptionsTest : public ::testing::Test {
protected:
    void SetUp() override {
        UseDeviceBacklight = 0;
        AutoShutdown = 2;
        GraphicsQuality = kDefaultGraphicsQuality;
        TheSoundManager.SetMasterVolume(3, true);
        options = static_cast<OptionsScreen*>(h.Show(new OptionsScreen(ScreenSettingsMenu)));
        h.Wait(400);
    }
    VGString Value() const {
        // The second text item is the page's value.
        return options->PageValue();
    }
    MenuHarness h{480, 640};
    OptionsScreen* options = nullptr;
};

TEST_F(OptionsTest, VolumeEntriesStepTheStoredLevelAndKeepTheirFocus) {
    EXPECT_EQ(Value(), u"3");
    h.Press(KeyAction);
    EXPECT_EQ(ReadOption(u"MasterVolume", 0), 4u);
    h.Press(KeyDown);
    h.Press(KeyAction);
    h.Press(KeyAction);
    EXPECT_EQ(ReadOption(u"MasterVolume", 0), 2u);
    EXPECT_EQ(FocusedItem()->tag, ActionVolumeDown);
    EXPECT_EQ(Value(), u"2");
    TheSoundManager.SetMasterVolume(0, true);
    EXPECT_EQ(Value(), GetText(21));
    TheSoundManager.SetMasterVolume(10, true);
    EXPECT_EQ(Value(), GetText(22));
}

TEST_F(OptionsTest, LanguageIsChosenFirstAndAppliedSecond) {
    options->OnRight();
    EXPECT_EQ(Value(), LanguageName(0));
    options->OnAction(ActionNextLanguage);
    EXPECT_EQ(Value(), LanguageName(1));
    EXPECT_EQ(ReadOption(u"Language", 100), 100u);
    options->OnAction(ActionApplyLanguage);
    EXPECT_EQ(ReadOption(u"Language", 100), 1u);
    EXPECT_EQ(GetText(18), u"optionen");
    EXPECT_EQ(Items().slots[kTitleSlot]->lines->letters->code, 'o');
    // Past the last language file the choice starts again at the first.
    for (int i = 0; i < 3; ++i) options->OnAction(ActionNextLanguage);
    EXPECT_EQ(options->languagePending, 0u);
}

TEST_F(OptionsTest, ShutdownAndQualitySettingsCycle) {
    std::vector<VGString> shown;
    options->page = PageAutoShutdown;
    for (int i = 0; i < 7; ++i) {
        options->OnAction(ActionNextShutdown);
        shown.push_back(options->PageValue());
    }
    EXPECT_EQ(AutoShutdown, 2u);
    EXPECT_EQ(shown[0], u"5 minutes"); // code 3
    EXPECT_EQ(shown[3], GetText(41));  // code 6: never
    EXPECT_EQ(shown[4], GetText(36));  // code 0: the device decides
    EXPECT_EQ(shown[5], u"1 minute");  // code 1

    uint32_t seen[3];
    for (uint32_t& q : seen) {
        options->OnAction(ActionNextQuality);
        q = ReadOption(u"GraphicsQuality", 12345);
    }
    EXPECT_EQ(seen[0], 0u);
    EXPECT_EQ(seen[1], 0xFFFFFFFFu);
    EXPECT_EQ(seen[2], kDefaultGraphicsQuality);
    EXPECT_EQ(NextGraphicsQuality(5), 5u);
}

// Three characters edited in place.
class NameScreen final : public CharEntryScreen {
public:
    uint32_t Length() override { return 3; }
    int32_t CellWidth() override { return 20; }
    uint8_t* Buffer() override { return name; }
    bool IsCharAllowed(uint32_t code) override {
        return allowAll ? true : code != 'c' && CharEntryScreen::IsCharAllowed(code);
    }
    uint8_t name[3] = {'a', 'b', 255};
    bool allowAll = false;
};

TEST(CharEntryTest, StepsSkipRefusedCodesAndWrapAtTheEnds) {
    MenuHarness h(480, 640);
    auto* screen = static_cast<NameScreen*>(h.Show(new NameScreen));
    screen->cursor = 2;
    screen->OnAction(CharEntryScreen::kNextChar);
    EXPECT_EQ(screen->name[2], '!');
    screen->OnAction(CharEntryScreen::kPreviousChar);
    // Down from the first code wraps to the top codes, to the highest one the fonts can draw.
    EXPECT_GT(screen->name[2], '~');
    EXPECT_TRUE(screen->IsCharAllowed(screen->name[2]));
    screen->cursor = 1;
    screen->OnAction(CharEntryScreen::kNextChar);
    EXPECT_EQ(screen->name[1], 'd'); // 'c' refused
    EXPECT_EQ(StepCharacter(32, true, [](uint32_t) { return true; }), 33);
    EXPECT_EQ(StepCharacter(33, false, [](uint32_t) { return true; }), 255);
    EXPECT_EQ(StepCharacter('x', true, [](uint32_t) { return false; }), 'x');

    screen->OnRight();
    screen->OnRight();
    EXPECT_EQ(screen->cursor, 0u);
    screen->OnLeft();
    EXPECT_EQ(screen->cursor, 2u);

    // Typing stores the lower-case code and moves on; a refused one changes nothing.
    screen->cursor = 0;
    screen->OnChar(u'Q');
    EXPECT_EQ(screen->name[0], 'q');
    EXPECT_EQ(screen->cursor, 1u);
    screen->OnChar(u'c');
    screen->OnChar(0x13);
    EXPECT_EQ(screen->name[1], 'd');
    EXPECT_EQ(screen->cursor, 1u);
    screen->OnChar(u' ');
    EXPECT_EQ(screen->name[1], ' ');
}

} // namespace
