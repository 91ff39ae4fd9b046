#include "tests/graphics/GraphicsTestUtil.h"
#include "tests/support/TempFolder.h"
#include "tools/imagewriter/ImageWriter.h"
#include "varnokengine/VGAppPath.h"
#include "varnokengine/VGBitmapManager.h"
#include "varnokengine/VGError.h"
#include "varnokengine/VGStream.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <zlib.h>

namespace {

using imagewriter::Picture;
using imagewriter::Trim;

std::string ErrorText() {
    VGString t = GetErrorText();
    return std::string(t.Data(), t.Data() + t.Length());
}

VGMemoryReader ReaderOf(const std::vector<uint8_t>& bytes) {
    auto copy = std::make_unique<uint8_t[]>(bytes.size() + 1);
    if (!bytes.empty()) std::memcpy(copy.get(), bytes.data(), bytes.size());
    return VGMemoryReader(std::move(copy), uint32_t(bytes.size()));
}

Picture MakePicture(int32_t w, int32_t h, uint32_t id, int32_t margin, uint32_t seed) {
    Picture p;
    p.width = w;
    p.height = h;
    p.id = id;
    p.pixels = PictureWithMargins(w, h, margin, margin + 1, margin + 2, margin, seed, true);
    return p;
}

void PutU32(std::vector<uint8_t>& bytes, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes[at + size_t(i)] = uint8_t(v >> (8 * i));
}
void PutI16(std::vector<uint8_t>& bytes, size_t at, int16_t v) {
    bytes[at] = uint8_t(v);
    bytes[at + 1] = uint8_t(uint16_t(v) >> 8);
}

// A data folder for one test, with the program's path pointing at it.
struct DataFolder {
    TempFolder dir;
    DataFolder() {
        SetAppPath(VGString(dir.Wide().c_str()));
        ClearErrors();
        SetHalveImagesOnLoad(false);
    }
    ~DataFolder() {
        SetHalveImagesOnLoad(false);
        ClearErrors();
    }
    void Write(const std::string& name, const std::vector<uint8_t>& bytes) const {
        dir.WriteFile(name, std::string(bytes.begin(), bytes.end()));
    }
};

} // namespace

TEST(ImageFile, ScreenSizedRoundTrip) {
    DataFolder data;
    Picture screen = MakePicture(480, 640, 200, 3, 11);
    std::filesystem::create_directories(data.dir.Path() / "Imgs");
    ASSERT_TRUE(imagewriter::WriteSingle((data.dir.Path() / "Imgs" / "drumkit.img").string(),
                                         screen, Trim::KeyMargins));
    VGBitmap b;
    ASSERT_TRUE(b.LoadFile(0, u"drumkit"));
    EXPECT_EQ(b.id, 200u);
    EXPECT_EQ(b.fullWidth, 480);
    EXPECT_EQ(b.fullHeight, 640);
    EXPECT_EQ(b.trimLeft, 3);
    EXPECT_EQ(b.trimTop, 4);
    EXPECT_EQ(b.trimRight, 5);
    EXPECT_EQ(b.trimBottom, 3);
    EXPECT_EQ(b.flags, FlagKeyed | FlagTrimmed | FlagTrimLeft | FlagTrimTop | FlagTrimRight |
                           FlagTrimBottom);
    EXPECT_EQ(LogicalPixels(b), screen.pixels);
    EXPECT_EQ(ErrorFlag, 0u);
}

