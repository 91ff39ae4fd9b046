#include "tools/bake/art/KitArt.h"

#include "tools/bake/art/Paint.h"

#include <algorithm>
#include <cmath>

namespace art {

namespace {

// Master-scene geometry (pixels of the 640x640 scene, centre 320,320).
struct DrumGeo {
    double cx, cy, rx, ry, depth;
};
constexpr DrumGeo TomHiGeo{272, 218, 50, 30, 40};
constexpr DrumGeo TomMidGeo{368, 214, 52, 31, 44};
constexpr DrumGeo FloorGeo{455, 318, 66, 40, 78};
constexpr DrumGeo SnareGeo{212, 296, 62, 37, 28};

struct CymbalGeo {
    double cx, cy, rx, ry;
};
constexpr CymbalGeo CrashGeo{205, 178, 88, 27};
constexpr CymbalGeo RideGeo{466, 222, 90, 28};
constexpr CymbalGeo HatGeo{145, 334, 60, 19};
constexpr double HatGap = 12; // open hi-hat: top cymbal above the bottom one
constexpr double BassCx = 320, BassCy = 350, BassR = 112;
constexpr double BeaterPivotY = 472;

constexpr KitPoint Landing[PieceCount] = {{134, -4},    {51, -111},  {-43, -108},
                                          {0, 0},       {-107, -25}, {120, -88},
                                          {-102, -133}, {-161, 15},  {0, 0}};
constexpr uint32_t Masks[PieceCount] = {204, 203, 202, 205, 201, 211, 215, 219, 223};

void EllipseArc(cairo_t* cr, double cx, double cy, double rx, double ry, double a0, double a1) {
    const int steps = 48;
    for (int i = 0; i <= steps; ++i) {
        double a = a0 + (a1 - a0) * i / steps;
        cairo_line_to(cr, cx + rx * std::cos(a), cy + ry * std::sin(a));
    }
}

void DrawBackdrop(cairo_t* cr) {
    // Back wall with a warm spotlight, stage floor in perspective, a rug under the kit.
    cairo_pattern_t* wall = cairo_pattern_create_linear(0, 0, 0, 250);
    AddStop(wall, 0, 0x0C0D14);
    AddStop(wall, 1, 0x23222E);
    cairo_set_source(cr, wall);
    cairo_rectangle(cr, 0, 0, KitSize, 250);
    cairo_fill(cr);
    cairo_pattern_destroy(wall);
    // Acoustic panels on the wall.
    for (int i = 0; i < 8; ++i) {
        double x = 8 + i * 79;
        cairo_pattern_t* p = cairo_pattern_create_linear(0, 20, 0, 230);
        AddStop(p, 0, 0x1A1B26);
        AddStop(p, 1, 0x2C2B38);
        cairo_set_source(cr, p);
        RoundedRectPath(cr, x, 24, 70, 200, 6);
        cairo_fill(cr);
        cairo_pattern_destroy(p);
    }
    cairo_pattern_t* glow = cairo_pattern_create_radial(320, 150, 10, 320, 200, 330);
    AddStop(glow, 0, 0xFFD9A0, 0.30);
    AddStop(glow, 0.5, 0xFF9F50, 0.10);
    AddStop(glow, 1, 0x000000, 0.0);
    cairo_set_source(cr, glow);
    cairo_rectangle(cr, 0, 0, KitSize, 250);
    cairo_fill(cr);
    cairo_pattern_destroy(glow);

    cairo_pattern_t* floor = cairo_pattern_create_linear(0, 250, 0, KitSize);
    AddStop(floor, 0, 0x3B2618);
    AddStop(floor, 1, 0x5E3C22);
    cairo_set_source(cr, floor);
    cairo_rectangle(cr, 0, 250, KitSize, KitSize - 250);
    cairo_fill(cr);
    cairo_pattern_destroy(floor);
    // Plank seams converge on a vanishing point far above the wall.
    cairo_set_line_width(cr, 1.5);
    for (int i = -14; i <= 14; ++i) {
        SetRgb(cr, 0x1E130B, 0.55);
        cairo_move_to(cr, 320 + i * 10, 250);
        cairo_line_to(cr, 320 + i * 62, KitSize);
        cairo_stroke(cr);
    }
    SetRgb(cr, 0x120C08, 0.8);
    cairo_rectangle(cr, 0, 246, KitSize, 6);
    cairo_fill(cr);

    // Rug.
    SetRgb(cr, 0x2A0E12, 0.9);
    EllipseArc(cr, 322, 410, 300, 150, 0, 2 * Pi);
    cairo_close_path(cr);
    cairo_fill(cr);
    cairo_pattern_t* rug = cairo_pattern_create_radial(320, 380, 20, 320, 400, 300);
    AddStop(rug, 0, 0x7A2630);
    AddStop(rug, 1, 0x4A141C);
    cairo_set_source(cr, rug);
    EllipseArc(cr, 320, 404, 294, 144, 0, 2 * Pi);
    cairo_close_path(cr);
    cairo_fill(cr);
    cairo_pattern_destroy(rug);
    cairo_set_line_width(cr, 3);
    SetRgb(cr, 0xC89A4A, 0.45);
    EllipseArc(cr, 320, 404, 276, 132, 0, 2 * Pi);
    cairo_close_path(cr);
    cairo_stroke(cr);
}

// A soft contact shadow on the rug under a piece.
void FloorShadow(cairo_t* cr, double cx, double cy, double rx, double ry, double strength) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, rx, ry);
    cairo_pattern_t* p = cairo_pattern_create_radial(0, 0, 0, 0, 0, 1);
    AddStop(p, 0, 0x000000, strength);
    AddStop(p, 0.6, 0x000000, strength * 0.6);
    AddStop(p, 1, 0x000000, 0);
    cairo_set_source(cr, p);
    cairo_new_path(cr);
    cairo_arc(cr, 0, 0, 1, 0, 2 * Pi);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    cairo_restore(cr);
}

