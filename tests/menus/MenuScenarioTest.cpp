// The real program run headless with scripts through its menus: what the settings hold
// afterwards, what the frames show and what was heard.
#include "tests/support/ScenarioRun.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

// The program starts its first screen once the splash has had its 5000 ms.
constexpr int kFirstScreenMs = 5000;

// Nearly white pixels (the small font's text) inside rows [top, bottom).
int WhitePixels(const Frame& frame, int32_t top, int32_t bottom) {
    int n = 0;
    for (int32_t y = top; y < bottom; ++y)
        for (int32_t x = 0; x < frame.width; ++x) {
            uint16_t p = frame.At(x, y);
            n += (p >> 11) >= 28 && ((p >> 5) & 63) >= 56 && (p & 31) >= 28;
        }
    return n;
}

// Builds a script from steps at growing times.
class Script {
public:
    explicit Script(int start) : at_(start) {}
    // After wait ms, the step.
    Script& Then(int wait, const std::string& step) {
        at_ += wait;
        text_ += "at " + std::to_string(at_) + " " + step + "\n";
        return *this;
    }
    // Menu items are fully faded in 1100 ms after a screen is entered.
    Script& Settle() {
        at_ += 1300;
        return *this;
    }
    std::string Text() const { return text_; }

private:
    int at_;
    std::string text_;
};

TEST(MenuScenario, FirstStartShowsTheSplashThenTheLanguagesAndStoresTheChoice) {
    ScenarioRun english, german, spanish;
    auto script = [](const char* move, const char* second) {
        return Script(1000)
            .Then(0, "shot splash.png")
            .Then(kFirstScreenMs + 500, "shot languages.png")
            .Then(200, std::string("key ") + move)
            .Then(200, std::string("key ") + second)
            .Then(200, "key action")
            .Then(1500, "shot main.png")
            .Then(100, "quit")
            .Text();
    };
    ASSERT_EQ(english.Run(script("down", "up")), 0);
    ASSERT_EQ(german.Run(script("down", "app3")), 0);
    // Up from the first language goes to the exit button, up again to the last language.
    ASSERT_EQ(spanish.Run(script("up", "up")), 0);

    EXPECT_EQ(english.Option("Language"), 0);
    EXPECT_EQ(german.Option("Language"), 1);
    EXPECT_EQ(spanish.Option("Language"), 3);

    // The logo is on screen and its jingle starts with it.
    Frame splash = german.Shot("splash.png");
    EXPECT_GT(splash.DifferencesInRows(Frame{splash.width, splash.height,
                                             std::vector<uint16_t>(splash.pixels.size(), 0)},
                                       0, splash.height),
              1000);
    ASSERT_EQ(german.Heard("vglogo").size(), 1u);
    EXPECT_EQ(german.Heard("vglogo")[0], 0u);

    // Everything up to the choice is the same; the main menu then speaks another language.
    Frame englishMain = english.Shot("main.png"), germanMain = german.Shot("main.png");
    EXPECT_EQ(english.Shot("languages.png").DifferencesInRows(german.Shot("languages.png"), 0, 640),
              0);
    EXPECT_GT(englishMain.DifferencesInRows(germanMain, 0, 640), 500);
    EXPECT_FALSE(german.ErrorLogged());
}

TEST(MenuScenario, BackOnTheLanguageScreenOrTheMainMenuEndsTheProgram) {
    ScenarioRun languages, menu;
    std::string script = Script(kFirstScreenMs + 500)
                             .Then(0, "key back")
                             .Then(3000, "shot still-running.png")
                             .Text();
    EXPECT_EQ(languages.Run(script), 0);
    EXPECT_FALSE(languages.HasShot("still-running.png"));
    menu.Preset({{"Language", 0}});
    EXPECT_EQ(menu.Run(script), 0);
    EXPECT_FALSE(menu.HasShot("still-running.png"));
}

// Main menu -> settings -> options, then an action on every page, reached by right and left
// with wrap-around. Once the screen is turned to landscape the arrows still act as they look:
// right is still right.
TEST(MenuScenario, EveryOptionsPageActsAndOrientationTurnsTheScreen) {
    ScenarioRun run;
    run.Preset({{"Language", 0}, {"MasterVolume", 3}});
    Script s(kFirstScreenMs + 500);
    s.Then(0, "key down").Then(200, "key down").Then(200, "key action"); // settings
    s.Settle().Then(0, "key action");                                    // options, volume page
    s.Settle().Then(0, "shot volume.png");
    s.Then(100, "key action").Then(200, "key action"); // louder twice: 5
    s.Then(200, "key down").Then(200, "key action");   // softer: 4
    s.Then(200, "key right").Then(200, "key action");  // language: next is 1
    s.Then(200, "key down").Then(200, "key action");   // apply
    s.Then(200, "key right").Then(200, "key action");  // backlight: on
    s.Then(200, "key right").Then(200, "key action");  // auto shutdown: never end -> 0
    s.Then(200, "key right").Then(200, "key action");  // orientation: landscape pending
    s.Then(200, "key down").Then(200, "key action");   // apply
    s.Then(300, "shot landscape.png");
    s.Then(100, "key right").Then(200, "key action"); // graphics: 9 -> 0
    s.Then(200, "key right").Then(200, "key action"); // sound effects: off
    s.Then(200, "key right").Then(200, "key action"); // wrapped to volume: louder, 5
    s.Then(200, "key left").Then(200, "key left");    // wrapped back past sound effects
    s.Then(200, "key action");                        // graphics: all bits
    s.Then(300, "quit");
    ASSERT_EQ(run.Run(s.Text()), 0);

    EXPECT_EQ(run.Option("MasterVolume"), 5);
    EXPECT_EQ(run.Option("Language"), 1);
    EXPECT_EQ(run.Option("UseDeviceBacklightSetting"), 1);
    EXPECT_EQ(run.Option("AutoShutdownSetting"), 0);
    EXPECT_EQ(run.Option("ScreenOrientation"), 1);
    EXPECT_EQ(run.Option("GraphicsQuality"), 0xFFFFFFFF);
    EXPECT_EQ(run.Option("SoundFX"), 0);
    Frame portrait = run.Shot("volume.png"), landscape = run.Shot("landscape.png");
    EXPECT_EQ(portrait.width, 480);
    EXPECT_EQ(landscape.width, 640);
    EXPECT_EQ(landscape.height, 480);
}

