#include "tests/graphics/GraphicsTestUtil.h"
#include "tests/support/TempFolder.h"
#include "tools/imagewriter/ImageWriter.h"
#include "tools/imgdump/ContactSheet.h"
#include "tools/imgdump/ImageFileLayout.h"
#include "tools/png/PngFile.h"
#include "varnokengine/VGStream.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#ifndef TBX_GOLDEN_DIR
#error "TBX_GOLDEN_DIR must name the folder of the golden pictures"
#endif

namespace {

using imagewriter::Picture;

// Set TAMBORIX_REWRITE_GOLDENS=1 to replace the golden pictures on purpose.
bool RewriteGoldens() {
    const char* v = std::getenv("TAMBORIX_REWRITE_GOLDENS");
    return v && v[0] == '1';
}

std::vector<Picture> SamplePictures() {
    std::vector<Picture> out;
    Picture ring; // a keyed ring in key margins
    ring.width = ring.height = 24;
    ring.id = 9105;
    for (int32_t y = 0; y < 24; ++y)
        for (int32_t x = 0; x < 24; ++x) {
            int32_t dx = x - 12, dy = y - 12, d = dx * dx + dy * dy;
            ring.pixels.push_back(d < 64 || d > 100 ? kColourKey : uint16_t(0xFDC0));
        }
    out.push_back(ring);
    Picture bar; // opaque
    bar.width = 40;
    bar.height = 6;
    bar.id = 418;
    for (int32_t i = 0; i < 240; ++i)
        bar.pixels.push_back(uint16_t(0x001F + (i % 40) * 0x0800 / 2));
    out.push_back(bar);
    return out;
}

} // namespace

TEST(ImgDump, TellsPacksFromSingleImages) {
    std::vector<uint8_t> pack, single;
    ASSERT_TRUE(imagewriter::EncodePack(SamplePictures(), imagewriter::Trim::KeyMargins, pack));
    ASSERT_TRUE(
        imagewriter::EncodeSingle(SamplePictures()[0], imagewriter::Trim::KeyMargins, single));
    uint32_t n = 0;
    EXPECT_EQ(DetectLayout(pack.data(), pack.size(), n), ImageFileLayout::Pack);
    EXPECT_EQ(n, 2u);
    EXPECT_EQ(DetectLayout(single.data(), single.size(), n), ImageFileLayout::Single);
    EXPECT_EQ(n, 1u);
    EXPECT_EQ(DetectLayout(pack.data(), pack.size() - 1, n), ImageFileLayout::Unknown);
    EXPECT_EQ(DetectLayout(pack.data(), 3, n), ImageFileLayout::Unknown);
    std::vector<uint8_t> empty;
    ASSERT_TRUE(imagewriter::EncodePack({}, imagewriter::Trim::KeyMargins, empty));
    EXPECT_EQ(DetectLayout(empty.data(), empty.size(), n), ImageFileLayout::Pack);
    EXPECT_EQ(n, 0u);
}

TEST(ImgDump, ContactSheetMatchesGolden) {
    std::vector<uint8_t> pack;
    ASSERT_TRUE(imagewriter::EncodePack(SamplePictures(), imagewriter::Trim::KeyMargins, pack));
    std::vector<std::unique_ptr<VGBitmap>> images;
    std::vector<const VGBitmap*> list;
    {
        auto copy = std::make_unique<uint8_t[]>(pack.size());
        std::copy(pack.begin(), pack.end(), copy.get());
        VGMemoryReader reader(std::move(copy), uint32_t(pack.size()));
        uint32_t count = 0;
        ASSERT_TRUE(ReadU32(reader, count));
        for (uint32_t i = 0; i < count; ++i) {
            images.push_back(std::make_unique<VGBitmap>());
            ASSERT_TRUE(images.back()->LoadFromStream(reader));
            list.push_back(images.back().get());
        }
    }
    VGBitmap sheet;
    ASSERT_EQ(BuildContactSheet(list, sheet), 2u);
    EXPECT_EQ(RenderTarget.target, nullptr) << "the caller's target is put back";

    const std::string golden = std::string(TBX_GOLDEN_DIR) + "/contact_sheet.png";
    if (RewriteGoldens()) {
        ASSERT_TRUE(png::WritePng(golden, sheet.width, sheet.height, sheet.pixels));
        GTEST_SKIP() << "rewrote " << golden;
    }
    int32_t w = 0, h = 0;
    std::vector<uint16_t> expected;
    ASSERT_TRUE(png::ReadPng(golden, w, h, expected)) << "missing golden " << golden;
    ASSERT_EQ(w, sheet.width);
    ASSERT_EQ(h, sheet.height);
    // PNG keeps 8 bits per channel; compare as the PNG writer widens, 5-6-5 to 8-8-8 and back.
    EXPECT_EQ(PixelsOf(sheet), expected);
}

TEST(ImgDump, PngRoundTripKeepsEveryBit) {
    TempFolder dir;
    std::vector<uint16_t> all(256 * 256);
    for (size_t i = 0; i < all.size(); ++i) all[i] = uint16_t(i);
    std::string path = (dir.Path() / "all.png").string();
    ASSERT_TRUE(png::WritePng(path, 256, 256, all.data()));
    int32_t w = 0, h = 0;
    std::vector<uint16_t> back;
    ASSERT_TRUE(png::ReadPng(path, w, h, back));
    EXPECT_EQ(back, all);
    dir.WriteFile("junk.png", "\x89PNG\r\n\x1a\n not really");
    EXPECT_FALSE(png::ReadPng((dir.Path() / "junk.png").string(), w, h, back));
    EXPECT_FALSE(png::WritePng(path, 0, 5, all.data()));
}
