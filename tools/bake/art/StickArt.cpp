#include "tools/bake/art/StickArt.h"

#include "tools/bake/art/Paint.h"

#include <cmath>

namespace art {

namespace {

constexpr int FrameCount = 10;
constexpr double ButtInset = 7; // the grip end's centre, in from the bottom and the side

ArtImage StickFrame(int frame, uint32_t id) {
    double angle = (24.0 + frame * 6.5) * Pi / 180.0;
    double length = 116.0 + frame * 1.5; // a lifted stick is nearer the eye
    int w = int(std::ceil(StickTipX + length * std::cos(angle) + ButtInset));
    int h = int(std::ceil(StickTipY + length * std::sin(angle) + ButtInset));
    w += w & 1;
    h += h & 1;
    Canvas c = NewCanvas(w, h);
    PaintStick(c.cr, w - ButtInset, h - ButtInset, StickTipX, StickTipY);
    ArtImage image = FromKeyed(c.surface, id, nullptr, 0x3A2A1C);
    FreeCanvas(c);
    return image;
}

ArtImage Mirrored(const ArtImage& in, uint32_t id) {
    ArtImage out = in;
    out.id = id;
    for (int y = 0; y < in.height; ++y)
        for (int x = 0; x < in.width; ++x)
            out.pixels[size_t(y) * in.width + x] =
                in.pixels[size_t(y) * in.width + (in.width - 1 - x)];
    return out;
}

} // namespace

void PaintStick(cairo_t* cr, double bx, double by, double tx, double ty) {
    double len = std::hypot(bx - tx, by - ty);
    double ux = (tx - bx) / len, uy = (ty - by) / len; // butt towards tip
    double nx = -uy, ny = ux;
    // Tapered shaft: full width along the grip, narrowing to the neck behind the bead.
    auto at = [&](double along, double side) {
        return std::pair<double, double>{bx + ux * along + nx * side, by + uy * along + ny * side};
    };
    const double neck = len - 5, butt = 5.8, neckR = 2.4;
    cairo_new_path(cr);
    auto [x0, y0] = at(0, butt);
    cairo_move_to(cr, x0, y0);
    auto [x1, y1] = at(len * 0.55, butt);
    cairo_line_to(cr, x1, y1);
    auto [x2, y2] = at(neck, neckR);
    cairo_line_to(cr, x2, y2);
    auto [x3, y3] = at(neck, -neckR);
    cairo_line_to(cr, x3, y3);
    auto [x4, y4] = at(len * 0.55, -butt);
    cairo_line_to(cr, x4, y4);
    auto [x5, y5] = at(0, -butt);
    cairo_line_to(cr, x5, y5);
    // Rounded butt end, bulging away from the tip.
    for (int k = 1; k < 16; ++k) {
        double t = Pi * k / 16;
        cairo_line_to(cr, bx - nx * butt * std::cos(t) - ux * butt * std::sin(t),
                      by - ny * butt * std::cos(t) - uy * butt * std::sin(t));
    }
    cairo_close_path(cr);
    cairo_pattern_t* wood =
        cairo_pattern_create_linear(bx + nx * butt, by + ny * butt, bx - nx * butt, by - ny * butt);
    AddStop(wood, 0, 0x6A4420);
    AddStop(wood, 0.3, 0xF2D6A2);
    AddStop(wood, 0.55, 0xD8AE70);
    AddStop(wood, 1, 0x7A5226);
    cairo_set_source(cr, wood);
    cairo_fill_preserve(cr);
    SetRgb(cr, 0x2A1808);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    // Grip tape over the last quarter.
    cairo_save(cr);
    cairo_new_path(cr);
    auto [g0x, g0y] = at(len * 0.06, butt);
    auto [g1x, g1y] = at(len * 0.30, butt);
    auto [g2x, g2y] = at(len * 0.30, -butt);
    auto [g3x, g3y] = at(len * 0.06, -butt);
    cairo_move_to(cr, g0x, g0y);
    cairo_line_to(cr, g1x, g1y);
    cairo_line_to(cr, g2x, g2y);
    cairo_line_to(cr, g3x, g3y);
    cairo_close_path(cr);
    SetRgb(cr, 0x1E1A18, 0.55);
    cairo_fill(cr);
    cairo_restore(cr);
    // Bead at the tip.
    cairo_new_path(cr);
    cairo_save(cr);
    cairo_translate(cr, tx - ux * 1.0, ty - uy * 1.0);
    cairo_rotate(cr, std::atan2(uy, ux));
    cairo_scale(cr, 4.6, 3.4);
    cairo_arc(cr, 0, 0, 1, 0, 2 * Pi);
    cairo_restore(cr);
    cairo_pattern_t* bead = cairo_pattern_create_radial(tx - 1, ty - 1.5, 0.5, tx, ty, 5);
    AddStop(bead, 0, 0xFFF4DC);
    AddStop(bead, 1, 0xB88A50);
    cairo_set_source(cr, bead);
    cairo_fill_preserve(cr);
    SetRgb(cr, 0x2A1808);
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
    cairo_pattern_destroy(bead);
    cairo_pattern_destroy(wood);
}

std::vector<ArtImage> BuildSticksPack() {
    std::vector<ArtImage> pack;
    for (int f = 0; f < FrameCount; ++f) pack.push_back(StickFrame(f, 600 + f));
    for (int f = 0; f < FrameCount; ++f) pack.push_back(Mirrored(pack[f], 610 + f));
    return pack;
}

} // namespace art
