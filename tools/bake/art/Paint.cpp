#include "tools/bake/art/Paint.h"

#include <cairo-ft.h>

#include <cmath>
#include <iostream>
#include <string>

namespace art {

Canvas NewCanvas(int width, int height) {
    Canvas c;
    c.width = width;
    c.height = height;
    c.surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    c.cr = cairo_create(c.surface);
    cairo_set_antialias(c.cr, CAIRO_ANTIALIAS_GOOD);
    return c;
}

void FreeCanvas(Canvas& canvas) {
    if (canvas.cr) cairo_destroy(canvas.cr);
    if (canvas.surface) cairo_surface_destroy(canvas.surface);
    canvas = Canvas{};
}

void SetRgb(cairo_t* cr, uint32_t rgb, double alpha) {
    cairo_set_source_rgba(cr, ((rgb >> 16) & 255) / 255.0, ((rgb >> 8) & 255) / 255.0,
                          (rgb & 255) / 255.0, alpha);
}

void AddStop(cairo_pattern_t* p, double at, uint32_t rgb, double alpha) {
    cairo_pattern_add_color_stop_rgba(p, at, ((rgb >> 16) & 255) / 255.0,
                                      ((rgb >> 8) & 255) / 255.0, (rgb & 255) / 255.0, alpha);
}

uint32_t Mix(uint32_t a, uint32_t b, double t) {
    uint32_t out = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        double ca = (a >> shift) & 255, cb = (b >> shift) & 255;
        out |= uint32_t(std::lround(ca + (cb - ca) * t)) << shift;
    }
    return out;
}

void EllipsePath(cairo_t* cr, double cx, double cy, double rx, double ry) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, rx, ry);
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0, 0, 1, 0, 2 * Pi);
    cairo_restore(cr);
}

void RoundedRectPath(cairo_t* cr, double x, double y, double w, double h, double r) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -Pi / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, Pi / 2);
    cairo_arc(cr, x + r, y + h - r, r, Pi / 2, Pi);
    cairo_arc(cr, x + r, y + r, r, Pi, 1.5 * Pi);
    cairo_close_path(cr);
}

void FillAndOutline(cairo_t* cr, cairo_pattern_t* fill, uint32_t edge, double width) {
    cairo_set_source(cr, fill);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(fill);
    SetRgb(cr, edge);
    cairo_set_line_width(cr, width);
    cairo_stroke(cr);
}

cairo_pattern_t* ChromeAcross(double x0, double y0, double x1, double y1) {
    cairo_pattern_t* p = cairo_pattern_create_linear(x0, y0, x1, y1);
    AddStop(p, 0.0, 0x4A5058);
    AddStop(p, 0.18, 0xC9D0D8);
    AddStop(p, 0.32, 0xFFFFFF);
    AddStop(p, 0.45, 0x9AA3AD);
    AddStop(p, 0.7, 0x5C636B);
    AddStop(p, 0.86, 0xB8C0C8);
    AddStop(p, 1.0, 0x3C4148);
    return p;
}

void ChromeRod(cairo_t* cr, double ax, double ay, double bx, double by, double width) {
    double dx = bx - ax, dy = by - ay, len = std::hypot(dx, dy);
    if (len < 0.01) return;
    double nx = -dy / len, ny = dx / len;
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    SetRgb(cr, 0x1A1C20);
    cairo_set_line_width(cr, width + 2);
    cairo_move_to(cr, ax, ay);
    cairo_line_to(cr, bx, by);
    cairo_stroke(cr);
    cairo_pattern_t* p = ChromeAcross(ax - nx * width / 2, ay - ny * width / 2, ax + nx * width / 2,
                                      ay + ny * width / 2);
    cairo_set_source(cr, p);
    cairo_set_line_width(cr, width);
    cairo_move_to(cr, ax, ay);
    cairo_line_to(cr, bx, by);
    cairo_stroke(cr);
    cairo_pattern_destroy(p);
}

namespace {

// Fonts come straight from the Debian packages' files through FreeType, so the same file is
// used on every machine and no font lookup service is involved.
constexpr const char* FontFolder = "/usr/share/fonts/truetype/";

cairo_font_face_t* LoadFace(const char* file, const char* fallback) {
    static FT_Library library = nullptr;
    if (!library && FT_Init_FreeType(&library) != 0) return nullptr;
    for (const char* name : {file, fallback}) {
        FT_Face face = nullptr;
        std::string path = std::string(FontFolder) + name;
        if (FT_New_Face(library, path.c_str(), 0, &face) == 0)
            return cairo_ft_font_face_create_for_ft_face(face, 0);
    }
    std::cerr << "bake: no font file " << FontFolder << file << '\n';
    return nullptr;
}

void SelectFace(cairo_t* cr, double size, bool bold) {
    static cairo_font_face_t* regular =
        LoadFace("comfortaa/Comfortaa-Regular.ttf", "dejavu/DejaVuSans.ttf");
    static cairo_font_face_t* heavy =
        LoadFace("comfortaa/Comfortaa-Bold.ttf", "dejavu/DejaVuSans-Bold.ttf");
    if (cairo_font_face_t* face = bold ? heavy : regular) cairo_set_font_face(cr, face);
    cairo_set_font_size(cr, size);
}

} // namespace

void SelectCaptionFace(cairo_t* cr, double size) {
    static cairo_font_face_t* face = LoadFace("dejavu/DejaVuSans.ttf", "dejavu/DejaVuSans.ttf");
    if (face) cairo_set_font_face(cr, face);
    cairo_set_font_size(cr, size);
}

double TextWidth(cairo_t* cr, const char* text, double size, bool bold) {
    SelectFace(cr, size, bold);
    cairo_text_extents_t e;
    cairo_text_extents(cr, text, &e);
    return e.x_advance;
}

void CentredText(cairo_t* cr, const char* text, double cx, double baseline, double size,
                 bool bold) {
    SelectFace(cr, size, bold);
    cairo_text_extents_t e;
    cairo_text_extents(cr, text, &e);
    cairo_move_to(cr, cx - e.x_bearing - e.width / 2, baseline);
    cairo_text_path(cr, text);
}

} // namespace art
