#include "tests/graphics/GraphicsTestUtil.h"

#include <gtest/gtest.h>

namespace {

constexpr uint16_t Red(uint16_t r) {
    return uint16_t(r << 11);
}

// Halves a 2x2 bitmap and returns its single pixel (or the key when nothing is left).
uint16_t HalvedBlock(std::vector<uint16_t> block, uint32_t flags) {
    VGBitmap b;
    MakeBitmap(b, 2, 2, block, flags);
    b.Halve();
    EXPECT_EQ(b.fullWidth, 1);
    EXPECT_EQ(b.fullHeight, 1);
    return b.GetPixel(0, 0);
}

} // namespace

TEST(Bitmap, CreateFillAndDerivedSizes) {
    VGBitmap a, b;
    EXPECT_EQ(a.id, kNoImageId);
    EXPECT_EQ(a.pixels, nullptr);
    ASSERT_TRUE(a.Create(5, 3, 0, 0));
    ASSERT_TRUE(b.Create(5, 3, 0, ColourBlack));
    EXPECT_EQ(PixelsOf(a), PixelsOf(b)) << "filling with 0 and with black agree";
    EXPECT_EQ(a.fullWidth, 5);
    EXPECT_EQ(a.halfWidth, 2);
    EXPECT_EQ(a.halfHeight, 1);

    VGBitmap row;
    ASSERT_TRUE(row.Create(4, 1, 0, ColourWhite));
    EXPECT_EQ(PixelsOf(row), std::vector<uint16_t>(4, 0xFFDF));

    VGBitmap bad;
    EXPECT_FALSE(bad.Create(-1, 4, 0, 0));
    EXPECT_EQ(bad.width, 0);
    EXPECT_EQ(bad.fullHeight, 0);
    VGBitmap::Draw(&bad, 0, 0); // no target, empty bitmap: nothing happens
}

TEST(Bitmap, GetPixelSeesTheLogicalImage) {
    VGBitmap b;
    MakeBitmap(b, 2, 1, {0x1111, 0x2222}, FlagTrimmed | FlagTrimLeft | FlagTrimTop);
    b.trimLeft = 3;
    b.trimTop = 1;
    b.UpdateDerived();
    EXPECT_EQ(b.fullWidth, 5);
    EXPECT_EQ(b.fullHeight, 2);
    EXPECT_EQ(b.GetPixel(2, 1), kColourKey) << "one column left of the stored rectangle";
    EXPECT_EQ(b.GetPixel(3, 1), 0x1111);
    EXPECT_EQ(b.GetPixel(4, 1), 0x2222);
    EXPECT_EQ(b.GetPixel(5, 1), kColourKey);
    EXPECT_EQ(b.GetPixel(3, 0), kColourKey);
    EXPECT_EQ(b.GetPixel(-100, -100), kColourKey);
}

TEST(Bitmap, TrimCutsKeyMarginsAndSetsFlags) {
    VGBitmap b;
    MakeBitmap(b, 6, 4, PictureWithMargins(6, 4, 1, 2, 3, 0, 7, false));
    std::vector<uint16_t> logical = LogicalPixels(b);
    b.Trim();
    EXPECT_EQ(b.width, 2);
    EXPECT_EQ(b.height, 2);
    EXPECT_EQ(b.trimLeft, 1);
    EXPECT_EQ(b.trimTop, 2);
    EXPECT_EQ(b.trimRight, 3);
    EXPECT_EQ(b.trimBottom, 0);
    EXPECT_EQ(b.flags, FlagTrimmed | FlagTrimLeft | FlagTrimTop | FlagTrimRight);
    EXPECT_EQ(LogicalPixels(b), logical);

    VGBitmap allKey;
    allKey.Create(3, 3, 0, kColourKey);
    allKey.Trim();
    EXPECT_EQ(allKey.width, 3);
    EXPECT_EQ(allKey.flags, FlagKeyed) << "an all-key picture is kept whole and keyed";

    VGBitmap holes;
    MakeBitmap(holes, 3, 1, {1, kColourKey, 2});
    holes.Trim();
    EXPECT_EQ(holes.flags, FlagKeyed);
}

TEST(Bitmap, HalvingAveragesBlocks) {
    // Plain average per 5-bit channel, rounded: (sum + 2) >> 2; green bit 5 written as 0.
    uint16_t plain = HalvedBlock({Red(31), Red(30), Red(30), Red(30)}, 0);
    EXPECT_EQ(plain, Red(30));
    EXPECT_EQ(HalvedBlock({0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF}, 0), 0xFFDF);
    // An unkeyed image averages key pixels as colours.
    EXPECT_EQ(HalvedBlock({kColourKey, 0, 0, 0}, 0), uint16_t(Red(8) | 8));

    EXPECT_EQ(HalvedBlock({kColourKey, Red(31), Red(31), Red(31)}, FlagKeyed), Red(31))
        << "one key: (93 + 1) / 3";
    EXPECT_EQ(HalvedBlock({kColourKey, Red(31), kColourKey, Red(30)}, FlagKeyed), Red(31))
        << "two keys: (61 + 1) >> 1";
    EXPECT_EQ(HalvedBlock({kColourKey, kColourKey, kColourKey, Red(30)}, FlagKeyed), kColourKey);
}

TEST(Bitmap, HalvingEdgeSizesAndId) {
    VGBitmap odd;
    odd.Create(101, 2, 0, 0x0841);
    odd.id = 42;
    odd.Halve();
    EXPECT_EQ(odd.fullWidth, 50) << "the last source column is dropped";
    EXPECT_EQ(odd.fullHeight, 1);
    EXPECT_EQ(odd.id, 42u);
    EXPECT_EQ(odd.flags, 0u);

    VGBitmap keyOnly;
    keyOnly.Create(4, 4, FlagKeyed, kColourKey);
    keyOnly.Halve();
    EXPECT_EQ(keyOnly.width, 2);
    EXPECT_EQ(keyOnly.flags, FlagKeyed) << "all key after halving: not trimmed, keyed";
}

TEST(Bitmap, HalvingATrimmedImageMatchesHalvingItsLogicalImage) {
    for (uint32_t seed = 1; seed < 20; ++seed) {
        int32_t w = 9 + int32_t(seed % 5), h = 7 + int32_t(seed % 4);
        std::vector<uint16_t> pic = PictureWithMargins(w, h, seed % 3, seed % 4, (seed / 2) % 3,
                                                       (seed / 3) % 3, seed, seed % 2 == 0);
        VGBitmap whole, trimmed;
        MakeBitmap(whole, int16_t(w), int16_t(h), pic);
        whole.SetKeyedFromPixels();
        whole.flags |= FlagKeyed; // keyed averaging for both
        MakeBitmap(trimmed, int16_t(w), int16_t(h), pic);
        trimmed.Trim();
        whole.Halve();
        trimmed.Halve();
        EXPECT_EQ(trimmed.fullWidth, w / 2);
        EXPECT_EQ(trimmed.fullHeight, h / 2);
        EXPECT_EQ(LogicalPixels(trimmed), LogicalPixels(whole)) << "seed " << seed;
    }
}
