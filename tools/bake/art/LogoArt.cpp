#include "tools/bake/art/LogoArt.h"

#include "tools/bake/art/Paint.h"

namespace art {

namespace {

constexpr int TileSide = 100;
constexpr int TileGap = 12;
constexpr int GridLeft = (LogoSize - 2 * TileSide - TileGap) / 2; // 94
constexpr int GridTop = 50;

struct Tile {
    int col, row;
    uint32_t colour;
};
// Two tiles belong to the base picture; the other two are the moving pieces.
constexpr Tile FixedA{0, 0, 0xC8282C};
constexpr Tile FixedB{1, 1, 0xE0A020};
constexpr Tile Moving1{0, 1, 0x2A7AD8}; // image 5
constexpr Tile Moving2{1, 0, 0x2AA85A}; // image 6

void DrawTile(cairo_t* cr, const Tile& t, double dx, double dy) {
    double x = GridLeft + t.col * (TileSide + TileGap) + dx;
    double y = GridTop + t.row * (TileSide + TileGap) + dy;
    RoundedRectPath(cr, x, y, TileSide, TileSide, 16);
    SetRgb(cr, 0x000000);
    cairo_fill(cr);
    RoundedRectPath(cr, x + 2, y + 2, TileSide - 4, TileSide - 4, 14);
    cairo_pattern_t* p = cairo_pattern_create_linear(x, y, x + TileSide, y + TileSide);
    AddStop(p, 0, Mix(t.colour, 0xFFFFFF, 0.35));
    AddStop(p, 0.55, t.colour);
    AddStop(p, 1, Mix(t.colour, 0x000000, 0.45));
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    RoundedRectPath(cr, x + 8, y + 6, TileSide - 16, 34, 12);
    SetRgb(cr, 0xFFFFFF, 0.22);
    cairo_fill(cr);
    // A drum-head ring on every tile.
    cairo_new_path(cr);
    cairo_arc(cr, x + TileSide / 2.0, y + TileSide / 2.0 + 4, 22, 0, 2 * Pi);
    SetRgb(cr, 0xFFFFFF, 0.8);
    cairo_set_line_width(cr, 6);
    cairo_stroke(cr);
}

void SlotShadow(cairo_t* cr, const Tile& t) {
    double x = GridLeft + t.col * (TileSide + TileGap);
    double y = GridTop + t.row * (TileSide + TileGap);
    RoundedRectPath(cr, x + 2, y + 2, TileSide - 4, TileSide - 4, 14);
    SetRgb(cr, 0x2A2E38);
    cairo_fill(cr);
}

void Name(cairo_t* cr) {
    CentredText(cr, "Varnok Games", LogoSize / 2.0, 330, 44, true);
    SetRgb(cr, 0xF4F4F8);
    cairo_fill(cr);
}

ArtImage Finish(Canvas& c, uint32_t id) {
    ArtImage image = FromKeyed(c.surface, id, nullptr, 0x000000);
    FreeCanvas(c);
    return image;
}

} // namespace

std::vector<ArtImage> BuildLogoPack() {
    std::vector<ArtImage> pack;
    Canvas base = NewCanvas(LogoSize, LogoSize);
    SlotShadow(base.cr, Moving1);
    SlotShadow(base.cr, Moving2);
    DrawTile(base.cr, FixedA, 0, 0);
    DrawTile(base.cr, FixedB, 0, 0);
    Name(base.cr);
    pack.push_back(Finish(base, 3));

    Canvas final = NewCanvas(LogoSize, LogoSize);
    SlotShadow(final.cr, Moving1);
    SlotShadow(final.cr, Moving2);
    DrawTile(final.cr, FixedA, 0, 0);
    DrawTile(final.cr, FixedB, 0, 0);
    DrawTile(final.cr, Moving1, LogoLift, -LogoLift);
    DrawTile(final.cr, Moving2, LogoLift, -LogoLift);
    Name(final.cr);
    // An underline that only the finished logo has.
    RoundedRectPath(final.cr, 110, 346, 180, 5, 2.5);
    SetRgb(final.cr, 0xE0A020);
    cairo_fill(final.cr);
    pack.push_back(Finish(final, 4));

    Canvas one = NewCanvas(LogoSize, LogoSize);
    DrawTile(one.cr, Moving1, 0, 0);
    pack.push_back(Finish(one, 5));
    Canvas two = NewCanvas(LogoSize, LogoSize);
    DrawTile(two.cr, Moving2, 0, 0);
    pack.push_back(Finish(two, 6));
    return pack;
}

} // namespace art
