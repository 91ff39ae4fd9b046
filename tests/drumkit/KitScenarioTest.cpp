// The whole program run headless with a script: from the main menu into free play, three
// taps on the kit, and back to the game selection. The audio log must show each piece at
// the tap's time on an effects channel at the kit's priority, and the presented frames must
// show the struck pieces and their sticks where they were hit.
#include "tests/support/TempFolder.h"
#include "tools/png/PngFile.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct LoggedSound {
    uint32_t ms;
    std::string name;
    int channel;
    int priority;
};

std::vector<LoggedSound> ReadLog(const std::string& text) {
    std::vector<LoggedSound> out;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream in(line);
        LoggedSound s{};
        std::string word1, word2;
        if (in >> s.ms >> s.name >> word1 >> s.channel >> word2 >> s.priority) out.push_back(s);
    }
    return out;
}

struct Shot {
    int32_t w = 0, h = 0;
    std::vector<uint16_t> pixels;
};

Shot Load(const TempFolder& folder, const std::string& name) {
    Shot shot;
    png::ReadPng((folder.Path() / name).string(), shot.w, shot.h, shot.pixels);
    return shot;
}

// Pixels that differ between two shots inside the box of radius r around (x, y).
int ChangedAround(const Shot& a, const Shot& b, int32_t x, int32_t y, int32_t r) {
    int changed = 0;
    for (int32_t py = y - r; py <= y + r; ++py)
        for (int32_t px = x - r; px <= x + r; ++px) {
            if (px < 0 || py < 0 || px >= a.w || py >= a.h) continue;
            size_t i = size_t(py) * size_t(a.w) + size_t(px);
            changed += a.pixels[i] != b.pixels[i];
        }
    return changed;
}

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
    TempFolder folder;
    // The language is chosen, so the program starts in the main menu.
    folder.WriteFile("registry.reg", "Windows Registry Editor Version 5.00\n\n"
                                     "[HKEY_LOCAL_MACHINE\\Software\\VarnokGames\\Tamborix\\"
                                     "Options]\n\"Language\"=hex:00,00,00,00\n");
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
    folder.WriteFile("run.txt", script.str());
    const std::string dir = folder.Path().string();
    const std::string command = std::string(TAMBORIX_PROGRAM) + " --headless --script " + dir +
                                "/run.txt --registry " + dir + "/registry.reg --shots " + dir +
                                " --audio-log " + dir + "/audio.log >/dev/null 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0);
    EXPECT_FALSE(std::filesystem::exists(folder.Path() / "error.txt"));

    const std::vector<LoggedSound> log = ReadLog(folder.ReadFile("audio.log"));
    for (const Tap& t : kTaps) {
        const LoggedSound* found = nullptr;
        for (const LoggedSound& s : log)
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
    const Shot before = Load(folder, "before.png");
    ASSERT_EQ(before.w, 480);
    for (const Tap& t : kTaps) {
        const Shot after = Load(folder, std::string(t.sound) + ".png");
        ASSERT_EQ(after.pixels.size(), before.pixels.size()) << t.sound;
        EXPECT_GT(ChangedAround(before, after, t.x, t.y, 60), 200) << t.sound;
    }
    // Taps on one side leave the far side of the kit alone.
    const Shot snare = Load(folder, "snare.png");
    EXPECT_EQ(ChangedAround(before, snare, 400, 330, 30), 0);

    // Back on the game selection: its title bar is as it was before free play.
    const Shot select = Load(folder, "select.png"), back = Load(folder, "back.png");
    ASSERT_EQ(select.pixels.size(), back.pixels.size());
    EXPECT_EQ(ChangedAround(select, back, 240, 40, 39), 0);
    EXPECT_GT(ChangedAround(before, back, 240, 40, 39), 1000);
}

} // namespace
