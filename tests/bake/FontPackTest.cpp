// The baked font packs: ids, glyph sets, cell geometry, keying, and how they halve.
#include "tests/bake/BakedPack.h"
#include "tools/bake/Halve.h"

#include <cstdlib>
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
    int letterEnd; // the row below a plain capital's ink, outline included
    int spacing, spaceWidth;
};
// Every font keeps 4 rows below its letters for tails (its baseline offset).
const FontCase kFonts[] = {{"font9100.img", 9100, 40, 39, 38, -4, 20},
                           {"font9400.img", 9400, 24, 23, 20, -2, 8},
                           {"font9700.img", 9700, 42, 41, 38, 0, 26}};

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
    // Plain capitals end at the same row in every font, with room below for tails; '0' of
    // the display font is exactly one pitch wide.
    for (const FontCase& font : kFonts) {
        SCOPED_TRACE(font.pack);
        auto baked =
            LoadBakedFont(kImgs / font.pack, font.base, font.spacing, font.spaceWidth, false);
        for (uint32_t c : std::initializer_list<uint32_t>{'e', 'm', 'z', '0', 0xE9, 0xFC}) {
            const BakedImage* g = baked.Find(c);
            ASSERT_TRUE(g) << c;
            EXPECT_EQ(g->trimTop + g->height, font.letterEnd) << c;
            // Capitals are tall enough to read: at least half the cell.
            EXPECT_GE(g->height, font.height / 2) << c;
        }
    }
    auto display = LoadBakedFont(kImgs / "font9700.img", 9700, 0, 26, false);
    EXPECT_EQ(display.Find('0')->FullWidth(), 26);
}

TEST(FontPacks, EveryLetterIsACapitalStandingOnTheBaseline) {
    // A letter drawn small (a lower-case form at a lower-case code) would start well below
    // the capitals' top; a tail that does not fit below the baseline would lift the letter.
    // Upper-case ASCII codes have no glyphs of their own: they fall back to these.
    for (const FontCase& font : kFonts) {
        SCOPED_TRACE(font.pack);
        auto baked =
            LoadBakedFont(kImgs / font.pack, font.base, font.spacing, font.spaceWidth, false);
        const BakedImage* e = baked.Find('e');
        ASSERT_TRUE(e);
        const int capTop = e->trimTop, capEnd = e->trimTop + e->height;
        const int slack = font.height / 20 + 1; // round letters overshoot a little
        std::vector<uint32_t> letters;
        for (uint32_t c = 'a'; c <= 'z'; ++c) letters.push_back(c);
        for (uint32_t c : {0xE6u, 0xF0u, 0xF8u, 0xFEu}) letters.push_back(c); // æ ð ø þ
        for (uint32_t c : letters) {
            SCOPED_TRACE(c);
            EXPECT_EQ(baked.glyphs.count(c - 32), c < 0x80 ? 0u : 1u);
            const BakedImage* g = baked.Find(c);
            ASSERT_TRUE(g);
            EXPECT_LE(std::abs(g->trimTop - capTop), slack) << "not as tall as a capital";
            int end = g->trimTop + g->height;
            if (c == 'q' || c == 'j') {
                EXPECT_GE(end, capEnd - slack) << "a tail may only reach below";
            } else {
                EXPECT_LE(std::abs(end - capEnd), slack) << "not standing on the baseline";
            }
            // The lower-case code draws the very same picture as its capital's code.
            if (c >= 0x80) {
                EXPECT_EQ(g->pixels, baked.glyphs.at(c - 32).pixels);
            }
        }
        // Where the Q has a tail it hangs below the O's bottom instead of lifting the letter.
        const BakedImage* q = baked.Find('q');
        const BakedImage* o = baked.Find('o');
        ASSERT_TRUE(q && o);
        EXPECT_LE(std::abs(q->trimTop - o->trimTop), 1);
        EXPECT_GE(q->trimTop + q->height, o->trimTop + o->height);
    }
}
