#pragma once
// FreeType rendering of single characters into coverage masks.
#include "tools/bake/GlyphArt.h"

#include <memory>
#include <string>

struct RenderedChar {
    Mask mask;
    int left = 0;    // pen position to the mask's left column
    int top = 0;     // baseline to the mask's top row (upwards positive)
    int advance = 0; // pen advance in whole pixels
};

class FontFace {
public:
    FontFace();
    ~FontFace();
    FontFace(const FontFace&) = delete;
    FontFace& operator=(const FontFace&) = delete;

    bool Open(const std::string& path);
    bool HasChar(uint32_t code) const;
    // Renders code at the pixel size (em height); false when the face lacks it.
    bool Render(uint32_t code, int pixelSize, RenderedChar& out) const;

private:
    struct State;
    std::unique_ptr<State> state_;
};
