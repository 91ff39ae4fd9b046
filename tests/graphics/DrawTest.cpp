#include "tests/graphics/GraphicsTestUtil.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr uint16_t Rgb(uint16_t r, uint16_t g, uint16_t b) {
    return uint16_t(r << 11 | g << 6 | b);
}

// A w x h image whose pixel (x, y) is x + 32 * y: its value tells where it came from.
void CoordinateImage(VGBitmap& b, int16_t w, int16_t h) {
    b.Create(w, h, 0);
    for (int32_t i = 0; i < w * h; ++i) b.pixels[i] = uint16_t((i % w) + 32 * (i / w) + 1);
}

constexpr BlendMode kModes[] = {BlendCopy, BlendAdd, BlendAlpha, BlendShade, BlendModulate};

} // namespace

TEST(DrawRegion, ClipsAgainstEachEdge) {
    VGBitmap img;
    CoordinateImage(img, 20, 4);
    TargetCanvas t(16, 8, 0);
    VGBitmap::Draw(&img, -10, 0);
    EXPECT_EQ(t.At(0, 0), img.pixels[10]) << "column 10 of the source lands at column 0";
    EXPECT_EQ(t.At(9, 3), img.pixels[3 * 20 + 19]);
    EXPECT_EQ(t.At(10, 0), 0);

    TargetCanvas u(16, 8, 0);
    RenderTarget.clipLeft = 2;
    RenderTarget.clipTop = 1;
    RenderTarget.clipRight = 6;
    RenderTarget.clipBottom = 3;
    VGBitmap::Draw(&img, 0, 0);
    for (int32_t y = 0; y < 8; ++y)
        for (int32_t x = 0; x < 16; ++x) {
            bool inside = x >= 2 && x < 6 && y >= 1 && y < 3;
            EXPECT_EQ(u.At(x, y), inside ? img.pixels[y * 20 + x] : 0) << x << "," << y;
        }
}

TEST(DrawRegion, NothingOutsideOrEmpty) {
    VGBitmap img;
    CoordinateImage(img, 4, 4);
    TargetCanvas t(8, 8, 0x5555);
    const std::vector<uint16_t> before = t.Pixels();
    VGBitmap::Draw(&img, 8, 0);                   // right of the clip
    VGBitmap::Draw(&img, 0, 8);                   // below
    VGBitmap::Draw(&img, -4, 0);                  // clipped width 0
    VGBitmap::DrawRegion(&img, 0, 0, 0, 4, 0, 0); // empty request
    VGBitmap::DrawRegion(&img, 0, 0, 4, 4, 4, 0); // source beyond the image
    VGBitmap::Draw(nullptr, 0, 0);                // a missing image
    VGBitmap::DrawEx(nullptr, 0, 0, 4, 4, 0, 0, 2, 2, BlendAlpha, 0.5f);
    EXPECT_EQ(t.Pixels(), before);
}

TEST(DrawRegion, StaysInsideTargetAndSource) {
    // A request larger than the image and a clip larger than the target: only real pixels
    // are read and written (the sanitizer build checks the bounds).
    VGBitmap img;
    CoordinateImage(img, 3, 3);
    TargetCanvas t(5, 5, 0);
    RenderTarget.clipLeft = -50;
    RenderTarget.clipRight = 500;
    RenderTarget.clipBottom = 500;
    VGBitmap::DrawRegion(&img, 2, 2, 100, 100, -2, -2);
    EXPECT_EQ(t.At(4, 4), img.pixels[0]) << "the part left of the source is transparent";
    EXPECT_EQ(t.At(3, 3), 0);
    VGBitmap::DrawEx(&img, -1, -1, 100, 100, 0, 0, 3.0f, 3.0f, BlendAdd, 1.0f);
    VGBitmap::DrawEx(&img, 2, 2, 100, 100, 1, 1, 0.3f, 7.0f, BlendAlpha, 0.5f);
}

