#include "tools/bake/art/MachineArt.h"

#include "game/ImageIds.h"
#include "tools/bake/art/Paint.h"

#include <cmath>
#include <functional>

namespace art {

namespace {

ArtImage Opaque(uint32_t id, int w, int h, const std::function<void(cairo_t*)>& paint) {
    Canvas c = NewCanvas(w, h);
    SetRgb(c.cr, 0x000000);
    cairo_paint(c.cr);
    paint(c.cr);
    ArtImage image = FromOpaque(c.surface, id);
    FreeCanvas(c);
    return image;
}

ArtImage Keyed(uint32_t id, int w, int h, uint32_t under,
               const std::function<void(cairo_t*)>& paint) {
    Canvas c = NewCanvas(w, h);
    paint(c.cr);
    ArtImage image = FromKeyed(c.surface, id, nullptr, under);
    FreeCanvas(c);
    return image;
}

void VerticalFill(cairo_t* cr, double x, double y, double w, double h, uint32_t top,
                  uint32_t bottom) {
    cairo_pattern_t* p = cairo_pattern_create_linear(0, y, 0, y + h);
    AddStop(p, 0, top);
    AddStop(p, 1, bottom);
    cairo_set_source(cr, p);
    cairo_rectangle(cr, x, y, w, h);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
}

// Grip ridges: the margins are where a finger drags to scroll.
void Ridges(cairo_t* cr, double x0, double x1, double h) {
    for (double x = x0; x < x1; x += 6) {
        SetRgb(cr, 0x0A0C10, 0.8);
        cairo_rectangle(cr, x, 4, 2, h - 8);
        cairo_fill(cr);
        SetRgb(cr, 0x7A8496, 0.35);
        cairo_rectangle(cr, x + 2, 4, 1, h - 8);
        cairo_fill(cr);
    }
}

// Pad colours: the row shade is the base; every other group of four steps is tinted.
uint32_t PadBase(bool oddRow, bool oddBeat) {
    uint32_t base = oddRow ? 0x20242E : 0x363E52;
    return oddBeat ? Mix(base, 0x4A6E98, 0.55) : base;
}

ArtImage Cell(uint32_t id, bool oddRow, bool struck, bool oddBeat) {
    return Opaque(id, GridCell, GridCell, [&](cairo_t* cr) {
        uint32_t base = PadBase(oddRow, oddBeat);
        SetRgb(cr, Mix(base, 0x000000, 0.45));
        cairo_paint(cr);
        RoundedRectPath(cr, 2, 2, GridCell - 4, GridCell - 4, 5);
        if (struck) {
            uint32_t lit = oddBeat ? 0xFF9A2A : 0xFFC23A;
            cairo_pattern_t* p = cairo_pattern_create_radial(14, 12, 1, 16, 16, 17);
            AddStop(p, 0, 0xFFFCE8);
            AddStop(p, 0.45, lit);
            AddStop(p, 1, Mix(lit, 0x602000, 0.5));
            cairo_set_source(cr, p);
            cairo_fill_preserve(cr);
            cairo_pattern_destroy(p);
            SetRgb(cr, 0xFFF0C0, 0.9);
        } else {
            cairo_pattern_t* p = cairo_pattern_create_linear(0, 2, 0, GridCell - 2);
            AddStop(p, 0, Mix(base, 0x000000, 0.25));
            AddStop(p, 1, Mix(base, 0xFFFFFF, 0.08));
            cairo_set_source(cr, p);
            cairo_fill_preserve(cr);
            cairo_pattern_destroy(p);
            SetRgb(cr, Mix(base, 0xFFFFFF, 0.18));
        }
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
    });
}

ArtImage RowLabel(uint32_t id, bool oddRow) {
    return Opaque(id, RowLabelWidth, GridCell, [&](cairo_t* cr) {
        uint32_t base = oddRow ? 0x181C28 : 0x2A3346;
        VerticalFill(cr, 0, 0, RowLabelWidth, GridCell, Mix(base, 0xFFFFFF, 0.06), base);
        SetRgb(cr, 0x0A0C10);
        cairo_rectangle(cr, RowLabelWidth - 3, 0, 3, GridCell);
        cairo_fill(cr);
        SetRgb(cr, 0x5A6A84);
        cairo_rectangle(cr, RowLabelWidth - 4, 0, 1, GridCell);
        cairo_fill(cr);
    });
}

ArtImage RowMargin(uint32_t id, bool oddRow) {
    return Opaque(id, GridMarginWidth, GridCell, [&](cairo_t* cr) {
        uint32_t base = oddRow ? 0x181C28 : 0x2A3346;
        VerticalFill(cr, 0, 0, GridMarginWidth, GridCell, Mix(base, 0xFFFFFF, 0.06), base);
        SetRgb(cr, 0x0A0C10);
        cairo_rectangle(cr, 0, 0, 3, GridCell);
        cairo_fill(cr);
        Ridges(cr, 16, GridMarginWidth - 10, GridCell);
    });
}

ArtImage ScrollMark(uint32_t id, bool right) {
    return Keyed(id, 16, 48, 0x262B36, [&](cairo_t* cr) {
        for (int i = 0; i < 2; ++i) {
            double x = right ? 3 + i * 5 : 13 - i * 5;
            double dir = right ? 1 : -1;
            cairo_new_path(cr);
            cairo_move_to(cr, x, 10);
            cairo_line_to(cr, x + dir * 6, 24);
            cairo_line_to(cr, x, 38);
            cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
            cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
            SetRgb(cr, 0x05070A, 0.9);
            cairo_set_line_width(cr, 5.5);
            cairo_stroke_preserve(cr);
            SetRgb(cr, i ? 0x9FD8FF : 0xFFFFFF);
            cairo_set_line_width(cr, 2.6);
            cairo_stroke(cr);
        }
    });
}

// One track entry: name field, repeats (- and +), insert before/after, remove and play.
ArtImage StripColumn(uint32_t id, bool odd) {
    return Opaque(id, StripColumnWidth, StripHeight, [&](cairo_t* cr) {
        uint32_t base = odd ? 0x1E2432 : 0x283042;
        VerticalFill(cr, 0, 0, StripColumnWidth, StripHeight, Mix(base, 0xFFFFFF, 0.05), base);
        // Name field in band 0.
        RoundedRectPath(cr, 6, 8, StripColumnWidth - 12, 30, 5);
        SetRgb(cr, 0x0C1016);
        cairo_fill(cr);
        for (int band = 1; band < 4; ++band) {
            SetRgb(cr, 0x0A0C10, 0.7);
            cairo_rectangle(cr, 4, band * 40, StripColumnWidth - 8, 1);
            cairo_fill(cr);
        }
        SetRgb(cr, 0x0A0C10);
        cairo_rectangle(cr, StripColumnWidth - 1, 0, 1, StripHeight);
        cairo_fill(cr);
        auto disc = [&](double cx, double cy, uint32_t colour) {
            cairo_new_path(cr);
            cairo_arc(cr, cx, cy, 11, 0, 2 * Pi);
            cairo_pattern_t* p = cairo_pattern_create_linear(0, cy - 11, 0, cy + 11);
            AddStop(p, 0, Mix(colour, 0xFFFFFF, 0.3));
            AddStop(p, 1, Mix(colour, 0x000000, 0.35));
            FillAndOutline(cr, p, 0x08090C, 1.2);
            SetRgb(cr, 0xFFFFFF);
        };
        // Band 1: fewer and more repeats at the sides, the count is written between.
        disc(14, 60, 0x50607A);
        cairo_rectangle(cr, 8, 59, 12, 2.5);
        cairo_fill(cr);
        disc(86, 60, 0x50607A);
        cairo_rectangle(cr, 80, 59, 12, 2.5);
        cairo_rectangle(cr, 84.75, 54, 2.5, 12);
        cairo_fill(cr);
        // Band 2: insert an entry before (bar on the left) or after (bar on the right).
        disc(25, 100, 0x3A8A50);
        cairo_rectangle(cr, 17, 93, 2.5, 14);
        cairo_rectangle(cr, 22, 98.75, 10, 2.5);
        cairo_rectangle(cr, 25.75, 95, 2.5, 10);
        cairo_fill(cr);
        disc(75, 100, 0x3A8A50);
        cairo_rectangle(cr, 80.5, 93, 2.5, 14);
        cairo_rectangle(cr, 68, 98.75, 10, 2.5);
        cairo_rectangle(cr, 71.75, 95, 2.5, 10);
        cairo_fill(cr);
        // Band 3: remove, and play from here.
        disc(25, 140, 0xA83A34);
        cairo_set_line_width(cr, 2.6);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_move_to(cr, 20, 135);
        cairo_line_to(cr, 30, 145);
        cairo_move_to(cr, 30, 135);
        cairo_line_to(cr, 20, 145);
        cairo_stroke(cr);
        disc(75, 140, 0x3A7AB0);
        cairo_move_to(cr, 71, 133);
        cairo_line_to(cr, 81, 140);
        cairo_line_to(cr, 71, 147);
        cairo_close_path(cr);
        cairo_fill(cr);
    });
}

ArtImage StripMargin(uint32_t id, bool right) {
    return Opaque(id, StripMarginWidth, StripHeight, [&](cairo_t* cr) {
        VerticalFill(cr, 0, 0, StripMarginWidth, StripHeight, 0x2A3244, 0x161A24);
        SetRgb(cr, 0x0A0C10);
        cairo_rectangle(cr, right ? 0 : StripMarginWidth - 3, 0, 3, StripHeight);
        cairo_fill(cr);
        Ridges(cr, right ? 12 : 8, right ? StripMarginWidth - 6 : StripMarginWidth - 10,
               StripHeight);
    });
}

} // namespace

std::vector<ArtImage> BuildMachinePack() {
    std::vector<ArtImage> pack;
    pack.push_back(Opaque(MachineBandBelow, 640, 16, [](cairo_t* cr) {
        VerticalFill(cr, 0, 0, 640, 16, 0x4A5264, 0x1A1E26);
        SetRgb(cr, 0x8A94A8);
        cairo_rectangle(cr, 0, 0, 640, 1);
        cairo_fill(cr);
        SetRgb(cr, 0x05060A);
        cairo_rectangle(cr, 0, 15, 640, 1);
        cairo_fill(cr);
    }));
    pack.push_back(Opaque(MachineBandAbove, 640, 32, [](cairo_t* cr) {
        VerticalFill(cr, 0, 0, 640, 32, 0x141820, 0x1E2430);
        SetRgb(cr, 0x05060A);
        cairo_rectangle(cr, 0, 0, 640, 1);
        cairo_fill(cr);
        SetRgb(cr, 0x4A5468);
        cairo_rectangle(cr, 0, 31, 640, 1);
        cairo_fill(cr);
    }));
    pack.push_back(ScrollMark(MachineScrollLeft, false));
    pack.push_back(ScrollMark(MachineScrollRight, true));
    pack.push_back(Keyed(MachineSegmentCursor, GridCell, 9 * GridCell, 0x262B36, [](cairo_t* cr) {
        RoundedRectPath(cr, 1.5, 1.5, GridCell - 3, 9 * GridCell - 3, 4);
        SetRgb(cr, 0x05070A, 0.9);
        cairo_set_line_width(cr, 5);
        cairo_stroke_preserve(cr);
        SetRgb(cr, 0x7FE0FF);
        cairo_set_line_width(cr, 2.5);
        cairo_stroke(cr);
    }));
    pack.push_back(Opaque(MachineTrackCursor, 6, StripHeight, [](cairo_t* cr) {
        cairo_pattern_t* p = cairo_pattern_create_linear(0, 0, 6, 0);
        AddStop(p, 0, 0x1A5A7A);
        AddStop(p, 0.5, 0xC8F4FF);
        AddStop(p, 1, 0x1A5A7A);
        cairo_set_source(cr, p);
        cairo_paint(cr);
        cairo_pattern_destroy(p);
    }));
    pack.push_back(RowLabel(MachineLabelEven, false));
    pack.push_back(RowLabel(MachineLabelOdd, true));
    pack.push_back(RowMargin(MachineMarginEven, false));
    pack.push_back(RowMargin(MachineMarginOdd, true));
    for (int struck = 0; struck < 2; ++struck)
        for (int oddRow = 0; oddRow < 2; ++oddRow)
            for (int oddBeat = 0; oddBeat < 2; ++oddBeat)
                pack.push_back(Cell(MachineCellFirst + 4 * struck + 2 * oddRow + oddBeat, oddRow,
                                    struck, oddBeat));
    pack.push_back(StripColumn(MachineColumnEven, false));
    pack.push_back(StripColumn(MachineColumnOdd, true));
    pack.push_back(StripMargin(MachineStripLeft, false));
    pack.push_back(StripMargin(MachineStripRight, true));
    return pack;
}

} // namespace art
