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
#include "game/drumkit/ScoreScreens.h"
#include "game/menus/MainMenuScreen.h"
#include "platform/RegistryStore.h"
#include "platform/audio/AudioOutput.h"
#include "platform/video/HeadlessBackend.h"
#include "tests/drumkit/KitTestData.h"
#include "varnokengine/VGAppPath.h"
#include "varnokengine/VGClock.h"
#include "varnokengine/VGDeviceScreen.h"
#include "varnokengine/VGError.h"
#include "varnokengine/VGRegistry.h"
#include "varnokengine/VGWindows.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

namespace {

namespace fs = std::filesystem;

constexpr uint32_t kActionKey = 0x86;
constexpr uint32_t kBackKey = 0xC4;
constexpr uint32_t kDownKey = 0x28;
constexpr uint32_t kRightKey = 0x27;

class GameScreensTest : public testing::Test {
protected:
    void SetUp() override {
        const fs::path game = TBX_GAME_DIR;
        if (!fs::exists(game / "imgs" / "drums.img")) GTEST_SKIP() << "not baked";
        const fs::path data = temp.Path() / "data";
        fs::create_directories(data);
        for (const char* sub : {"imgs", "language", "soundfx", "music", "level"})
            fs::create_directory_symlink(game / sub, data / sub);
        ResetShellState();
        ClearErrors();
        platform::SetRegistryPath((temp.Path() / "registry.reg").string());
        WriteOption(u"Language", 0);
        std::u16string folder;
        for (char c : data.string()) folder += char16_t(c);
        SetAppPath(VGString(folder.c_str()));
        platform::HeadlessOptions options;
        options.shotsDir = temp.Path().string();
        platform::InstallBackend(std::make_unique<platform::HeadlessBackend>(options, &clock));
        TheDisplay.Open();
        TheDisplay.SetUp();
        GameApp* app = static_cast<GameApp*>(CreateGameApp());
        TheApp = TheGame = app;
        app->Init();
        app->Resume();
        StartingUp = 0;
        started = true;
        recorder = std::make_unique<RecordingSounds>(kit());
        kit().sounds = recorder.get();
        Run(400);
        ASSERT_EQ(ErrorFlag, 0u) << "start-up failed";
    }
    void TearDown() override {
        if (!started) return;
        kit().sounds = &DefaultKitSounds();
        static auto* exitClock = new platform::VirtualClock(0);
        platform::SetAudioOutput(platform::CreateHeadlessAudioOutput(*exitClock, "", ""));
        TheGameApp->Shutdown();
        delete TheApp;
        TheApp = nullptr;
        TheGame = nullptr;
        TheGameApp = nullptr;
        TheDisplay.Close();
        TheDisplay = VGDeviceScreen();
        platform::UninstallBackend();
        platform::SetRegistryPath(std::string());
        ResetShellState();
        ClearErrors();
    }

    static DrumKit& kit() { return TheGameApp->kit; }
    template <typename S> static bool On() {
        return dynamic_cast<S*>(TheGameApp->currentScreen) != nullptr;
    }
    void Run(uint32_t ms) {
        uint32_t start = clock.TickCount();
        do FrameTick();
        while (int32_t(clock.TickCount() - start) < int32_t(ms));
    }
    void Key(uint32_t code) {
        WindowProc(kMsgKeyDown, code, 0);
        FrameTick();
        WindowProc(kMsgKeyUp, code, kAlreadyDownBit);
        FrameTick();
    }
    void Tap(int32_t x, int32_t y) {
        WindowProc(kMsgButtonDown, 1, PackStylus(int16_t(x), int16_t(y)));
        FrameTick();
        WindowProc(kMsgButtonUp, 0, PackStylus(int16_t(x), int16_t(y)));
        FrameTick();
    }
    // Replaces the current screen as a returned screen would.
    static void SwitchTo(VGScreen* screen) {
        VGScreen* old = TheGameApp->currentScreen;
        old->Leave();
        delete old;
        TheGameApp->currentScreen = nullptr;
        TheGameApp->SetFirstScreen(screen);
    }
    // From the main menu to the game selection, then the entry that many places down.
    void ChooseGame(int entry) {
        Key(kActionKey);
        Run(400);
        ASSERT_TRUE(On<GameSelectScreen>());
        for (int i = 0; i < entry; ++i) Key(kDownKey);
        Key(kActionKey);
    }

    platform::VirtualClock clock{1000};
    TempFolder temp;
    std::unique_ptr<RecordingSounds> recorder;
    bool started = false;
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

TEST_F(GameScreensTest, AGameLeftOpenIsOfferedUntilItIsResumed) {
    ChooseGame(1);
    Run(1100);
    Key(kActionKey);
    ASSERT_TRUE(On<KitScreen>());
    // The program ends here: the game is saved.
    TheGameApp->currentScreen->OnExit();
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
