#include "game/machine/SegmentEditorGrid.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr int32_t kRows = 9;
constexpr uint32_t kMostSteps = 64;
constexpr int32_t kCursorOriginCells = 5;
} // namespace

GridLayout MakeGridLayout(int32_t screenWidth, int32_t screenHeight, int32_t cell,
                          int32_t leftMargin, int32_t rightMargin, int32_t handleHeight,
                          const GridRoom& room) {
    GridLayout l;
    l.screenWidth = screenWidth;
    l.cell = cell;
    l.leftMargin = leftMargin;
    l.rightMargin = rightMargin;
    l.handleHeight = handleHeight;
    l.top = screenHeight / 2 - (cell * kRows) / 2;
    const int32_t above = std::max(room.bandAbove, handleHeight);
    if (l.top - above < room.titleBar) {
        const int32_t lowest = screenHeight - room.buttonRow - room.bandBelow - kRows * cell;
        l.top = std::max(l.top, std::min(room.titleBar + above, lowest));
    }
    l.bottom = l.top + kRows * cell;
    l.clearX = screenWidth - room.clearWidth;
    l.clearY = l.bottom + room.bandBelow;
    if (l.clearY + room.clearHeight > screenHeight - room.buttonRow) {
        l.clearX = screenWidth - room.cornerWidth - room.clearWidth;
        l.clearY = screenHeight - room.buttonRow / 2 - room.clearHeight / 2;
    }
    return l;
}

uint32_t StepsInView(const GridLayout& layout) {
    if (layout.cell <= 0) return 0;
    return uint32_t(std::max(layout.screenWidth - layout.leftMargin - layout.rightMargin, 0) /
                    layout.cell);
}

float GridScrollLimit(const GridLayout& layout, uint32_t steps) {
    const int32_t room = std::max(layout.screenWidth - layout.leftMargin - layout.rightMargin, 0);
    return -float(std::max(int32_t(steps) * layout.cell - room, 0));
}

float ClampGridScroll(float scroll, float limit) {
    if (scroll > 0.0f) return 0.0f;
    if (scroll < limit) return limit;
    return scroll;
}

float PageScrollFor(const GridLayout& layout, uint32_t steps, uint32_t step) {
    const uint32_t page = std::max(StepsInView(layout), 1u);
    const float scroll = -float(int32_t(step / page * page) * layout.cell);
    return ClampGridScroll(scroll, GridScrollLimit(layout, steps));
}

float PagedScroll(const GridLayout& layout, uint32_t steps, float scroll, int32_t direction) {
    if (layout.cell <= 0) return scroll;
    const int32_t page = int32_t(std::max(StepsInView(layout), 1u)) * layout.cell;
    const float moved = scroll + float(direction > 0 ? -page : page);
    // Onto a whole cell, so a page starts with a whole column.
    const float cells = std::round(moved / float(layout.cell));
    return ClampGridScroll(cells * float(layout.cell), GridScrollLimit(layout, steps));
}

bool StepInView(const GridLayout& layout, uint32_t step, float scroll) {
    const int32_t x = StepX(layout, step, scroll);
    return x >= layout.leftMargin && x + layout.cell <= layout.screenWidth - layout.rightMargin;
}

int32_t StepX(const GridLayout& layout, uint32_t step, float scroll) {
    return int32_t(float(int32_t(step) * layout.cell) + scroll + float(layout.leftMargin));
}

int32_t LoopCursorX(const GridLayout& layout, uint32_t clock, uint32_t tempo, float scroll) {
    if (tempo == 0) tempo = 1;
    float stepLen = 15000.0f / float(tempo);
    float perPixel = stepLen / float(std::max(layout.cell, 1));
    return int32_t(float(clock) / perPixel + float(kCursorOriginCells * layout.cell) + scroll);
}

GridTap HitGrid(const GridLayout& layout, int32_t x, int32_t y, float scroll) {
    GridTap tap;
    if (layout.cell <= 0) return tap;
    // Whole pixels from the first column's left edge, then whole cells.
    int32_t column = int32_t(float(x - layout.leftMargin) - scroll) / layout.cell;
    if (y >= layout.top && y <= layout.bottom) {
        int32_t row = (y - layout.top) / layout.cell;
        if (row < kRows && x >= layout.leftMargin && x <= layout.screenWidth - layout.rightMargin) {
            tap.kind = TapCell;
            tap.row = uint32_t(row);
            tap.column = column;
        }
        return tap;
    }
    if (y >= layout.top - layout.handleHeight && y < layout.top) {
        tap.kind = TapHandleBand;
        tap.column = column;
    }
    return tap;
}

uint32_t StepsAfterHandleTap(uint32_t steps, int32_t column) {
    if (steps > 1 && column == int32_t(steps) - 1) return steps - 1;
    if (steps < kMostSteps && column == int32_t(steps)) return steps + 1;
    return steps;
}

uint32_t StepsAfterHandleTap(uint32_t steps, int32_t column, const HandleRun& run, float scroll,
                             uint32_t now) {
    const bool inRun = run.direction != 0 && column == run.column && scroll == run.scroll &&
                       now - run.time <= kHandleRunMs;
    if (!inRun) return StepsAfterHandleTap(steps, column);
    if (run.direction > 0) return std::min(steps + 1, kMostSteps);
    return steps > 1 ? steps - 1 : steps;
}

void NoteHandleTap(HandleRun& run, int32_t column, uint32_t before, uint32_t after, bool followed,
                   float scroll, uint32_t now) {
    run.column = column;
    run.direction = followed || after == before ? 0 : (after > before ? 1 : -1);
    run.scroll = scroll;
    run.time = now;
}