TEST(ImageFile, SmallScreenHalvesOnLoad) {
    DataFolder data;
    Picture screen = MakePicture(480, 640, 106, 0, 5);
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(imagewriter::EncodeSingle(screen, Trim::KeyMargins, bytes));
    data.Write("imgs/tamborix.img", bytes);

    VGBitmap expected;
    MakeBitmap(expected, 480, 640, screen.pixels, FlagKeyed);
    expected.Halve();

    SetHalveImagesOnLoad(true);
    VGBitmap b;
    ASSERT_TRUE(b.LoadFile(0, u"tamborix"));
    EXPECT_EQ(b.fullWidth, 240);
    EXPECT_EQ(b.fullHeight, 320);
    EXPECT_EQ(b.id, 106u);
    EXPECT_EQ(LogicalPixels(b), LogicalPixels(expected));

    // An unflagged record with key pixels gets its flag from the pixels when halved.
    Picture flat;
    flat.width = 4;
    flat.height = 2;
    flat.pixels = {1, 2, kColourKey, kColourKey, 3, 4, kColourKey, kColourKey};
    ASSERT_TRUE(imagewriter::EncodeSingle(flat, Trim::Off, bytes));
    PutU32(bytes, 16, 0);
    VGMemoryReader reader = ReaderOf(bytes);
    VGBitmap h;
    ASSERT_TRUE(h.LoadFromStream(reader));
    EXPECT_EQ(h.fullWidth, 2);
    EXPECT_EQ(h.width, 1) << "the all-key right half is trimmed away";
    EXPECT_TRUE(h.flags & FlagTrimmed);
}

TEST(ImageFile, WriterIsDeterministicAndFlagsFollowPixels) {
    Picture solid;
    solid.width = 3;
    solid.height = 2;
    solid.id = 9;
    solid.pixels = {1, 2, 3, 4, 5, 6};
    std::vector<uint8_t> a, b;
    ASSERT_TRUE(imagewriter::EncodePack({solid, solid}, Trim::KeyMargins, a));
    ASSERT_TRUE(imagewriter::EncodePack({solid, solid}, Trim::KeyMargins, b));
    EXPECT_EQ(a, b);
    EXPECT_EQ(a[0], 2);
    EXPECT_EQ(a[4 + 16], 0) << "no key pixel, no trim: flags 0";

    Picture bad = solid;
    bad.pixels.pop_back();
    EXPECT_FALSE(imagewriter::EncodeSingle(bad, Trim::Off, b));
    bad = solid;
    bad.width = 5000;
    EXPECT_FALSE(imagewriter::EncodeSingle(bad, Trim::Off, b));
}

TEST(ImageFile, EmptyRecordStillReadsItsBlock) {
    Picture empty, next = MakePicture(4, 4, 7, 0, 3);
    empty.id = 5;
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(imagewriter::AppendRecord(empty, Trim::KeyMargins, bytes));
    ASSERT_TRUE(imagewriter::AppendRecord(next, Trim::Off, bytes));
    VGMemoryReader reader = ReaderOf(bytes);
    VGBitmap a, b;
    ASSERT_TRUE(a.LoadFromStream(reader));
    EXPECT_EQ(a.width, 0);
    EXPECT_NE(a.pixels, nullptr);
    ASSERT_TRUE(b.LoadFromStream(reader)) << "the next record starts after the empty block";
    EXPECT_EQ(b.id, 7u);
    EXPECT_EQ(PixelsOf(b), next.pixels);
}

TEST(ImageFile, DamagedRecordsFailWithTheReport) {
    DataFolder data;
    Picture pic = MakePicture(6, 5, 77, 1, 2);
    std::vector<uint8_t> good;
    ASSERT_TRUE(imagewriter::EncodeSingle(pic, Trim::Off, good));

    struct Case {
        const char* what;
        std::vector<uint8_t> bytes;
        const char* idText;
    };
    std::vector<Case> cases;
    cases.push_back({"ends inside the header", {good.begin(), good.begin() + 10}, "id: -1"});
    cases.push_back({"ends inside the block", {good.begin(), good.end() - 3}, "id: 77"});
    Case negative{"negative width", good, "id: 77"};
    PutI16(negative.bytes, 0, -6);
    cases.push_back(negative);
    Case huge{"absurd size", good, "id: 77"};
    PutI16(huge.bytes, 0, 30000);
    PutI16(huge.bytes, 2, 30000);
    cases.push_back(huge);
    Case wideTrim{"margins beyond any screen", good, "id: 77"};
    PutI16(wideTrim.bytes, 4, 32000);
    PutI16(wideTrim.bytes, 6, 32000);
    cases.push_back(wideTrim);
    Case packed{"packed length beyond the file", good, "id: 77"};
    PutU32(packed.bytes, 20, 0xFFFFFFF0u);
    cases.push_back(packed);
    // 4096 x 4096 pixels asked of a block no zlib stream of its length could fill: nothing
    // is allocated for them.
    Case inflated{"more pixels than the block can hold", good, "id: 77"};
    PutI16(inflated.bytes, 0, 4096);
    PutI16(inflated.bytes, 2, 4096);
    cases.push_back(inflated);

    for (const Case& c : cases) {
        ClearErrors();
        data.Write("imgs/bad.img", c.bytes);
        VGBitmap b;
        EXPECT_FALSE(b.LoadFile(0, u"bad")) << c.what;
        std::string log = ErrorText();
        EXPECT_NE(log.find("Failed to load image from file: "), std::string::npos) << c.what;
        EXPECT_NE(log.find("bad.img\r\n"), std::string::npos) << c.what;
        EXPECT_NE(log.find(c.idText), std::string::npos) << c.what << ": " << log;
        EXPECT_NE(log.find("Line 395"), std::string::npos) << c.what;
        EXPECT_EQ(ErrorFlag, 1u);
    }

    ClearErrors();
    VGBitmap missing;
    EXPECT_FALSE(missing.LoadFile(12, nullptr));
    EXPECT_NE(ErrorText().find("Imgs\\12\r\nid: -1"), std::string::npos) << ErrorText();
}