TEST(DrawRegion, KeyedPixelsAreSkipped) {
    VGBitmap img;
    MakeBitmap(img, 3, 1, {0x1111, kColourKey, 0x3333}, FlagKeyed);
    TargetCanvas t(3, 1, 0x7777);
    VGBitmap::Draw(&img, 0, 0);
    EXPECT_EQ(t.Pixels(), (std::vector<uint16_t>{0x1111, 0x7777, 0x3333}));
    img.flags = 0;
    VGBitmap::Draw(&img, 0, 0);
    EXPECT_EQ(t.At(1, 0), kColourKey) << "without the flag the key is just magenta";
}

// A trimmed image must draw exactly as its untrimmed logical image, for any region, any
// position (partly clipped) and in DrawEx with whole-number scales and every mode.
TEST(DrawRegion, TrimmedDrawsAsUntrimmed) {
    for (uint32_t seed = 1; seed <= 12; ++seed) {
        const int16_t w = 12, h = 10;
        std::vector<uint16_t> pic =
            PictureWithMargins(w, h, 1 + seed % 3, seed % 4, 2, 1 + seed % 2, seed, true);
        VGBitmap whole, trimmed;
        MakeBitmap(whole, w, h, pic);
        whole.SetKeyedFromPixels();
        MakeBitmap(trimmed, w, h, pic);
        trimmed.Trim();
        ASSERT_TRUE(trimmed.flags & FlagTrimmed);
        for (int32_t sx : {0, 2, 5})
            for (int32_t sy : {0, 1, 4})
                for (int32_t x : {-3, 0, 7}) {
                    int32_t y = x / 2;
                    TargetCanvas a(24, 24, 0x0841), b(24, 24, 0x0841);
                    SetRenderTarget(&a.canvas);
                    VGBitmap::DrawRegion(&whole, x, y, w - sx, h - sy, sx, sy);
                    SetRenderTarget(&b.canvas);
                    VGBitmap::DrawRegion(&trimmed, x, y, w - sx, h - sy, sx, sy);
                    ASSERT_EQ(a.Pixels(), b.Pixels()) << seed << " " << sx << " " << sy << " " << x;
                    for (BlendMode mode : kModes) {
                        for (float scale : {1.0f, 2.0f}) {
                            SetRenderTarget(&a.canvas);
                            VGBitmap::DrawEx(&whole, x, y, w - sx, h - sy, sx, sy, scale, scale,
                                             mode, 0.75f);
                            SetRenderTarget(&b.canvas);
                            VGBitmap::DrawEx(&trimmed, x, y, w - sx, h - sy, sx, sy, scale, scale,
                                             mode, 0.75f);
                            ASSERT_EQ(a.Pixels(), b.Pixels())
                                << "mode " << mode << " scale " << scale;
                        }
                    }
                    SetRenderTarget(nullptr);
                }
    }
}

TEST(DrawEx, AlphaZeroChangesNothing) {
    VGBitmap img;
    CoordinateImage(img, 4, 4);
    TargetCanvas t(6, 6, 0x1234);
    for (BlendMode mode : kModes) {
        for (float alpha : {0.0f, 0.0000005f, -0.0000005f}) {
            VGBitmap::DrawEx(&img, 1, 1, 4, 4, 0, 0, 1.0f, 1.0f, mode, alpha);
            VGBitmap::DrawEx(&img, 1, 1, 4, 4, 0, 0, 2.0f, 2.0f, mode, alpha);
        }
    }
    EXPECT_EQ(t.Pixels(), std::vector<uint16_t>(36, 0x1234));
}

