#include "tools/bake/FontSheet.h"

#include "tools/bake/Halve.h"

#include <map>
#include <string>

namespace {
constexpr uint16_t kPaper = 0x2988; // the dark blue-grey that menu text is usually drawn on

struct SheetFont {
    std::map<uint32_t, GlyphPicture> glyphs;
    int spacing, spaceWidth, lineHeight;

    // Upper-case ASCII falls back to the lower-case glyph, as the program does.
    const GlyphPicture* Find(uint32_t code) const {
        auto found = glyphs.find(code);
        if (found == glyphs.end() && code >= 'A' && code <= 'Z') found = glyphs.find(code + 32);
        return found == glyphs.end() ? nullptr : &found->second;
    }
};

SheetFont HalvedFont(const SheetFont& font) {
    SheetFont half{{}, font.spacing / 2, font.spaceWidth / 2, font.lineHeight / 2};
    for (const auto& [code, glyph] : font.glyphs)
        half.glyphs[code] = {code, glyph.width / 2, glyph.height / 2,
                             HalvePixels(glyph.pixels, glyph.width, glyph.height)};
    return half;
}

// Draws Latin-1 text with its glyphs' bottom edges on the given row.
void DrawLine(SheetImage& sheet, const SheetFont& font, const std::string& text, int x,
              int bottom) {
    for (unsigned char c : text) {
        if (c == ' ') {
            x += font.spaceWidth;
            continue;
        }
        const GlyphPicture* glyph = font.Find(c);
        if (!glyph) continue;
        for (int gy = 0; gy < glyph->height; ++gy)
            for (int gx = 0; gx < glyph->width; ++gx) {
                uint16_t p = glyph->pixels[size_t(gy) * glyph->width + gx];
                int sx = x + gx, sy = bottom - glyph->height + gy;
                if (p != 0xF81F && sx >= 0 && sy >= 0 && sx < sheet.width && sy < sheet.height)
                    sheet.pixels[size_t(sy) * sheet.width + sx] = p;
            }
        x += glyph->width + font.spacing;
    }
}

std::string Latin1(const char* utf8) {
    std::string out;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(utf8); *p; ++p) {
        if (*p < 0x80)
            out.push_back(static_cast<char>(*p));
        else if ((*p & 0xE0) == 0xC0 && p[1]) {
            out.push_back(static_cast<char>(((p[0] & 0x1F) << 6) | (p[1] & 0x3F)));
            ++p;
        }
    }
    return out;
}
} // namespace

SheetImage FontSampleSheet(const FontSpec& spec, const std::vector<GlyphPicture>& glyphs) {
    SheetFont full{{}, spec.spacing, spec.spaceWidth, spec.height + 8};
    for (const GlyphPicture& glyph : glyphs) full.glyphs[glyph.code] = glyph;
    SheetFont half = HalvedFont(full);

    std::vector<std::string> lines = {"abcdefghijklm",
                                      "nopqrstuvwxyz",
                                      "0123456789 %:-+",
                                      "!\"#$&'()*,./;<=>?@[]^_`{|}~",
                                      Latin1("àáâäçèéêëìíîïñòóôöùúûüß"),
                                      Latin1("¡¿«»°©"),
                                      "play the drum kit freely",
                                      Latin1("zurück  français  atrás"),
                                      "level 12: [4/4]"};
    if (spec.arrows) lines.push_back("back\x13  continue\x12");
    if (spec.lamps) lines.push_back("\x14\x15\x16\x17\x18\x19\x1A\x1B \x1C\x1C\x15");

    SheetImage sheet;
    sheet.width = 1100;
    sheet.height = static_cast<int>(lines.size()) * (full.lineHeight + half.lineHeight) + 24;
    sheet.pixels.assign(static_cast<size_t>(sheet.width) * sheet.height, kPaper);
    int y = 8;
    for (const std::string& line : lines) {
        y += full.lineHeight;
        DrawLine(sheet, full, line, 8, y);
        y += half.lineHeight;
        DrawLine(sheet, half, line, 8, y);
    }
    return sheet;
}