void DrawShadows(cairo_t* cr) {
    FloorShadow(cr, 320, 470, 150, 30, 0.55);
    FloorShadow(cr, 455, 470, 95, 20, 0.5);
    FloorShadow(cr, 212, 478, 60, 14, 0.45);
    FloorShadow(cr, 145, 502, 62, 12, 0.45);
    FloorShadow(cr, 104, 506, 50, 10, 0.4);
    FloorShadow(cr, 560, 506, 50, 10, 0.4);
    FloorShadow(cr, 320, 610, 110, 26, 0.5);
    // Darker corners keep the eye on the kit.
    cairo_pattern_t* v = cairo_pattern_create_radial(320, 330, 250, 320, 330, 470);
    AddStop(v, 0, 0x000000, 0);
    AddStop(v, 1, 0x000000, 0.45);
    cairo_set_source(cr, v);
    cairo_paint(cr);
    cairo_pattern_destroy(v);
}

void DrumShell(cairo_t* cr, const DrumGeo& g, bool chrome) {
    cairo_new_path(cr);
    cairo_move_to(cr, g.cx - g.rx, g.cy);
    cairo_line_to(cr, g.cx - g.rx, g.cy + g.depth);
    EllipseArc(cr, g.cx, g.cy + g.depth, g.rx, g.ry, Pi, 0);
    cairo_line_to(cr, g.cx + g.rx, g.cy);
    EllipseArc(cr, g.cx, g.cy, g.rx, g.ry, 0, Pi);
    cairo_close_path(cr);
    cairo_pattern_t* p;
    if (chrome) {
        p = ChromeAcross(g.cx - g.rx, 0, g.cx + g.rx, 0);
    } else {
        // Deep red lacquer with a sharp highlight and a soft second one.
        p = cairo_pattern_create_linear(g.cx - g.rx, 0, g.cx + g.rx, 0);
        AddStop(p, 0.0, 0x3A0608);
        AddStop(p, 0.16, 0x9E1E22);
        AddStop(p, 0.24, 0xF07A6A);
        AddStop(p, 0.30, 0xB42A2A);
        AddStop(p, 0.62, 0x7C1418);
        AddStop(p, 0.82, 0xC0403A);
        AddStop(p, 1.0, 0x2A0406);
    }
    FillAndOutline(cr, p, 0x120406, 1.5);

    // Lugs on the visible front of the shell.
    for (int i = 0; i < 7; ++i) {
        double a = Pi * (0.1 + 0.8 * i / 6.0);
        double x = g.cx + g.rx * std::cos(a);
        double y = g.cy + g.ry * std::sin(a) + g.depth * 0.22;
        double w = 4 + 4 * std::sin(a), h = std::max(10.0, g.depth * 0.5);
        cairo_pattern_t* lp = ChromeAcross(x - w / 2, 0, x + w / 2, 0);
        cairo_set_source(cr, lp);
        RoundedRectPath(cr, x - w / 2, y, w, h, w / 2);
        cairo_fill_preserve(cr);
        cairo_pattern_destroy(lp);
        SetRgb(cr, 0x202428);
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
    }
    // Bottom hoop.
    cairo_new_path(cr);
    EllipseArc(cr, g.cx, g.cy + g.depth, g.rx, g.ry, Pi, 0);
    cairo_set_line_width(cr, 6);
    SetRgb(cr, 0x1A1C20);
    cairo_stroke_preserve(cr);
    cairo_pattern_t* hp = ChromeAcross(g.cx - g.rx, 0, g.cx + g.rx, 0);
    cairo_set_source(cr, hp);
    cairo_set_line_width(cr, 4);
    cairo_stroke(cr);
    cairo_pattern_destroy(hp);
}