TEST(MenuScenario, ATapOpensTheEntryItWentDownAndUpOn) {
    ScenarioRun run;
    run.Preset({{"Language", 0}});
    // On the 640-high main menu the settings entry's letters span y 365 to 405, the drum
    // machine's 330 to 370.
    Script s(kFirstScreenMs + 500);
    s.Then(0, "down 240 350").Then(100, "up 240 390"); // went down on another entry
    s.Settle().Then(0, "shot main.png");
    s.Then(100, "tap 240 390");
    s.Settle().Then(0, "shot settings.png");
    s.Then(100, "quit");
    ASSERT_EQ(run.Run(s.Text()), 0);
    // The main menu has no title bar; the settings menu has.
    Frame main = run.Shot("main.png"), settings = run.Shot("settings.png");
    EXPECT_GT(settings.DifferencesInRows(main, 0, 20), 5000);
    EXPECT_EQ(run.Heard("click").size(), 1u);
}

TEST(MenuScenario, DeviceInformationShowsTheDisplayDescription) {
    ScenarioRun run;
    run.Preset({{"Language", 0}});
    Script s(kFirstScreenMs + 500);
    s.Then(0, "key down").Then(200, "key down").Then(200, "key action"); // settings
    s.Settle().Then(0, "shot settings.png");
    s.Then(100, "key down").Then(200, "key action"); // device information
    s.Settle().Then(0, "shot info.png");
    s.Then(100, "quit");
    ASSERT_EQ(run.Run(s.Text(), "240x320"), 0);
    Frame settings = run.Shot("settings.png"), info = run.Shot("info.png");
    // A new title, and a block of white text around the middle of the screen.
    EXPECT_GT(info.DifferencesInRows(settings, 0, 40), 50);
    EXPECT_GT(WhitePixels(info, 110, 210), 300);
}

TEST(MenuScenario, TrackEntryWithoutSavedTracksShowsTheMessageAndBackReturns) {
    ScenarioRun run;
    run.Preset({{"Language", 0}});
    Script s(kFirstScreenMs + 500);
    s.Then(0, "key down").Then(200, "key action"); // drum machine
    s.Settle().Then(0, "shot machine.png");
    s.Then(100, "key action"); // play a track
    s.Settle().Then(0, "shot message.png");
    s.Then(100, "key action"); // the focused back button
    s.Settle().Then(0, "shot machine-again.png");
    s.Then(100, "quit");
    ASSERT_EQ(run.Run(s.Text()), 0);
    Frame machine = run.Shot("machine.png"), message = run.Shot("message.png");
    Frame again = run.Shot("machine-again.png");
    const int titleBar = 80;
    EXPECT_GT(message.DifferencesInRows(machine, 0, titleBar), 200);
    EXPECT_EQ(again.DifferencesInRows(machine, 0, titleBar), 0);
}

TEST(MenuScenario, AboutPagesTurnEveryThreeSecondsWithTheBassDrum) {
    ScenarioRun run;
    run.Preset({{"Language", 0}});
    Script s(kFirstScreenMs + 500);
    for (int i = 0; i < 4; ++i) s.Then(200, "key down");
    s.Then(200, "key action"); // about, entered 6500 ms or so into the run
    s.Then(1500, "shot page0.png").Then(3000, "shot page1.png");
    // The log names a sound when its first buffer is heard, a little after the call.
    s.Then(15000, "quit");
    ASSERT_EQ(run.Run(s.Text()), 0);
    std::vector<uint32_t> beats = run.Heard("bass");
    ASSERT_GE(beats.size(), 5u);
    for (size_t i = 1; i < beats.size(); ++i) {
        EXPECT_GE(beats[i] - beats[i - 1], 2950u);
        EXPECT_LE(beats[i] - beats[i - 1], 3050u);
    }
    EXPECT_GT(run.Shot("page1.png").DifferencesInRows(run.Shot("page0.png"), 100, 500), 1000);
}

} // namespace