TEST(DrawEx, FullAlphaUnscaledIsDrawRegion) {
    VGBitmap img;
    MakeBitmap(img, 3, 2, {0xFFFF, kColourKey, 0x0821, 0x0020, 0xABCD, kColourKey}, FlagKeyed);
    TargetCanvas a(5, 5, 0x2222), b(5, 5, 0x2222);
    SetRenderTarget(&a.canvas);
    VGBitmap::DrawRegion(&img, -1, 2, 3, 2, 0, 0);
    SetRenderTarget(&b.canvas);
    VGBitmap::DrawEx(&img, -1, 2, 3, 2, 0, 0, 1.0f, 1.0f, BlendAlpha, 1.0f);
    EXPECT_EQ(a.Pixels(), b.Pixels()) << "all 16 bits copied, key skipped";
}

TEST(DrawEx, BlendModeArithmetic) {
    VGBitmap white, red;
    white.Create(1, 1, 0, ColourWhite);
    red.Create(1, 1, 0, Rgb(31, 0, 0));
    for (uint16_t d : {uint16_t(0), uint16_t(0x1234), uint16_t(0xFFFF), Rgb(3, 17, 30)}) {
        TargetCanvas t(1, 1, d);
        VGBitmap::DrawEx(&white, 0, 0, 1, 1, 0, 0, 1.0f, 1.0f, BlendAdd, 1.0f);
        EXPECT_EQ(t.At(0, 0), 0xFFDF) << "adding white saturates every channel";
    }
    {
        TargetCanvas t(1, 1, 0);
        VGBitmap::DrawEx(&red, 0, 0, 1, 1, 0, 0, 1.0f, 1.0f, BlendAlpha, 0.5f);
        EXPECT_EQ(t.At(0, 0), Rgb(15, 0, 0)) << "(31 x 128) >> 8";
    }
    {
        TargetCanvas t(1, 1, Rgb(2, 10, 20));
        VGBitmap::DrawEx(&red, 0, 0, 1, 1, 0, 0, 1.0f, 1.0f, BlendAdd, 0.25f);
        EXPECT_EQ(t.At(0, 0), Rgb(2 + 7, 10, 20)) << "(31 x 64 + (2 << 8)) >> 8 = 9";
    }
    {
        TargetCanvas t(1, 1, Rgb(20, 21, 22));
        VGBitmap::DrawEx(&red, 0, 0, 1, 1, 0, 0, 1.0f, 1.0f, BlendShade, 0.5f);
        EXPECT_EQ(t.At(0, 0), Rgb(10, 10, 11)) << "the source colour plays no part";
    }
    {
        VGBitmap strip;
        strip.Create(1, 1, 0, Rgb(0, 0, 16)); // only blue matters: half strength
        TargetCanvas t(1, 1, Rgb(31, 20, 7));
        VGBitmap::DrawEx(&strip, 0, 0, 1, 1, 0, 0, 1.0f, 1.0f, BlendModulate, 0.3f);
        EXPECT_EQ(t.At(0, 0), Rgb(15, 10, 3));
    }
    {
        // Alpha above 1 is taken as 1 rather than wrapping 256 - a below zero.
        TargetCanvas t(1, 1, Rgb(10, 10, 10));
        VGBitmap::DrawEx(&red, 0, 0, 1, 1, 0, 0, 1.0f, 1.0f, BlendShade, 3.0f);
        EXPECT_EQ(t.At(0, 0), 0);
    }
}

TEST(DrawEx, ShadePaintsTheSilhouette) {
    VGBitmap img;
    MakeBitmap(img, 3, 1, {0x1111, kColourKey, 0x3333}, FlagKeyed);
    TargetCanvas t(3, 1, 0x7BCF);
    VGBitmap::DrawEx(&img, 0, 0, 3, 1, 0, 0, 1.0f, 1.0f, BlendShade, 1.0f);
    EXPECT_EQ(t.Pixels(), (std::vector<uint16_t>{0, 0x7BCF, 0}));
    img.flags = 0;
    VGBitmap::DrawEx(&img, 0, 0, 3, 1, 0, 0, 1.0f, 1.0f, BlendShade, 1.0f);
    EXPECT_EQ(t.Pixels(), std::vector<uint16_t>(3, 0)) << "unkeyed: the whole rectangle";
}