void DrumHead(cairo_t* cr, double cx, double cy, double rx, double ry, double flash) {
    cairo_new_path(cr);
    EllipseArc(cr, cx, cy, rx, ry, 0, 2 * Pi);
    cairo_close_path(cr);
    cairo_pattern_t* head = cairo_pattern_create_radial(cx - rx * 0.25, cy - ry * 0.35, 2, cx, cy,
                                                        std::max(rx, ry) * 1.05);
    AddStop(head, 0, Mix(0xF4F1E8, 0xFFFFFF, flash));
    AddStop(head, 0.65, Mix(0xDCD5C4, 0xFFF6C8, flash));
    AddStop(head, 1, Mix(0xA69C86, 0xFFD870, flash));
    cairo_set_source(cr, head);
    cairo_fill(cr);
    cairo_pattern_destroy(head);
    // Worn playing spot, and the flash of a hit.
    cairo_new_path(cr);
    EllipseArc(cr, cx + rx * 0.05, cy + ry * 0.05, rx * 0.28, ry * 0.28, 0, 2 * Pi);
    cairo_close_path(cr);
    SetRgb(cr, 0x8A826E, 0.22 * (1 - flash));
    cairo_fill(cr);
    if (flash > 0) {
        cairo_pattern_t* g = cairo_pattern_create_radial(cx, cy, 0, cx, cy, std::max(rx, ry));
        AddStop(g, 0, 0xFFFFFF, 0.9 * flash);
        AddStop(g, 0.5, 0xFFF2B0, 0.5 * flash);
        AddStop(g, 1, 0xFFB040, 0.0);
        cairo_set_source(cr, g);
        cairo_new_path(cr);
        EllipseArc(cr, cx, cy, rx, ry, 0, 2 * Pi);
        cairo_close_path(cr);
        cairo_fill(cr);
        cairo_pattern_destroy(g);
        cairo_set_line_width(cr, 2.5);
        SetRgb(cr, 0xFFF4C0, 0.85 * flash);
        cairo_new_path(cr);
        EllipseArc(cr, cx, cy, rx * 0.62, ry * 0.62, 0, 2 * Pi);
        cairo_close_path(cr);
        cairo_stroke(cr);
    }
    // Top hoop with tension rods.
    cairo_new_path(cr);
    EllipseArc(cr, cx, cy, rx, ry, 0, 2 * Pi);
    cairo_close_path(cr);
    SetRgb(cr, 0x15171A);
    cairo_set_line_width(cr, 7);
    cairo_stroke_preserve(cr);
    cairo_pattern_t* hp = ChromeAcross(cx - rx, cy - ry, cx + rx, cy + ry);
    cairo_set_source(cr, hp);
    cairo_set_line_width(cr, 4.5);
    cairo_stroke(cr);
    cairo_pattern_destroy(hp);
    for (int i = 0; i < 8; ++i) {
        double a = 2 * Pi * (i + 0.5) / 8;
        double x = cx + rx * std::cos(a), y = cy + ry * std::sin(a);
        SetRgb(cr, 0x202428);
        cairo_new_path(cr);
        cairo_arc(cr, x, y, 3.2, 0, 2 * Pi);
        cairo_fill(cr);
        SetRgb(cr, 0xF4F8FC);
        cairo_arc(cr, x - 0.6, y - 0.8, 1.6, 0, 2 * Pi);
        cairo_fill(cr);
    }
}

void DrawDrum(cairo_t* cr, const DrumGeo& g, bool chromeShell, double flash) {
    DrumShell(cr, g, chromeShell);
    DrumHead(cr, g.cx, g.cy, g.rx, g.ry, flash);
}

