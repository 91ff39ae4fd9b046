#include "tools/bake/art/MenuArt.h"

#include "game/ImageIds.h"
#include "tools/bake/art/Paint.h"

#include <algorithm>
#include <cmath>

namespace art {

namespace {

constexpr uint32_t PanelDeep = 0x0E1220;
constexpr uint32_t PanelMid = 0x1E2640;

ArtImage Panel() {
    const int side = 640;
    Canvas c = NewCanvas(side, side);
    cairo_t* cr = c.cr;
    cairo_pattern_t* bg = cairo_pattern_create_radial(320, 360, 20, 320, 400, 520);
    AddStop(bg, 0, PanelMid);
    AddStop(bg, 1, PanelDeep);
    cairo_set_source(cr, bg);
    cairo_paint(cr);
    cairo_pattern_destroy(bg);
    // Faint drum heads in the background, like rings on a stage floor.
    struct Ring {
        double x, y, r;
    };
    const Ring rings[] = {{150, 250, 150}, {500, 200, 110}, {430, 520, 190}, {110, 560, 90}};
    for (const Ring& ring : rings) {
        for (int i = 0; i < 6; ++i) {
            cairo_new_path(cr);
            cairo_arc(cr, ring.x, ring.y, ring.r * (1 - i * 0.12), 0, 2 * Pi);
            SetRgb(cr, 0x6A80B0, i == 0 ? 0.10 : 0.04);
            cairo_set_line_width(cr, i == 0 ? 6 : 2);
            cairo_stroke(cr);
        }
    }
    // Fine brushed texture.
    for (int y = 0; y < side; y += 3) {
        SetRgb(cr, (y / 3) % 2 ? 0xFFFFFF : 0x000000, 0.010);
        cairo_rectangle(cr, 0, y, side, 1);
        cairo_fill(cr);
    }
    ArtImage image = FromOpaque(c.surface, MenuPanel);
    FreeCanvas(c);
    return image;
}

// Title and soft-button bars: lacquered red like the drum shells, a chrome edge to the panel.
ArtImage Bar(uint32_t id, int h, bool chromeAtBottom) {
    const int w = 640;
    Canvas c = NewCanvas(w, h);
    cairo_t* cr = c.cr;
    cairo_pattern_t* p = cairo_pattern_create_linear(0, 0, 0, h);
    AddStop(p, 0, chromeAtBottom ? 0x8E2024 : 0x5A0E12);
    AddStop(p, 0.45, 0x6E1418);
    AddStop(p, 1, chromeAtBottom ? 0x3A080A : 0x8A1C20);
    cairo_set_source(cr, p);
    cairo_paint(cr);
    cairo_pattern_destroy(p);
    // Lacquer gloss.
    double gy = chromeAtBottom ? 0 : 6;
    cairo_pattern_t* gloss = cairo_pattern_create_linear(0, gy, 0, gy + h * 0.45);
    AddStop(gloss, 0, 0xFFFFFF, 0.22);
    AddStop(gloss, 1, 0xFFFFFF, 0.0);
    cairo_set_source(cr, gloss);
    cairo_rectangle(cr, 0, gy, w, h * 0.45);
    cairo_fill(cr);
    cairo_pattern_destroy(gloss);
    // Gold pinstripe along the panel side, like the hoop inlay on the shells.
    double py = chromeAtBottom ? h - 11 : 9;
    SetRgb(cr, 0xD8A848, 0.75);
    cairo_rectangle(cr, 0, py, w, 1.5);
    cairo_fill(cr);
    // Metal-flake sparkle in the lacquer, the same pattern every bake.
    uint32_t seed = 12345u + id;
    for (int i = 0; i < 900; ++i) {
        seed = seed * 1103515245u + 12345u;
        double x = (seed >> 8) % w;
        seed = seed * 1103515245u + 12345u;
        double y = (seed >> 8) % h;
        SetRgb(cr, 0xFFE0D0, 0.05 + 0.05 * ((seed >> 4) % 3));
        cairo_rectangle(cr, x, y, 1, 1);
        cairo_fill(cr);
    }
    double ey = chromeAtBottom ? h - 6 : 0;
    cairo_pattern_t* chrome = ChromeAcross(0, ey, 0, ey + 6);
    cairo_set_source(cr, chrome);
    cairo_rectangle(cr, 0, ey, w, 6);
    cairo_fill(cr);
    cairo_pattern_destroy(chrome);
    SetRgb(cr, 0x000000);
    cairo_rectangle(cr, 0, chromeAtBottom ? h - 1 : 0, w, 1);
    cairo_fill(cr);
    ArtImage image = FromOpaque(c.surface, id);
    FreeCanvas(c);
    return image;
}

ArtImage Arrow(uint32_t id, bool right) {
    const int side = 64;
    Canvas c = NewCanvas(side, side);
    cairo_t* cr = c.cr;
    if (!right) {
        cairo_translate(cr, side, 0);
        cairo_scale(cr, -1, 1);
    }
    // A round button holding a chevron that points outwards.
    cairo_new_path(cr);
    cairo_arc(cr, 32, 32, 29, 0, 2 * Pi);
    SetRgb(cr, 0x08090C);
    cairo_fill(cr);
    cairo_new_path(cr);
    cairo_arc(cr, 32, 32, 27, 0, 2 * Pi);
    cairo_pattern_t* p = cairo_pattern_create_linear(0, 5, 0, 59);
    AddStop(p, 0, 0xFFD870);
    AddStop(p, 0.5, 0xE09A28);
    AddStop(p, 1, 0x8A5210);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    cairo_new_path(cr);
    EllipsePath(cr, 32, 20, 20, 11);
    SetRgb(cr, 0xFFFFFF, 0.28);
    cairo_fill(cr);
    cairo_new_path(cr);
    cairo_move_to(cr, 25, 17);
    cairo_line_to(cr, 41, 32);
    cairo_line_to(cr, 25, 47);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    SetRgb(cr, 0x3A1A04);
    cairo_set_line_width(cr, 10);
    cairo_stroke_preserve(cr);
    SetRgb(cr, 0xFFFFFF);
    cairo_set_line_width(cr, 6);
    cairo_stroke(cr);
    ArtImage image = FromKeyed(c.surface, id, nullptr, PanelMid);
    FreeCanvas(c);
    return image;
}

ArtImage TextCursor() {
    Canvas c = NewCanvas(40, 52);
    cairo_t* cr = c.cr;
    RoundedRectPath(cr, 2, 2, 36, 48, 6);
    SetRgb(cr, 0x06080C);
    cairo_set_line_width(cr, 5);
    cairo_stroke_preserve(cr);
    SetRgb(cr, 0xFFC040);
    cairo_set_line_width(cr, 2.6);
    cairo_stroke(cr);
    // A bright underline where the next character goes.
    RoundedRectPath(cr, 7, 43, 26, 4, 2);
    SetRgb(cr, 0xFFF0C0);
    cairo_fill(cr);
    ArtImage image = FromKeyed(c.surface, MenuCursor, nullptr, PanelMid);
    FreeCanvas(c);
    return image;
}

// The moving light: only blue is read, as a brightness from 18/31 to 31/31; soft diagonal
// bands that repeat every 640 columns so two copies join without a seam.
ArtImage Strip() {
    const int side = 640;
    ArtImage image;
    image.id = MenuStrip;
    image.width = side;
    image.height = side;
    image.pixels.resize(size_t(side) * side);
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            double a = 2 * Pi * (2.0 * x / side + y / 480.0);
            double b = 2 * Pi * (1.0 * x / side - y / 900.0);
            double v = 0.5 + 0.32 * std::sin(a) + 0.18 * std::sin(b);
            v = std::clamp(v, 0.0, 1.0);
            int level = 18 + int(std::lround(v * 13)); // 18..31
            int g6 = level * 2 + 1;                    // a neutral grey, though only blue is read
            image.pixels[size_t(y) * side + x] = uint16_t(level << 11 | g6 << 5 | level);
        }
    return image;
}

} // namespace

