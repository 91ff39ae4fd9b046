// The baked font packs: ids, glyph sets, cell geometry, keying, and how they halve.
#include "tests/bake/BakedPack.h"
#include "tools/bake/Halve.h"

#include <gtest/gtest.h>
#include <set>

namespace {
const std::filesystem::path kImgs = std::filesystem::path(TBX_GAME_DIR) / "imgs";
constexpr uint16_t kKey = 0xF81F;

struct FontCase {
    const char* pack;
    uint32_t base;
    int height;    // every glyph's logical height
    int lowestInk; // no glyph inks a row below this one (counting from the top)
};
const FontCase kFonts[] = {
    {"font9100.img", 9100, 40, 39}, {"font9400.img", 9400, 20, 19}, {"font9700.img", 9700, 38, 37}};

std::set<uint32_t> Codes(const std::vector<BakedImage>& images, uint32_t base, uint32_t from) {
    std::set<uint32_t> codes;
    for (const BakedImage& image : images)
        if (image.id - base >= from) codes.insert(image.id - base);
    return codes;
}
} // namespace

TEST(FontPacks, GlyphIdsAndSetsMatchWhatTheProgramLooksUp) {
    auto large = ReadBakedPack(kImgs / "font9100.img");
    auto small = ReadBakedPack(kImgs / "font9400.img");
    auto display = ReadBakedPack(kImgs / "font9700.img");
    ASSERT_FALSE(large.empty());
    ASSERT_FALSE(small.empty());
    ASSERT_FALSE(display.empty());

    for (const auto& [pack, base] :
         {std::pair(&large, 9100u), {&small, 9400u}, {&display, 9700u}}) {
        std::set<uint32_t> ids;
        for (const BakedImage& image : *pack) {
            EXPECT_TRUE(ids.insert(image.id).second) << "duplicate id " << image.id;
            EXPECT_GE(image.id, base);
            EXPECT_LT(image.id, base + 255) << "code 255 never has a glyph";
            EXPECT_NE(image.id, base + 32) << "the blank must have no glyph";
        }
        for (uint32_t c : std::initializer_list<uint32_t>{
                 '0', '9', 'a', 'z', ':',  '-',  '%',  '[',  '/',  ']',  '?',  '(', ')',
                 ',', '.', '+', '!', 0xE4, 0xE9, 0xF1, 0xFC, 0xDF, 0xBF, 0xA1, 0xC9})
            EXPECT_TRUE(ids.count(base + c)) << "font " << base << " lacks code " << c;
    }
    // Names are accepted only with a glyph in both the large and the small font, and they
    // also scroll through the display font: all three cover the same text codes.
    EXPECT_EQ(Codes(large, 9100, 33), Codes(small, 9400, 33));
    EXPECT_EQ(Codes(large, 9100, 33), Codes(display, 9700, 33));
    // The specials below 32 belong only where they are drawn.
    EXPECT_EQ(Codes(large, 9100, 0).size() - Codes(large, 9100, 33).size(), 2u);
    EXPECT_EQ(Codes(small, 9400, 0), Codes(small, 9400, 33)) << "no specials in names";
    std::set<uint32_t> displaySpecials;
    for (uint32_t code : Codes(display, 9700, 0))
        if (code < 33) displaySpecials.insert(code);
    EXPECT_EQ(displaySpecials, (std::set<uint32_t>{20, 21, 22, 23, 24, 25, 26, 27, 28}));
}

TEST(FontPacks, CellsAreEvenKeyedAndShareOneHeight) {
    for (const FontCase& font : kFonts) {
        SCOPED_TRACE(font.pack);
        for (const BakedImage& g : ReadBakedPack(kImgs / font.pack)) {
            SCOPED_TRACE(g.id);
            EXPECT_EQ(g.FullHeight(), font.height);
            EXPECT_EQ(g.FullWidth() % 2, 0) << "even sizes halve exactly";
            if (font.base == 9700) {
                EXPECT_EQ(g.FullWidth(), 26) << "fixed pitch";
            }
            bool keyed = false;
            for (uint16_t p : g.pixels) keyed |= p == kKey;
            EXPECT_EQ((g.flags & 1) != 0, keyed) << "keyed flag exactly when a key pixel is stored";
            EXPECT_LE(g.trimTop + g.height - 1, font.lowestInk);
            EXPECT_GT(g.width * g.height, 0) << "every glyph has ink";
        }
    }
}

TEST(FontPacks, HalvingNeverTurnsAnEdgeIntoTheKeyColour) {
    for (const FontCase& font : kFonts) {
        for (const BakedImage& g : ReadBakedPack(kImgs / font.pack)) {
            auto logical = g.Logical();
            auto half = HalvePixels(logical, g.FullWidth(), g.FullHeight());
            // A half pixel is the key only where three or four of its block were the key.
            for (int y = 0; y < g.FullHeight() / 2; ++y)
                for (int x = 0; x < g.FullWidth() / 2; ++x) {
                    int keyed = 0;
                    for (int k = 0; k < 4; ++k)
                        keyed +=
                            logical[size_t(2 * y + (k >> 1)) * g.FullWidth() + 2 * x + (k & 1)] ==
                            kKey;
                    ASSERT_EQ(half[size_t(y) * (g.FullWidth() / 2) + x] == kKey, keyed >= 3)
                        << font.pack << " glyph " << g.id << " at " << x << "," << y;
                }
        }
    }
}

TEST(FontPacks, LettersSitOnTheBaselineTheLayoutExpects) {
    // The large font's letters end 4 rows above the glyph's bottom edge (its outline reaching
    // 2 rows further); the small and display fonts' letters end, outline included, on the
    // last row. '0' of the display font is exactly one pitch wide.
    auto large = LoadBakedFont(kImgs / "font9100.img", 9100, -4, 20, false);
    auto small = LoadBakedFont(kImgs / "font9400.img", 9400, -2, 8, false);
    auto display = LoadBakedFont(kImgs / "font9700.img", 9700, 0, 26, false);
    for (uint32_t c : std::initializer_list<uint32_t>{'e', 'm', 'z', '0', 0xE9, 0xFC}) {
        const BakedImage* l = large.Find(c);
        const BakedImage* s = small.Find(c);
        const BakedImage* d = display.Find(c);
        ASSERT_TRUE(l && s && d) << c;
        EXPECT_EQ(l->trimTop + l->height, 40 - 4 + 2) << c;
        EXPECT_EQ(s->trimTop + s->height, 20) << c;
        EXPECT_EQ(d->trimTop + d->height, 38) << c;
        // Capitals are tall enough to read: at least half the cell.
        EXPECT_GE(l->height, 20);
        EXPECT_GE(s->height, 10);
        EXPECT_GE(d->height, 19);
    }
    EXPECT_EQ(display.Find('0')->FullWidth(), 26);
}