void DrawBassDrum(cairo_t* cr, double flash) {
    // Spurs first, so the shell covers their tops.
    ChromeRod(cr, BassCx - 96, BassCy + 50, BassCx - 128, BassCy + 118, 6);
    ChromeRod(cr, BassCx + 96, BassCy + 50, BassCx + 128, BassCy + 118, 6);
    // Wooden hoop in the shell's lacquer.
    cairo_new_path(cr);
    cairo_arc(cr, BassCx, BassCy, BassR, 0, 2 * Pi);
    cairo_pattern_t* hoop =
        cairo_pattern_create_linear(BassCx - BassR, BassCy - BassR, BassCx + BassR, BassCy + BassR);
    AddStop(hoop, 0, 0xD8504A);
    AddStop(hoop, 0.3, 0x9E1E22);
    AddStop(hoop, 0.7, 0x6A1014);
    AddStop(hoop, 1, 0x300608);
    FillAndOutline(cr, hoop, 0x100204, 2);
    // Front head: dark with a gold ring and a port.
    double hr = BassR - 13;
    cairo_new_path(cr);
    cairo_arc(cr, BassCx, BassCy, hr, 0, 2 * Pi);
    cairo_pattern_t* head =
        cairo_pattern_create_radial(BassCx - 30, BassCy - 40, 5, BassCx, BassCy, hr);
    AddStop(head, 0, Mix(0x4A4C5C, 0xB0A080, flash));
    AddStop(head, 0.7, Mix(0x24252E, 0x806038, flash));
    AddStop(head, 1, Mix(0x121218, 0x805020, flash * 0.6));
    cairo_set_source(cr, head);
    cairo_fill(cr);
    cairo_pattern_destroy(head);
    cairo_set_line_width(cr, 4);
    SetRgb(cr, 0xD8A848, 0.9);
    cairo_new_path(cr);
    cairo_arc(cr, BassCx, BassCy, hr * 0.72, 0, 2 * Pi);
    cairo_stroke(cr);
    cairo_set_line_width(cr, 1.5);
    cairo_new_path(cr);
    cairo_arc(cr, BassCx, BassCy, hr * 0.64, 0, 2 * Pi);
    cairo_stroke(cr);
    // A five-point star emblem, no words.
    cairo_new_path(cr);
    for (int i = 0; i < 10; ++i) {
        double a = -Pi / 2 + i * Pi / 5, r = (i % 2) ? hr * 0.2 : hr * 0.48;
        cairo_line_to(cr, BassCx + r * std::cos(a), BassCy + r * std::sin(a));
    }
    cairo_close_path(cr);
    SetRgb(cr, Mix(0xC8963A, 0xFFF0B0, flash), 0.85);
    cairo_fill(cr);
    // Port hole.
    cairo_new_path(cr);
    cairo_arc(cr, BassCx + 52, BassCy + 46, 15, 0, 2 * Pi);
    SetRgb(cr, 0x050506);
    cairo_fill_preserve(cr);
    SetRgb(cr, 0x9098A0);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    // Sheen across the head.
    cairo_new_path(cr);
    cairo_arc(cr, BassCx, BassCy, hr - 6, Pi * 1.05, Pi * 1.45);
    SetRgb(cr, 0xFFFFFF, 0.18);
    cairo_set_line_width(cr, 6);
    cairo_stroke(cr);
    if (flash > 0) {
        cairo_pattern_t* g = cairo_pattern_create_radial(BassCx, BassCy, 0, BassCx, BassCy, hr);
        AddStop(g, 0, 0xFFF8E0, 0.45 * flash);
        AddStop(g, 1, 0xFFC060, 0.0);
        cairo_set_source(cr, g);
        cairo_new_path(cr);
        cairo_arc(cr, BassCx, BassCy, hr, 0, 2 * Pi);
        cairo_fill(cr);
        cairo_pattern_destroy(g);
    }
    // Claws and rods on the hoop.
    for (int i = 0; i < 10; ++i) {
        double a = 2 * Pi * i / 10 + 0.15;
        double x0 = BassCx + (BassR - 3) * std::cos(a), y0 = BassCy + (BassR - 3) * std::sin(a);
        double x1 = BassCx + (BassR - 14) * std::cos(a), y1 = BassCy + (BassR - 14) * std::sin(a);
        ChromeRod(cr, x0, y0, x1, y1, 5);
    }
    // Tom holder block on top of the shell.
    cairo_pattern_t* block = ChromeAcross(BassCx - 12, 0, BassCx + 12, 0);
    cairo_set_source(cr, block);
    RoundedRectPath(cr, BassCx - 12, BassCy - BassR - 6, 24, 18, 4);
    cairo_fill(cr);
    cairo_pattern_destroy(block);
}

void BeaterPose(double t, double& ballY, double& ballR) {
    ballY = 450 - 50 * t;
    ballR = 13.5 - 2.5 * t;
}

void DrawBassPedal(cairo_t* cr, double t) {
    // Footboard: pressed, its far edge dips.
    double top = 470 + 8 * t;
    cairo_new_path(cr);
    cairo_move_to(cr, 305, top);
    cairo_line_to(cr, 335, top);
    cairo_line_to(cr, 342, 508);
    cairo_line_to(cr, 298, 508);
    cairo_close_path(cr);
    cairo_pattern_t* fb = ChromeAcross(298, 0, 342, 0);
    FillAndOutline(cr, fb, 0x15171A, 1.5);
    for (int i = 0; i < 4; ++i) {
        SetRgb(cr, 0x30343A, 0.8);
        double y = top + 6 + i * (508 - top - 8) / 4;
        cairo_rectangle(cr, 306, y, 28, 2);
        cairo_fill(cr);
    }
    ChromeRod(cr, 296, 508, 296, 456, 5);
    ChromeRod(cr, 344, 508, 344, 456, 5);
    ChromeRod(cr, 294, 456, 346, 456, 4);
    // Beater: shaft and felt ball.
    double ballY, ballR;
    BeaterPose(t, ballY, ballR);
    ChromeRod(cr, 320, BeaterPivotY - 14, 320, ballY, 4);
    cairo_new_path(cr);
    cairo_arc(cr, 320, ballY, ballR, 0, 2 * Pi);
    cairo_pattern_t* felt = cairo_pattern_create_radial(316, ballY - 4, 1, 320, ballY, ballR);
    AddStop(felt, 0, 0xFFFFFF);
    AddStop(felt, 0.6, 0xD8D8D0);
    AddStop(felt, 1, 0x8A8A84);
    FillAndOutline(cr, felt, 0x202020, 1.5);
}