TEST(ImageFile, ShortOrBrokenBlockLeavesBlack) {
    std::vector<uint16_t> half(8, 0xFFFF);
    std::vector<uint8_t> block(compressBound(16));
    uLongf size = block.size();
    ASSERT_EQ(compress2(block.data(), &size, reinterpret_cast<const Bytef*>(half.data()), 16, 9),
              Z_OK);
    std::vector<uint8_t> record(24, 0);
    PutI16(record, 0, 4);
    PutI16(record, 2, 4); // 16 pixels, but the block holds 8
    PutU32(record, 20, uint32_t(size));
    record.insert(record.end(), block.begin(), block.begin() + ptrdiff_t(size));
    VGMemoryReader reader = ReaderOf(record);
    VGBitmap b;
    ClearErrors();
    ASSERT_TRUE(b.LoadFromStream(reader));
    std::vector<uint16_t> expected(16, 0);
    std::fill(expected.begin(), expected.begin() + 8, 0xFFFF);
    EXPECT_EQ(PixelsOf(b), expected);

    record.resize(24 + 6);
    PutU32(record, 20, 6);
    std::memcpy(record.data() + 24, "garbag", 6);
    VGMemoryReader junk = ReaderOf(record);
    ASSERT_TRUE(junk.Size() > 0);
    ASSERT_TRUE(b.LoadFromStream(junk)) << "an invalid block is not a failed read";
    EXPECT_EQ(PixelsOf(b), std::vector<uint16_t>(16, 0));
    EXPECT_EQ(ErrorFlag, 0u);
}

TEST(BitmapManager, LoadFindGetClear) {
    DataFolder data;
    std::vector<Picture> pack = {MakePicture(8, 6, 400, 1, 1), MakePicture(5, 5, 401, 0, 2),
                                 MakePicture(3, 9, 400, 0, 3)};
    // Written as "Imgs", read as "imgs": names match without regard to case.
    std::filesystem::create_directories(data.dir.Path() / "Imgs");
    ASSERT_TRUE(imagewriter::WritePack((data.dir.Path() / "Imgs" / "buttons.img").string(), pack,
                                       Trim::KeyMargins));

    VGBitmapManager m;
    ASSERT_TRUE(m.Load(u"buttons"));
    EXPECT_EQ(m.count, 3u);
    EXPECT_EQ(m.capacity, 3u);
    ASSERT_NE(m.Find(400), nullptr);
    EXPECT_EQ(m.Find(400)->fullWidth, 8) << "the first of two equal ids";
    EXPECT_EQ(LogicalPixels(*m.Get(401)), pack[1].pixels);
    EXPECT_EQ(ErrorFlag, 0u);

    EXPECT_EQ(m.Get(999), nullptr);
    EXPECT_NE(ErrorText().find("Bitmap manager failed to find image: 999"), std::string::npos);
    EXPECT_NE(ErrorText().find("Line 133"), std::string::npos);

    m.Clear();
    EXPECT_EQ(m.count, 0u);
    EXPECT_EQ(m.capacity, 3u);
    EXPECT_EQ(m.Find(400), nullptr);
    ASSERT_TRUE(m.Load(u"buttons")) << "loads again after a clear";
    EXPECT_NE(m.Find(401), nullptr);
}

