#pragma once
// Bitmap fonts: 8-bit character codes map to glyph images of a pack. The five metrics are
// kept already multiplied by the layout scale the font was made for.
#include "varnokengine/VGBitmapManager.h"
#include "varnokengine/VGString.h"

#include <cstdint>

struct VGBitmap;

constexpr int32_t kGlyphCount = 255; // codes 0 to 254; 255 never has a glyph

class VGFont {
public:
    // Loads the pack "font<name>" when a name is given, else "font<idBase>", and takes the
    // image idBase + code as the glyph of each code.
    VGFont(int16_t layoutScale, uint32_t idBase, int16_t spacing, int16_t spaceWidth,
           int16_t baselineOffset, int16_t ascent, int16_t lineHeight,
           const char16_t* name = nullptr);
    ~VGFont() = default;
    VGFont(const VGFont&) = delete;
    VGFont& operator=(const VGFont&) = delete;

    // The glyph for the low byte of code; a missing letter falls back to the other case.
    const VGBitmap* GetGlyph(uint32_t code) const;
    // Unscaled advance: the space width for the blank, 0 without a glyph.
    int32_t CharWidth(uint32_t code) const;
    // Unscaled width of the text's widest line (lines end at line feeds).
    int32_t TextWidth(const VGString& text) const;
    // Draws the glyph with its baseline at y and returns the scaled advance.
    int32_t DrawChar(uint32_t code, int32_t x, int32_t y, float alpha, float scale) const;
    // The same placement, darkening what lies under the glyph.
    void DrawCharShadow(uint32_t code, int32_t x, int32_t y, float alpha, float scale) const;

    const VGBitmap* glyphs[kGlyphCount] = {};
    VGBitmapManager pack;
    int16_t spacing = 0;
    int16_t spaceWidth = 0;
    int16_t baselineOffset = 0;
    int16_t ascent = 0;
    int16_t lineHeight = 0;

private:
    // Top-left of a glyph drawn with its baseline at y.
    int32_t GlyphTop(const VGBitmap* glyph, int32_t y, float scale) const;
};
