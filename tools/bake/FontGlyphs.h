#pragma once
// The three bitmap fonts: which codes they hold and how each glyph picture is made.
#include "tools/bake/GlyphArt.h"

#include <cstdint>
#include <string>
#include <vector>

struct FontSpec {
    std::string pack;     // pack file name without extension, e.g. "font9100"
    uint32_t idBase = 0;  // glyph id = idBase + code
    std::string face;     // FreeType face file
    std::string fallback; // face for characters the first one lacks
    int height = 0;       // logical height of every glyph
    int baseline = 0;     // letters stand on this row: their ink ends on the row above
    int spacing = 0;      // added to a glyph's width to give its advance (large layout)
    int spaceWidth = 0;   // advance of the blank (large layout)
    int fixedWidth = 0;   // 0, or the width of every glyph (a fixed-pitch font)
    int outline = 0;      // outline width in pixels
    GlyphStyle style{};
    bool arrows = false; // codes 18 and 19: forward and back arrows
    bool lamps = false;  // codes 20..27: an eight-step lamp ramp; 28: a life
};

struct GlyphPicture {
    uint32_t code = 0;
    int width = 0;
    int height = 0;
    std::vector<uint16_t> pixels; // RGB565, key where transparent
};

// Codes every font draws: printable ASCII with letters only at the lower-case codes (the
// upper-case codes fall back to them), and the printable Latin-1 range in both cases,
// because the texts' bytes above 0x7F are not lower-cased and have no fallback.
std::vector<uint32_t> TextGlyphCodes();
// The character drawn for a code: letters are drawn as capitals (the glyphs have no room
// below the baseline for descenders).
uint32_t DrawnCharacter(uint32_t code);

// Every glyph of the font, in code order; false with a message when a face cannot be read
// or a character cannot be made to fit the cell.
bool MakeFontGlyphs(const FontSpec& spec, std::vector<GlyphPicture>& glyphs, std::string& error);

// The three fonts of the program (large 9100, small 9400, display 9700).
std::vector<FontSpec> ProgramFonts();