// A bronze cymbal: lathe grooves, a raised bell, a sheen that sweeps when it shimmers.
void DrawCymbal(cairo_t* cr, double cx, double cy, double rx, double ry, double tilt,
                double shimmer, uint32_t tint) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_rotate(cr, tilt);
    cairo_new_path(cr);
    EllipseArc(cr, 0, 0, rx, ry, 0, 2 * Pi);
    cairo_close_path(cr);
    cairo_pattern_t* body = cairo_pattern_create_radial(-rx * 0.2, -ry * 0.4, 2, 0, 0, rx);
    AddStop(body, 0, Mix(0xF4D488, 0xFFF8D8, shimmer));
    AddStop(body, 0.35, Mix(tint, 0xF8D890, shimmer * 0.6));
    AddStop(body, 0.8, Mix(0xA0702A, tint, shimmer * 0.5));
    AddStop(body, 1, 0x5E3E12);
    cairo_set_source(cr, body);
    cairo_fill(cr);
    cairo_pattern_destroy(body);
    // Lathe grooves: fine concentric rings, alternately light and dark.
    cairo_set_line_width(cr, 0.9);
    for (int i = 3; i < 30; ++i) {
        double k = i / 30.0;
        SetRgb(cr, (i % 2) ? 0x5A3A10 : 0xFFE8A8, (i % 2) ? 0.28 : 0.22);
        cairo_new_path(cr);
        EllipseArc(cr, 0, 0, rx * k, ry * k, 0, 2 * Pi);
        cairo_close_path(cr);
        cairo_stroke(cr);
    }
    // Sheen: a bright wedge across the front edge.
    cairo_pattern_t* sheen = cairo_pattern_create_linear(-rx, -ry, rx, ry);
    double s = 0.30 + 0.55 * shimmer;
    AddStop(sheen, 0.0, 0xFFFFFF, 0);
    AddStop(sheen, 0.38 - 0.1 * shimmer, 0xFFFFFF, 0);
    AddStop(sheen, 0.46, 0xFFFBE8, s);
    AddStop(sheen, 0.54 + 0.1 * shimmer, 0xFFFFFF, 0);
    AddStop(sheen, 1.0, 0xFFFFFF, 0);
    cairo_set_source(cr, sheen);
    cairo_new_path(cr);
    EllipseArc(cr, 0, 0, rx, ry, 0, 2 * Pi);
    cairo_close_path(cr);
    cairo_fill(cr);
    cairo_pattern_destroy(sheen);
    // Bell.
    cairo_new_path(cr);
    EllipseArc(cr, 0, -ry * 0.12, rx * 0.2, ry * 0.42, 0, 2 * Pi);
    cairo_close_path(cr);
    cairo_pattern_t* bell =
        cairo_pattern_create_radial(-rx * 0.06, -ry * 0.3, 1, 0, -ry * 0.12, rx * 0.2);
    AddStop(bell, 0, 0xFFF0C0);
    AddStop(bell, 0.6, 0xD0A048);
    AddStop(bell, 1, 0x7A5218);
    cairo_set_source(cr, bell);
    cairo_fill(cr);
    cairo_pattern_destroy(bell);
    // Nut and felt on top.
    SetRgb(cr, 0x2A2A2E);
    cairo_new_path(cr);
    EllipseArc(cr, 0, -ry * 0.22, 4.5, 3, 0, 2 * Pi);
    cairo_close_path(cr);
    cairo_fill(cr);
    // Rim.
    cairo_new_path(cr);
    EllipseArc(cr, 0, 0, rx, ry, 0, 2 * Pi);
    cairo_close_path(cr);
    SetRgb(cr, 0x3A2608);
    cairo_set_line_width(cr, 1.6);
    cairo_stroke(cr);
    if (shimmer > 0) {
        // Glints on the edge.
        for (int i = 0; i < 3; ++i) {
            double a = Pi * (0.15 + 0.3 * i) + tilt;
            double x = rx * 0.9 * std::cos(a), y = ry * 0.9 * std::sin(a);
            cairo_pattern_t* g = cairo_pattern_create_radial(x, y, 0, x, y, 10);
            AddStop(g, 0, 0xFFFFFF, 0.9 * shimmer);
            AddStop(g, 1, 0xFFFFFF, 0);
            cairo_set_source(cr, g);
            cairo_new_path(cr);
            cairo_arc(cr, x, y, 10, 0, 2 * Pi);
            cairo_fill(cr);
            cairo_pattern_destroy(g);
        }
    }
    cairo_restore(cr);
}

double HatTopY(double shut) {
    return HatGeo.cy + (HatGap - 2) * shut;
}

void DrawHihat(cairo_t* cr, const KitPose& pose) {
    double shut = pose.hihatShut;
    double cx = HatGeo.cx;
    // Tripod, rod and pedal.
    ChromeRod(cr, cx, 452, cx - 40, 500, 5);
    ChromeRod(cr, cx, 452, cx + 40, 500, 5);
    ChromeRod(cr, cx, HatGeo.cy + HatGap, cx, 462, 7);
    double top = 462 + 14 * shut;
    cairo_new_path(cr);
    cairo_move_to(cr, cx - 12, top);
    cairo_line_to(cr, cx + 12, top);
    cairo_line_to(cr, cx + 18, 508);
    cairo_line_to(cr, cx - 18, 508);
    cairo_close_path(cr);
    cairo_pattern_t* fb = ChromeAcross(cx - 18, 0, cx + 18, 0);
    FillAndOutline(cr, fb, 0x15171A, 1.5);
    // Bottom cymbal, then the top one on its clutch.
    DrawCymbal(cr, cx, HatGeo.cy + HatGap, HatGeo.rx, HatGeo.ry, 0, 0, 0xB8862F);
    double ty = HatTopY(shut);
    ChromeRod(cr, cx, ty - 24, cx, ty, 4);
    DrawCymbal(cr, cx, ty, HatGeo.rx, HatGeo.ry * pose.lift[HihatOpen], pose.tilt[HihatOpen],
               pose.shimmer[HihatOpen], 0xC89838);
    SetRgb(cr, 0x1A1A1E);
    cairo_rectangle(cr, cx - 6, ty - 14, 12, 7);
    cairo_fill(cr);
}

