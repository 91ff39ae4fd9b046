#include "tools/bake/FontGlyphs.h"

#include "tools/bake/FontFace.h"

#include <algorithm>
#include <cmath>

namespace {
const char* const kFontFolder = "/usr/share/fonts/truetype/";

constexpr Rgb Hex(uint32_t rgb) {
    return {((rgb >> 16) & 0xFF) / 255.0f, ((rgb >> 8) & 0xFF) / 255.0f, (rgb & 0xFF) / 255.0f};
}

struct Faces {
    FontFace main, fallback;
    bool Render(uint32_t code, int px, RenderedChar& out) const {
        return main.Render(code, px, out) || fallback.Render(code, px, out);
    }
};

bool FitsAbove(const FontSpec& spec, const RenderedChar& rc) {
    bool widthFits = spec.fixedWidth == 0 || rc.mask.width + 2 * spec.outline <= spec.fixedWidth;
    return spec.baseline - rc.top >= spec.outline && widthFits;
}

// The largest pixel size at which every capital, accented capital and digit fits above the
// baseline and within the cell's width, so all letters of a font share one size. (What
// reaches below the baseline, a Q's tail or a cedilla, is fitted glyph by glyph.)
int FitPixelSize(const FontSpec& spec, const Faces& faces) {
    std::vector<uint32_t> reference;
    for (uint32_t c = 'A'; c <= 'Z'; ++c) reference.push_back(c);
    for (uint32_t c = '0'; c <= '9'; ++c) reference.push_back(c);
    for (uint32_t c = 0xC0; c <= 0xDD; ++c)
        if (c != 0xD7) reference.push_back(c);
    for (int px = spec.height * 2; px > 4; --px) {
        bool fits = std::all_of(reference.begin(), reference.end(), [&](uint32_t c) {
            RenderedChar rc;
            return faces.Render(c, px, rc) && FitsAbove(spec, rc);
        });
        if (fits) return px;
    }
    return 0;
}

GlyphPicture Picture(uint32_t code, const Mask& cell, const GlyphStyle& style) {
    return {code, cell.width, cell.height, ComposeGlyph(cell, style)};
}

int Even(int n) {
    return n + (n & 1);
}

// A character at the font's size, standing on the baseline. What would reach below the
// cell's bottom (brackets, a cedilla) is raised just enough to fit, and drawn smaller only
// when it is too tall for the cell altogether.
bool CharGlyph(const FontSpec& spec, const Faces& faces, int px, uint32_t code,
               GlyphPicture& glyph) {
    RenderedChar rc;
    int usable = spec.height - 2 * spec.outline;
    for (; px > 4; --px)
        if (faces.Render(DrawnCharacter(code), px, rc) && rc.mask.height <= usable &&
            (spec.fixedWidth == 0 || rc.mask.width + 2 * spec.outline <= spec.fixedWidth))
            break;
    if (px <= 4) return false;
    int top = spec.baseline - rc.top;
    top = std::min(top, spec.height - spec.outline - rc.mask.height);
    top = std::max(top, spec.outline);
    int inkX, width;
    if (spec.fixedWidth) {
        width = spec.fixedWidth;
        inkX = (width - rc.mask.width) / 2;
    } else {
        int pen = spec.outline - std::min(0, rc.left);
        inkX = pen + rc.left;
        width = Even(std::max(pen + rc.advance, inkX + rc.mask.width) + spec.outline);
    }
    Mask cell(width, spec.height);
    Stamp(cell, rc.mask, inkX, top);
    glyph = Picture(code, cell, spec.style);
    return true;
}

// Forward (18) and back (19) arrows: solid triangles as tall as 80% of a capital, with a
// 6 pixel left bearing so they stand apart from the word they follow.
void ArrowGlyphs(const FontSpec& spec, int capHeight, std::vector<GlyphPicture>& glyphs) {
    float h = std::round(capHeight * 0.8f), w = std::round(h * 0.8f);
    float left = 6.0f + spec.outline, top = spec.baseline - capHeight + (capHeight - h) / 2;
    int width = Even(static_cast<int>(left + w) + spec.outline);
    for (uint32_t code : {18u, 19u}) {
        bool forward = code == 18;
        Mask cell = ShapeMask(width, spec.height, [&](float x, float y) {
            float u = (x - left) / w, v = (y - top) / h; // 0..1 in the arrow's box
            if (u < 0 || u > 1 || v < 0 || v > 1) return false;
            float along = forward ? u : 1 - u; // 0 at the flat side, 1 at the tip
            return std::fabs(v - 0.5f) <= 0.5f * (1 - along);
        });
        glyphs.push_back(Picture(code, cell, spec.style));
    }
}

// Codes 20..27: a round lamp from off (a hollow ring) to fully lit in eight steps; 28: a
// heart for a life left, unlike any lamp step.
void LampGlyphs(const FontSpec& spec, int capHeight, std::vector<GlyphPicture>& glyphs) {
    float cx = spec.fixedWidth / 2.0f, cy = spec.baseline - capHeight / 2.0f;
    float radius = std::min(spec.fixedWidth / 2.0f - spec.outline - 1.5f, capHeight / 2.0f);
    const Rgb off = Hex(0x4A3418), dim = Hex(0x6E4A14), lit = Hex(0xFFE27A);
    for (int level = 0; level < 8; ++level) {
        Mask cell = ShapeMask(spec.fixedWidth, spec.height, [&](float x, float y) {
            float d = std::hypot(x - cx, y - cy);
            return level == 0 ? (d <= radius && d >= radius - 2.5f) : d <= radius;
        });
        GlyphStyle style = spec.style;
        float t = level == 0 ? 0.0f : (level - 1) / 6.0f;
        Rgb colour = level == 0 ? off
                                : Rgb{dim.r + (lit.r - dim.r) * t, dim.g + (lit.g - dim.g) * t,
                                      dim.b + (lit.b - dim.b) * t};
        style.fillTop = style.fillBottom = colour;
        glyphs.push_back(Picture(20 + level, cell, style));
    }
    Mask heart = ShapeMask(spec.fixedWidth, spec.height, [&](float x, float y) {
        float u = (x - cx) / (radius * 0.95f), v = -(y - cy) / (radius * 0.95f) + 0.15f;
        float a = u * u + v * v - 1;
        return a * a * a - u * u * v * v * v <= 0;
    });
    GlyphStyle style = spec.style;
    style.fillTop = Hex(0xFF5A6A);
    style.fillBottom = Hex(0xD0182E);
    style.gradientTop = static_cast<int>(cy - radius);
    style.gradientBottom = static_cast<int>(cy + radius);
    glyphs.push_back(Picture(28, heart, style));
}
} // namespace

