#pragma once
// A small font pack written for tests: solid glyphs of known sizes and colours, so drawing
// can be checked pixel by pixel.
#include "tests/support/TempFolder.h"
#include "tools/imagewriter/ImageWriter.h"

#include <cstdint>
#include <vector>

constexpr uint32_t kTestFontBase = 5000;
constexpr uint16_t kGlyphColour = 0x07E0; // green
constexpr int32_t kGlyphHeight = 10;

struct TestGlyph {
    uint8_t code;
    int32_t width;
};

// Glyphs for 'E' (8 wide), 'A' (6 wide) and 'x' (5 wide), all 10 high, into
// <folder>/imgs/font5000.img. Returns false when the pack could not be written.
inline bool WriteTestFontPack(const TempFolder& folder) {
    std::vector<imagewriter::Picture> glyphs;
    for (TestGlyph g : {TestGlyph{'E', 8}, TestGlyph{'A', 6}, TestGlyph{'x', 5}}) {
        imagewriter::Picture p;
        p.width = g.width;
        p.height = kGlyphHeight;
        p.id = kTestFontBase + g.code;
        p.pixels.assign(size_t(p.width * p.height), kGlyphColour);
        glyphs.push_back(p);
    }
    std::filesystem::create_directories(folder.Path() / "imgs");
    return imagewriter::WritePack((folder.Path() / "imgs" / "font5000.img").string(), glyphs,
                                  imagewriter::Trim::Off);
}
