// The segment editor by keyboard: a cell cursor moved by the arrows (the grid follows it),
// Space or Return to strike the cell, + and - for the tempo, [ and ] for the steps, Page
// Up and Page Down a bar at a time, P for play and M for the metronome.
#include "game/GameApp.h"
#include "game/machine/SegmentEditor.h"
#include "platform/video/DesktopKeys.h"
#include "varnokengine/VGApplication.h"
#include "varnokengine/VGDeviceScreen.h"
#include "varnokengine/VGOptionNames.h"
#include "varnokengine/VGRegistry.h"
#include "varnokengine/VGScreenMenu.h"

#include <algorithm>

namespace dk = platform::deskkey;

namespace {

constexpr uint32_t kStepsPerBar = 16;
constexpr uint32_t kTempoStep = 1;
constexpr uint32_t kTempoRepeatStep = 10;
constexpr uint32_t kDrumPriority = 3;

} // namespace

void SegmentEditScreen::ToggleCell(uint32_t row, uint32_t step) {
    uint32_t& cell = Cell(*segment, row, step);
    cell = cell == 0 ? 1 : 0;
    redraw |= kRedrawContent;
    // While the loop stands still, the row's drum lets the player hear what they place.
    if (TheGameApp()->play) {
        PlayClick();
    } else {
        KitSounds& out = sounds ? *sounds : DefaultKitSounds();
        out.Restart(RowSoundName(row), kDrumPriority);
    }
}

void SegmentEditScreen::ChangeTempo(bool up, uint32_t step) {
    PlayClick();
    if (up)
        segment->tempo = std::min(segment->tempo + step, kMaxTempo);
    else
        segment->tempo = segment->tempo > kMinTempo + step ? segment->tempo - step : kMinTempo;
    redraw |= kRedrawNumber;
}

void SegmentEditScreen::TogglePlay() {
    PlayClick();
    TheGameApp()->play = TheGameApp()->play ? 0 : 1;
    WriteOption(kOptionPlay, TheGameApp()->play);
    RestartLoop(loop);
    redraw |= kRedrawPlay;
}

void SegmentEditScreen::ToggleMetronome() {
    PlayClick();
    TheGameApp()->metronome = TheGameApp()->metronome ? 0 : 1;
    WriteOption(kOptionMetronome, TheGameApp()->metronome);
    redraw |= kRedrawMetronome;
}

void SegmentEditScreen::SetSteps(uint32_t steps) {
    steps = std::clamp(steps, 1u, kMaxSteps);
    if (steps == segment->steps) return;
    segment->steps = steps;
    cursorStep = std::min(cursorStep, steps - 1);
    redraw = kRedrawAll;
    PlayClick();
}

void SegmentEditScreen::ScrollToCursor(const GridLayout& grid) {
    const int32_t x = StepX(grid, cursorStep, scroll);
    const int32_t right = grid.screenWidth - grid.rightMargin;
    if (x < grid.leftMargin)
        scroll += float(grid.leftMargin - x);
    else if (x + grid.cell > right)
        scroll -= float(x + grid.cell - right);
}

void SegmentEditScreen::HandleKeys(const GridLayout& grid) {
    const VGApplication& app = *TheApp;
    const uint32_t last = segment->steps - 1;
    uint32_t row = cursorRow, step = std::min(cursorStep, last);
    if (app.IsPressedOrRepeated(KeyLeft) && step > 0) --step;
    if (app.IsPressedOrRepeated(KeyRight) && step < last) ++step;
    if (app.IsPressedOrRepeated(KeyUp) && row > 0) --row;
    if (app.IsPressedOrRepeated(KeyDown) && row + 1 < kMachineRows) ++row;
    if (app.IsDeskKeyPressedOrRepeated(dk::PageUp))
        step = step > kStepsPerBar ? step - kStepsPerBar : 0;
    if (app.IsDeskKeyPressedOrRepeated(dk::PageDown)) step = std::min(step + kStepsPerBar, last);
    const bool arrowed = app.IsPressedOrRepeated(KeyLeft) || app.IsPressedOrRepeated(KeyRight) ||
                         app.IsPressedOrRepeated(KeyUp) || app.IsPressedOrRepeated(KeyDown) ||
                         app.IsDeskKeyPressedOrRepeated(dk::PageUp) ||
                         app.IsDeskKeyPressedOrRepeated(dk::PageDown);
    if (arrowed || row != cursorRow || step != cursorStep) {
        cursorRow = row, cursorStep = step;
        cursorShown = true;
        redraw |= kRedrawContent;
        ScrollToCursor(grid);
    }
    if (app.IsPressed(KeyAction)) {
        cursorShown = true;
        ToggleCell(cursorRow, cursorStep);
    }
    for (bool up : {true, false}) {
        const uint16_t key = up ? dk::Plus : dk::Minus;
        if (app.IsDeskKeyPressedOrRepeated(key))
            ChangeTempo(up, app.IsDeskKeyPressed(key) ? kTempoStep : kTempoRepeatStep);
    }
    if (app.IsDeskKeyPressedOrRepeated(dk::LeftBracket)) SetSteps(segment->steps - 1);
    if (app.IsDeskKeyPressedOrRepeated(dk::RightBracket)) SetSteps(segment->steps + 1);
    if (app.IsDeskKeyPressed(platform::LetterKey('p'))) TogglePlay();
    if (app.IsDeskKeyPressed(platform::LetterKey('m'))) ToggleMetronome();
}

void SegmentEditScreen::DrawCellCursor(const GridLayout& grid) {
    if (!cursorShown || cursorStep >= segment->steps) return;
    const int32_t x = StepX(grid, cursorStep, scroll);
    // Only over the cells: the labels and the margin cover columns scrolled under them.
    if (x < grid.leftMargin || x + grid.cell > grid.screenWidth - grid.rightMargin) return;
    DrawOutline(x, grid.top + int32_t(cursorRow) * grid.cell, grid.cell, grid.cell, ColourWhite,
                2 * LayoutScale);
}