std::vector<uint32_t> TextGlyphCodes() {
    std::vector<uint32_t> codes;
    for (uint32_t c = 33; c <= 126; ++c)
        if (c < 'A' || c > 'Z') codes.push_back(c);
    for (uint32_t c = 0xA1; c <= 0xFE; ++c)
        if (c != 0xAD) codes.push_back(c); // the soft hyphen is invisible
    return codes;
}

uint32_t DrawnCharacter(uint32_t code) {
    if (code >= 'a' && code <= 'z') return code - 32;
    if (code >= 0xE0 && code <= 0xFE && code != 0xF7) return code - 0x20;
    return code;
}

bool MakeFontGlyphs(const FontSpec& font, std::vector<GlyphPicture>& glyphs, std::string& error) {
    glyphs.clear();
    FontSpec spec = font;
    Faces faces;
    if (!faces.main.Open(spec.face) || !faces.fallback.Open(spec.fallback)) {
        error = "cannot open " + spec.face + " or " + spec.fallback;
        return false;
    }
    int px = FitPixelSize(spec, faces);
    RenderedChar capital;
    if (px == 0 || !faces.Render('E', px, capital)) {
        error = spec.pack + ": no size fits the cell";
        return false;
    }
    // The fill gradient runs from the top of a capital down to the baseline.
    spec.style.gradientTop = spec.baseline - capital.top;
    spec.style.gradientBottom = spec.baseline;
    if (spec.arrows) ArrowGlyphs(spec, capital.top, glyphs);
    if (spec.lamps) LampGlyphs(spec, capital.top, glyphs);
    for (uint32_t code : TextGlyphCodes()) {
        GlyphPicture glyph;
        if (!CharGlyph(spec, faces, px, code, glyph)) {
            error = spec.pack + ": character " + std::to_string(code) + " cannot be drawn";
            return false;
        }
        glyphs.push_back(std::move(glyph));
    }
    std::sort(glyphs.begin(), glyphs.end(),
              [](const GlyphPicture& a, const GlyphPicture& b) { return a.code < b.code; });
    return true;
}

std::vector<FontSpec> ProgramFonts() {
    std::string folder = kFontFolder;
    std::string fallback = folder + "dejavu/DejaVuSans-Bold.ttf";
    // Sizes are those of the large layout; small screens halve every glyph when loading.
    // Each font keeps 4 rows below its letters (its baseline offset), so tails such as the Q's
    // reach below the baseline instead of lifting the letter above its neighbours.
    FontSpec large;
    large.pack = "font9100";
    large.idBase = 9100;
    large.face = folder + "comfortaa/Comfortaa-Bold.ttf";
    large.height = 40;
    large.baseline = 36;
    large.spacing = -4;
    large.spaceWidth = 20;
    large.outline = 2;
    large.style = {2, Hex(0xFFF7C6), Hex(0xFFA21E), Hex(0x2C1406), Hex(0x283040), 0, 0};
    large.arrows = true;

    FontSpec small;
    small.pack = "font9400";
    small.idBase = 9400;
    small.face = folder + "open-sans/OpenSans-Bold.ttf";
    small.height = 24;
    small.baseline = 19;
    small.spacing = -2;
    small.spaceWidth = 8;
    small.outline = 1;
    small.style = {1, Hex(0xFFFFFF), Hex(0xDCE6F0), Hex(0x141C2C), Hex(0x283040), 0, 0};

    FontSpec display;
    display.pack = "font9700";
    display.idBase = 9700;
    display.face = folder + "dejavu/DejaVuSansMono-Bold.ttf";
    display.height = 42;
    display.baseline = 36;
    display.spaceWidth = 26;
    display.fixedWidth = 26;
    display.outline = 2;
    display.style = {2, Hex(0xFFE27A), Hex(0xFF9A1A), Hex(0x2A1000), Hex(0x181410), 0, 0};
    display.lamps = true;

    for (FontSpec* spec : {&large, &small, &display}) spec->fallback = fallback;
    return {large, small, display};
}