void DrawStands(cairo_t* cr) {
    // Boom stands: upright from the floor, boom arm to the cymbal.
    ChromeRod(cr, 104, 500, 104, 236, 7);
    ChromeRod(cr, 104, 240, CrashGeo.cx, CrashGeo.cy + 4, 5);
    ChromeRod(cr, 104, 470, 70, 508, 5);
    ChromeRod(cr, 104, 470, 138, 508, 5);
    ChromeRod(cr, 560, 500, 560, 262, 7);
    ChromeRod(cr, 560, 266, RideGeo.cx, RideGeo.cy + 4, 5);
    ChromeRod(cr, 560, 470, 526, 508, 5);
    ChromeRod(cr, 560, 470, 590, 506, 5);
    // Snare stand and floor-tom legs.
    ChromeRod(cr, SnareGeo.cx, 330, SnareGeo.cx, 440, 6);
    ChromeRod(cr, SnareGeo.cx, 430, SnareGeo.cx - 36, 476, 5);
    ChromeRod(cr, SnareGeo.cx, 430, SnareGeo.cx + 36, 476, 5);
}

void DrawTomArms(cairo_t* cr) {
    ChromeRod(cr, BassCx - 4, BassCy - BassR + 2, TomHiGeo.cx + 10, TomHiGeo.cy + 40, 6);
    ChromeRod(cr, BassCx + 4, BassCy - BassR + 2, TomMidGeo.cx - 10, TomMidGeo.cy + 44, 6);
}

void DrawFloorLegs(cairo_t* cr) {
    ChromeRod(cr, FloorGeo.cx - 60, FloorGeo.cy + 40, FloorGeo.cx - 72, 470, 6);
    ChromeRod(cr, FloorGeo.cx + 60, FloorGeo.cy + 40, FloorGeo.cx + 74, 470, 6);
}

void DrawThrone(cairo_t* cr) {
    // The drummer's seat peeks in at the bottom edge of tall screens.
    ChromeRod(cr, 320, 600, 320, 660, 12);
    cairo_new_path(cr);
    EllipseArc(cr, 320, 598, 96, 34, 0, 2 * Pi);
    cairo_close_path(cr);
    cairo_pattern_t* p = cairo_pattern_create_radial(300, 588, 4, 320, 598, 96);
    AddStop(p, 0, 0x4A4A52);
    AddStop(p, 1, 0x121216);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
}

// Tap areas: what each piece claims, drawn as solid shapes.
void PieceArea(cairo_t* cr, int piece) {
    auto drum = [&](const DrumGeo& g) {
        cairo_new_path(cr);
        EllipseArc(cr, g.cx, g.cy, g.rx + 3, g.ry + 3, Pi, 2 * Pi);
        EllipseArc(cr, g.cx, g.cy + g.depth, g.rx + 3, g.ry + 3, 0, Pi);
        cairo_close_path(cr);
        cairo_fill(cr);
    };
    auto cymbal = [&](const CymbalGeo& g, double dy) {
        cairo_new_path(cr);
        EllipseArc(cr, g.cx, g.cy + dy, g.rx + 2, g.ry + 2, 0, 2 * Pi);
        cairo_close_path(cr);
        cairo_fill(cr);
    };
    switch (piece) {
    case TomLow:
        drum(FloorGeo);
        break;
    case TomMid:
        drum(TomMidGeo);
        break;
    case TomHi:
        drum(TomHiGeo);
        break;
    case Snare:
        drum(SnareGeo);
        break;
    case Bass:
        cairo_new_path(cr);
        cairo_arc(cr, BassCx, BassCy, BassR + 1, 0, 2 * Pi);
        cairo_fill(cr);
        cairo_rectangle(cr, 294, 430, 52, 80);
        cairo_fill(cr);
        break;
    case Ride:
        cymbal(RideGeo, 0);
        break;
    case Crash:
        cymbal(CrashGeo, 0);
        break;
    case HihatOpen:
        cymbal(HatGeo, 0);
        break;
    case HihatClose:
        cymbal(HatGeo, HatGap);
        cairo_rectangle(cr, HatGeo.cx - 38, HatGeo.cy + HatGap, 76, 510 - HatGeo.cy - HatGap);
        cairo_fill(cr);
        break;
    default:
        break;
    }
}

// Later pieces in this order win where tap areas overlap; cymbals hang above the drums.
constexpr int OwnerOrder[PieceCount] = {Bass,  TomLow,    TomHi, TomMid, HihatClose,
                                        Snare, HihatOpen, Ride,  Crash};

std::vector<int8_t> OwnerMap() {
    std::vector<int8_t> owner(size_t(KitSize) * KitSize, -1);
    for (int piece : OwnerOrder) {
        Canvas c = NewCanvas(KitSize, KitSize);
        cairo_set_source_rgb(c.cr, 1, 1, 1);
        PieceArea(c.cr, piece);
        cairo_surface_flush(c.surface);
        const unsigned char* d = cairo_image_surface_get_data(c.surface);
        int stride = cairo_image_surface_get_stride(c.surface);
        for (int y = 0; y < KitSize; ++y)
            for (int x = 0; x < KitSize; ++x)
                if (d[y * stride + x * 4 + 3] >= 128)
                    owner[size_t(y) * KitSize + x] = int8_t(piece);
        FreeCanvas(c);
    }
    return owner;
}

