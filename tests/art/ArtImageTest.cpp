// Turning drawn ARGB pictures into the game's RGB565: the key where transparent, edges
// composited over what lies beneath, and no colour that halving could turn into the key.
#include "tools/bake/art/ArtImage.h"
#include "varnokengine/VGBitmap.h"

#include <gtest/gtest.h>

namespace {

cairo_surface_t* Filled(int w, int h, double r, double g, double b, double a) {
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    cairo_t* cr = cairo_create(s);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_rgba(cr, r, g, b, a);
    cairo_paint(cr);
    cairo_destroy(cr);
    return s;
}

TEST(ArtImage, KeyedConversionKeysThinCoverageAndCompositesTheRest) {
    cairo_surface_t* faint = Filled(2, 2, 1, 1, 1, 0.4);
    art::ArtImage a = art::FromKeyed(faint, 7, nullptr, 0x000000);
    EXPECT_EQ(a.id, 7u);
    for (uint16_t p : a.pixels) EXPECT_EQ(p, art::Key);

    // Half-covered white over a black backdrop becomes mid grey, not white with a halo.
    cairo_surface_t* half = Filled(2, 2, 1, 1, 1, 0.6);
    art::ArtImage b = art::FromKeyed(half, 8, nullptr, 0x000000);
    for (uint16_t p : b.pixels) {
        EXPECT_NE(p, art::Key);
        EXPECT_NEAR(art::Red5(p), 18, 1);
    }
    // A backdrop picture is used pixel by pixel.
    cairo_surface_t* red = Filled(2, 2, 1, 0, 0, 1);
    art::ArtImage c = art::FromKeyed(half, 9, red);
    EXPECT_EQ(art::Red5(c.pixels[0]), 31);
    EXPECT_NEAR(art::Green5(c.pixels[0]), 18, 1);
    cairo_surface_destroy(faint);
    cairo_surface_destroy(half);
    cairo_surface_destroy(red);
}

TEST(ArtImage, MagentaArtCannotBecomeTheKeyWhenHalved) {
    cairo_surface_t* magenta = Filled(4, 4, 1, 0, 1, 1);
    cairo_surface_t* nearly = Filled(4, 4, 0.96, 0.01, 0.97, 1);
    for (cairo_surface_t* s : {magenta, nearly}) {
        for (const art::ArtImage& image : {art::FromOpaque(s, 1), art::FromKeyed(s, 2, nullptr)}) {
            VGBitmap b;
            ASSERT_TRUE(b.Create(4, 4, 0));
            for (int i = 0; i < 16; ++i) {
                ASSERT_FALSE(art::IsNearKey(image.pixels[i]));
                ASSERT_NE(image.pixels[i], art::Key);
                b.pixels[i] = image.pixels[i];
            }
            // A block beside a key pixel is averaged from the other three: still no key.
            b.pixels[0] = kColourKey;
            b.SetKeyedFromPixels();
            b.Halve();
            for (int y = 0; y < b.fullHeight; ++y)
                for (int x = 0; x < b.fullWidth; ++x) EXPECT_NE(b.GetPixel(x, y), kColourKey);
        }
        cairo_surface_destroy(s);
    }
}

TEST(ArtImage, OpaqueConversionKeepsColoursAndIgnoresAlpha) {
    cairo_surface_t* s = Filled(3, 1, 0.5, 0.25, 1.0, 1);
    art::ArtImage image = art::FromOpaque(s, 100);
    ASSERT_EQ(image.pixels.size(), 3u);
    EXPECT_EQ(image.pixels[0], art::Pack565(128, 64, 255));
    EXPECT_FALSE(art::HasKey(image));
    cairo_surface_destroy(s);
}

} // namespace
