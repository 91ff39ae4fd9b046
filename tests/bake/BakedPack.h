#pragma once
// Reads an image pack the baker wrote, record by record, for checks on the baked data.
#include <cstdint>
#include <filesystem>
#include <map>
#include <vector>

struct BakedImage {
    int16_t width = 0, height = 0;
    int16_t trimLeft = 0, trimRight = 0, trimTop = 0, trimBottom = 0;
    uint32_t id = 0, flags = 0;
    std::vector<uint16_t> pixels; // the stored pixels
    int FullWidth() const { return width + trimLeft + trimRight; }
    int FullHeight() const { return height + trimTop + trimBottom; }
    // The whole logical picture, margins filled with the colour key.
    std::vector<uint16_t> Logical() const;
};

// Empty when the file is missing or damaged (a record that does not inflate to its size).
std::vector<BakedImage> ReadBakedPack(const std::filesystem::path& path);

// A font as the layout code sees it: glyph by code (id - base).
struct BakedFont {
    std::map<uint32_t, BakedImage> glyphs;
    int spacing = 0, spaceWidth = 0; // already multiplied by the layout scale
    bool halved = false;             // the small screen: glyphs are half size
    // The glyph the program finds for a code: low 8 bits, upper/lower ASCII fallback.
    const BakedImage* Find(uint32_t code) const;
    // Advance of one character as the program computes it (0 for codes without a glyph).
    int CharWidth(uint32_t code) const;
    int TextWidth(const std::u16string& line) const;
};

BakedFont LoadBakedFont(const std::filesystem::path& pack, uint32_t idBase, int spacing,
                        int spaceWidth, bool halved);