// A frame of an animation: the scene in the piece's pose, kept over the piece's own tap area
// (so the resting piece is always painted over) and wherever the region drawn by `region`
// differs from the resting kit. Pixels that look the same at rest are keyed, so a frame
// never paints another piece back to rest when both are struck together.
template <typename RegionFn>
ArtImage CutOut(cairo_surface_t* scene, uint32_t id, RegionFn region, const ArtImage& rest,
                const std::vector<int8_t>& owner, int piece,
                const std::vector<bool>* always = nullptr) {
    Canvas c = NewCanvas(KitSize, KitSize);
    cairo_set_source_rgb(c.cr, 1, 1, 1);
    region(c.cr);
    ArtImage full = FromOpaque(scene, id);
    cairo_surface_flush(c.surface);
    const unsigned char* d = cairo_image_surface_get_data(c.surface);
    int stride = cairo_image_surface_get_stride(c.surface);
    for (int y = 0; y < KitSize; ++y)
        for (int x = 0; x < KitSize; ++x) {
            size_t i = size_t(y) * KitSize + x;
            bool inRegion = d[y * stride + x * 4 + 3] >= 128;
            bool keep = owner[i] == piece || (inRegion && full.pixels[i] != rest.pixels[i]) ||
                        (always && (*always)[i]);
            if (!keep) full.pixels[i] = Key;
        }
    FreeCanvas(c);
    return full;
}

ArtImage FromOwner(cairo_surface_t* scene, uint32_t id, const std::vector<int8_t>& owner,
                   int piece) {
    ArtImage img = FromOpaque(scene, id);
    for (size_t i = 0; i < img.pixels.size(); ++i)
        if (owner[i] != piece) img.pixels[i] = Key;
    return img;
}

// A swung cymbal's outline, a little grown for its anti-aliased rim.
void SwungOutline(cairo_t* cr, const CymbalGeo& g, double tilt, double lift, double dy) {
    cairo_save(cr);
    cairo_translate(cr, g.cx, g.cy + dy);
    cairo_rotate(cr, tilt);
    cairo_new_path(cr);
    EllipseArc(cr, 0, 0, g.rx, g.ry * lift, 0, 2 * Pi);
    cairo_close_path(cr);
    cairo_set_line_width(cr, 4);
    cairo_fill_preserve(cr);
    cairo_stroke(cr);
    cairo_restore(cr);
}

// Cymbal swing frames: strongest swing, then a wobble one way and the other.
constexpr double SwingTilt[3] = {0.16, -0.07, 0.07};
constexpr double SwingLift[3] = {1.45, 1.18, 0.82};
constexpr double SwingShimmer[3] = {1.0, 0.6, 0.45};

} // namespace

KitPoint LandingOffset(int piece) {
    return Landing[piece];
}
uint32_t MaskId(int piece) {
    return Masks[piece];
}

cairo_surface_t* RenderKit(const KitPose& pose) {
    Canvas c = NewCanvas(KitSize, KitSize);
    cairo_t* cr = c.cr;
    DrawBackdrop(cr);
    DrawShadows(cr);
    DrawThrone(cr);
    DrawStands(cr);
    DrawBassDrum(cr, pose.flash[Bass]);
    DrawTomArms(cr);
    DrawFloorLegs(cr);
    DrawDrum(cr, FloorGeo, false, pose.flash[TomLow]);
    DrawDrum(cr, TomHiGeo, false, pose.flash[TomHi]);
    DrawDrum(cr, TomMidGeo, false, pose.flash[TomMid]);
    DrawBassPedal(cr, pose.beater);
    DrawDrum(cr, SnareGeo, true, pose.flash[Snare]);
    DrawHihat(cr, pose);
    DrawCymbal(cr, RideGeo.cx, RideGeo.cy, RideGeo.rx, RideGeo.ry * pose.lift[Ride],
               pose.tilt[Ride], pose.shimmer[Ride], 0xB07C2C);
    DrawCymbal(cr, CrashGeo.cx, CrashGeo.cy, CrashGeo.rx, CrashGeo.ry * pose.lift[Crash],
               pose.tilt[Crash], pose.shimmer[Crash], 0xD0A040);
    cairo_surface_t* s = cairo_surface_reference(c.surface);
    FreeCanvas(c);
    return s;
}

void DrawKitDrum(cairo_t* cr, double cx, double cy, double rx, double ry, double depth,
                 bool chromeShell) {
    DrawDrum(cr, DrumGeo{cx, cy, rx, ry, depth}, chromeShell, 0);
}

void DrawKitCymbal(cairo_t* cr, double cx, double cy, double rx, double ry, double tilt) {
    DrawCymbal(cr, cx, cy, rx, ry, tilt, 0, 0xD0A040);
}

ArtImage BuildKitBackground() {
    cairo_surface_t* s = RenderKit(KitPose{});
    ArtImage img = FromOpaque(s, 200);
    cairo_surface_destroy(s);
    return img;
}

