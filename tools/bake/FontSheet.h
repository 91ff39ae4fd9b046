#pragma once
// A review sheet of a font: sample lines drawn as the program draws text (advance = glyph
// width + spacing, the blank advancing by the space width), at the large-screen size and
// again with every glyph halved as a small screen loads it.
#include "tools/bake/FontGlyphs.h"

struct SheetImage {
    int width = 0;
    int height = 0;
    std::vector<uint16_t> pixels;
};

SheetImage FontSampleSheet(const FontSpec& spec, const std::vector<GlyphPicture>& glyphs);
