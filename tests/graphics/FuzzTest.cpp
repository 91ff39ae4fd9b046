// Damaged files and wild draw arguments, thousands of times with a fixed seed: nothing may
// crash or touch memory outside its buffers (the sanitizer build checks that), and whatever
// loads must be a consistent bitmap.
#include "tests/graphics/GraphicsTestUtil.h"
#include "tests/support/TempFolder.h"
#include "tools/imagewriter/ImageWriter.h"
#include "varnokengine/VGAppPath.h"
#include "varnokengine/VGBitmapManager.h"
#include "varnokengine/VGError.h"
#include "varnokengine/VGStream.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>
#include <random>

namespace {

using imagewriter::Picture;

std::vector<uint8_t> BasePack() {
    std::vector<Picture> pictures;
    for (uint32_t i = 0; i < 5; ++i) {
        Picture p;
        p.width = int32_t(3 + i * 4);
        p.height = int32_t(2 + i * 3);
        p.id = 100 + i;
        p.pixels = PictureWithMargins(p.width, p.height, int32_t(i % 2), int32_t(i % 3), 1, 0,
                                      i + 1, i % 2 == 0);
        pictures.push_back(p);
    }
    pictures.push_back(Picture{}); // an empty record too
    std::vector<uint8_t> bytes;
    imagewriter::EncodePack(pictures, imagewriter::Trim::KeyMargins, bytes);
    return bytes;
}

void Damage(std::vector<uint8_t>& b, std::mt19937& rng) {
    auto pick = [&](size_t n) { return n ? size_t(rng() % n) : 0; };
    switch (rng() % 6) {
    case 0: // a few random bytes
        for (uint32_t i = 0, n = 1 + rng() % 8; i < n && !b.empty(); ++i)
            b[pick(b.size())] = uint8_t(rng());
        break;
    case 1: // cut short
        b.resize(pick(b.size()));
        break;
    case 2: { // an extreme value in a header-sized field somewhere
        static const uint32_t extremes[] = {0,          1,           0x7FFF,      0x8000, 0xFFFF,
                                            0x7FFFFFFF, 0x80000000u, 0xFFFFFFFFu, 4096,   4097};
        if (b.size() < 4) break;
        size_t at = pick(b.size() - 3);
        uint32_t v = extremes[rng() % 10];
        size_t width = rng() % 2 ? 2 : 4;
        for (size_t i = 0; i < width; ++i) b[at + i] = uint8_t(v >> (8 * i));
        break;
    }
    case 3: // bytes inserted
        b.insert(b.begin() + ptrdiff_t(pick(b.size() + 1)), 1 + rng() % 16, uint8_t(rng()));
        break;
    case 4: // the count
        if (b.size() >= 4) b[rng() % 4] = uint8_t(rng());
        break;
    default: // a run of bytes cleared
        if (!b.empty()) {
            size_t at = pick(b.size());
            std::memset(b.data() + at, 0, std::min<size_t>(b.size() - at, 1 + rng() % 32));
        }
        break;
    }
}

void ExpectConsistent(const VGBitmap& b) {
    ASSERT_NE(b.pixels, nullptr);
    ASSERT_GE(b.width, 0);
    ASSERT_GE(b.height, 0);
    ASSERT_EQ(b.fullWidth, b.trimLeft + b.trimRight + b.width);
    ASSERT_EQ(b.fullHeight, b.trimTop + b.trimBottom + b.height);
}

float WildScale(std::mt19937& rng) {
    static const float scales[] = {
        1.0f,         2.0f,   0.5f,  1.5f, 0.0f,
        -1.0f,        0.001f, 37.0f, 1e9f, std::numeric_limits<float>::infinity(),
        std::nanf("")};
    return scales[rng() % 11];
}

void DrawWildly(const VGBitmap& b, std::mt19937& rng) {
    auto coord = [&] { return int32_t(rng() % 200) - 100; };
    for (int i = 0; i < 4; ++i) {
        VGBitmap::DrawRegion(&b, coord(), coord(), coord() + 60, coord() + 60, coord(), coord());
        VGBitmap::DrawEx(&b, coord(), coord(), coord() + 60, coord() + 60, coord(), coord(),
                         WildScale(rng), WildScale(rng), BlendMode(int32_t(rng() % 7) - 1),
                         float(int32_t(rng() % 300) - 100) / 100.0f);
    }
    VGBitmap::Draw(&b, coord(), coord());
}

} // namespace

TEST(Fuzz, DamagedPacksAndRecords) {
    TempFolder dir;
    SetAppPath(VGString(dir.Wide().c_str()));
    const std::vector<uint8_t> base = BasePack();
    ASSERT_GT(base.size(), 4u);
    // TAMBORIX_FUZZ_SEED picks another seed for a longer hunt by hand.
    const char* seedText = std::getenv("TAMBORIX_FUZZ_SEED");
    std::mt19937 rng(seedText ? uint32_t(std::strtoul(seedText, nullptr, 10)) : 20240607u);
    VGBitmap canvas;
    canvas.Create(48, 40, 0, 0);
    VGBitmapManager manager;
    uint32_t packsLoaded = 0, recordsLoaded = 0;
    for (int iteration = 0; iteration < 3000; ++iteration) {
        ClearErrors();
        SetHalveImagesOnLoad(rng() % 4 == 0);
        std::vector<uint8_t> bytes = base;
        for (uint32_t n = 1 + rng() % 3; n > 0; --n) Damage(bytes, rng);

        SetRenderTarget(&canvas);
        RenderTarget.clipLeft = int16_t(int32_t(rng() % 20) - 10);
        RenderTarget.clipRight = int16_t(rng() % 80);
        if (iteration % 3 == 0) {
            dir.WriteFile("imgs/fuzz.img", std::string(bytes.begin(), bytes.end()));
            bool ok = manager.Load(u"fuzz");
            packsLoaded += ok;
            ASSERT_LE(manager.count, manager.capacity);
            for (uint32_t i = 0; i < manager.count; ++i) {
                ASSERT_NE(manager.images[i], nullptr) << "iteration " << iteration;
                ExpectConsistent(*manager.images[i]);
                DrawWildly(*manager.images[i], rng);
            }
            manager.Find(100 + rng() % 6);
            if (rng() % 2) manager.Clear();
        } else {
            // The pack's first record alone, as a single-image stream.
            size_t skip = bytes.size() >= 4 ? 4 : 0;
            auto copy = std::make_unique<uint8_t[]>(bytes.size() + 1);
            std::memcpy(copy.get(), bytes.data() + skip, bytes.size() - skip);
            VGMemoryReader reader(std::move(copy), uint32_t(bytes.size() - skip));
            VGBitmap b;
            if (b.LoadFromStream(reader)) {
                ++recordsLoaded;
                ExpectConsistent(b);
                DrawWildly(b, rng);
            } else {
                EXPECT_EQ(ErrorFlag, 1u) << "a failed load is always reported";
            }
        }
    }
    SetRenderTarget(nullptr);
    SetHalveImagesOnLoad(false);
    ClearErrors();
    // The damage must leave some files loadable, or the drawing half tests nothing.
    EXPECT_GT(packsLoaded, 50u);
    EXPECT_GT(recordsLoaded, 300u);
}
