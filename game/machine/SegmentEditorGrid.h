#pragma once
// Where the segment editor's grid lies and what a tap on it means, from the screen size and
// the sizes of the "machine" images alone, so both orientations and screen sizes follow.
#include <cstdint>

struct GridLayout {
    int32_t screenWidth = 0;
    int32_t cell = 0;         // side of the square cell images
    int32_t leftMargin = 0;   // width of the row labels; the cells start here
    int32_t rightMargin = 0;  // width of the right-hand margin images
    int32_t handleHeight = 0; // height of the step handles: the band above the grid
    int32_t top = 0;
    int32_t bottom = 0;
    // Top-left corner of the clear button.
    int32_t clearX = 0;
    int32_t clearY = 0;
};

// What else the screen holds around the grid, so the grid and its bands keep clear of the
// title bar and the bottom row of buttons.
struct GridRoom {
    int32_t titleBar = 0;    // height of the title bar at the top
    int32_t bandAbove = 0;   // height of the band above the grid (handles, beat numbers)
    int32_t bandBelow = 0;   // height of the band below the grid
    int32_t buttonRow = 0;   // height of the row of buttons along the bottom edge
    int32_t cornerWidth = 0; // width of the back button in the bottom-right corner
    int32_t clearWidth = 0;  // size of the clear button
    int32_t clearHeight = 0;
};

// Nine rows centred vertically on the screen, moved down where the band above would reach
// into the title bar (a landscape screen), as far as the bottom row of buttons allows. The
// clear button sits at the right edge below the grid's lower band, or, where that would run
// into the bottom row, in that row left of the back button.
GridLayout MakeGridLayout(int32_t screenWidth, int32_t screenHeight, int32_t cell,
                          int32_t leftMargin, int32_t rightMargin, int32_t handleHeight,
                          const GridRoom& room = GridRoom{});

// Whole steps that fit between the label and the right margin.
uint32_t StepsInView(const GridLayout& layout);
// The grid scrolls left until its last step ends at the right margin, and no further.
float GridScrollLimit(const GridLayout& layout, uint32_t steps);
float ClampGridScroll(float scroll, float limit);
// Paging: the steps in view make a page. The scroll that shows the page holding step (the
// last page ends at the right margin), and the scroll one page on (direction > 0) or back
// from scroll, on whole cells.
float PageScrollFor(const GridLayout& layout, uint32_t steps, uint32_t step);
float PagedScroll(const GridLayout& layout, uint32_t steps, float scroll, int32_t direction);
// True when the whole of step's column lies between the labels and the right margin.
bool StepInView(const GridLayout& layout, uint32_t step, float scroll);
// Left edge of a step's column.
int32_t StepX(const GridLayout& layout, uint32_t step, float scroll);
// The play cursor after clock ms of a pass at tempo: it glides one cell per step, from
// five cells in (where the labels end when they are five cells wide).
int32_t LoopCursorX(const GridLayout& layout, uint32_t clock, uint32_t tempo, float scroll);

enum GridTapKind : uint32_t { TapNothing = 0, TapCell = 1, TapHandleBand = 2 };
struct GridTap {
    GridTapKind kind = TapNothing;
    uint32_t row = 0;
    int32_t column = 0; // may lie outside 0..steps - 1
};
// A tap on a cell row between the margins, or in the band of the step handles above the
// grid. A tap on the grid's top line counts as a cell, never as both.
GridTap HitGrid(const GridLayout& layout, int32_t x, int32_t y, float scroll);

// What a tap on column in the handle band does to steps: the last column drops a step (down
// to 1), the column right of it adds one (up to 64). The new steps, or steps unchanged.
uint32_t StepsAfterHandleTap(uint32_t steps, int32_t column);

// A quick series of taps on one spot of the handle band. Each tap moves the handles by a
// column; where the grid cannot move with them (all its steps fit in view) the next tap on
// the same spot would land on the other handle and undo the last one. Within such a series
// the taps keep doing what the first did.
struct HandleRun {
    int32_t column = -1;
    int32_t direction = 0; // +1 adding, -1 dropping, 0 no series
    float scroll = 0.0f;
    uint32_t time = 0;
};
constexpr uint32_t kHandleRunMs = 500;
// The new steps after a handle tap at column (the grid scrolled by scroll) at time now,
// given the series so far. The caller updates the run with NoteHandleTap.
uint32_t StepsAfterHandleTap(uint32_t steps, int32_t column, const HandleRun& run, float scroll,
                             uint32_t now);
// Records a tap that changed steps from before to after; followed tells whether the grid
// scrolled with the handles (then the finger is on the same handle and no series is needed).
void NoteHandleTap(HandleRun& run, int32_t column, uint32_t before, uint32_t after, bool followed,
                   float scroll, uint32_t now);
