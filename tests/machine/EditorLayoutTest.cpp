// The editors' geometry from image sizes alone: where taps land on the segment grid and the
// track strip in both orientations on the large and the small screen, how far each scrolls,
// and where the play cursors stand.
#include "game/machine/SegmentEditorGrid.h"
#include "game/machine/Track.h"
#include "game/machine/TrackEditorStrip.h"

#include <gtest/gtest.h>

namespace {

// The baked sizes on the large screen; the small screen has every image halved.
struct Screen {
    int32_t w, h, s;
};
constexpr Screen kScreens[] = {{480, 640, 2}, {640, 480, 2}, {240, 320, 1}, {320, 240, 1}};

GridLayout Grid(const Screen& sc) {
    return MakeGridLayout(sc.w, sc.h, 16 * sc.s, 80 * sc.s, 32 * sc.s, 16 * sc.s);
}

StripLayout Strip(const Screen& sc) {
    return MakeStripLayout(sc.w, sc.h, 50 * sc.s, 80 * sc.s, 20 * sc.s, 20 * sc.s);
}

TEST(SegmentGridTest, NineRowsCentredAndCellsHitWhereTheyAreDrawn) {
    for (const Screen& sc : kScreens) {
        SCOPED_TRACE(testing::Message() << sc.w << "x" << sc.h);
        const GridLayout g = Grid(sc);
        EXPECT_EQ(g.top + g.bottom, sc.h);
        EXPECT_EQ(g.bottom - g.top, 9 * g.cell);
        for (float scroll : {0.0f, -40.5f * float(sc.s), -256.0f * float(sc.s) / 2}) {
            for (uint32_t step : {0u, 5u, 12u}) {
                const int32_t x = StepX(g, step, scroll);
                // Only columns between the margins can be struck.
                if (x < g.leftMargin || x + g.cell > sc.w - g.rightMargin) continue;
                for (uint32_t row : {0u, 4u, 8u}) {
                    const int32_t y = g.top + int32_t(row) * g.cell;
                    for (int32_t dx : {1, g.cell - 1}) {
                        GridTap tap = HitGrid(g, x + dx, y + g.cell / 2, scroll);
                        EXPECT_EQ(tap.kind, TapCell);
                        EXPECT_EQ(tap.row, row);
                        EXPECT_EQ(tap.column, int32_t(step)) << "scroll " << scroll;
                    }
                }
            }
        }
        // The labels, the right margin and the grid's bottom line strike nothing.
        EXPECT_EQ(HitGrid(g, g.leftMargin - 1, g.top + 3, 0).kind, TapNothing);
        EXPECT_EQ(HitGrid(g, sc.w - g.rightMargin + 1, g.top + 3, 0).kind, TapNothing);
        EXPECT_EQ(HitGrid(g, g.leftMargin + 3, g.bottom, 0).kind, TapNothing);
        EXPECT_EQ(HitGrid(g, g.leftMargin + 3, g.bottom + 1, 0).kind, TapNothing);
        // The top line is a cell; the handles' band lies above it and reaches any x.
        EXPECT_EQ(HitGrid(g, g.leftMargin + 3, g.top, 0).kind, TapCell);
        GridTap band = HitGrid(g, sc.w - 2, g.top - 1, 0);
        EXPECT_EQ(band.kind, TapHandleBand);
        EXPECT_EQ(band.column, (sc.w - 2 - g.leftMargin) / g.cell);
        EXPECT_EQ(HitGrid(g, g.leftMargin + 3, g.top - g.handleHeight, 0).kind, TapHandleBand);
        EXPECT_EQ(HitGrid(g, g.leftMargin + 3, g.top - g.handleHeight - 1, 0).kind, TapNothing);
    }
}

TEST(SegmentGridTest, EveryColumnThatFitsIsUsedAndTheScrollKeptInRange) {
    const GridLayout g = Grid(kScreens[0]);
    EXPECT_EQ(StepsInView(g), 8u);
    EXPECT_EQ(GridScrollLimit(g, 1), 0.0f);
    EXPECT_EQ(GridScrollLimit(g, 8), 0.0f);
    EXPECT_EQ(GridScrollLimit(g, 16), -8.0f * float(g.cell));
    EXPECT_EQ(GridScrollLimit(g, 64), -56.0f * float(g.cell));
    EXPECT_EQ(ClampGridScroll(3.0f, -256.0f), 0.0f);
    EXPECT_EQ(ClampGridScroll(-300.0f, -256.0f), -256.0f);
    EXPECT_EQ(ClampGridScroll(-12.5f, -256.0f), -12.5f);
    // The landscape screens show thirteen columns: 13 steps do not scroll, and at the limit
    // the last of 64 steps ends exactly at the right margin on every screen.
    EXPECT_EQ(StepsInView(Grid(kScreens[1])), 13u);
    EXPECT_EQ(GridScrollLimit(Grid(kScreens[1]), 13), 0.0f);
    EXPECT_EQ(GridScrollLimit(Grid(kScreens[1]), 16), -3.0f * float(g.cell));
    for (const Screen& sc : kScreens) {
        const GridLayout s = Grid(sc);
        for (uint32_t steps : {14u, 17u, 64u})
            EXPECT_EQ(StepX(s, steps, GridScrollLimit(s, steps)), sc.w - s.rightMargin)
                << sc.w << "x" << sc.h << " steps " << steps;
    }
}

// With the title bar and the bottom row of buttons in the picture, the grid's bands, the
// handles and the clear button keep clear of both on every screen; the portrait screens,
// which have room, keep the grid centred.
TEST(SegmentGridTest, GridAndClearButtonKeepClearOfTheTitleBarAndTheButtonRow) {
    for (const Screen& sc : kScreens) {
        SCOPED_TRACE(testing::Message() << sc.w << "x" << sc.h);
        GridRoom room;
        room.titleBar = 44 * sc.s;
        room.bandAbove = 16 * sc.s;
        room.bandBelow = 8 * sc.s;
        room.buttonRow = 24 * sc.s;
        room.cornerWidth = 24 * sc.s;
        room.clearWidth = 24 * sc.s;
        room.clearHeight = 16 * sc.s;
        const GridLayout g =
            MakeGridLayout(sc.w, sc.h, 16 * sc.s, 80 * sc.s, 32 * sc.s, 16 * sc.s, room);
        EXPECT_EQ(g.bottom - g.top, 9 * g.cell);
        EXPECT_GE(g.top - room.bandAbove, room.titleBar);
        EXPECT_LE(g.bottom + room.bandBelow, sc.h - room.buttonRow);
        if (sc.h > sc.w) {
            EXPECT_EQ(g.top + g.bottom, sc.h);
        }
        // The clear button lies on the screen, below the grid's lower band, and off the
        // back button in the corner.
        EXPECT_GE(g.clearX, 0);
        EXPECT_LE(g.clearX + room.clearWidth, sc.w);
        EXPECT_GE(g.clearY, g.bottom + room.bandBelow);
        EXPECT_LE(g.clearY + room.clearHeight, sc.h);
        const bool besideCorner = g.clearX + room.clearWidth <= sc.w - room.cornerWidth;
        EXPECT_TRUE(besideCorner || g.clearY + room.clearHeight <= sc.h - room.buttonRow);
    }
}

TEST(SegmentGridTest, CursorGlidesOneCellPerStepFromFiveCellsIn) {
    for (const Screen& sc : {kScreens[0], kScreens[2]}) {
        const GridLayout g = Grid(sc);
        // 120 beats a minute: a step lasts 125 ms.
        EXPECT_EQ(LoopCursorX(g, 0, 120, 0.0f), g.leftMargin);
        EXPECT_EQ(LoopCursorX(g, 125, 120, 0.0f), g.leftMargin + g.cell);
        EXPECT_EQ(LoopCursorX(g, 375, 120, -float(g.cell)), g.leftMargin + 2 * g.cell);
        EXPECT_EQ(LoopCursorX(g, 1000, 400, 0.0f), StepX(g, 0, 0) + int32_t(26.66f * g.cell));
    }
}

TEST(TrackStripTest, OnlyExistingColumnsBetweenTheMarginsAnswer) {
    for (const Screen& sc : kScreens) {
        SCOPED_TRACE(testing::Message() << sc.w << "x" << sc.h);
        const StripLayout st = Strip(sc);
        EXPECT_EQ(st.top + st.bottom, sc.h);
        // Past the last entry, on the margins and on the strip's bottom line: nothing.
        EXPECT_FALSE(HitStrip(st, ColumnX(st, 1, 0) + 2, st.top + 2, 0, 1).hit);
        EXPECT_FALSE(HitStrip(st, st.leftMargin - 1, st.top + 2, 0, 6).hit);
        EXPECT_FALSE(HitStrip(st, sc.w - st.rightMargin + 1, st.top + 2, 0, 6).hit);
        EXPECT_FALSE(HitStrip(st, st.leftMargin + 2, st.bottom, 0, 6).hit);
        StripTap last = HitStrip(st, st.leftMargin + st.columnWidth - 1, st.bottom - 1, 0, 6);
        EXPECT_TRUE(last.hit && last.right && last.band == BandRemovePlay);
        // Scrolled to its limit the strip's last column ends at the right margin: four
        // entries fill the portrait strip, and the landscape one shows more of them.
        for (uint32_t count : {7u, 20u})
            EXPECT_EQ(ColumnX(st, count, StripScrollLimit(st, count)), sc.w - st.rightMargin);
        EXPECT_EQ(StripScrollLimit(st, 4), 0.0f);
        EXPECT_EQ(StripScrollLimit(st, 5) == 0.0f, sc.w > sc.h);
    }
    // A degenerate image never divides by zero.
    EXPECT_FALSE(HitStrip(MakeStripLayout(480, 640, 1, 3, 0, 0), 10, 320, 0, 6).hit);
}

class TrackEditTest : public testing::Test {
protected:
    void SetUp() override {
        track.slot = 4;
        Reset(track);
    }
    // Gives entry i a fresh default segment of the slot.
    void GiveSegment(uint32_t i, uint32_t slot) {
        TrackEntry* e = EntryAt(track, i);
        ASSERT_NE(e, nullptr);
        delete e->segment;
        e->segment = new Segment;
        e->segment->slot = slot;
        Reset(*e->segment);
    }
    Track track;
};

TEST_F(TrackEditTest, CursorCrossesTheEntryOverAllItsRepeats) {
    const StripLayout st = Strip(kScreens[0]);
    // Nothing to play: the cursor waits at the entry's left edge.
    EXPECT_EQ(TrackCursorX(st, track), st.leftMargin);
    GiveSegment(0, 1); // 2000 ms
    track.entries->repeats = 2;
    track.repeatIndex = 1;
    track.position = 0.0f;
    EXPECT_EQ(TrackCursorX(st, track), st.leftMargin + st.columnWidth / 2);
    track.listScroll = -10.0f;
    track.position = 1000.0f;
    EXPECT_EQ(TrackCursorX(st, track), st.leftMargin + st.columnWidth * 3 / 4 - 10);
    // A segment of no length and a place past the end are shown, not divided by.
    track.entries->segment->steps = 0;
    EXPECT_EQ(TrackCursorX(st, track), st.leftMargin - 10);
    track.entryIndex = 5;
    EXPECT_EQ(TrackCursorX(st, track), st.leftMargin + 5 * st.columnWidth - 10);
}

} // namespace
