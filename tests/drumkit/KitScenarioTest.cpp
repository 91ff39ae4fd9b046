// The whole program run headless with a script: from the main menu into free play, three
// taps on the kit, and back to the game selection. The audio log must show each piece at
// the tap's time on an effects channel at the kit's priority, and the presented frames must
// show the struck pieces and their sticks where they were hit.
#include "tests/support/ScenarioRun.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

// The frames run every 16 ms from the start; input is taken at the next frame.
constexpr uint32_t kFrameMs = 16;

struct Tap {
    const char* sound;
    uint32_t at;
    int32_t x, y; // on the 480 x 640 screen: the snare's and crash's landing points, and
                  // the bass drum's front head below its centre
};
constexpr Tap kTaps[] = {
    {"snare", 10200, 133, 295}, {"crash", 10700, 138, 187}, {"bass", 11200, 240, 400}};

TEST(KitScenarioTest, FreePlayTapsSoundAtTheirTimeAndShowWhereTheyLanded) {
    ScenarioRun run;
    run.ChooseLanguage();
    std::ostringstream script;
    script << "at 7000 key action\n" // main menu: play
           << "at 8800 shot select.png\n"
           << "at 9100 key action\n" // game selection: free play
           << "at 10100 shot before.png\n";
    for (const Tap& t : kTaps)
        script << "at " << t.at << " tap " << t.x << " " << t.y << "\n"
               << "at " << t.at << " shot " << t.sound << ".png\n";
    script << "at 13000 key back\n"
           << "at 14500 shot back.png\n"
           << "at 15000 quit\n";
    ASSERT_EQ(run.Run(script.str()), 0);
    EXPECT_FALSE(run.ErrorLogged());

    const std::vector<HeardSound> log = run.Heard();
    for (const Tap& t : kTaps) {
        const HeardSound* found = nullptr;
        for (const HeardSound& s : log)
            if (s.name == t.sound) found = found ? found : &s;
        ASSERT_NE(found, nullptr) << t.sound << " never sounded";
        EXPECT_GE(found->ms, t.at) << t.sound;
        EXPECT_LE(found->ms, t.at + kFrameMs) << t.sound;
        EXPECT_GE(found->channel, 1) << t.sound;
        EXPECT_LE(found->channel, 7) << t.sound;
        EXPECT_EQ(found->priority, 3) << t.sound;
    }

    // Each shot is the first frame after its tap: the piece's animation and, for the snare
    // and the crash, the stick have changed the picture around the point of the tap.
    const Frame before = run.Shot("before.png");
    ASSERT_EQ(before.width, 480);
    for (const Tap& t : kTaps) {
        const Frame after = run.Shot(std::string(t.sound) + ".png");
        ASSERT_EQ(after.pixels.size(), before.pixels.size()) << t.sound;
        EXPECT_GT(before.DifferencesAround(after, t.x, t.y, 60), 200) << t.sound;
    }
    // Taps on one side leave the far side of the kit alone.
    const Frame snare = run.Shot("snare.png");
    EXPECT_EQ(before.DifferencesAround(snare, 400, 330, 30), 0);

    // Back on the game selection: its title bar is as it was before free play.
    const Frame select = run.Shot("select.png"), back = run.Shot("back.png");
    ASSERT_EQ(select.pixels.size(), back.pixels.size());
    EXPECT_EQ(select.DifferencesAround(back, 240, 40, 39), 0);
    EXPECT_GT(before.DifferencesAround(back, 240, 40, 39), 1000);
}

} // namespace