TEST(BitmapManager, EmptyMissingAndGrowing) {
    DataFolder data;
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(imagewriter::EncodePack({}, Trim::KeyMargins, bytes));
    data.Write("imgs/empty.img", bytes);
    VGBitmapManager m;
    EXPECT_TRUE(m.Load(u"empty"));
    EXPECT_EQ(m.count, 0u);
    EXPECT_EQ(ErrorFlag, 0u);
    EXPECT_EQ(m.Get(100), nullptr);
    EXPECT_EQ(ErrorFlag, 1u);

    ClearErrors();
    VGBitmapManager none;
    EXPECT_FALSE(none.Load(u"nothere"));
    EXPECT_NE(ErrorText().find("Bitmap manager load failed: nothere"), std::string::npos);
    EXPECT_NE(ErrorText().find("Line 236"), std::string::npos);

    ClearErrors();
    ASSERT_TRUE(imagewriter::EncodePack({MakePicture(2, 2, 1, 0, 1)}, Trim::Off, bytes));
    data.Write("imgs/one.img", bytes);
    ASSERT_TRUE(imagewriter::EncodePack(
        {MakePicture(2, 2, 10, 0, 1), MakePicture(2, 2, 11, 0, 1), MakePicture(2, 2, 12, 0, 1)},
        Trim::Off, bytes));
    data.Write("imgs/three.img", bytes);
    VGBitmapManager g;
    ASSERT_TRUE(g.Load(u"one"));
    EXPECT_EQ(g.capacity, 1u);
    ASSERT_TRUE(g.Load(u"three")) << "a larger pack into a smaller array grows it";
    EXPECT_EQ(g.capacity, 3u);
    EXPECT_NE(g.Find(12), nullptr);
    EXPECT_EQ(g.Find(1), nullptr) << "the earlier images are gone";
    EXPECT_EQ(ErrorFlag, 0u);
}

TEST(BitmapManager, DamagedPackHandsOutNoMissingEntry) {
    DataFolder data;
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(imagewriter::EncodePack(
        {MakePicture(4, 4, 1, 0, 1), MakePicture(4, 4, 2, 0, 2), MakePicture(4, 4, 3, 0, 3)},
        Trim::Off, bytes));
    // Cut the pack inside its third record.
    std::vector<uint8_t> cut(bytes.begin(), bytes.end() - 5);
    data.Write("imgs/cut.img", cut);
    VGBitmapManager m;
    EXPECT_FALSE(m.Load(u"cut"));
    std::string log = ErrorText();
    size_t image = log.find("Failed to load image from file:");
    size_t pack = log.find("Bitmap manager load failed: cut");
    EXPECT_NE(image, std::string::npos);
    EXPECT_NE(pack, std::string::npos);
    EXPECT_LT(image, pack) << "the image's report comes first";
    EXPECT_NE(log.find("Line 227"), std::string::npos);
    EXPECT_EQ(m.count, 2u);
    EXPECT_NE(m.Find(2), nullptr);
    EXPECT_EQ(m.Find(3), nullptr);

    // A count the file cannot hold is refused before anything is allocated for it.
    ClearErrors();
    PutU32(bytes, 0, 0x40000000u);
    data.Write("imgs/count.img", bytes);
    VGBitmapManager c;
    EXPECT_FALSE(c.Load(u"count"));
    EXPECT_EQ(c.count, 0u);
    EXPECT_EQ(c.capacity, 0u);
    EXPECT_NE(ErrorText().find("Bitmap manager load failed: count"), std::string::npos);

    // A pack too short for its count word fails quietly.
    ClearErrors();
    data.Write("imgs/stub.img", {1, 0});
    EXPECT_FALSE(c.Load(u"stub"));
    EXPECT_EQ(ErrorFlag, 0u);
}
