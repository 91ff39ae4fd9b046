// The game screens inside the real application object on the headless display, with the
// baked data of this build in a program folder of the test's own (so saved games stay
// there): the way into each game, the menu during a game, the game-over timing and the
// resume offer.
#include "game/GameApp.h"
#include "game/ScreenFactory.h"
#include "game/drumkit/GameFlowScreens.h"
#include "game/drumkit/GameMenuScreens.h"
#include "game/drumkit/GameRules.h"
#include "game/drumkit/GameSelectScreen.h"
#include "game/drumkit/KitScreen.h"
#include "game/drumkit/ResumeFile.h"
#include "game/menus/OptionsScreen.h"
#include "tests/drumkit/KitAppFixture.h"
#include "varnokengine/VGError.h"
#include "varnokengine/VGMenuItems.h"
#include "varnokengine/VGString.h"

#include <gtest/gtest.h>

namespace {

class GameScreensTest : public KitAppFixture {
protected:
    void SetUp() override {
        StartApp();
        if (IsSkipped()) return;
        Run(400);
        ASSERT_EQ(ErrorFlag, 0u) << "start-up failed";
    }
    void Tap(int32_t x, int32_t y) {
        Down(x, y);
        Up(x, y);
    }
    // From the main menu to the game selection, then the entry that many places down.
    void ChooseGame(int entry) {
        Key(kActionKey);
        Run(400);
        ASSERT_TRUE(On<GameSelectScreen>());
        for (int i = 0; i < entry; ++i) Key(kDownKey);
        Key(kActionKey);
    }
};

TEST_F(GameScreensTest, RhythmGameAsksForTheStartLevelOnlyFromLevelFive) {
    kit().maxLevel = 4;
    ChooseGame(2);
    EXPECT_TRUE(On<GameIntroScreen>());
    EXPECT_EQ(kit().mode, uint32_t(RhythmMaster));
    EXPECT_EQ(kit().level, 1u);

    SwitchTo(CreateScreen(ScreenMainMenu));
    Run(400);
    kit().maxLevel = 5;
    ChooseGame(0); // the game last played starts focused
    ASSERT_TRUE(On<RhythmStartScreen>());
    Run(400);
    Key(kRightKey); // 1 becomes 5
    EXPECT_EQ(kit().startLevel, 5u);
    Key(kActionKey);
    EXPECT_TRUE(On<GameIntroScreen>());
    EXPECT_EQ(kit().level, 5u);
}

TEST_F(GameScreensTest, BackDuringAGameOpensTheMenuAndTheGameWaits) {
    ChooseGame(1);
    ASSERT_TRUE(On<GameIntroScreen>());
    Run(1100);
    Key(kActionKey);
    ASSERT_TRUE(On<KitScreen>());
    Run(300);
    int32_t clockBefore = kit().clock;
    Key(kBackKey);
    ASSERT_TRUE(On<InGameMenuScreen>());
    Run(2000);
    Key(kActionKey); // resume is focused
    ASSERT_TRUE(On<KitScreen>());
    EXPECT_LT(kit().clock - clockBefore, 100);
}

TEST_F(GameScreensTest, GameOverIgnoresTapsForASecondThenLeavesAfterFive) {
    ChooseGame(1);
    Run(1100);
    Key(kActionKey);
    ASSERT_TRUE(On<KitScreen>());
    kit().gameOver = 1;
    kit().newHighScore = 0;
    Run(20);
    ASSERT_TRUE(On<GameOverScreen>());
    Run(400);
    Tap(240, 320);
    EXPECT_TRUE(On<GameOverScreen>());
    Run(3000);
    EXPECT_TRUE(On<GameOverScreen>());
    Run(1700);
    EXPECT_TRUE(On<ResultsMenuScreen>());
}

TEST_F(GameScreensTest, AfterTheGameTheKitWindsDownAndTheTurnLightGoesOut) {
    kit().maxLevel = 1;
    ChooseGame(2);
    Run(1100);
    Key(kActionKey);
    ASSERT_TRUE(On<KitScreen>());
    Strike(kit(), Snare);
    kit().phase = 1;
    kit().lives = 1;
    LoseLife(kit());
    EXPECT_EQ(kit().phase, 0u) << "the turn indicator says the player's turn is over";
    StickDraw draws[4];
    EXPECT_GT(PlanStick(kit(), Snare, 0, 0, QualitySticks, 1, draws), 0u);
    Run(20);
    ASSERT_TRUE(On<GameOverScreen>());
    Run(300);
    EXPECT_EQ(PlanStick(kit(), Snare, 0, 0, QualitySticks, 1, draws), 0u) << "stick left hanging";
    const int32_t clock = kit().clock;
    Run(5000);
    ASSERT_TRUE(On<ResultsMenuScreen>());
    EXPECT_GE(kit().clock - clock, 5000);
}

TEST_F(GameScreensTest, TheResumeOfferNamesTheGameAsItWillBeResumed) {
    DrumKit& k = kit();
    StartGame(k, RhythmMaster);
    k.level = 4, k.levelStartScore = 100, k.score = 150, k.levelDone = 0;
    SaveResume(k);
    ResumeSummary game;
    ASSERT_TRUE(PeekResume(game));
    EXPECT_EQ(game.mode, uint32_t(RhythmMaster));
    EXPECT_EQ(game.level, 4u);
    EXPECT_EQ(game.result, 100u) << "an unfinished level restarts with its starting score";
    EXPECT_EQ(SavedGameText(game),
              GetText(65) + u"\n" + GetText(108) + u" 4 - " + GetText(67) + u" 100");
    k.levelDone = 1;
    SaveResume(k);
    ASSERT_TRUE(PeekResume(game));
    EXPECT_EQ(game.level, 5u);
    EXPECT_EQ(game.result, 150u);
    StartGame(k, MemoryMaster);
    SaveResume(k);
    ASSERT_TRUE(PeekResume(game));
    EXPECT_EQ(SavedGameText(game), GetText(63) + u"\n" + GetText(67) + u" 0");
    // A damaged file offers nothing to describe.
    temp.WriteFile("user/resume.dat", std::string("\x01\0\0\0\0\0\0\0", 8));
    EXPECT_FALSE(PeekResume(game));
}

TEST_F(GameScreensTest, AGameLeftOpenIsOfferedUntilItIsResumed) {
    ChooseGame(1);
    Run(1100);
    Key(kActionKey);
    ASSERT_TRUE(On<KitScreen>());
    // The program ends here: the game is saved.
    TheGameApp()->currentScreen->OnExit();
    ASSERT_TRUE(ResumeAvailable());
    uint32_t piece = kit().memorySequence->piece;
    SwitchTo(CreateScreen(ScreenMainMenu));
    Run(400);

    // Declined: the file stays and is offered again.
    Key(kActionKey);
    ASSERT_TRUE(On<ResumeScreen>());
    Run(400);
    Key(kDownKey);
    Key(kActionKey);
    ASSERT_TRUE(On<GameSelectScreen>());
    EXPECT_TRUE(ResumeAvailable());
    Run(400);
    Key(kBackKey);
    ASSERT_TRUE(On<ResumeScreen>());

    // Accepted: the game comes back and the file is gone.
    StartGame(kit(), FreePlay);
    Run(400);
    Key(kActionKey);
    EXPECT_TRUE(On<GameIntroScreen>());
    EXPECT_FALSE(ResumeAvailable());
    EXPECT_EQ(kit().mode, uint32_t(MemoryMaster));
    ASSERT_EQ(SequenceLength(kit()), 1u);
    EXPECT_EQ(kit().memorySequence->piece, piece);
}

} // namespace

TEST_F(GameScreensTest, OptionsOpenedDuringAGameSaveItWhenTheProgramEndsThere) {
    ChooseGame(1);
    Run(1100);
    Key(kActionKey);
    ASSERT_TRUE(On<KitScreen>());
    SwitchTo(new OptionsScreen(ScreenInGameMenu));
    Run(400);
    TheGameApp()->currentScreen->OnExit();
    EXPECT_TRUE(ResumeAvailable());
    DeleteResume();

    SwitchTo(new OptionsScreen(ScreenSettingsMenu)); // from the settings menu: nothing saved
    Run(400);
    TheGameApp()->currentScreen->OnExit();
    EXPECT_FALSE(ResumeAvailable());
}