std::vector<ArtImage> BuildMenuPack() {
    std::vector<ArtImage> pack;
    pack.push_back(Panel());
    pack.push_back(Bar(MenuTitleBar, 88, true));
    pack.push_back(Bar(MenuSoftBar, 48, false));
    pack.push_back(Arrow(MenuLeftArrow, false));
    pack.push_back(Arrow(MenuRightArrow, true));
    pack.push_back(TextCursor());
    pack.push_back(Strip());
    return pack;
}

ArtImage BuildTitlePicture() {
    const int w = 440, h = 160;
    Canvas c = NewCanvas(w, h);
    cairo_t* cr = c.cr;
    // Crossed sticks behind the name.
    auto stick = [&](double ax, double ay, double bx, double by) {
        cairo_new_path(cr);
        cairo_move_to(cr, ax, ay);
        cairo_line_to(cr, bx, by);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        SetRgb(cr, 0x1A0E04);
        cairo_set_line_width(cr, 13);
        cairo_stroke_preserve(cr);
        cairo_pattern_t* p = cairo_pattern_create_linear(ax, ay, bx, by);
        AddStop(p, 0, 0xB07A40);
        AddStop(p, 1, 0xF4DCAA);
        cairo_set_source(cr, p);
        cairo_set_line_width(cr, 9);
        cairo_stroke(cr);
        cairo_pattern_destroy(p);
        cairo_new_path(cr);
        cairo_arc(cr, bx, by, 7, 0, 2 * Pi);
        SetRgb(cr, 0x1A0E04);
        cairo_fill(cr);
        cairo_new_path(cr);
        cairo_arc(cr, bx, by, 5, 0, 2 * Pi);
        SetRgb(cr, 0xFFF0D0);
        cairo_fill(cr);
    };
    stick(60, 150, 150, 12);
    stick(380, 150, 290, 12);
    // The name, with a dark outline, a gold face and a bright top.
    CentredText(cr, "Tamborix", w / 2.0, 112, 86, true);
    cairo_path_t* name = cairo_copy_path(cr);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    SetRgb(cr, 0x1A0804);
    cairo_set_line_width(cr, 12);
    cairo_stroke_preserve(cr);
    SetRgb(cr, 0x8A1C20);
    cairo_set_line_width(cr, 6);
    cairo_stroke_preserve(cr);
    cairo_pattern_t* gold = cairo_pattern_create_linear(0, 40, 0, 112);
    AddStop(gold, 0, 0xFFF4C0);
    AddStop(gold, 0.45, 0xFFC840);
    AddStop(gold, 0.55, 0xD08A18);
    AddStop(gold, 1, 0xFFD860);
    cairo_set_source(cr, gold);
    cairo_fill(cr);
    cairo_pattern_destroy(gold);
    cairo_new_path(cr);
    cairo_append_path(cr, name);
    cairo_path_destroy(name);
    cairo_clip(cr);
    SetRgb(cr, 0xFFFFFF, 0.35);
    cairo_rectangle(cr, 0, 40, w, 26);
    cairo_fill(cr);
    cairo_reset_clip(cr);
    // Beat marks under the name.
    for (int i = 0; i < 4; ++i) {
        cairo_new_path(cr);
        cairo_arc(cr, 170 + i * 34, 140, i == 0 ? 8 : 6, 0, 2 * Pi);
        SetRgb(cr, 0x1A0804);
        cairo_fill(cr);
        cairo_new_path(cr);
        cairo_arc(cr, 170 + i * 34, 140, i == 0 ? 6 : 4, 0, 2 * Pi);
        SetRgb(cr, i == 0 ? 0xFFC840 : 0xE8E0D0);
        cairo_fill(cr);
    }
    ArtImage image = FromKeyed(c.surface, MenuLogo, nullptr, PanelMid);
    FreeCanvas(c);
    return image;
}

} // namespace art
