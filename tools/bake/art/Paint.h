#pragma once
// Small Cairo helpers shared by every art family: surfaces, shapes, the metal and lacquer
// finishes, and text in the one display face.
#include <cairo.h>

#include <cstdint>

namespace art {

constexpr double Pi = 3.14159265358979323846;

// A transparent ARGB canvas and its context, released together.
struct Canvas {
    cairo_surface_t* surface = nullptr;
    cairo_t* cr = nullptr;
    int width = 0;
    int height = 0;
};
Canvas NewCanvas(int width, int height);
void FreeCanvas(Canvas& canvas);

void SetRgb(cairo_t* cr, uint32_t rgb, double alpha = 1.0);
void AddStop(cairo_pattern_t* p, double at, uint32_t rgb, double alpha = 1.0);
uint32_t Mix(uint32_t a, uint32_t b, double t);

void EllipsePath(cairo_t* cr, double cx, double cy, double rx, double ry);
void RoundedRectPath(cairo_t* cr, double x, double y, double w, double h, double r);

// Fills the current path with the pattern, then destroys the pattern, and strokes the path's
// outline in edge at the given width.
void FillAndOutline(cairo_t* cr, cairo_pattern_t* fill, uint32_t edge, double width);

// A left-to-right band of brushed chrome across [x0, x1].
cairo_pattern_t* ChromeAcross(double x0, double y0, double x1, double y1);
// Chrome rod or tube from a to b, with a dark rim so it reads on any background.
void ChromeRod(cairo_t* cr, double ax, double ay, double bx, double by, double width);

// Text in the rounded display face, centred on (cx, baseline).
void CentredText(cairo_t* cr, const char* text, double cx, double baseline, double size, bool bold);
double TextWidth(cairo_t* cr, const char* text, double size, bool bold);
// A plain face for captions on review sheets.
void SelectCaptionFace(cairo_t* cr, double size);

} // namespace art
