// Bakes the font packs imgs/font9100.img, font9400.img and font9700.img, and a sample sheet
// of each font at both screen sizes for review.
#include "tools/bake/BakeIo.h"
#include "tools/bake/BakeStep.h"
#include "tools/bake/FontGlyphs.h"
#include "tools/bake/FontSheet.h"
#include "tools/imagewriter/ImageWriter.h"
#include "tools/png/PngFile.h"

namespace {
bool BakeFont(const BakeContext& context, const FontSpec& spec) {
    std::vector<GlyphPicture> glyphs;
    std::string error;
    if (!MakeFontGlyphs(spec, glyphs, error)) return BakeFailure(error);
    std::vector<imagewriter::Picture> pictures;
    for (const GlyphPicture& glyph : glyphs)
        pictures.push_back({glyph.width, glyph.height, spec.idBase + glyph.code, glyph.pixels});
    auto pack = context.out / "imgs" / (spec.pack + ".img");
    if (!imagewriter::WritePack(pack.string(), pictures, imagewriter::Trim::KeyMargins))
        return BakeFailure("cannot write " + pack.string());

    SheetImage sheet = FontSampleSheet(spec, glyphs);
    auto sheetPath = context.review / (spec.pack + "-sample.png");
    if (!png::WritePng(sheetPath.string(), sheet.width, sheet.height, sheet.pixels.data()))
        return BakeFailure("cannot write " + sheetPath.string());
    return true;
}

bool BakeFonts(const BakeContext& context) {
    for (const FontSpec& spec : ProgramFonts())
        if (!BakeFont(context, spec)) return false;
    return true;
}
const BakeStepRegistration registration("fonts", &BakeFonts);
} // namespace
