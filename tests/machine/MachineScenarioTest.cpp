// The whole program run headless on a data folder holding one saved segment and one saved
// track: drum-machine menu, the track choice in play mode, the play screen, a tap on play.
// The audio log must show the segment's strokes at their times, twice over, and nothing
// after the track's end; the frames must show the time line change and the play button turn
// into pause and back.
#include "tests/support/TempFolder.h"
#include "tools/png/PngFile.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
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

// Pixels that differ inside the rectangle [x0, x1) x [y0, y1).
int Changed(const Shot& a, const Shot& b, int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
    int changed = 0;
    for (int32_t y = y0; y < y1 && y < a.h; ++y)
        for (int32_t x = x0; x < x1 && x < a.w; ++x) {
            size_t i = size_t(y) * size_t(a.w) + size_t(x);
            changed += a.pixels[i] != b.pixels[i];
        }
    return changed;
}

std::string U32(uint32_t v) {
    std::string bytes(4, '\0');
    for (int i = 0; i < 4; ++i) bytes[i] = char((v >> (8 * i)) & 0xFF);
    return bytes;
}

// Slot 3: 16 steps at 120 (125 ms steps): bass on 0, snare on 4, closed hi-hat on 10.
std::string SegmentFile() {
    std::vector<uint32_t> grid(9 * 64, 0);
    grid[3 * 64 + 0] = 1;
    grid[4 * 64 + 4] = 1;
    grid[8 * 64 + 10] = 1;
    std::string bytes = "beat3" + U32(16) + U32(120);
    for (uint32_t cell : grid) bytes += U32(cell);
    return bytes;
}

constexpr uint32_t kFrameMs = 16;
constexpr uint32_t kPlayTap = 10500;
// On the 480 x 640 picture: the bottom row of 48-pixel buttons around the 160-wide bar.
constexpr int32_t kPlayX = 240 - 80 - 24, kButtonY = 640 - 24;

TEST(MachineScenarioTest, PlayingASavedTrackSoundsItsSegmentInTime) {
    TempFolder folder;
    // The program's data, and a save folder of our own.
    for (const char* sub : {"imgs", "language", "level", "music", "soundfx"})
        std::filesystem::create_directory_symlink(std::filesystem::path(TBX_GAME_DIR) / sub,
                                                  folder.Path() / sub);
    std::filesystem::create_directory(folder.Path() / "save");
    folder.WriteFile("save/3.tbs", SegmentFile());
    folder.WriteFile("save/2.tbt", "song2" + U32(100) + U32(1) + U32(3) + U32(2));
    folder.WriteFile("registry.reg", "Windows Registry Editor Version 5.00\n\n"
                                     "[HKEY_LOCAL_MACHINE\\Software\\VarnokGames\\Tamborix\\"
                                     "Options]\n\"Language\"=hex:00,00,00,00\n");
    std::ostringstream script;
    script << "at 7000 key down / at 7200 key action\n" // main menu: drum machine
           << "at 8200 key action\n"                    // play a track
           << "at 9200 key action\n"                    // the one saved track
           << "at 10200 shot rest.png\n"
           << "at " << kPlayTap << " tap " << kPlayX << " " << kButtonY << "\n"
           << "at 12000 shot playing.png\n"
           << "at 16000 shot ended.png\n"
           << "at 16500 quit\n";
    folder.WriteFile("run.txt", script.str());
    const std::string dir = folder.Path().string();
    const std::string command = std::string(TAMBORIX_PROGRAM) + " --headless --script " + dir +
                                "/run.txt --data " + dir + " --registry " + dir +
                                "/registry.reg --shots " + dir + " --audio-log " + dir +
                                "/audio.log >/dev/null 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0);
    EXPECT_FALSE(std::filesystem::exists(folder.Path() / "error.txt"));

    std::vector<LoggedSound> drums;
    for (const LoggedSound& s : ReadLog(folder.ReadFile("audio.log")))
        if (s.ms >= kPlayTap) drums.push_back(s);
    // The clicks of the button itself go first.
    while (!drums.empty() && drums.front().name != "bass") drums.erase(drums.begin());
    const struct {
        const char* name;
        uint32_t offset;
    } expected[] = {{"bass", 0},    {"snare", 500},  {"hihat_close", 1250},
                    {"bass", 2000}, {"snare", 2500}, {"hihat_close", 3250}};
    ASSERT_EQ(drums.size(), std::size(expected));
    const uint32_t start = drums[0].ms;
    EXPECT_LE(start, kPlayTap + 2 * kFrameMs);
    for (size_t i = 0; i < drums.size(); ++i) {
        EXPECT_EQ(drums[i].name, expected[i].name) << i;
        // A step sounds on the first frame at or after its time.
        EXPECT_GE(drums[i].ms, start + expected[i].offset) << i;
        EXPECT_LT(drums[i].ms, start + expected[i].offset + kFrameMs) << i;
        EXPECT_EQ(drums[i].priority, 3) << i;
    }

    // While playing, the time line and the play/pause button differ from the picture at
    // rest; after the end both are back as they were at rest (the ticker moves on, so only
    // the button is compared exactly).
    const Shot rest = Load(folder, "rest.png"), playing = Load(folder, "playing.png"),
               ended = Load(folder, "ended.png");
    ASSERT_EQ(rest.w, 480);
    const int32_t barTop = 640 - 48;
    EXPECT_GT(Changed(rest, playing, 160, barTop, 320, 640), 50);
    EXPECT_GT(Changed(rest, playing, kPlayX - 24, barTop, kPlayX + 24, 640), 50);
    EXPECT_EQ(Changed(rest, ended, kPlayX - 24, barTop, kPlayX + 24, 640), 0);
    // The rest of the screen stays as it was.
    EXPECT_EQ(Changed(rest, playing, 0, 100, 480, barTop - 10), 0);
}

} // namespace