TEST(DrawEx, ScalingPicksNearestSourcePixels) {
    VGBitmap img;
    CoordinateImage(img, 4, 4);
    TargetCanvas big(8, 8, 0);
    VGBitmap::DrawEx(&img, 0, 0, 4, 4, 0, 0, 2.0f, 2.0f, BlendCopy, 1.0f);
    for (int32_t y = 0; y < 8; ++y)
        for (int32_t x = 0; x < 8; ++x)
            EXPECT_EQ(big.At(x, y), img.pixels[(y / 2) * 4 + x / 2]) << x << "," << y;

    TargetCanvas small(4, 4, 0);
    VGBitmap::DrawEx(&img, 0, 0, 4, 4, 0, 0, 0.5f, 0.5f, BlendCopy, 1.0f);
    EXPECT_EQ(small.At(0, 0), img.pixels[0]);
    EXPECT_EQ(small.At(1, 0), img.pixels[2]);
    EXPECT_EQ(small.At(1, 1), img.pixels[2 * 4 + 2]);
    EXPECT_EQ(small.At(2, 0), 0) << "4 x 0.5 = 2 columns";
}

// Clipping a scaled draw on the left or top must show the same pixels as drawing unclipped
// and cutting the picture afterwards (the start phase carries the partial source pixel).
// This holds exactly for power-of-two scales, whose 10-bit steps are exact.
TEST(DrawEx, ClippedScaledDrawMatchesUnclipped) {
    VGBitmap img;
    CoordinateImage(img, 7, 5);
    for (float scale : {2.0f, 4.0f, 0.5f, 0.25f}) {
        for (int32_t shift = 1; shift <= 7; ++shift) {
            TargetCanvas ref(40, 40, 0);
            VGBitmap::DrawEx(&img, 0, 0, 7, 5, 0, 0, scale, scale, BlendCopy, 1.0f);
            TargetCanvas cut(40, 40, 0);
            VGBitmap::DrawEx(&img, -shift, -shift, 7, 5, 0, 0, scale, scale, BlendCopy, 1.0f);
            int32_t dw = int32_t(7 * scale), dh = int32_t(5 * scale);
            for (int32_t y = 0; y + shift < dh; ++y)
                for (int32_t x = 0; x + shift < dw; ++x)
                    ASSERT_EQ(cut.At(x, y), ref.At(x + shift, y + shift))
                        << "scale " << scale << " shift " << shift << " at " << x << "," << y;
        }
    }
}

TEST(DrawEx, ScaledModesMatchUnscaledPerPixel) {
    // Scale 2 of a blend equals the blend of the pixel that scale 2 shows.
    VGBitmap img;
    MakeBitmap(img, 2, 1, {Rgb(31, 0, 0), kColourKey}, FlagKeyed);
    for (BlendMode mode : kModes) {
        TargetCanvas t(4, 2, Rgb(5, 6, 7));
        VGBitmap::DrawEx(&img, 0, 0, 2, 1, 0, 0, 2.0f, 2.0f, mode, 0.5f);
        TargetCanvas one(1, 1, Rgb(5, 6, 7));
        VGBitmap::DrawEx(&img, 0, 0, 1, 1, 0, 0, 1.0f, 1.0f, mode, 0.5f);
        EXPECT_EQ(t.At(0, 0), one.At(0, 0)) << mode;
        EXPECT_EQ(t.At(1, 1), one.At(0, 0)) << mode;
        EXPECT_EQ(t.At(2, 0), Rgb(5, 6, 7)) << "key skipped in mode " << mode;
    }
}

