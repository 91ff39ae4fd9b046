#include "tools/bake/FontFace.h"

#include <ft2build.h>
#include FT_FREETYPE_H

struct FontFace::State {
    FT_Library library = nullptr;
    FT_Face face = nullptr;
};

FontFace::FontFace() : state_(std::make_unique<State>()) {}

FontFace::~FontFace() {
    if (state_->face) FT_Done_Face(state_->face);
    if (state_->library) FT_Done_FreeType(state_->library);
}

bool FontFace::Open(const std::string& path) {
    if (FT_Init_FreeType(&state_->library) != 0) return false;
    return FT_New_Face(state_->library, path.c_str(), 0, &state_->face) == 0;
}

bool FontFace::HasChar(uint32_t code) const {
    return state_->face && FT_Get_Char_Index(state_->face, code) != 0;
}

bool FontFace::Render(uint32_t code, int pixelSize, RenderedChar& out) const {
    FT_Face face = state_->face;
    if (!HasChar(code) || FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixelSize)) != 0 ||
        FT_Load_Char(face, code, FT_LOAD_RENDER | FT_LOAD_TARGET_NORMAL) != 0)
        return false;
    const FT_Bitmap& bitmap = face->glyph->bitmap;
    if (bitmap.pixel_mode != FT_PIXEL_MODE_GRAY && bitmap.rows > 0) return false;
    out.mask = Mask(static_cast<int>(bitmap.width), static_cast<int>(bitmap.rows));
    for (unsigned y = 0; y < bitmap.rows; ++y)
        for (unsigned x = 0; x < bitmap.width; ++x)
            out.mask.Ref(int(x), int(y)) = bitmap.buffer[y * bitmap.pitch + x] / 255.0f;
    out.left = face->glyph->bitmap_left;
    out.top = face->glyph->bitmap_top;
    out.advance = static_cast<int>((face->glyph->advance.x + 32) >> 6);
    return true;
}