std::vector<ArtImage> BuildDrumsPack() {
    std::vector<ArtImage> pack;
    std::vector<int8_t> owner = OwnerMap();
    cairo_surface_t* rest = RenderKit(KitPose{});
    const ArtImage restImage = FromOpaque(rest, 200);

    // Drums: the mask is the lit drum over its own tap area.
    constexpr int Drums[4] = {Snare, TomHi, TomMid, TomLow}; // ids 201..204
    for (int piece : Drums) {
        KitPose pose;
        pose.flash[piece] = 1.0;
        cairo_surface_t* s = RenderKit(pose);
        pack.push_back(FromOwner(s, MaskId(piece), owner, piece));
        cairo_surface_destroy(s);
    }
    // Bass: mask, four beater poses towards the head, then contact with the head flashing.
    pack.push_back(FromOwner(rest, 205, owner, Bass));
    auto beaterArea = [](cairo_t* cr) {
        cairo_set_line_width(cr, 34);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_move_to(cr, 320, BeaterPivotY);
        cairo_line_to(cr, 320, 396);
        cairo_stroke(cr);
        cairo_rectangle(cr, 290, 452, 60, 60);
        cairo_fill(cr);
    };
    for (int i = 0; i < 5; ++i) {
        KitPose pose;
        pose.beater = (i + 1) / 5.0;
        if (i == 4) pose.flash[Bass] = 1.0;
        cairo_surface_t* s = RenderKit(pose);
        if (i < 4) {
            pack.push_back(CutOut(s, 206 + i, beaterArea, restImage, owner, -1));
        } else {
            pack.push_back(CutOut(s, 210, beaterArea, restImage, owner, Bass));
        }
        cairo_surface_destroy(s);
    }
    // Cymbals: mask, then three swing frames that also repaint the resting outline.
    struct CymbalSet {
        int piece;
        uint32_t base;
        CymbalGeo geo;
    };
    const CymbalSet cymbals[3] = {
        {Ride, 211, RideGeo}, {Crash, 215, CrashGeo}, {HihatOpen, 219, HatGeo}};
    for (const CymbalSet& set : cymbals) {
        pack.push_back(FromOwner(rest, set.base, owner, set.piece));
        for (int i = 0; i < 3; ++i) {
            KitPose pose;
            pose.tilt[set.piece] = SwingTilt[i];
            pose.lift[set.piece] = SwingLift[i];
            pose.shimmer[set.piece] = SwingShimmer[i];
            cairo_surface_t* s = RenderKit(pose);
            pack.push_back(CutOut(
                s, set.base + 1 + i,
                [&](cairo_t* cr) { SwungOutline(cr, set.geo, SwingTilt[i], SwingLift[i], 0); },
                restImage, owner, set.piece));
            cairo_surface_destroy(s);
        }
    }
    // Closed hi-hat: mask, then the pedal pressing and the top cymbal coming down. Closing
    // stops any swing of the open top cymbal, so its frames always repaint the whole sweep
    // (except over the snare, which may be flashing at the same time).
    pack.push_back(FromOwner(rest, 223, owner, HihatClose));
    std::vector<bool> hatSweep(size_t(KitSize) * KitSize, false);
    {
        Canvas c = NewCanvas(KitSize, KitSize);
        cairo_set_source_rgb(c.cr, 1, 1, 1);
        for (int i = 0; i < 3; ++i) SwungOutline(c.cr, HatGeo, SwingTilt[i], SwingLift[i], 0);
        cairo_surface_flush(c.surface);
        const unsigned char* d = cairo_image_surface_get_data(c.surface);
        int stride = cairo_image_surface_get_stride(c.surface);
        for (int y = 0; y < KitSize; ++y)
            for (int x = 0; x < KitSize; ++x) {
                size_t i = size_t(y) * KitSize + x;
                hatSweep[i] = d[y * stride + x * 4 + 3] >= 128 && owner[i] != Snare;
            }
        FreeCanvas(c);
    }
    for (int i = 0; i < 5; ++i) {
        KitPose pose;
        pose.hihatShut = (i + 1) / 5.0;
        if (i == 4) pose.shimmer[HihatOpen] = 0.5;
        cairo_surface_t* s = RenderKit(pose);
        pack.push_back(CutOut(
            s, 224 + i,
            [&](cairo_t* cr) {
                cairo_set_line_width(cr, 8);
                cairo_new_path(cr);
                EllipseArc(cr, HatGeo.cx, HatGeo.cy + HatGap / 2, HatGeo.rx + 2,
                           HatGeo.ry + HatGap / 2 + 2, 0, 2 * Pi);
                cairo_close_path(cr);
                cairo_fill_preserve(cr);
                cairo_stroke(cr);
                cairo_rectangle(cr, HatGeo.cx - 12, HatGeo.cy - 44, 24, 50);
                cairo_rectangle(cr, HatGeo.cx - 24, 454, 48, 58);
                cairo_fill(cr);
            },
            restImage, owner, HihatOpen, &hatSweep));
        cairo_surface_destroy(s);
    }
    cairo_surface_destroy(rest);
    return pack;
}

} // namespace art
