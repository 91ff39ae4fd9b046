#include "tools/bake/art/ButtonArt.h"

#include "game/ImageIds.h"
#include "tools/bake/art/Paint.h"

#include <cmath>
#include <functional>

namespace art {

namespace {

constexpr int Side = 48;
constexpr uint32_t IconWhite = 0xF2F4F8;
constexpr uint32_t IconLit = 0xFFC040;
constexpr uint32_t IconDim = 0x7A808A;
constexpr uint32_t EdgeDark = 0x101216;

enum class Face { Plain, Lit, Dim };

// Rounded gunmetal key with a bevel; a lit key gets a warm rim and a glow behind its icon.
void ButtonBase(cairo_t* cr, double w, double h, Face face) {
    double r = 9;
    RoundedRectPath(cr, 1, 1, w - 2, h - 2, r);
    SetRgb(cr, EdgeDark);
    cairo_fill(cr);
    RoundedRectPath(cr, 2.5, 2.5, w - 5, h - 5, r - 1.5);
    cairo_pattern_t* p = cairo_pattern_create_linear(0, 2, 0, h - 2);
    if (face == Face::Dim) {
        AddStop(p, 0, 0x3A3E46);
        AddStop(p, 1, 0x1C1E22);
    } else {
        AddStop(p, 0, 0x5A6170);
        AddStop(p, 0.5, 0x343944);
        AddStop(p, 1, 0x22252C);
    }
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    // Bevel light along the top.
    RoundedRectPath(cr, 4, 4, w - 8, (h - 8) * 0.45, r - 3);
    cairo_pattern_t* gloss = cairo_pattern_create_linear(0, 4, 0, 4 + (h - 8) * 0.45);
    AddStop(gloss, 0, 0xFFFFFF, 0.30);
    AddStop(gloss, 1, 0xFFFFFF, 0.02);
    cairo_set_source(cr, gloss);
    cairo_fill(cr);
    cairo_pattern_destroy(gloss);
    if (face == Face::Lit) {
        cairo_pattern_t* g = cairo_pattern_create_radial(w / 2, h / 2, 2, w / 2, h / 2, w * 0.5);
        AddStop(g, 0, 0xFFB030, 0.55);
        AddStop(g, 1, 0xFF8000, 0.0);
        cairo_set_source(cr, g);
        RoundedRectPath(cr, 2.5, 2.5, w - 5, h - 5, r - 1.5);
        cairo_fill(cr);
        cairo_pattern_destroy(g);
        RoundedRectPath(cr, 2.5, 2.5, w - 5, h - 5, r - 1.5);
        SetRgb(cr, 0xFFB838, 0.9);
        cairo_set_line_width(cr, 1.6);
        cairo_stroke(cr);
    }
}

// Icons are drawn as paths and filled with a dark halo first, so they read on the key.
void Ink(cairo_t* cr, uint32_t colour) {
    SetRgb(cr, EdgeDark, 0.7);
    cairo_set_line_width(cr, 3);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke_preserve(cr);
    SetRgb(cr, colour);
    cairo_fill(cr);
}

void StrokeInk(cairo_t* cr, uint32_t colour, double width) {
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    SetRgb(cr, EdgeDark, 0.7);
    cairo_set_line_width(cr, width + 3);
    cairo_stroke_preserve(cr);
    SetRgb(cr, colour);
    cairo_set_line_width(cr, width);
    cairo_stroke(cr);
}

void Triangle(cairo_t* cr, double x, double y, double w, double h, bool right) {
    cairo_new_path(cr);
    if (right) {
        cairo_move_to(cr, x, y);
        cairo_line_to(cr, x + w, y + h / 2);
        cairo_line_to(cr, x, y + h);
    } else {
        cairo_move_to(cr, x + w, y);
        cairo_line_to(cr, x, y + h / 2);
        cairo_line_to(cr, x + w, y + h);
    }
    cairo_close_path(cr);
}

// A filled triangle through the three points, inked like every icon.
void InkTriangle(cairo_t* cr, double x1, double y1, double x2, double y2, double x3, double y3,
                 uint32_t colour) {
    cairo_new_path(cr);
    cairo_move_to(cr, x1, y1);
    cairo_line_to(cr, x2, y2);
    cairo_line_to(cr, x3, y3);
    cairo_close_path(cr);
    Ink(cr, colour);
}

void Metronome(cairo_t* cr, uint32_t colour, bool swung) {
    cairo_new_path(cr);
    cairo_move_to(cr, 18, 10);
    cairo_line_to(cr, 30, 10);
    cairo_line_to(cr, 36, 38);
    cairo_line_to(cr, 12, 38);
    cairo_close_path(cr);
    Ink(cr, colour);
    cairo_new_path(cr);
    cairo_rectangle(cr, 15, 30, 18, 3);
    SetRgb(cr, 0x2A2E36);
    cairo_fill(cr);
    cairo_new_path(cr);
    cairo_move_to(cr, 24, 33);
    cairo_line_to(cr, swung ? 34 : 24, swung ? 12 : 11);
    StrokeInk(cr, swung ? 0xFFFFFF : 0x2A2E36, 2);
    cairo_new_path(cr);
    cairo_arc(cr, swung ? 31.5 : 24, swung ? 18 : 17, 2.6, 0, 2 * Pi);
    SetRgb(cr, swung ? 0xFFFFFF : 0x2A2E36);
    cairo_fill(cr);
}

void DrumIcon(cairo_t* cr, uint32_t colour, uint32_t shell) {
    // A little drum with two crossed sticks.
    cairo_new_path(cr);
    cairo_move_to(cr, 11, 24);
    cairo_line_to(cr, 11, 35);
    cairo_curve_to(cr, 11, 41, 37, 41, 37, 35);
    cairo_line_to(cr, 37, 24);
    cairo_close_path(cr);
    Ink(cr, shell);
    cairo_new_path(cr);
    EllipsePath(cr, 24, 24, 13, 5);
    Ink(cr, colour);
    cairo_new_path(cr);
    cairo_move_to(cr, 12, 8);
    cairo_line_to(cr, 26, 22);
    cairo_move_to(cr, 36, 8);
    cairo_line_to(cr, 22, 22);
    StrokeInk(cr, colour, 2.4);
}

void LoopArrows(cairo_t* cr, uint32_t colour) {
    cairo_new_path(cr);
    cairo_arc(cr, 24, 24, 11, Pi * 1.15, Pi * 1.95);
    StrokeInk(cr, colour, 3.2);
    cairo_new_path(cr);
    cairo_arc(cr, 24, 24, 11, Pi * 0.15, Pi * 0.95);
    StrokeInk(cr, colour, 3.2);
    // Arrow heads.
    InkTriangle(cr, 30, 9, 39, 15, 29, 19, colour);
    InkTriangle(cr, 18, 39, 9, 33, 19, 29, colour);
}

ArtImage Button(uint32_t id, int w, int h, Face face, const std::function<void(cairo_t*)>& icon) {
    Canvas c = NewCanvas(w, h);
    ButtonBase(c.cr, w, h, face);
    icon(c.cr);
    ArtImage image = FromKeyed(c.surface, id, nullptr, 0x202020);
    FreeCanvas(c);
    return image;
}

// The step handles sit on the band above the grid; art in the upper rows only, because the
// beat numbers are written in the lower ones.
ArtImage StepHandle(uint32_t id, bool add) {
    Canvas c = NewCanvas(32, 32);
    cairo_t* cr = c.cr;
    RoundedRectPath(cr, 1, 0.5, 30, 15, 5);
    cairo_pattern_t* p = cairo_pattern_create_linear(0, 0, 0, 16);
    AddStop(p, 0, add ? 0x5AC070 : 0xE07060);
    AddStop(p, 1, add ? 0x2A7A3A : 0x9A3028);
    FillAndOutline(cr, p, EdgeDark, 1.2);
    SetRgb(cr, 0xFFFFFF);
    if (add) {
        cairo_rectangle(cr, 5, 7, 10, 2.4);
        cairo_rectangle(cr, 8.8, 3.2, 2.4, 10);
        cairo_fill(cr);
        Triangle(cr, 19, 3.5, 8, 9, true);
        cairo_fill(cr);
    } else {
        Triangle(cr, 5, 3.5, 8, 9, false);
        cairo_fill(cr);
        cairo_rectangle(cr, 17, 7, 10, 2.4);
        cairo_fill(cr);
    }
    ArtImage image = FromKeyed(c.surface, id, nullptr, 0x24242C);
    FreeCanvas(c);
    return image;
}

// The centre bar: a recessed display window for five character places.
ArtImage CentreBar() {
    const int w = 160, h = 48;
    Canvas c = NewCanvas(w, h);
    cairo_t* cr = c.cr;
    RoundedRectPath(cr, 0, 0, w, h + 12, 12);
    cairo_pattern_t* frame = cairo_pattern_create_linear(0, 0, 0, h);
    AddStop(frame, 0, 0x6A7180);
    AddStop(frame, 0.15, 0x3A3F4A);
    AddStop(frame, 1, 0x1A1C22);
    cairo_set_source(cr, frame);
    cairo_fill(cr);
    cairo_pattern_destroy(frame);
    RoundedRectPath(cr, 8, 4, w - 16, h - 6, 6);
    cairo_pattern_t* lcd = cairo_pattern_create_linear(0, 4, 0, h - 2);
    AddStop(lcd, 0, 0x05080A);
    AddStop(lcd, 1, 0x121A1E);
    FillAndOutline(cr, lcd, 0x000000, 1.5);
    // Faint glass reflection.
    RoundedRectPath(cr, 10, 6, w - 20, 8, 4);
    SetRgb(cr, 0xFFFFFF, 0.06);
    cairo_fill(cr);
    ArtImage image = FromKeyed(c.surface, ButtonCentreBar, nullptr, 0x202020);
    FreeCanvas(c);
    return image;
}

ArtImage TurnLamp(uint32_t id, bool player) {
    const int w = 160, h = 40;
    Canvas c = NewCanvas(w, h);
    cairo_t* cr = c.cr;
    RoundedRectPath(cr, 1, 1, w - 2, h - 2, 19);
    SetRgb(cr, EdgeDark);
    cairo_fill(cr);
    uint32_t glow = player ? 0x40E070 : 0x40A8FF;
    RoundedRectPath(cr, 3, 3, w - 6, h - 6, 17);
    cairo_pattern_t* p = cairo_pattern_create_linear(0, 3, 0, h - 3);
    AddStop(p, 0, Mix(glow, 0xFFFFFF, 0.45));
    AddStop(p, 0.5, glow);
    AddStop(p, 1, Mix(glow, 0x000000, 0.55));
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    RoundedRectPath(cr, 8, 5, w - 16, 12, 6);
    SetRgb(cr, 0xFFFFFF, 0.35);
    cairo_fill(cr);
    cairo_translate(cr, w / 2.0 - 24, h / 2.0 - 24);
    if (player) {
        // A stick striking a drum head: the player's move.
        cairo_new_path(cr);
        EllipsePath(cr, 24, 33, 18, 6);
        Ink(cr, 0xFFFFFF);
        cairo_new_path(cr);
        cairo_move_to(cr, 40, 10);
        cairo_line_to(cr, 22, 29);
        StrokeInk(cr, 0xFFF0D0, 3);
        cairo_new_path(cr);
        for (double a : {-2.4, -1.6, -0.8}) {
            cairo_move_to(cr, 20 + 8 * std::cos(a), 28 + 8 * std::sin(a));
            cairo_line_to(cr, 20 + 13 * std::cos(a), 28 + 13 * std::sin(a));
        }
        StrokeInk(cr, 0xFFFFFF, 2);
    } else {
        // A speaker sending sound: listen to the kit.
        cairo_new_path(cr);
        cairo_move_to(cr, 10, 19);
        cairo_line_to(cr, 17, 19);
        cairo_line_to(cr, 26, 11);
        cairo_line_to(cr, 26, 37);
        cairo_line_to(cr, 17, 29);
        cairo_line_to(cr, 10, 29);
        cairo_close_path(cr);
        Ink(cr, 0xFFFFFF);
        for (int i = 0; i < 3; ++i) {
            cairo_new_path(cr);
            cairo_arc(cr, 26, 24, 7 + 6 * i, -0.7, 0.7);
            StrokeInk(cr, 0xFFFFFF, 2.2);
        }
    }
    ArtImage image = FromKeyed(c.surface, id, nullptr, 0x202020);
    FreeCanvas(c);
    return image;
}

} // namespace

std::vector<ArtImage> BuildButtonsPack() {
    std::vector<ArtImage> pack;
    auto pause = [](cairo_t* cr) {
        cairo_new_path(cr);
        RoundedRectPath(cr, 14, 12, 7, 24, 1.5);
        RoundedRectPath(cr, 27, 12, 7, 24, 1.5);
        Ink(cr, IconWhite);
    };
    pack.push_back(Button(ButtonPause, Side, Side, Face::Plain, pause));
    pack.push_back(Button(ButtonMetronomeOn, Side, Side, Face::Lit,
                          [](cairo_t* cr) { Metronome(cr, IconLit, true); }));
    pack.push_back(Button(ButtonMetronomeOff, Side, Side, Face::Dim,
                          [](cairo_t* cr) { Metronome(cr, IconDim, false); }));
    pack.push_back(Button(ButtonUpDown, Side, Side, Face::Plain, [](cairo_t* cr) {
        // Two halves: raise above the line, lower below it.
        cairo_new_path(cr);
        cairo_rectangle(cr, 6, 23, 36, 2);
        SetRgb(cr, EdgeDark);
        cairo_fill(cr);
        InkTriangle(cr, 14, 19, 24, 8, 34, 19, IconWhite);
        InkTriangle(cr, 14, 29, 24, 40, 34, 29, IconWhite);
    }));
    pack.push_back(Button(ButtonBack, Side, Side, Face::Plain, [](cairo_t* cr) {
        // U-turn arrow: back.
        cairo_new_path(cr);
        cairo_move_to(cr, 20, 16);
        cairo_line_to(cr, 28, 16);
        cairo_arc(cr, 28, 25, 9, -Pi / 2, Pi / 2);
        cairo_line_to(cr, 16, 34);
        StrokeInk(cr, IconWhite, 3.6);
        InkTriangle(cr, 10, 16, 21, 8, 21, 24, IconWhite);
    }));
    pack.push_back(Button(ButtonPlay, Side, Side, Face::Plain, [](cairo_t* cr) {
        Triangle(cr, 17, 12, 18, 24, true);
        Ink(cr, 0x60E080);
    }));
    pack.push_back(Button(ButtonStop, Side, Side, Face::Plain, [](cairo_t* cr) {
        cairo_new_path(cr);
        RoundedRectPath(cr, 14, 14, 20, 20, 2);
        Ink(cr, 0xF06050);
    }));
    pack.push_back(StepHandle(ButtonHandleRemove, false));
    pack.push_back(StepHandle(ButtonHandleAdd, true));
    pack.push_back(Button(ButtonName, Side, Side, Face::Plain, [](cairo_t* cr) {
        // Pencil: rename.
        cairo_save(cr);
        cairo_translate(cr, 24, 24);
        cairo_rotate(cr, -Pi / 4);
        cairo_new_path(cr);
        cairo_rectangle(cr, -11, -4, 20, 8);
        Ink(cr, 0xFFC850);
        cairo_new_path(cr);
        cairo_rectangle(cr, 9, -4, 4, 8);
        Ink(cr, 0xF08080);
        InkTriangle(cr, -11, -4, -18, 0, -11, 4, 0xF0D8B0);
        cairo_restore(cr);
        cairo_new_path(cr);
        cairo_move_to(cr, 10, 40);
        cairo_line_to(cr, 38, 40);
        StrokeInk(cr, IconWhite, 2);
    }));
    pack.push_back(Button(ButtonCopy, Side, Side, Face::Plain, [](cairo_t* cr) {
        // Two sheets: copy.
        cairo_new_path(cr);
        RoundedRectPath(cr, 10, 9, 19, 24, 2);
        Ink(cr, 0xA8B0BC);
        cairo_new_path(cr);
        RoundedRectPath(cr, 19, 16, 19, 24, 2);
        Ink(cr, IconWhite);
        cairo_new_path(cr);
        for (int i = 0; i < 3; ++i) {
            cairo_move_to(cr, 23, 23 + 5 * i);
            cairo_line_to(cr, 34, 23 + 5 * i);
        }
        SetRgb(cr, 0x6A7280);
        cairo_set_line_width(cr, 1.5);
        cairo_stroke(cr);
    }));
    pack.push_back(Button(ButtonVisualiseOn, Side, Side, Face::Lit,
                          [](cairo_t* cr) { DrumIcon(cr, 0xFFF0C0, 0xE04030); }));
    pack.push_back(Button(ButtonVisualiseOff, Side, Side, Face::Dim,
                          [](cairo_t* cr) { DrumIcon(cr, IconDim, 0x5A5E66); }));
    pack.push_back(Button(ButtonForward, Side, Side, Face::Plain, [](cairo_t* cr) {
        Triangle(cr, 10, 14, 14, 20, true);
        Ink(cr, IconWhite);
        Triangle(cr, 24, 14, 14, 20, true);
        Ink(cr, IconWhite);
    }));
    pack.push_back(Button(ButtonRewind, Side, Side, Face::Plain, [](cairo_t* cr) {
        Triangle(cr, 10, 14, 14, 20, false);
        Ink(cr, IconWhite);
        Triangle(cr, 24, 14, 14, 20, false);
        Ink(cr, IconWhite);
    }));
    pack.push_back(Button(ButtonRepeatOn, Side, Side, Face::Lit,
                          [](cairo_t* cr) { LoopArrows(cr, IconLit); }));
    pack.push_back(Button(ButtonRepeatOff, Side, Side, Face::Dim,
                          [](cairo_t* cr) { LoopArrows(cr, IconDim); }));
    pack.push_back(Button(ButtonClear, Side, 32, Face::Plain, [](cairo_t* cr) {
        // Eraser: clear.
        cairo_save(cr);
        cairo_translate(cr, 24, 16);
        cairo_rotate(cr, -0.45);
        cairo_new_path(cr);
        RoundedRectPath(cr, -14, -6, 14, 12, 2);
        Ink(cr, 0xF08C8C);
        cairo_new_path(cr);
        RoundedRectPath(cr, 0, -6, 14, 12, 2);
        Ink(cr, 0x70A8F0);
        cairo_restore(cr);
    }));
    pack.push_back(CentreBar());
    return pack;
}

std::vector<ArtImage> BuildTurnLamps() {
    return {TurnLamp(300, true), TurnLamp(301, false)};
}

} // namespace art
