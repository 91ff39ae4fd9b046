// The whole program run headless on a data folder with an empty save folder: drum-machine
// menu, the segment choice, the editor on the empty first slot, three taps on the grid and
// back. The segment file must hold the struck cells, the frames must show them where they
// were tapped, and the loop must have played the first of them while the editor was open.
#include "tests/support/TempFolder.h"
#include "tools/png/PngFile.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Shot {
    int32_t w = 0, h = 0;
    std::vector<uint16_t> pixels;
};

Shot Load(const TempFolder& folder, const std::string& name) {
    Shot shot;
    png::ReadPng((folder.Path() / name).string(), shot.w, shot.h, shot.pixels);
    return shot;
}

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

uint32_t U32At(const std::string& bytes, size_t offset) {
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = v << 8 | uint8_t(bytes[offset + size_t(i)]);
    return v;
}

// Cells (row, step) tapped, and one left alone, away from where the play cursor glides
// in either shot.
struct GridCell {
    uint32_t row, step;
};
constexpr GridCell kTapped[] = {{3, 0}, {4, 4}, {8, 2}};
constexpr GridCell kUntouched = {0, 1};
constexpr uint32_t kFirstTap = 10000, kTapPitch = 300;

struct Screen {
    int32_t w, h, scale;
};

// The grid of the baked images: 16-pixel cells after labels five cells wide, times the scale.
int32_t CellX(const Screen& s, uint32_t step) {
    return s.scale * (80 + 16 * int32_t(step) + 8);
}
int32_t CellY(const Screen& s, uint32_t row) {
    return s.h / 2 - s.scale * 72 + s.scale * (16 * int32_t(row) + 8);
}

void RunEditorScenario(const Screen& screen) {
    SCOPED_TRACE(testing::Message() << screen.w << "x" << screen.h);
    TempFolder folder;
    for (const char* sub : {"imgs", "language", "level", "music", "soundfx"})
        std::filesystem::create_directory_symlink(std::filesystem::path(TBX_GAME_DIR) / sub,
                                                  folder.Path() / sub);
    std::filesystem::create_directory(folder.Path() / "save");
    folder.WriteFile("registry.reg", "Windows Registry Editor Version 5.00\n\n"
                                     "[HKEY_LOCAL_MACHINE\\Software\\VarnokGames\\Tamborix\\"
                                     "Options]\n\"Language\"=hex:00,00,00,00\n");
    std::ostringstream script;
    script << "at 7000 key down / at 7200 key action\n" // main menu: drum machine
           << "at 8200 key down / at 8400 key action\n" // segments
           << "at 9200 key action\n"                    // the first slot, empty
           << "at 9900 shot before.png\n";
    uint32_t at = kFirstTap;
    for (const GridCell& c : kTapped) {
        script << "at " << at << " tap " << CellX(screen, c.step) << " " << CellY(screen, c.row)
               << "\n";
        at += kTapPitch;
    }
    script << "at 11000 shot after.png\n"
           << "at 12000 key back\n"
           << "at 13000 quit\n";
    folder.WriteFile("run.txt", script.str());
    const std::string dir = folder.Path().string();
    const std::string command =
        std::string(TAMBORIX_PROGRAM) + " --headless --size " + std::to_string(screen.w) + "x" +
        std::to_string(screen.h) + " --script " + dir + "/run.txt --data " + dir + " --registry " +
        dir + "/registry.reg --shots " + dir + " --audio-log " + dir + "/audio.log >/dev/null 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0);
    EXPECT_FALSE(std::filesystem::exists(folder.Path() / "error.txt"));

    ASSERT_TRUE(std::filesystem::exists(folder.Path() / "save" / "1.tbs"));
    const std::string file = folder.ReadFile("save/1.tbs");
    ASSERT_EQ(file.size(), 2317u);
    EXPECT_EQ(file.substr(0, 5), "seg01");
    EXPECT_EQ(U32At(file, 5), 16u);
    EXPECT_EQ(U32At(file, 9), 120u);
    auto cell = [&](const GridCell& c) { return U32At(file, 13 + 4 * (c.row * 64 + c.step)); };
    for (const GridCell& c : kTapped) EXPECT_EQ(cell(c), 1u) << c.row << "," << c.step;
    EXPECT_EQ(cell(kUntouched), 0u);

    const Shot before = Load(folder, "before.png"), after = Load(folder, "after.png");
    ASSERT_EQ(before.w, screen.w);
    ASSERT_EQ(after.pixels.size(), before.pixels.size());
    const int32_t r = 5 * screen.scale;
    for (const GridCell& c : kTapped)
        EXPECT_GT(ChangedAround(before, after, CellX(screen, c.step), CellY(screen, c.row), r),
                  r * r)
            << c.row << "," << c.step;
    EXPECT_EQ(ChangedAround(before, after, CellX(screen, kUntouched.step),
                            CellY(screen, kUntouched.row), r),
              0);

    // The loop plays while the editor is open: the bass struck first is heard after its tap.
    std::istringstream log(folder.ReadFile("audio.log"));
    std::string line, name;
    uint32_t ms = 0;
    bool bass = false;
    while (std::getline(log, line)) {
        std::istringstream in(line);
        if (in >> ms >> name && name == "bass" && ms >= kFirstTap) bass = true;
    }
    EXPECT_TRUE(bass);
}

TEST(EditorScenarioTest, TapsOnAnEmptySlotAreSavedWhenTheEditorIsLeft) {
    RunEditorScenario({480, 640, 2});
    RunEditorScenario({240, 320, 1});
}

} // namespace
