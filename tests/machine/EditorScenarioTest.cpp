// The whole program run headless on a data folder with an empty save folder: drum-machine
// menu, the segment choice, the editor on the empty first slot, three taps on the grid and
// back. The segment file must hold the struck cells, the frames must show them where they
// were tapped, and the loop must have played the first of them while the editor was open.
#include "tests/support/ScenarioRun.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace {

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
    ScenarioRun run;
    run.ChooseLanguage();
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
    ASSERT_EQ(run.Run(script.str(), std::to_string(screen.w) + "x" + std::to_string(screen.h)), 0);
    EXPECT_FALSE(run.ErrorLogged());

    ASSERT_TRUE(std::filesystem::exists(run.User() / "save" / "1.tbs"));
    const std::string file = run.ReadUserFile("save/1.tbs");
    ASSERT_EQ(file.size(), 2317u);
    EXPECT_EQ(file.substr(0, 5), "seg01");
    EXPECT_EQ(U32At(file, 5), 16u);
    EXPECT_EQ(U32At(file, 9), 120u);
    auto cell = [&](const GridCell& c) { return U32At(file, 13 + 4 * (c.row * 64 + c.step)); };
    for (const GridCell& c : kTapped) EXPECT_EQ(cell(c), 1u) << c.row << "," << c.step;
    EXPECT_EQ(cell(kUntouched), 0u);

    const Frame before = run.Shot("before.png"), after = run.Shot("after.png");
    ASSERT_EQ(before.width, screen.w);
    ASSERT_EQ(after.pixels.size(), before.pixels.size());
    const int32_t r = 5 * screen.scale;
    for (const GridCell& c : kTapped)
        EXPECT_GT(before.DifferencesAround(after, CellX(screen, c.step), CellY(screen, c.row), r),
                  r * r)
            << c.row << "," << c.step;
    EXPECT_EQ(before.DifferencesAround(after, CellX(screen, kUntouched.step),
                                       CellY(screen, kUntouched.row), r),
              0);

    // The loop plays while the editor is open: the bass struck first is heard after its tap.
    bool bass = false;
    for (uint32_t ms : run.Heard("bass")) bass = bass || ms >= kFirstTap;
    EXPECT_TRUE(bass);
}

TEST(EditorScenarioTest, TapsOnAnEmptySlotAreSavedWhenTheEditorIsLeft) {
    RunEditorScenario({480, 640, 2});
    RunEditorScenario({240, 320, 1});
}

} // namespace
