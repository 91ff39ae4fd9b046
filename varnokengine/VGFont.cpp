#include "varnokengine/VGFont.h"

#include "varnokengine/VGBitmap.h"
#include "varnokengine/VGFormat.h"

VGFont::VGFont(int16_t layoutScale, uint32_t idBase, int16_t spacing_, int16_t spaceWidth_,
               int16_t baselineOffset_, int16_t ascent_, int16_t lineHeight_,
               const char16_t* name) {
    VGString packName = name ? Formatted(u"font%s", name) : Formatted(u"font%d", int32_t(idBase));
    pack.Load(packName);
    for (int32_t code = 0; code < kGlyphCount; ++code) glyphs[code] = pack.Find(idBase + code);
    spacing = int16_t(spacing_ * layoutScale);
    spaceWidth = int16_t(spaceWidth_ * layoutScale);
    baselineOffset = int16_t(baselineOffset_ * layoutScale);
    ascent = int16_t(ascent_ * layoutScale);
    lineHeight = int16_t(lineHeight_ * layoutScale);
}

const VGBitmap* VGFont::GetGlyph(uint32_t code) const {
    code &= 0xFF;
    if (code >= uint32_t(kGlyphCount)) return nullptr;
    if (glyphs[code]) return glyphs[code];
    if (code >= 'a' && code <= 'z') return glyphs[code - 32];
    if (code >= 'A' && code <= 'Z') return glyphs[code + 32];
    return nullptr;
}

int32_t VGFont::CharWidth(uint32_t code) const {
    if (code >= 255) return 0;
    if (code == ' ') return spaceWidth;
    const VGBitmap* glyph = GetGlyph(code);
    return glyph ? glyph->fullWidth + spacing : 0;
}

int32_t VGFont::TextWidth(const VGString& text) const {
    int32_t widest = 0, width = 0;
    for (uint32_t i = 0; i <= text.Length(); ++i) {
        if (i == text.Length() || text[i] == u'\n') {
            widest = width > widest ? width : widest;
            width = 0;
        } else {
            width += CharWidth(text[i] & 0xFF);
        }
    }
    return widest;
}

int32_t VGFont::GlyphTop(const VGBitmap* glyph, int32_t y, float scale) const {
    return int32_t(float(baselineOffset) * scale + float(y)) -
           int32_t(float(glyph->fullHeight) * scale);
}

int32_t VGFont::DrawChar(uint32_t code, int32_t x, int32_t y, float alpha, float scale) const {
    if (code >= 255) return 0;
    if (code == ' ') return int32_t(float(spaceWidth) * scale);
    const VGBitmap* glyph = GetGlyph(code);
    if (!glyph) return 0;
    VGBitmap::DrawEx(glyph, x, GlyphTop(glyph, y, scale), glyph->fullWidth, glyph->fullHeight, 0, 0,
                     scale, scale, BlendAlpha, alpha);
    return int32_t(float(glyph->fullWidth + spacing) * scale);
}

void VGFont::DrawCharShadow(uint32_t code, int32_t x, int32_t y, float alpha, float scale) const {
    if (code >= 255 || code == ' ') return;
    const VGBitmap* glyph = GetGlyph(code);
    if (!glyph) return;
    VGBitmap::DrawEx(glyph, x, GlyphTop(glyph, y, scale), glyph->fullWidth, glyph->fullHeight, 0, 0,
                     scale, scale, BlendShade, alpha * 0.5f);
}