TEST(DrawEx, BadArgumentsDrawNothing) {
    VGBitmap img;
    CoordinateImage(img, 4, 4);
    TargetCanvas t(8, 8, 0x4444);
    float nan = std::nanf("");
    VGBitmap::DrawEx(&img, 0, 0, 4, 4, 0, 0, -2.0f, 2.0f, BlendAlpha, 0.5f);
    VGBitmap::DrawEx(&img, 0, 0, 4, 4, 0, 0, nan, 2.0f, BlendAlpha, 0.5f);
    VGBitmap::DrawEx(&img, 0, 0, 4, 4, 0, 0, 2.0f, 2.0f, BlendAlpha, nan);
    VGBitmap::DrawEx(&img, 0, 0, 4, 4, 0, 0, 2.0f, 2.0f, BlendMode(9), 0.5f);
    VGBitmap::DrawEx(&img, 0, 0, 4, 4, 0, 0, 0.1f, 0.1f, BlendAdd, 1.0f); // 0.4 px: nothing
    EXPECT_EQ(t.Pixels(), std::vector<uint16_t>(64, 0x4444));
}

TEST(WholeTarget, FadeToBlackStep) {
    TargetCanvas t(3, 1, 0);
    t.canvas.pixels[0] = 0xFFFF;
    t.canvas.pixels[1] = 0x0020; // only green bit 5
    RenderTarget.clipRight = 1;  // the clip plays no part
    EXPECT_TRUE(FadeToBlackStep(16));
    EXPECT_EQ(t.At(0, 0), 0xEF5D);
    EXPECT_EQ(t.At(1, 0), 0);
    EXPECT_EQ(t.At(2, 0), 0);

    t.canvas.Fill(0x1082); // red, green and blue 2 (16 on the 8-bit scale)
    EXPECT_TRUE(FadeToBlackStep(5));
    EXPECT_EQ(t.At(0, 0), Rgb(1, 1, 1)) << "red's low bits never spill into green";

    int steps = 0;
    t.canvas.Fill(0xFFFF);
    while (FadeToBlackStep(16)) ++steps;
    EXPECT_EQ(steps, 16) << "full white fades out in 16 steps";
    EXPECT_EQ(t.Pixels(), std::vector<uint16_t>(3, 0));
}

TEST(WholeTarget, CopyToTarget) {
    VGBitmap src;
    CoordinateImage(src, 4, 3);
    TargetCanvas t(4, 3, 0);
    RenderTarget.clipLeft = 2; // ignored
    CopyToTarget(&src);
    EXPECT_EQ(t.Pixels(), PixelsOf(src));

    VGBitmap large;
    CoordinateImage(large, 10, 10);
    CopyToTarget(&large); // never past the end of the target
    EXPECT_EQ(t.At(3, 2), large.pixels[11]);
    CopyToTarget(nullptr);
}

// Arithmetic that once overflowed (the sanitizer build stops at it): a point near INT_MIN,
// and scales so small that their step no longer fits an integer.
TEST(DrawEx, ExtremePointsAndTinyScalesDrawNothingWithoutOverflow) {
    VGBitmap img;
    CoordinateImage(img, 8, 8);
    img.trimLeft = 3;
    img.trimTop = 2;
    img.UpdateDerived();
    EXPECT_EQ(img.GetPixel(INT32_MIN, 4), kColourKey);
    EXPECT_EQ(img.GetPixel(4, INT32_MIN + 1), kColourKey);
    EXPECT_EQ(img.GetPixel(INT32_MAX, INT32_MAX), kColourKey);
    TargetCanvas t(16, 16, 0);
    for (BlendMode mode : kModes)
        for (float scale : {1e-8f, 2.3e-7f, 1e-30f}) {
            VGBitmap::DrawEx(&img, 0, 0, 8, 8, 0, 0, scale, 1.0f, mode, 1.0f);
            VGBitmap::DrawEx(&img, 0, 0, 8, 8, 0, 0, 2.0f, scale, mode, 0.5f);
        }
    for (int32_t y = 0; y < 16; ++y)
        for (int32_t x = 0; x < 16; ++x) EXPECT_EQ(t.At(x, y), 0);
}
